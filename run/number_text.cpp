#include "run/number_text.h"

#include <cstdint>
#include <cstring>

#include "run/e_style_6.h"

namespace {

// The exponent part on the template "e+000": three digits at least.
char* write_exponent(int exponent, char* out)
{
    using namespace e_style_6_tables;
    if (exponent >= smallest_exponent && exponent <= largest_exponent) {
        std::memcpy(out, exponent_texts[exponent - smallest_exponent].data(), 5);
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
    *out++ = static_cast<char>('0' + magnitude / 10 % 10);
    *out++ = static_cast<char>('0' + magnitude % 10);
    return out;
}

// "d.ddd…" from a rounded text of precision + 1 (or + 2 after a carry) characters.
char* write_point_form(const char* rounded, int precision, char* out)
{
    *out++ = rounded[0];
    *out++ = '.';
    std::memcpy(out, rounded + 1, precision);
    return out + precision;
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
std::size_t e_style_from_digit_text(double value, int precision, char* text)
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
    if (precision == 6) return e_style_6_text(value, text);
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
