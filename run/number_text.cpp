#include "run/number_text.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace {

constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// "e-324" to "e+308", and a little beyond for the exponents of rounded texts.
constexpr int smallest_table_exponent = -330, largest_table_exponent = 330;

constexpr std::array<std::array<char, 5>, largest_table_exponent - smallest_table_exponent + 1> make_exponent_texts()
{
    std::array<std::array<char, 5>, largest_table_exponent - smallest_table_exponent + 1> texts{};
    for (int exponent = smallest_table_exponent; exponent <= largest_table_exponent; ++exponent) {
        int magnitude = exponent < 0 ? -exponent : exponent;
        texts[exponent - smallest_table_exponent] = {'e', exponent < 0 ? '-' : '+', static_cast<char>('0' + magnitude / 100),
                                                     static_cast<char>('0' + magnitude / 10 % 10),
                                                     static_cast<char>('0' + magnitude % 10)};
    }
    return texts;
}

constexpr auto exponent_texts = make_exponent_texts();

// The exponent part on the template "e+000": three digits at least.
inline char* write_exponent(int exponent, char* out)
{
    if (exponent >= smallest_table_exponent && exponent <= largest_table_exponent) {
        std::memcpy(out, exponent_texts[exponent - smallest_table_exponent].data(), 5);
        return out + 5;
    }
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

// "d.ddd…" from a rounded text of precision + 1 (or + 2 after a carry) characters.
char* write_point_form(const char* rounded, int precision, char* out)
{
    *out++ = rounded[0];
    *out++ = '.';
    std::memcpy(out, rounded + 1, precision);
    return out + precision;
}

// "d.dddddde±ddd" of a finite nonzero value straight from its 17-digit integer: the
// 8th digit rounds the first 7, and a carry into a new first digit moves the point.
std::size_t finite_e_style_6(double value, char* text)
{
    char* out = text;
    if (value < 0) *out++ = '-';
    decimal_significand significand = significand_of(value);
    std::uint32_t first_8 = static_cast<std::uint32_t>(significand.digits / 1000000000u);
    std::uint32_t leading = first_8 / 10 + (first_8 % 10 >= 5);
    int point_position = significand.point_position;
    if (leading == 10000000u) [[unlikely]] {
        leading = 1000000u;
        ++point_position;
    }
    // leading / 10^6 as a fixed-point number with 48 fraction bits: the integer part is the
    // first digit, and each multiplication of the fraction by 100 brings up the next pair.
    // The reciprocal is rounded up; its error stays below one unit of the 7th digit for every
    // leading value below 10^7.
    constexpr std::uint64_t fraction_bits = 48, fraction_mask = (std::uint64_t{1} << fraction_bits) - 1;
    std::uint64_t fixed = static_cast<std::uint64_t>(leading) * 281474977u;  // ⌈2^48 / 10^6⌉
    out[0] = static_cast<char>('0' + (fixed >> fraction_bits));
    out[1] = '.';
    for (int pair = 0; pair < 3; ++pair) {
        fixed = (fixed & fraction_mask) * 100u;
        std::memcpy(out + 2 + 2 * pair, digit_pairs + 2 * (fixed >> fraction_bits), 2);
    }
    out = write_exponent(point_position - 1, out + 8);
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

// Zeros, infinities, NaNs and precisions other than 6: the digit text rounded as it stands.
[[gnu::noinline]] static std::size_t e_style_from_digit_text(double value, int precision, char* text)
{
    if (precision > largest_precision) precision = largest_precision;
    decimal_digits number = decimal_digits_of(value);
    char* out = text;
    if (number.is_negative) *out++ = '-';
    char rounded[largest_precision + 2];
    int point_position = number.point_position + (round_digit_text(number, precision + 1, rounded) ? 1 : 0);
    out = write_point_form(rounded, precision, out);
    bool is_zero = number.length == 1 && number.digits[0] == '0';
    out = write_exponent(is_zero ? 0 : point_position - 1, out);
    return out - text;
}

std::size_t e_style_text(double value, int precision, char* text)
{
    if (precision == 6 && kind_of(value) == value_kind::finite) [[likely]] return finite_e_style_6(value, text);
    return e_style_from_digit_text(value, precision, text);
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
