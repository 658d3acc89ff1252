// The e-style renderer against std::to_chars and snprintf on the same doubles, in one run.
#include <charconv>
#include <cmath>
#include <cstdio>
#include <random>
#include <vector>

#include <benchmark/benchmark.h>

#include "benchmarks/ratio_reporter.h"
#include "run/number_text.h"

namespace {

// Magnitudes spread from 1e-12 to 1e12, both signs, as the result files see them.
const std::vector<double>& sample_values()
{
    static const std::vector<double> values = [] {
        std::mt19937_64 random(42);
        std::uniform_real_distribution<double> exponent(-12.0, 12.0);
        std::vector<double> result(4096);
        for (std::size_t i = 0; i < result.size(); ++i)
            result[i] = (i % 2 ? -1.0 : 1.0) * std::pow(10.0, exponent(random));
        return result;
    }();
    return values;
}

template <typename Convert>
void convert_all(benchmark::State& state, Convert convert)
{
    const std::vector<double>& values = sample_values();
    char text[64];
    for (auto _ : state) {
        for (double value : values) {
            std::size_t length = convert(value, text);
            benchmark::DoNotOptimize(text);
            benchmark::DoNotOptimize(length);
        }
    }
    state.counters["items"] = static_cast<double>(values.size());
}

void renderer(benchmark::State& state)
{
    convert_all(state, [](double value, char* text) { return e_style_text(value, 6, text); });
}

void standard_to_chars(benchmark::State& state)
{
    convert_all(state, [](double value, char* text) {
        return static_cast<std::size_t>(std::to_chars(text, text + 64, value, std::chars_format::scientific, 6).ptr - text);
    });
}

void standard_snprintf(benchmark::State& state)
{
    convert_all(state, [](double value, char* text) {
        return static_cast<std::size_t>(std::snprintf(text, 64, "%.6e", value));
    });
}

BENCHMARK(renderer)->Repetitions(9);
BENCHMARK(standard_to_chars)->Repetitions(9);
BENCHMARK(standard_snprintf)->Repetitions(9);

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    ratio_reporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    double ours = reporter.time_of("renderer");
    double to_chars = reporter.time_of("standard_to_chars");
    double printf_time = reporter.time_of("standard_snprintf");
    std::printf("\ne-style renderer: %.1f ns per value\n", ours);
    std::printf("renderer / std::to_chars(scientific, 6): %.3f\n", to_chars > 0 ? ours / to_chars : 0.0);
    std::printf("renderer / snprintf(\"%%.6e\"):            %.3f\n", printf_time > 0 ? ours / printf_time : 0.0);
    return 0;
}
