// A fine grid (about 400,000 points: metric, 1 kg, 1000 N/m, damping ratio 0.05, step
// 0.0001 Hz) written three ways in one run: by the program, by the way most people would
// write it (fprintf into fopen'ed files), and the floor (the arithmetic alone plus the same
// bytes in 4096-byte writes, interleaved over the fourteen files as the sweep fills them).
// Each runs in a temporary folder on the disk and in one in memory (/dev/shm), and every
// iteration starts from no files and a synced disk.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>
#include <fcntl.h>
#include <unistd.h>

#include <benchmark/benchmark.h>

#include "benchmarks/ratio_reporter.h"
#include "model/system_parameters.h"
#include "response/frequency_grid.h"
#include "response/frequency_sweep.h"
#include "response/transfer_function.h"
#include "results/output_file_table.h"
#include "run/start_up.h"

namespace {

constexpr const char* baseline_names[output_slot_count] = {
    "b01.out", "b02.out", "b03.out", "b04.out", "b05.out", "b06.out", "b07.out",
    "b08.out", "b09.out", "b10.out", "b11.out", "b12.out", "b13.out", "b14.out"};

std::int64_t grid_points;

void set_up_model()
{
    start_up();
    system_parameters = {};
    system_parameters.unit_system = 2;
    system_parameters.input_method = 1;
    system_parameters.mass = 1.0;
    system_parameters.stiffness = 1000.0;
    system_parameters.natural_frequency = natural_frequency_from(1000.0, 1.0);
    system_parameters.damping_format = 1;
    system_parameters.damping_ratio = 0.05;
    system_parameters.amplification_factor = 10.0;
    system_parameters.frequency_step = 0.0001;
    grid_points = count_grid_points(system_parameters.natural_frequency, system_parameters.frequency_step);
}

template <typename Write>
void sweep_with(Write write)
{
    const system_parameters_record& model = system_parameters;
    const double zero_square = square(0.0);
    for (std::int32_t index = 0; index < grid_points; ++index) {
        const sweep_point point = form_sweep_point(index, model);
        const member_terms terms = form_member_terms(point, zero_square, model);
        for (int member = 1; member <= transfer_function_count; ++member)
            write(member, point.frequency, evaluate_transfer_function(static_cast<transfer_function>(member), terms));
    }
}

// Outside the timing: no result files left, nothing left for the disk to write back.
void start_clean(benchmark::State& state)
{
    state.PauseTiming();
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::current_path()))
        std::filesystem::remove(entry.path());
    sync();
    state.ResumeTiming();
}

void program(benchmark::State& state)
{
    for (auto _ : state) {
        start_clean(state);
        if (!open_output_files()) state.SkipWithError("cannot open the result files");
        run_frequency_sweep();
        write_out_output_files();
        for (output_file_entry& entry : output_file_table) close(entry.stream.descriptor);
    }
    state.counters["items"] = static_cast<double>(grid_points);
}

void plain_baseline(benchmark::State& state)
{
    for (auto _ : state) {
        start_clean(state);
        FILE* files[output_slot_count];
        for (int i = 0; i < output_slot_count; ++i) files[i] = std::fopen(baseline_names[i], "w");
        sweep_with([&](int member, double frequency, const transfer_value& value) {
            std::fprintf(files[2 * member - 2], " %12.6e %12.6e %12.6e \n", frequency, value.real, value.imag);
            std::fprintf(files[2 * member - 1], " %12.6e %12.6e %12.6e \n", frequency, value.magnitude, value.phase);
        });
        for (FILE* file : files) std::fclose(file);
    }
    state.counters["items"] = static_cast<double>(grid_points);
}

// Bytes of a result line: 45, one more for each value written with a minus sign (any value
// with its sign bit set but zero), and the CR of its line end.
std::size_t line_bytes(double first, double second, double third)
{
    auto minus = [](double value) { return std::signbit(value) && value != 0.0 ? 1u : 0u; };
    return 46 + minus(first) + minus(second) + minus(third);
}

