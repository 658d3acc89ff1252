#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "model/answer_input.h"
#include "model/parameter_dialogue.h"
#include "model/system_parameters.h"
#include "run/start_up.h"
#include "run/text_stream.h"
#include "tests/test_support.h"
#include "tests/transcript_texts.h"

namespace {

struct dialogue_run {
    std::string transcript;
    system_parameters_record fields;
};

dialogue_run run_dialogue(const std::string& answers)
{
    start_up();
    system_parameters = {};
    int input = memory_file(answers);
    int output = memory_file("");
    attach_answer_input(input);
    attach_stream(standard_output, output, "standard output", false);
    run_parameter_dialogue();
    stream_write_out(standard_output);
    dialogue_run result{descriptor_contents(output), system_parameters};
    prepare_standard_streams();
    close(input);
    close(output);
    return result;
}

bool same_bits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }

const double infinity = std::numeric_limits<double>::infinity();
const double default_nan = std::bit_cast<double>(std::uint64_t{0xfff8000000000000u});

TEST(dialogue, one_answer_line_answers_every_prompt)
{
    dialogue_run run = run_dialogue(typical_answers);
    EXPECT_EQ(run.transcript, crlf(typical_dialogue));
    const system_parameters_record& f = run.fields;
    EXPECT_EQ(f.unit_system, 2);
    EXPECT_EQ(f.input_method, 1);
    EXPECT_EQ(f.mass, 1.0);
    EXPECT_EQ(f.stiffness, 1000.0);
    EXPECT_EQ(f.natural_frequency, std::sqrt(1000.0) / two_pi);
    EXPECT_EQ(f.damping_format, 1);
    EXPECT_EQ(f.damping_ratio, 0.05);
    EXPECT_EQ(f.amplification_factor, 10.0);
    EXPECT_EQ(f.frequency_step, 1.0);
}

TEST(dialogue, empty_or_unreadable_input_completes_with_the_fallbacks)
{
    for (const char* answers : {"", "abc", "\n\n\n"}) {
        dialogue_run run = run_dialogue(answers);
        const system_parameters_record& f = run.fields;
        EXPECT_EQ(f.unit_system, 1) << answers;
        EXPECT_EQ(f.input_method, 1);
        EXPECT_TRUE(same_bits(f.mass, 0.0));
        EXPECT_TRUE(same_bits(f.stiffness, 0.0));
        EXPECT_TRUE(same_bits(f.natural_frequency, default_nan));
        EXPECT_EQ(f.damping_format, 0);
        EXPECT_TRUE(same_bits(f.amplification_factor, 0.0));
        EXPECT_EQ(f.damping_ratio, infinity);
        EXPECT_TRUE(same_bits(f.frequency_step, 0.0));
        const std::string expected = units_prompts + method_prompts + "\n Enter mass (lbm) \n" +
                                     "\n Enter stiffness (lbf/in) \n" + damping_format_prompt + q_prompt + damping_warning +
                                     step_prompt +
                                     "\n\n\n Input Summary:\n\n"
                                     " m=       0 lbm     \n"
                                     " k=       0 lbf/in  \n"
                                     "\n     fn=  -1.#IO Hz      \n"
                                     "      Q=       0 Hz      \n"
                                     "   damp=   1.#IO Hz      \n";
        EXPECT_EQ(run.transcript, crlf(expected)) << answers;
    }
}

TEST(dialogue, menu_answers_out_of_range_fall_back_to_the_first_choice)
{
    struct row {
        const char* answers;
        std::int32_t unit_system;
        std::int32_t input_method;
        const char* first_prompt;
    } rows[] = {
        {"2 1", 2, 1, "\n Enter mass (kg) \n"},
        {"0 1", 1, 1, "\n Enter mass (lbm) \n"},
        {"3 1", 1, 1, "\n Enter mass (lbm) \n"},
        {"-1 1", 1, 1, "\n Enter mass (lbm) \n"},
        {"4294967297 3", 1, 3, "\n Enter stiffness (lbf/in) \n"},
        {"2 0", 2, 1, "\n Enter mass (kg) \n"},
        {"2 4", 2, 1, "\n Enter mass (kg) \n"},
        {"2 2", 2, 2, "\n Enter mass (kg) \n"},
        {"2 3", 2, 3, "\n Enter stiffness (N/m) \n"},
    };
    for (const auto& r : rows) {
        dialogue_run run = run_dialogue(r.answers);
        EXPECT_EQ(run.fields.unit_system, r.unit_system) << r.answers;
        EXPECT_EQ(run.fields.input_method, r.input_method) << r.answers;
        EXPECT_EQ(run.transcript.find(crlf(units_prompts + method_prompts + r.first_prompt)), 0u) << r.answers;
    }
}

