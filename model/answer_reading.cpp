#include "model/answer_reading.h"

#include <charconv>
#include <cstring>
#include <limits>

#include "model/answer_input.h"

namespace {

bool is_white_space(int c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool is_digit(int c) { return c >= '0' && c <= '9'; }

void skip_white_space()
{
    while (is_white_space(peek_answer_character())) take_answer_character();
}

// Takes a leading '+' or '-'; true for '-'.
bool take_sign()
{
    int c = peek_answer_character();
    if (c != '+' && c != '-') return false;
    take_answer_character();
    return c == '-';
}

// The characters of a real answer as they are taken, at most longest_real_answer of them.
struct real_answer_text {
    char mantissa[longest_real_answer + 2];  // digits and point, as typed
    int mantissa_length;
    int taken;
    int exponent;  // held within ±100000: beyond that every mantissa over- or underflows
    bool exponent_negative;
};

bool take_if(real_answer_text& answer, bool (*fits)(int))
{
    if (answer.taken == longest_real_answer) return false;
    int c = peek_answer_character();
    if (!fits(c)) return false;
    take_answer_character();
    ++answer.taken;
    return true;
}

int take_mantissa_digits(real_answer_text& answer)
{
    int count = 0;
    while (answer.taken < longest_real_answer && is_digit(peek_answer_character())) {
        answer.mantissa[answer.mantissa_length++] = static_cast<char>(peek_answer_character());
        take_answer_character();
        ++answer.taken;
        ++count;
    }
    return count;
}

void take_exponent(real_answer_text& answer)
{
    if (!take_if(answer, [](int c) { return c == 'e' || c == 'E'; })) return;
    int sign = answer.taken < longest_real_answer ? peek_answer_character() : 0;
    if (take_if(answer, [](int c) { return c == '+' || c == '-'; })) answer.exponent_negative = sign == '-';
    while (answer.taken < longest_real_answer && is_digit(peek_answer_character())) {
        int digit = peek_answer_character() - '0';
        take_answer_character();
        ++answer.taken;
        answer.exponent = answer.exponent * 10 + digit;
        if (answer.exponent > 100000) answer.exponent = 100000;
    }
}

// Whether a magnitude that left the double range was too large (rather than too small):
// decided by the power of ten of its first nonzero digit.
bool beyond_largest(const real_answer_text& answer, int exponent)
{
    const char* point = static_cast<const char*>(std::memchr(answer.mantissa, '.', answer.mantissa_length));
    int integer_digits = point ? static_cast<int>(point - answer.mantissa) : answer.mantissa_length;
    for (int i = 0, digit_index = 0; i < answer.mantissa_length; ++i) {
        if (answer.mantissa[i] == '.') continue;
        if (answer.mantissa[i] != '0') return integer_digits - 1 - digit_index + exponent >= 0;
        ++digit_index;
    }
    return false;
}

double to_double(const real_answer_text& answer)
{
    // Locale-free and correctly rounded.
    char text[longest_real_answer + 16];
    int length = 0;
    if (answer.mantissa[0] == '.') text[length++] = '0';
    std::memcpy(text + length, answer.mantissa, answer.mantissa_length);
    length += answer.mantissa_length;
    if (text[length - 1] == '.') --length;
    int exponent = answer.exponent_negative ? -answer.exponent : answer.exponent;
    text[length++] = 'e';
    length = static_cast<int>(std::to_chars(text + length, text + sizeof text, exponent).ptr - text);
    double value = 0.0;
    auto result = std::from_chars(text, text + length, value);
    if (result.ec == std::errc::result_out_of_range)
        value = beyond_largest(answer, exponent) ? std::numeric_limits<double>::infinity() : 0.0;
    return value;
}

}  // namespace

void read_integer_answer(std::int32_t& field)
{
    skip_white_space();
    bool negative = take_sign();
    std::uint32_t value = 0;  // wraps modulo 2^32, as the answer's digits are taken
    bool any_digit = false;
    for (int c = peek_answer_character(); is_digit(c); c = peek_answer_character()) {
        value = value * 10u + static_cast<std::uint32_t>(c - '0');
        take_answer_character();
        any_digit = true;
    }
    if (!any_digit) return;
    if (negative) value = 0u - value;
    field = static_cast<std::int32_t>(value);
}

void read_real_answer(double& field)
{
    skip_white_space();
    bool negative = take_sign();
    real_answer_text answer{};
    int digits = take_mantissa_digits(answer);
    if (answer.taken < longest_real_answer && peek_answer_character() == '.') {
        take_answer_character();
        ++answer.taken;
        answer.mantissa[answer.mantissa_length++] = '.';
        digits += take_mantissa_digits(answer);
    }
    if (digits == 0) return;
    take_exponent(answer);
    double value = to_double(answer);
    field = negative ? -value : value;
}