void floor_of_arithmetic_and_writes(benchmark::State& state)
{
    static char block[4096];
    std::memset(block, ' ', sizeof block);
    for (auto _ : state) {
        start_clean(state);
        int descriptors[output_slot_count];
        std::size_t pending[output_slot_count] = {};
        for (int i = 0; i < output_slot_count; ++i)
            descriptors[i] = open(baseline_names[i], O_WRONLY | O_CREAT | O_TRUNC, 0644);
        // The same bytes, file by file in the sweep's order, in writes of 4096 bytes.
        auto add = [&](int slot, std::size_t bytes) {
            pending[slot - 1] += bytes;
            if (pending[slot - 1] >= sizeof block) {
                pending[slot - 1] -= sizeof block;
                if (write(descriptors[slot - 1], block, sizeof block) != sizeof block) state.SkipWithError("write");
            }
        };
        sweep_with([&](int member, double frequency, const transfer_value& value) {
            add(2 * member - 1, line_bytes(frequency, value.real, value.imag));
            add(2 * member, line_bytes(frequency, value.magnitude, value.phase));
        });
        for (int i = 0; i < output_slot_count; ++i) {
            if (write(descriptors[i], block, pending[i]) != static_cast<ssize_t>(pending[i])) state.SkipWithError("write");
            close(descriptors[i]);
        }
    }
    state.counters["items"] = static_cast<double>(grid_points);
}

struct folder_choice {
    const char* label;
    std::filesystem::path parent;
};

// Registers the three benchmarks to run in a new folder below `parent`, and returns it.
std::string register_in(const folder_choice& choice)
{
    std::string folder = (choice.parent / "sdof_frf_sweep_XXXXXX").string();
    if (!mkdtemp(folder.data())) return "";
    auto in_folder = [folder](void (*run)(benchmark::State&)) {
        return [folder, run](benchmark::State& state) {
            if (chdir(folder.c_str()) != 0) state.SkipWithError("cannot enter the folder");
            run(state);
        };
    };
    std::string label = choice.label;
    benchmark::RegisterBenchmark(("program/" + label).c_str(), in_folder(program))
        ->Unit(benchmark::kMillisecond)->Repetitions(3)->Iterations(2);
    benchmark::RegisterBenchmark(("plain_baseline/" + label).c_str(), in_folder(plain_baseline))
        ->Unit(benchmark::kMillisecond)->Repetitions(3)->Iterations(1);
    benchmark::RegisterBenchmark(("floor/" + label).c_str(), in_folder(floor_of_arithmetic_and_writes))
        ->Unit(benchmark::kMillisecond)->Repetitions(3)->Iterations(2);
    return folder;
}

}  // namespace

int main(int argc, char** argv)
{
    set_up_model();
    std::vector<folder_choice> choices = {{"disk", std::filesystem::temp_directory_path()}};
    if (std::filesystem::is_directory("/dev/shm")) choices.push_back({"memory", "/dev/shm"});
    std::vector<std::string> folders;
    for (const folder_choice& choice : choices) folders.push_back(register_in(choice));
    benchmark::Initialize(&argc, argv);
    ratio_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\n%lld grid points, 14 lines each; best of the repetitions, per grid point:\n",
                static_cast<long long>(grid_points));
    for (const folder_choice& choice : choices) {
        std::string label = choice.label;
        double ours = reporter.time_of("program/" + label);
        double baseline = reporter.time_of("plain_baseline/" + label);
        double floor = reporter.time_of("floor/" + label);
        if (ours == 0.0 || baseline == 0.0 || floor == 0.0) continue;
        std::printf("\n%s (%s)\n", label.c_str(), choice.parent.c_str());
        std::printf("  program:  %7.1f ns\n", ours);
        std::printf("  baseline: %7.1f ns  (fprintf into fopen'ed files)\n", baseline);
        std::printf("  floor:    %7.1f ns  (the arithmetic alone + the same bytes in 4096-byte writes)\n", floor);
        std::printf("  program / baseline: %.3f\n", ours / baseline);
        std::printf("  program / floor:    %.3f\n", ours / floor);
    }
    for (const std::string& folder : folders) std::filesystem::remove_all(folder);
    return 0;
}
