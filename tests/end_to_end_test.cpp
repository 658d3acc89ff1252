// The built program on files of answers, in a temporary folder, compared byte for byte.
#include <cmath>
#include <complex>
#include <csignal>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>

#include "tests/program_runner.h"
#include "tests/test_support.h"
#include "tests/transcript_texts.h"

namespace {

namespace fs = std::filesystem;

const char* const result_names[14] = {
    "nd_compliance_complex.out",        "nd_compliance_magnitude_phase.out",
    "compliance_complex.out",           "compliance_magnitude_phase.out",
    "dynamic_stiffness_complex.out",    "dynamic_stiffness_magnitude_phase.out",
    "mobility_complex.out",             "mobility_magnitude_phase.out",
    "mechanical_impedance_complex.out", "mechanical_impedance_magnitude_phase.out",
    "accelerance_complex.out",          "accelerance_magnitude_phase.out",
    "apparent_mass_complex.out",        "apparent_mass_magnitude_phase.out",
};

const std::string banner =
    "\n\n sdof_frf   version 1.1   July 27, 2005 \n"
    "\n by the sdof_frf developers \n"
    "\n This program generates a set of transfer functions "
    "\n for a single-degree-of-freedom system subjected to "
    "\n an excitation force.\n";

const std::string listing =
    "\n\n Output Files: \n\n"
    "  nd_compliance_complex.out \n  nd_compliance_magnitude_phase.out \n\n"
    "  compliance_complex.out \n  compliance_magnitude_phase.out \n\n"
    "  dynamic_stiffness_complex.out \n  dynamic_stiffness_magnitude_phase.out \n\n"
    "  mobility_complex.out \n  mobility_magnitude_phase.out \n\n"
    "  mechanical_impedance_complex.out \n  mechanical_impedance_magnitude_phase.out \n\n"
    "  accelerance_complex.out \n  accelerance_magnitude_phase.out \n\n"
    "  apparent_mass_complex.out \n  apparent_mass_magnitude_phase.out \n\n"
    "\n (nd = non-dimensional) \n";

const std::string closing_prompt = "\n Press any key to exit";

// A temporary working folder per test, removed afterwards.
class in_folder : public ::testing::Test {
protected:
    std::string folder = make_temporary_directory();
    ~in_folder() override { remove_directory(folder); }

    std::string path(const std::string& name) const { return folder + "/" + name; }
    std::string result(int slot) const { return file_contents(path(result_names[slot - 1])); }
    void write_file(const std::string& name, const std::string& content) const
    {
        std::ofstream(path(name), std::ios::binary) << content;
    }
    program_run run(const std::string& answers) const { return run_without_terminal({answers, folder, false, {}}); }
};

std::vector<std::string> lines_of(const std::string& content)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < content.size();) {
        std::size_t end = content.find('\n', start);
        end = end == std::string::npos ? content.size() : end + 1;
        lines.push_back(content.substr(start, end - start));
        start = end;
    }
    return lines;
}

double parse_number(const std::string& text)
{
    if (text.find('#') != std::string::npos) return std::nan("");
    return std::strtod(text.c_str(), nullptr);
}

std::vector<double> numbers_of(const std::string& line)
{
    std::istringstream words(line);
    std::vector<double> numbers;
    for (std::string word; words >> word;) numbers.push_back(parse_number(word));
    return numbers;
}

using complex = std::complex<long double>;

// The seven responses at frequency f, from the textbook formulas in extended precision.
complex expected_response(int member, long double f, long double k, long double fn, long double zeta)
{
    const long double two_pi = 6.283185307179586476925286766559L;
    long double r = f / fn, omega = two_pi * f;
    complex nd = 1.0L / complex(1.0L - r * r, 2.0L * zeta * r);
    complex compliance = nd / k;
    complex mobility = complex(0.0L, omega) * compliance;
    complex accelerance = -omega * omega * compliance;
    switch (member) {
    case 1: return nd;
    case 2: return compliance;
    case 3: return 1.0L / compliance;
    case 4: return mobility;
    case 5: return 1.0L / mobility;
    case 6: return accelerance;
    default: return 1.0L / accelerance;
    }
}

bool close_to(double printed, long double exact)
{
    return std::fabs(printed - exact) <= 6e-7L * std::fabs(exact) + 1e-300L;
}

