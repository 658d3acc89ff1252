// sdof_frf_plot on the files of a real run, its picture read back with an XML parser.
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include <gtest/gtest.h>
#include <tinyxml2.h>

#include "plot/plot_script.h"
#include "plot/result_files.h"
#include "plot/thinning.h"
#include "tests/program_runner.h"
#include "tests/test_support.h"

namespace {

struct command_run {
    int status = -1;
    std::string output, error;
};

command_run run_plot(const std::vector<std::string>& arguments, const char* path_variable = nullptr)
{
    int output = memory_file(""), error = memory_file("");
    pid_t child = fork();
    if (child == 0) {
        dup2(output, STDOUT_FILENO);
        dup2(error, STDERR_FILENO);
        if (path_variable) setenv("PATH", path_variable, 1);
        std::vector<char*> argv{const_cast<char*>(SDOF_FRF_PLOT_BINARY)};
        for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
        argv.push_back(nullptr);
        execv(SDOF_FRF_PLOT_BINARY, argv.data());
        _exit(127);
    }
    int status = 0;
    waitpid(child, &status, 0);
    command_run run{WIFEXITED(status) ? WEXITSTATUS(status) : -1, descriptor_contents(output), descriptor_contents(error)};
    close(output);
    close(error);
    return run;
}

class plot_folder : public ::testing::Test {
protected:
    std::string folder = make_temporary_directory();
    ~plot_folder() override { remove_directory(folder); }

