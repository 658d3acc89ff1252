#include "run/number_text.h"

#include <cstdint>
#include <cstring>

namespace {

constexpr std::uint64_t powers_of_ten[] = {
    1u, 10u, 100u, 1000u, 10000u, 100000u, 1000000u, 10000000u, 100000000u, 1000000000u,
    10000000000u, 100000000000u, 1000000000000u, 10000000000000u, 100000000000000u,
    1000000000000000u, 10000000000000000u, 100000000000000000u};

constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// The exponent part on the template "e+000": three digits at least.
char* write_exponent(int exponent, char* out)
{
    *out++ = 'e';
    *out++ = exponent < 0 ? '-' : '+';
    unsigned magnitude = exponent < 0 ? 0u - static_cast<unsigned>(exponent) : static_cast<unsigned>(exponent);
    if (magnitude >= 1000) {
        *out++ = static_cast<char>('0' + magnitude / 1000);
        magnitude %= 1000;
    }
    *out++ = static_cast<char>('0' + magnitude / 100);
    std::memcpy(out, digit_pairs + 2 * (magnitude % 100), 2);
    return out + 2;
}

// `count` decimal digits of value, leading zeros included.
char* write_digits(std::uint64_t value, int count, char* out)
{
    char* const end = out + count;
    char* next = end;
    for (; count >= 2; count -= 2) {
        next -= 2;
        std::memcpy(next, digit_pairs + 2 * (value % 100), 2);
        value /= 100;
    }
    if (count == 1) *--next = static_cast<char>('0' + value % 10);
    return end;
}

// "d.ddd…" from a rounded text of precision + 1 (or + 2 after a carry) characters.
char* write_point_form(const char* rounded, int precision, char* out)
{
    *out++ = rounded[0];
    *out++ = '.';
    std::memcpy(out, rounded + 1, precision);
    return out + precision;
}

// E-style of a finite nonzero value from its 17-digit integer, without any text step.
std::size_t finite_e_style(double value, int precision, char* text)
{
    char* out = text;
    if (value < 0) *out++ = '-';
    decimal_significand significand = significand_of(value);
    int kept = precision + 1;                     // digits shown
    int taken = kept < 17 ? kept : 17;            // of them, from the 17
    std::uint64_t leading = significand.digits / powers_of_ten[17 - taken];
    // The character after the taken ones decides; past the 17th there is none.
    int next_digit = taken < 17 ? static_cast<int>(significand.digits / powers_of_ten[16 - taken] % 10) : 0;
    int point_position = significand.point_position;
    if (next_digit >= 5 && ++leading == powers_of_ten[taken]) {
        leading = powers_of_ten[taken - 1];
        ++point_position;
    }
    char digits[largest_precision + 2];
    write_digits(leading, taken, digits);
    std::memset(digits + taken, '0', kept - taken);
    out = write_point_form(digits, precision, out);
    out = write_exponent(point_position - 1, out);
    return out - text;
}

std::size_t strip_fraction_zeros(char* text, std::size_t length, std::size_t point, std::size_t end_of_fraction)
{
    std::size_t cut = end_of_fraction;
    while (cut > point + 1 && text[cut - 1] == '0') --cut;
    if (cut == point + 1) --cut;  // the point itself, when no digit follows it
    std::memmove(text + cut, text + end_of_fraction, length - end_of_fraction);
    return length - (end_of_fraction - cut);
}

}  // namespace

bool round_digit_text(const decimal_digits& number, int n, char* rounded)
{
    int taken = number.length < n ? number.length : n;
    std::memcpy(rounded, number.digits, taken);
    std::memset(rounded + taken, '0', n - taken);
    if (number.length <= n || number.digits[n] < '5') return false;
    for (int i = n - 1; i >= 0; --i) {
        if (rounded[i] != '9') {
            ++rounded[i];
            return false;
        }
        rounded[i] = '0';
    }
    rounded[0] = '1';
    rounded[n] = '0';
    return true;
}

std::size_t e_style_text(double value, int precision, char* text)
{
    if (precision > largest_precision) precision = largest_precision;
    if (kind_of(value) == value_kind::finite) return finite_e_style(value, precision, text);
    decimal_digits number = decimal_digits_of(value);  // zeros and the special texts
    char* out = text;
    if (number.is_negative) *out++ = '-';
    char rounded[largest_precision + 2];
    int point_position = number.point_position + (round_digit_text(number, precision + 1, rounded) ? 1 : 0);
    out = write_point_form(rounded, precision, out);
    bool is_zero = number.length == 1 && number.digits[0] == '0';
    out = write_exponent(is_zero ? 0 : point_position - 1, out);
    return out - text;
}

std::size_t g_style_text(double value, int precision, char* text)
{
    if (precision > largest_precision) precision = largest_precision;
    if (precision < 1) precision = 1;
    decimal_digits number = decimal_digits_of(value);
    char rounded[largest_precision + 2];
    int point_position = number.point_position + (round_digit_text(number, precision, rounded) ? 1 : 0);
    int exponent = point_position - 1;

    char* out = text;
    if (number.is_negative) *out++ = '-';
    std::size_t point;
    if (exponent < -4 || exponent >= precision) {
        point = (out - text) + 1;
        out = write_point_form(rounded, precision - 1, out);
        std::size_t end_of_fraction = out - text;
        out = write_exponent(exponent, out);
        return strip_fraction_zeros(text, out - text, point, end_of_fraction);
    }
    // Fixed form: after a carry into a new first digit the surplus last zero is dropped.
    int length = precision;
    if (point_position > 0) {
        std::memcpy(out, rounded, point_position);
        out += point_position;
        point = out - text;
        *out++ = '.';
        std::memcpy(out, rounded + point_position, length - point_position);
        out += length - point_position;
    } else {
        *out++ = '0';
        point = out - text;
        *out++ = '.';
        std::memset(out, '0', -point_position);
        out += -point_position;
        std::memcpy(out, rounded, length);
        out += length;
    }
    return strip_fraction_zeros(text, out - text, point, out - text);
}