TEST_F(in_folder, typical_run_writes_the_transcript_and_fourteen_files)
{
    program_run run = this->run(typical_answers);
    EXPECT_EQ(run.standard_output, crlf(banner + typical_dialogue + listing + closing_prompt));
    EXPECT_EQ(run.standard_error, "");
    EXPECT_EQ(run.exit_status, 255);  // no terminal for the closing key
    for (int slot = 1; slot <= 14; ++slot) {
        std::vector<std::string> lines = lines_of(result(slot));
        ASSERT_EQ(lines.size(), 42u) << result_names[slot - 1];
        for (std::size_t i = 0; i < lines.size(); ++i) {
            const std::string& line = lines[i];
            // 45 bytes plus one for every value that begins with a minus sign.
            std::size_t negative_values = 0;
            std::istringstream words(line);
            for (std::string word; words >> word;) negative_values += word[0] == '-';
            EXPECT_EQ(line.size(), 45 + negative_values) << result_names[slot - 1] << " line " << i;
            EXPECT_EQ(line.substr(line.size() - 3), " \r\n");
        }
    }
    EXPECT_EQ(lines_of(result(9))[0], " 0.000000e+000 -1.#IND00e+000 -1.#IND00e+000 \r\n");
    EXPECT_EQ(lines_of(result(10))[0], " 0.000000e+000 -1.#IND00e+000 -1.#IND00e+000 \r\n");
    EXPECT_EQ(lines_of(result(13))[0], " 0.000000e+000 -1.#IND00e+000 -1.#IND00e+000 \r\n");
    EXPECT_EQ(lines_of(result(14))[0], " 0.000000e+000 -1.#IND00e+000 -1.#IND00e+000 \r\n");
    EXPECT_EQ(lines_of(result(1))[0], " 0.000000e+000 1.000000e+000 0.000000e+000 \r\n");
    EXPECT_EQ(lines_of(result(12))[0], " 0.000000e+000 0.000000e+000 -1.800000e+002 \r\n");
}

TEST_F(in_folder, typical_run_values_agree_with_the_textbook_formulas)
{
    this->run(typical_answers);
    const long double k = 1000.0L, fn = std::sqrt(1000.0L) / 6.283185307179586476925286766559L, zeta = 0.05L;
    for (int member = 1; member <= 7; ++member) {
        std::vector<std::string> complex_lines = lines_of(result(2 * member - 1));
        std::vector<std::string> polar_lines = lines_of(result(2 * member));
        ASSERT_EQ(complex_lines.size(), polar_lines.size());
        for (std::size_t i = 1; i < complex_lines.size(); ++i) {
            std::vector<double> c = numbers_of(complex_lines[i]), p = numbers_of(polar_lines[i]);
            complex h = expected_response(member, static_cast<long double>(i), k, fn, zeta);
            EXPECT_EQ(c[0], static_cast<double>(i));
            EXPECT_TRUE(close_to(c[1], h.real())) << member << " at " << i << " Hz: " << c[1] << " vs " << static_cast<double>(h.real());
            EXPECT_TRUE(close_to(c[2], h.imag())) << member << " at " << i << " Hz: " << c[2] << " vs " << static_cast<double>(h.imag());
            EXPECT_TRUE(close_to(p[1], std::abs(h))) << member << " at " << i << " Hz";
            long double phase = -std::arg(h) * 180.0L / 3.14159265358979323846264338327950288L;
            EXPECT_NEAR(std::remainder(p[2] - static_cast<double>(phase), 360.0), 0.0, 1e-4) << member << " at " << i;
        }
    }
}

struct count_row {
    const char* answers;
    std::size_t lines;
    const char* first_line;  // of nd_compliance_complex.out, or nullptr
};