TEST(dialogue, damping_in_either_form_and_its_warning)
{
    struct row {
        const char* damping_answers;  // format and value
        double damping_ratio;
        double amplification_factor;
        bool asks_q;
        bool warns;
    } rows[] = {
        {"1 0.05", 0.05, 10.0, false, false},
        {"1 1", 1.0, 0.5, false, true},
        {"1 0.99", 0.99, 1.0 / (0.99 + 0.99), false, false},
        {"1 0", 0.0, infinity, false, false},
        {"1 -0.05", -0.05, -10.0, false, false},
        {"2 10", 0.05, 10.0, true, false},
        {"2 0.5", 1.0, 0.5, true, true},
        {"2 0", infinity, 0.0, true, true},
        {"2 -10", -0.05, -10.0, true, false},
        {"0 10", 0.05, 10.0, true, false},
        {"7 10", 0.05, 10.0, true, false},
        {"-1 10", 0.05, 10.0, true, false},
        {"4294967297 0.05", 0.05, 10.0, false, false},  // wraps to 1: the damping ratio
    };
    for (const auto& r : rows) {
        dialogue_run run = run_dialogue(std::string("2 1 1 1000 ") + r.damping_answers + " 1");
        EXPECT_TRUE(same_bits(run.fields.damping_ratio, r.damping_ratio)) << r.damping_answers;
        EXPECT_TRUE(same_bits(run.fields.amplification_factor, r.amplification_factor)) << r.damping_answers;
        EXPECT_EQ(run.transcript.find(crlf(r.asks_q ? q_prompt : ratio_prompt)) != std::string::npos, true)
            << r.damping_answers;
        EXPECT_EQ(run.transcript.find(crlf(damping_warning)) != std::string::npos, r.warns) << r.damping_answers;
    }
}

TEST(dialogue, a_negative_zero_damping_ratio_gives_q_of_minus_infinity_without_warning)
{
    dialogue_run run = run_dialogue("2 1 1 1000 1 -0 1");
    EXPECT_EQ(run.fields.amplification_factor, -infinity);
    EXPECT_EQ(run.transcript.find(crlf(damping_warning)), std::string::npos);
}

TEST(dialogue, an_integer_prompt_stops_at_an_exponent_and_every_later_read_fails)
{
    dialogue_run run = run_dialogue("1e3 2 1 1000 1 0.05 1");
    const system_parameters_record& f = run.fields;
    EXPECT_EQ(f.unit_system, 1);
    EXPECT_EQ(f.input_method, 1);
    EXPECT_EQ(f.mass, 0.0);
    EXPECT_EQ(f.damping_format, 0);
    EXPECT_EQ(f.frequency_step, 0.0);
}

struct relation_row {
    const char* answers;  // units, method, two quantities
    double mass;
    double stiffness;
    double natural_frequency;
    const char* summary_lines;
};