    void run_program(const std::string& answers) { run_without_terminal({answers, folder, false, {}}); }
    std::string path(const char* name) const { return folder + "/" + name; }
};

struct curve {
    int vertices = 0;
    int pieces = 0;
};

struct picture {
    std::vector<std::string> texts;  // every text element, in drawing order
    std::vector<curve> curves;       // one per plotted curve, in drawing order
};

// The characters of a text element, its spans included.
std::string all_text(const tinyxml2::XMLNode* node)
{
    std::string text;
    for (const tinyxml2::XMLNode* child = node->FirstChild(); child; child = child->NextSibling())
        text += child->ToText() ? child->Value() : all_text(child);
    return text;
}

void collect(const tinyxml2::XMLElement* element, picture& found)
{
    for (; element; element = element->NextSiblingElement()) {
        const char* id = element->Attribute("id");
        if (std::string(element->Name()) == "g" && id && std::string(id).starts_with("gnuplot_plot_")) {
            curve c;
            std::vector<const tinyxml2::XMLElement*> pending{element};
            while (!pending.empty()) {
                const tinyxml2::XMLElement* node = pending.back();
                pending.pop_back();
                if (std::string(node->Name()) == "path" && node->Attribute("d")) {
                    for (const char* p = node->Attribute("d"); *p; ++p) {
                        c.vertices += *p == 'M' || *p == 'L';
                        c.pieces += *p == 'M';
                    }
                }
                for (auto* child = node->FirstChildElement(); child; child = child->NextSiblingElement())
                    pending.push_back(child);
            }
            found.curves.push_back(c);
        }
        if (std::string(element->Name()) == "text") {
            found.texts.push_back(all_text(element));
            continue;
        }
        collect(element->FirstChildElement(), found);
    }
}

picture read_picture(const std::string& path)
{
    tinyxml2::XMLDocument document;
    EXPECT_EQ(document.LoadFile(path.c_str()), tinyxml2::XML_SUCCESS) << path;
    picture found;
    collect(document.RootElement(), found);
    return found;
}

const char* const member_titles[7] = {"Non-dimensional compliance", "Compliance", "Dynamic stiffness", "Mobility",
                                      "Mechanical impedance", "Accelerance", "Apparent mass"};

TEST_F(plot_folder, seven_bode_pairs_and_a_nyquist_plot_one_curve_each_with_gaps_at_zero_hertz)
{
    run_program("2 1 1 1000 1 0.05 1");
    command_run plot = run_plot({"--units", "metric", folder});
    ASSERT_EQ(plot.status, 0) << plot.error;
    EXPECT_EQ(plot.output, path("sdof_frf_plots.svg") + "\n");
    picture found = read_picture(path("sdof_frf_plots.svg"));

    std::vector<std::string> expected_titles;
    for (const char* title : member_titles) {
        expected_titles.push_back(std::string(title) + ": magnitude");
        expected_titles.push_back(std::string(title) + ": phase");
    }
    expected_titles.push_back("Compliance: Nyquist plot");
    std::vector<std::string> panel_titles;
    std::regex panel_title(".*: (magnitude|phase|Nyquist plot)");
    for (const std::string& text : found.texts)
        if (std::regex_match(text, panel_title)) panel_titles.push_back(text);
    EXPECT_EQ(panel_titles, expected_titles);

    // 42 grid points. Undefined at 0 Hz: mechanical impedance and apparent mass (0/0); zero
    // there, which a logarithmic axis cannot show: the magnitudes of mobility and accelerance.
    const int expected_vertices[15] = {42, 42, 42, 42, 42, 42, 41, 42, 41, 41, 41, 42, 41, 41, 42};
    ASSERT_EQ(found.curves.size(), 15u);
    for (int i = 0; i < 15; ++i) {
        EXPECT_EQ(found.curves[i].vertices, expected_vertices[i]) << expected_titles[i];
        EXPECT_EQ(found.curves[i].pieces, 1) << expected_titles[i];
    }
    EXPECT_NE(std::find(found.texts.begin(), found.texts.end(), "magnitude (N/(m/s))"), found.texts.end());
    EXPECT_NE(std::find(found.texts.begin(), found.texts.end(),
                        "sdof_frf: frequency response functions (natural frequency 5.033 Hz, dashed)"),
              found.texts.end());
}

TEST_F(plot_folder, labels_follow_the_units_option_and_name_the_quantity_without_it)
{
    run_program("1 1 386 1000 1 0.05 1");
    ASSERT_EQ(run_plot({"--units=english", "--log-frequency", "--output", path("english.svg"), folder}).status, 0);
    picture english = read_picture(path("english.svg"));
    EXPECT_NE(std::find(english.texts.begin(), english.texts.end(), "magnitude (in/lbf)"), english.texts.end());
    ASSERT_EQ(run_plot({folder}).status, 0);
    picture plain = read_picture(path("sdof_frf_plots.svg"));
    EXPECT_NE(std::find(plain.texts.begin(), plain.texts.end(), "magnitude"), plain.texts.end());
    EXPECT_EQ(std::find(plain.texts.begin(), plain.texts.end(), "magnitude (in/lbf)"), plain.texts.end());
    // On a logarithmic frequency axis the 0 Hz point is left out of every curve.
    ASSERT_EQ(english.curves.size(), 15u);
    EXPECT_EQ(english.curves[0].vertices, 41);
}

TEST_F(plot_folder, a_gap_inside_a_curve_splits_it)
{
    // An undefined value in the middle of a file (written into line 11 by hand) breaks its
    // curve in two.
    run_program("2 1 1 1000 1 0.05 1");
    std::string content = file_contents(path("compliance_magnitude_phase.out"));
    std::size_t line_10 = 0;
    for (int i = 0; i < 10; ++i) line_10 = content.find('\n', line_10) + 1;
    std::size_t end = content.find('\n', line_10) + 1;
    content.replace(line_10, end - line_10, " 1.000000e+001 -1.#IND00e+000 -1.#IND00e+000 \r\n");
    std::ofstream(path("compliance_magnitude_phase.out"), std::ios::binary) << content;
    ASSERT_EQ(run_plot({folder}).status, 0);
    picture found = read_picture(path("sdof_frf_plots.svg"));
    ASSERT_EQ(found.curves.size(), 15u);
    EXPECT_EQ(found.curves[2].pieces, 2);  // compliance magnitude
    EXPECT_EQ(found.curves[2].vertices, 41);
}

struct broken_files_row {
    const char* what;
    void (*damage)(const std::string& folder);
    const char* message;  // a regular expression
};

void write_text(const std::string& file, const std::string& content) { std::ofstream(file, std::ios::binary) << content; }

TEST_F(plot_folder, bad_inputs_name_the_file_and_line_and_fail)
{
    const broken_files_row rows[] = {
        {"a missing file", [](const std::string& f) { std::remove((f + "/mobility_complex.out").c_str()); },
         ".*/mobility_complex.out: cannot be read: No such file or directory\n"},
        {"a malformed line",
         [](const std::string& f) {
             std::string file = f + "/accelerance_complex.out";
             std::string content = file_contents(file);
             content.replace(content.find('\n') + 1, 5, " 1.0 ");
             write_text(file, content);
         },
         ".*/accelerance_complex.out, line 2: not a result line: .*\n"},
        {"a number with two exponent digits",
         [](const std::string& f) {
             write_text(f + "/dynamic_stiffness_complex.out", " 0.000000e+00 1.000000e+003 0.000000e+000 \r\n");
         },
         ".*/dynamic_stiffness_complex.out, line 1: not a result line: .*\n"},
        {"files of unequal length",
         [](const std::string& f) {
             std::string file = f + "/apparent_mass_magnitude_phase.out";
             std::string content = file_contents(file);
             content.resize(content.rfind('\n', content.size() - 2) + 1);
             write_text(file, content);
         },
         ".*/apparent_mass_magnitude_phase.out has 41 lines, nd_compliance_complex.out has 42: the files are not "
         "from one run\n"},
        {"an empty file", [](const std::string& f) { write_text(f + "/nd_compliance_complex.out", ""); },
         ".*/nd_compliance_complex.out: holds no result line\n"},
    };
    for (const broken_files_row& row : rows) {
        run_program("2 1 1 1000 1 0.05 1");
        row.damage(folder);
        command_run plot = run_plot({folder});
        EXPECT_EQ(plot.status, 1) << row.what;
        EXPECT_TRUE(std::regex_match(plot.error, std::regex("sdof_frf_plot: " + std::string(row.message))))
            << row.what << ": " << plot.error;
    }
}

TEST_F(plot_folder, options_help_and_a_missing_gnuplot)
{
    command_run help = run_plot({"--help"});
    EXPECT_EQ(help.status, 0);
    for (const char* word : {"--units english|metric", "--log-frequency", "Nyquist", "FOLDER"})
        EXPECT_NE(help.output.find(word), std::string::npos) << word;
    command_run unknown = run_plot({"--colour"});
    EXPECT_EQ(unknown.status, 2);
    EXPECT_EQ(unknown.error.rfind("sdof_frf_plot: unknown option \"--colour\"\n", 0), 0u);
    EXPECT_EQ(run_plot({"--units", "imperial"}).status, 2);

    run_program("2 1 1 1000 1 0.05 1");
    command_run without = run_plot({folder}, "/nonexistent");
    EXPECT_EQ(without.status, 1);
    EXPECT_EQ(without.error, "sdof_frf_plot: cannot run gnuplot: No such file or directory (install the gnuplot-nox package)\n");
}

TEST_F(plot_folder, a_fine_grid_is_thinned_to_what_a_panel_can_show)
{
    run_program("2 1 1 1000 1 0.05 0.0005");  // 80,530 points
    ASSERT_EQ(run_plot({folder}).status, 0);
    picture found = read_picture(path("sdof_frf_plots.svg"));
    ASSERT_EQ(found.curves.size(), 15u);
    // At most the lines the thinning keeps (gnuplot merges points that land on one spot),
    // far fewer than the 80,530 of the files, and enough to draw the curve.
    for (const curve& c : found.curves) {
        EXPECT_GE(c.vertices, 1000);
        EXPECT_LE(c.vertices, static_cast<int>(plot_buckets * 11 + 1));
    }
    EXPECT_LT(std::filesystem::file_size(path("sdof_frf_plots.svg")), 4000000u);
}

TEST(thinning, a_long_run_keeps_its_ends_peaks_and_gaps)
{
    const std::size_t count = 1000000;
    std::vector<double> smooth(count), gappy(count);
    for (std::size_t i = 0; i < count; ++i) {
        smooth[i] = std::sin(static_cast<double>(i) * 1e-5);
        gappy[i] = static_cast<double>(i);
    }
    smooth[123457] = 50.0;   // a one-point peak
    smooth[765433] = -50.0;  // and a one-point trough
    gappy[654321] = NAN;     // a one-point gap
    std::vector<std::size_t> kept = lines_to_draw({&smooth, &gappy}, count, 2000);
    EXPECT_TRUE(std::is_sorted(kept.begin(), kept.end()));
    EXPECT_EQ(std::adjacent_find(kept.begin(), kept.end()), kept.end());
    for (std::size_t line : {std::size_t{0}, std::size_t{123457}, std::size_t{765433}, std::size_t{654321}, count - 1})
        EXPECT_TRUE(std::binary_search(kept.begin(), kept.end(), line)) << line;
    EXPECT_LE(kept.size(), 2000u * 7 + 1);

    std::vector<double> short_run(100, 1.0);
    EXPECT_EQ(lines_to_draw({&short_run}, 100, 2000).size(), 100u);
}

TEST(result_value, exact_texts_only)
{
    struct row {
        const char* text;
        bool accepted;
        double value;
    } rows[] = {
        {"1.000000e+003", true, 1000.0},   {"-1.800000e+002", true, -180.0}, {"5.000000e-001", true, 0.5},
        {"1.#INF00e+000", true, INFINITY}, {"-1.#INF00e+000", true, -INFINITY},
        {"1.000000e+03", false, 0},        {"1.0000000e+003", false, 0},     {"1000", false, 0},
        {"+1.000000e+003", false, 0},      {"1.000000E+003", false, 0},      {"", false, 0},
        {"nan", false, 0},
    };
    for (const auto& r : rows) {
        double value = 0.0;
        EXPECT_EQ(parse_result_value(r.text, value), r.accepted) << r.text;
        if (r.accepted) {
            EXPECT_EQ(value, r.value) << r.text;
        }
    }
    for (const char* text : {"-1.#IND00e+000", "1.#QNAN0e+000", "-1.#SNAN0e+000"}) {
        double value = 0.0;
        EXPECT_TRUE(parse_result_value(text, value) && std::isnan(value)) << text;
    }
}

}  // namespace