TEST_F(in_folder, line_counts_follow_the_stop_rule)
{
    const count_row rows[] = {
        {"2 2 1 10 1 0.05 1", 82, " 0.000000e+000 1.000000e+000 0.000000e+000 \r\n"},
        {"2 2 1 10 1 0.05 0.3", 268, nullptr},
        {"2 2 1 0.25 1 0.05 0.1", 22, nullptr},
        {"2 2 1 1 1 0.05 8", 3, nullptr},
        {"2 2 1 1 1 0.05 10", 2, nullptr},
        {"2 2 1 0 1 0.05 1", 2, nullptr},
        {"2 2 1 -1 1 0.05 1", 1, nullptr},
        // 0 × ∞ is the default NaN; negating it for the imaginary part clears its sign bit
        {"2 2 1 10 1 0.05 1e400", 2, " -1.#IND00e+000 -1.#IND00e+000 1.#QNAN0e+000 \r\n"},
    };
    for (const count_row& row : rows) {
        program_run run = this->run(row.answers);
        EXPECT_EQ(run.standard_error, "") << row.answers;
        for (int slot = 1; slot <= 14; ++slot)
            EXPECT_EQ(lines_of(result(slot)).size(), row.lines) << row.answers << " " << result_names[slot - 1];
        if (row.first_line) {
            EXPECT_EQ(lines_of(result(1))[0], row.first_line) << row.answers;
        }
    }
    // The +∞ step: ∞ at the second point.
    EXPECT_EQ(lines_of(result(1))[1].substr(0, 15), " 1.#INF00e+000 ");
}

TEST_F(in_folder, earlier_results_are_replaced_whole)
{
    write_file(result_names[0], std::string(100000, 'x'));
    write_file(result_names[13], "old\n");
    this->run(typical_answers);
    EXPECT_EQ(lines_of(result(1)).size(), 42u);
    EXPECT_EQ(result(1).find('x'), std::string::npos);
    EXPECT_EQ(lines_of(result(14)).size(), 42u);
}

struct endless_row {
    const char* answers;
    const char* message;
};

TEST_F(in_folder, a_grid_that_cannot_end_is_refused_before_any_file_is_touched)
{
    const endless_row rows[] = {
        {"2 2 1 10 1 0.05 0",
         "the frequency step (0 Hz) is not greater than zero, so the grid never passes eight times the natural "
         "frequency (10 Hz)"},
        {"2 2 1 10 1 0.05 -1",
         "the frequency step (-1 Hz) is not greater than zero, so the grid never passes eight times the natural "
         "frequency (10 Hz)"},
        {"2 2 1 0 1 0.05 0",
         "the frequency step (0 Hz) is not greater than zero, so the grid never passes eight times the natural "
         "frequency (0 Hz)"},
        {"2 2 1 -1 1 0.05 -1e400",
         "the frequency step (-1.#INF Hz) is not greater than zero, so the grid never passes eight times the "
         "natural frequency (-1 Hz)"},
        {"", "the natural frequency is not a number (-1.#IND)"},
        {"2 1 0 1000 1 0.05 1", "the natural frequency is infinite (1.#INF Hz)"},
        {"2 2 1 1e308 1 0.05 1e300", "eight times the natural frequency (1e+308 Hz) is beyond the largest number"},
        {"2 2 1 1e6 1 0.05 1e-6",
         "the frequency step (1e-006 Hz) is too small for the natural frequency (1e+006 Hz): the grid would need "
         "more than 2147483647 points"},
    };
    write_file(result_names[4], "earlier results\r\n");
    for (const endless_row& row : rows) {
        program_run run = this->run(row.answers);
        EXPECT_EQ(run.standard_error, std::string("sdof_frf: no result file was written: ") + row.message + "\r\n");
        EXPECT_EQ(run.exit_status, 255) << row.answers;
        EXPECT_EQ(run.standard_output.find("Output Files"), std::string::npos) << row.answers;
        EXPECT_TRUE(run.standard_output.ends_with(crlf(" Hz      \n" + closing_prompt))) << row.answers;
        std::size_t files = std::distance(fs::directory_iterator(folder), fs::directory_iterator());
        EXPECT_EQ(files, 1u) << row.answers;
        EXPECT_EQ(result(5), "earlier results\r\n");
    }
}

TEST_F(in_folder, a_result_name_taken_by_a_folder_stops_before_the_sweep_and_keeps_earlier_results)
{
    write_file(result_names[0], "earlier results\r\n");
    fs::create_directory(path(result_names[2]));
    program_run run = this->run(typical_answers);
    EXPECT_EQ(run.standard_error, "sdof_frf: cannot open compliance_complex.out for writing: Is a directory\r\n");
    EXPECT_EQ(run.exit_status, 255);
    EXPECT_EQ(run.standard_output, crlf(banner + typical_dialogue + closing_prompt));
    EXPECT_EQ(result(1), "earlier results\r\n");
    EXPECT_EQ(result(2), "");  // newly created before the failure, left empty
    EXPECT_FALSE(fs::exists(path(result_names[3])));
}

