#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>
#include <unistd.h>

#include "model/answer_input.h"
#include "model/answer_reading.h"
#include "tests/test_support.h"

namespace {

// Feeds `answers`, runs one read, and returns what the next read would meet.
template <typename Field, typename Read>
std::string read_one(const std::string& answers, Field& field, Read read)
{
    int descriptor = memory_file(answers);
    attach_answer_input(descriptor);
    read(field);
    std::string rest;
    for (int c = peek_answer_character(); c >= 0; c = peek_answer_character()) {
        rest += static_cast<char>(c);
        take_answer_character();
    }
    close(descriptor);
    return rest;
}

constexpr std::int32_t unchanged_integer = 77;

struct integer_row {
    std::string answers;
    std::int32_t value;
    std::string rest;
};

TEST(integer_answer, reading_rules)
{
    const integer_row rows[] = {
        // white space of every kind, across lines; the stopping character stays
        {"5", 5, ""},
        {" \t\n\v\f\r\n 42x", 42, "x"},
        {"+5", 5, ""},
        {"-7 \n", -7, " \n"},
        {"007", 7, ""},
        // 32-bit wrap-around
        {"4294967297", 1, ""},
        {"2147483648", -2147483647 - 1, ""},
        {"-2147483649", 2147483647, ""},
        {"99999999999999999999", 1661992959, ""},
        // a real answer at an integer prompt takes only its integer part
        {"1e3", 1, "e3"},
        {"2.5", 2, ".5"},
        // no digit: the field keeps its value, a sign is gone, the stopper stays
        {"abc", unchanged_integer, "abc"},
        {"-x", unchanged_integer, "x"},
        {"+", unchanged_integer, ""},
        {"", unchanged_integer, ""},
        {"   \n\n", unchanged_integer, ""},
        {std::string("\0 5", 3), unchanged_integer, std::string("\0 5", 3)},
        {"\xe9" "5", unchanged_integer, "\xe9" "5"},
    };
    for (const integer_row& row : rows) {
        std::int32_t field = unchanged_integer;
        std::string rest = read_one(row.answers, field, read_integer_answer);
        EXPECT_EQ(field, row.value) << '"' << row.answers << '"';
        EXPECT_EQ(rest, row.rest) << '"' << row.answers << '"';
    }
}

constexpr double unchanged_real = 77.0;
const double infinity = std::numeric_limits<double>::infinity();

struct real_row {
    std::string answers;
    double value;
    std::string rest;
};

TEST(real_answer, reading_rules)
{
    const std::string ninths = "0." + std::string(348, '1');      // 350 characters
    const std::string two_ninths = "0." + std::string(346, '2');  // 348 characters
    const real_row rows[] = {
        // the number pattern
        {"1.5", 1.5, ""},
        {".5", 0.5, ""},
        {"5.", 5.0, ""},
        {"+5", 5.0, ""},
        {"1e3", 1000.0, ""},
        {"-2.5E-3 x", -0.0025, " x"},
        {"0.1", 0.1, ""},
        // an exponent marker without digits counts as exponent 0 and is consumed
        {"2e", 2.0, ""},
        {"2e+", 2.0, ""},
        {"2ex", 2.0, "x"},
        {"2E-y", 2.0, "y"},
        // nothing else is a number
        {"inf", unchanged_real, "inf"},
        {"nan", unchanged_real, "nan"},
        {"0x10", 0.0, "x10"},
        {"1,5", 1.0, ",5"},
        {".", unchanged_real, ""},
        {".e5", unchanged_real, "e5"},
        {"-.x", unchanged_real, "x"},
        {"", unchanged_real, ""},
        // beyond the double range: an infinity of the sign, or zero
        {"1e400", infinity, ""},
        {"-1e400", -infinity, ""},
        {"1e99999999999999999999", infinity, ""},
        {"0e99999", 0.0, ""},
        {"1e-400", 0.0, ""},
        {"-1e-400", -0.0, ""},
        {"-0", -0.0, ""},
        {"0.00000000000000000000000000000000000000001e-300", 0.0, ""},
        {"1797693134862315807e290", std::numeric_limits<double>::max(), ""},  // just below the halfway point
        {"1797693134862315808e290", infinity, ""},
        // correct rounding, the smallest subnormal included
        {"2.4703282292062328e-324", std::bit_cast<double>(std::uint64_t{1}), ""},
        {"4348818.647626807", 4348818.647626807, ""},
        {"9007199254740993", 9007199254740992.0, ""},
        // 349 characters after the sign belong to the number; the 350th stays
        {ninths, 1.0 / 9.0, "1"},
        {std::string(1, '+').append(ninths, 0, 349).append("5"), 1.0 / 9.0, "5"},
        {two_ninths + "e5", 2.0 / 9.0, "5"},  // the marker is the 349th character
    };
    for (const real_row& row : rows) {
        double field = unchanged_real;
        std::string rest = read_one(row.answers, field, read_real_answer);
        EXPECT_EQ(std::bit_cast<std::uint64_t>(field), std::bit_cast<std::uint64_t>(row.value))
            << '"' << row.answers.substr(0, 40) << "\" gave " << field;
        EXPECT_EQ(rest, row.rest) << '"' << row.answers.substr(0, 40) << '"';
    }
}

TEST(answer_input, end_of_input_is_final_for_every_later_read)
{
    int descriptor = memory_file("3");
    attach_answer_input(descriptor);
    std::int32_t first = 0, second = 9;
    double third = 9.0;
    read_integer_answer(first);
    read_integer_answer(second);
    read_real_answer(third);
    EXPECT_EQ(first, 3);
    EXPECT_EQ(second, 9);
    EXPECT_EQ(third, 9.0);
    EXPECT_EQ(peek_answer_character(), -1);
    close(descriptor);
}

TEST(answer_input, an_answer_split_across_reads_of_the_descriptor_is_taken_whole)
{
    // A pipe hands the answers over in pieces; a number may straddle two of them.
    int ends[2];
    ASSERT_EQ(pipe(ends), 0);
    attach_answer_input(ends[0]);
    ASSERT_EQ(write(ends[1], "12", 2), 2);
    ASSERT_EQ(write(ends[1], "34\n", 3), 3);
    close(ends[1]);
    std::int32_t field = 0;
    read_integer_answer(field);
    close(ends[0]);
    EXPECT_EQ(field, 1234);
}

TEST(answer_input, very_long_answers_cross_the_input_buffer)
{
    // 10000 blanks and a number beyond the 4096-byte refill, then 5000 digits of an integer.
    std::string answers = std::string(10000, ' ') + "-12.5e1 " + std::string(5000, '9') + " 3";
    int descriptor = memory_file(answers);
    attach_answer_input(descriptor);
    double real = 0.0;
    std::int32_t integer = 0, last = 0;
    read_real_answer(real);
    read_integer_answer(integer);
    read_integer_answer(last);
    close(descriptor);
    EXPECT_EQ(real, -125.0);
    std::uint32_t wrapped = 0;
    for (int i = 0; i < 5000; ++i) wrapped = wrapped * 10u + 9u;
    EXPECT_EQ(integer, static_cast<std::int32_t>(wrapped));
    EXPECT_EQ(last, 3);
}

}  // namespace