TEST(dialogue, the_third_quantity_follows_from_the_two_entered)
{
    start_up();
    const double fn_1000 = std::sqrt(1000.0) / two_pi;
    const double nan = default_nan;
    const relation_row rows[] = {
        {"2 1 1 1000", 1.0, 1000.0, fn_1000, " m=       1 kg     \n k=    1000 N/m    \n"},
        {"1 1 386 1000", 386.0 * lbm_to_internal_mass, 1000.0, std::sqrt(1000.0 / (386.0 * lbm_to_internal_mass)) / two_pi,
         " m=     386 lbm     \n k=    1000 lbf/in  \n"},
        {"1 2 10 20", 10.0 * lbm_to_internal_mass, (two_pi * 20.0) * (two_pi * 20.0) * (10.0 * lbm_to_internal_mass), 20.0,
         " m=      10 lbm     \n k=   409.1 lbf/in  \n"},
        {"1 3 1000 5.032921210448704", 1000.0 / ((two_pi * 5.032921210448704) * (two_pi * 5.032921210448704)), 1000.0,
         5.032921210448704, " m=     386 lbm     \n k=    1000 lbf/in  \n"},
        {"1 1 0 1000", 0.0, 1000.0, infinity, nullptr},
        {"2 1 0 0", 0.0, 0.0, nan, nullptr},
        {"2 1 -1 1000", -1.0, 1000.0, nan, nullptr},
        {"2 1 -1 -1000", -1.0, -1000.0, fn_1000, nullptr},
        {"2 3 1000 0", infinity, 1000.0, 0.0, nullptr},
        {"2 3 0 0", nan, 0.0, 0.0, nullptr},
        {"2 3 -1000 0", -infinity, -1000.0, 0.0, nullptr},
        {"2 2 1 -5", 1.0, (two_pi * 5.0) * (two_pi * 5.0), -5.0, nullptr},
        {"1 1 0 5", 0.0, 5.0, infinity, " m=       0 lbm     \n"},
    };
    for (const relation_row& r : rows) {
        dialogue_run run = run_dialogue(std::string(r.answers) + " 1 0.05 1");
        EXPECT_TRUE(same_bits(run.fields.mass, r.mass)) << r.answers << ": " << run.fields.mass;
        EXPECT_TRUE(same_bits(run.fields.stiffness, r.stiffness)) << r.answers << ": " << run.fields.stiffness;
        EXPECT_TRUE(same_bits(run.fields.natural_frequency, r.natural_frequency))
            << r.answers << ": " << run.fields.natural_frequency;
        if (r.summary_lines) {
            EXPECT_NE(run.transcript.find(crlf(r.summary_lines)), std::string::npos) << r.answers;
        }
    }
}

TEST(dialogue, english_mass_of_386_lbm_is_one_internal_unit)
{
    dialogue_run run = run_dialogue("1 1 386 1000 1 0.05 1");
    EXPECT_EQ(run.fields.mass, 1.0);
    EXPECT_EQ(run.fields.natural_frequency, std::sqrt(1000.0) / two_pi);
}

TEST(dialogue, end_of_input_at_any_prompt_still_completes_it)
{
    const char* const answers[] = {"2", "1", "1", "1000", "1", "0.05", "1"};
    for (int given = 0; given <= 7; ++given) {
        std::string text;
        for (int i = 0; i < given; ++i) text += std::string(answers[i]) + "\n";
        dialogue_run run = run_dialogue(text);
        EXPECT_NE(run.transcript.find(crlf(step_prompt)), std::string::npos) << given;
        EXPECT_TRUE(run.transcript.ends_with(" Hz      \r\n")) << given;
        EXPECT_EQ(run.fields.frequency_step, given == 7 ? 1.0 : 0.0) << given;
    }
}

TEST(dialogue, arbitrary_bytes_are_answered_by_the_reading_rules)
{
    // Streams mostly of number characters, white space and a few arbitrary bytes: the
    // dialogue always completes with its menus in range.
    std::mt19937 random(2026);
    const std::string alphabet = "0123456789012345678901234567890123456789+-..eE \n\t\r";
    for (int trial = 0; trial < 3000; ++trial) {
        std::string text(random() % 120, ' ');
        for (char& c : text) c = random() % 16 == 0 ? static_cast<char>(random()) : alphabet[random() % alphabet.size()];
        dialogue_run run = run_dialogue(text);
        EXPECT_TRUE(run.fields.unit_system == 1 || run.fields.unit_system == 2);
        EXPECT_TRUE(run.fields.input_method >= 1 && run.fields.input_method <= 3);
        ASSERT_TRUE(run.transcript.ends_with(" Hz      \r\n")) << text;
    }
}

TEST(constants, pi_and_two_pi)
{
    start_up();
    EXPECT_EQ(pi, std::atan2(+0.0, -1.0));
    EXPECT_EQ(pi, 3.141592653589793);
    EXPECT_EQ(two_pi, 6.283185307179586);
}

TEST(square, correctly_rounded_where_the_library_power_function_is_not)
{
    // pow(x, 2.0) gives …a6p+44 here; the correctly rounded square ends in …a7.
    volatile double x = 4348818.647626807;
    EXPECT_EQ(square(x), 0x1.133585f127aa7p+44);
    EXPECT_TRUE(same_bits(square(-0.0), 0.0));
    EXPECT_EQ(square(-infinity), infinity);
    EXPECT_EQ(square(1e200), infinity);
    EXPECT_TRUE(same_bits(square(1e-200), 0.0));
    EXPECT_TRUE(std::isnan(square(default_nan)));
}

}  // namespace