TEST_F(in_folder, a_name_that_cannot_be_created_is_reported_with_the_reason)
{
    fs::create_symlink(path("missing/folder/file"), path(result_names[13]));
    program_run run = this->run(typical_answers);
    EXPECT_EQ(run.standard_error,
              "sdof_frf: cannot open apparent_mass_magnitude_phase.out for writing: No such file or directory\r\n");
    EXPECT_EQ(run.standard_output.find("Output Files"), std::string::npos);
}

TEST_F(in_folder, a_full_device_in_place_of_a_result_file_is_reported_and_the_rest_completes)
{
    fs::create_symlink("/dev/full", path(result_names[5]));
    program_run run = this->run("2 1 1 1000 1 0.05 0.01");  // 4028 points: several write-outs
    EXPECT_EQ(run.standard_error,
              "sdof_frf: cannot write to dynamic_stiffness_magnitude_phase.out: No space left on device; what was not "
              "written is missing from it\r\n");
    EXPECT_EQ(run.exit_status, 255);
    EXPECT_NE(run.standard_output.find("Output Files"), std::string::npos);
    EXPECT_EQ(lines_of(result(5)).size(), 4028u);
    EXPECT_EQ(lines_of(result(7)).size(), 4028u);
}

void limit_file_size_ignoring_its_signal()
{
    rlimit limit{20000, 20000};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_IGN);
}

void limit_file_size_with_its_signal_at_the_default()
{
    rlimit limit{20000, 20000};
    setrlimit(RLIMIT_FSIZE, &limit);
    signal(SIGXFSZ, SIG_DFL);  // the program itself keeps SIGXFSZ from ending it
}

TEST_F(in_folder, a_file_size_limit_is_reported_for_every_file_it_cuts)
{
    for (void (*limit)() : {limit_file_size_ignoring_its_signal, limit_file_size_with_its_signal_at_the_default}) {
        program_run run = run_without_terminal({"2 1 1 1000 1 0.05 0.01", folder, false, limit});
        EXPECT_EQ(run.end_signal, 0);
        EXPECT_EQ(run.exit_status, 255);
        for (int slot = 1; slot <= 14; ++slot) {
            std::string message = std::string("sdof_frf: cannot write to ") + result_names[slot - 1] +
                                  ": File too large; what was not written is missing from it\r\n";
            EXPECT_NE(run.standard_error.find(message), std::string::npos) << result_names[slot - 1];
            EXPECT_EQ(result(slot).size(), 20000u);
        }
        EXPECT_NE(run.standard_output.find("Output Files"), std::string::npos);
    }
}

TEST_F(in_folder, standard_output_into_a_closed_pipe_costs_no_result)
{
    program_run reference = this->run("2 1 1 1000 1 0.05 0.1");
    std::vector<std::string> expected;
    for (int slot = 1; slot <= 14; ++slot) expected.push_back(result(slot));
    run_setup setup{"2 1 1 1000 1 0.05 0.1", folder, true, [] { signal(SIGPIPE, SIG_DFL); }};
    program_run run = run_without_terminal(setup);
    EXPECT_EQ(run.end_signal, 0);
    EXPECT_EQ(run.exit_status, 255);
    EXPECT_EQ(run.standard_error,
              "sdof_frf: cannot write to standard output: Broken pipe; what was not written is missing from it\r\n");
    for (int slot = 1; slot <= 14; ++slot) EXPECT_EQ(result(slot), expected[slot - 1]) << result_names[slot - 1];
}

TEST_F(in_folder, peak_memory_does_not_grow_with_the_grid)
{
#ifdef SDOF_SANITIZED
    GTEST_SKIP() << "the sanitizers' shadow memory says nothing about the program's";
#endif
    program_run small = this->run("2 1 1 1000 1 0.05 0.01");     // 4028 points
    program_run large = this->run("2 1 1 1000 1 0.05 0.0001");   // 402635 points
    EXPECT_EQ(lines_of(result(14)).size(), 402635u);
    EXPECT_LT(large.peak_memory_kib, 8 * 1024);
    EXPECT_LE(large.peak_memory_kib, small.peak_memory_kib + 256) << small.peak_memory_kib;
}

TEST_F(in_folder, arguments_change_nothing)
{
    program_run plain = this->run(typical_answers);
    std::string first = result(4);
    run_setup setup{typical_answers, folder, false, [] {
                        execl(SDOF_FRF_BINARY, "sdof_frf", "--help", "-x", "metric", static_cast<char*>(nullptr));
                    }};
    program_run with_arguments = run_without_terminal(setup);
    EXPECT_EQ(with_arguments.standard_output, plain.standard_output);
    EXPECT_EQ(result(4), first);
}

// The closing key, through a pseudo-terminal of the program's own.

struct key_row {
    const char* typed;
    int code;
};

TEST_F(in_folder, the_closing_key_and_its_code)
{
    const key_row rows[] = {
        {"a", 97},          {"\r", 13},           {"\x1b", 27},     {" ", 32},         {"\x03", 3},
        {"\x1b[A", 224},    {"\x1bOD", 224},      {"\x1b[3~", 224}, {"\x1b[1;5H", 224}, {"\x1b[6~", 224},
        {"\x1bOP", 0},      {"\x1b[[A", 0},       {"\x1b[24~", 224}, {"\x1b[1;3A", 0},  {"\x1bx", 0},
        {"\xc3\xa9", 0xe9},
    };
    for (const key_row& row : rows) {
        terminal_run run = run_with_terminal({typical_answers, folder, false, {}}, false,
                                             [&](terminal_session& session) { type_on_terminal(session, row.typed); });
        ASSERT_TRUE(run.reached_key_wait);
        EXPECT_EQ(run.run.exit_status, row.code) << row.code;
        EXPECT_EQ(run.run.end_signal, 0);
        EXPECT_TRUE(same_mode(run.mode_before, run.mode_after)) << row.code;
    }
}

TEST_F(in_folder, an_unknown_sequence_does_not_end_the_wait)
{
    bool waited_on = false;
    terminal_run run = run_with_terminal({typical_answers, folder, false, {}}, false, [&](terminal_session& session) {
        type_on_terminal(session, "\x1b[99~");
        usleep(400000);
        waited_on = still_running(session);
        type_on_terminal(session, "q");
    });
    EXPECT_TRUE(waited_on);
    EXPECT_EQ(run.run.exit_status, 'q');
    EXPECT_TRUE(same_mode(run.mode_before, run.mode_after));
}

TEST_F(in_folder, results_lack_their_buffers_until_the_key_and_are_complete_after_it)
{
    std::size_t size_while_waiting = 1;
    terminal_run run = run_with_terminal({typical_answers, folder, false, {}}, false, [&](terminal_session& session) {
        size_while_waiting = result(1).size();  // 42 lines fit in one buffer
        type_on_terminal(session, " ");
    });
    EXPECT_EQ(size_while_waiting, 0u);
    EXPECT_EQ(run.run.exit_status, 32);
    EXPECT_EQ(lines_of(result(1)).size(), 42u);
}

TEST_F(in_folder, a_terminal_sees_each_print_before_the_key_read)
{
    std::string shown_before_key;
    terminal_run run = run_with_terminal({typical_answers, folder, false, {}}, true, [&](terminal_session& session) {
        shown_before_key = session.shown;
        type_on_terminal(session, "z");
    });
    EXPECT_TRUE(shown_before_key.ends_with(" Press any key to exit")) << shown_before_key;
    EXPECT_EQ(run.run.exit_status, 'z');
}

TEST_F(in_folder, a_signal_during_the_key_wait_leaves_the_terminal_as_it_was_and_the_results_whole)
{
    for (int signal_number : {SIGTERM, SIGHUP}) {
        terminal_run run = run_with_terminal({typical_answers, folder, false, {}}, false,
                                             [&](terminal_session& session) { kill(session.child, signal_number); });
        ASSERT_TRUE(run.reached_key_wait);
        EXPECT_EQ(run.run.end_signal, signal_number);
        EXPECT_TRUE(same_mode(run.mode_before, run.mode_after));
        for (int slot = 1; slot <= 14; ++slot) EXPECT_EQ(lines_of(result(slot)).size(), 42u) << result_names[slot - 1];
        EXPECT_TRUE(run.run.standard_output.ends_with(crlf(closing_prompt)));
    }
}

}  // namespace
