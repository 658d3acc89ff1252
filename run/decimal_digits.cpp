#include "run/decimal_digits.h"

#include <bit>
#include <cstring>

namespace {

using u128 = unsigned __int128;

// Exact arithmetic on up to 1280 bits: m × 10^342 and m × 2^971 both fit.
constexpr int big_words = 20;
struct big_number {
    std::uint64_t word[big_words];
    int used;  // words in use, the highest nonzero or not
};

void big_shift_left(big_number& value, int bits)
{
    int words = bits / 64, rest = bits % 64;
    for (int i = big_words - 1; i >= 0; --i) {
        std::uint64_t high = i - words >= 0 ? value.word[i - words] : 0;
        std::uint64_t low = i - words - 1 >= 0 ? value.word[i - words - 1] : 0;
        value.word[i] = rest == 0 ? high : (high << rest) | (low >> (64 - rest));
    }
    value.used = big_words;
}

void big_shift_right(big_number& value, int bits)
{
    int words = bits / 64, rest = bits % 64;
    for (int i = 0; i < big_words; ++i) {
        std::uint64_t low = i + words < big_words ? value.word[i + words] : 0;
        std::uint64_t high = i + words + 1 < big_words ? value.word[i + words + 1] : 0;
        value.word[i] = rest == 0 ? low : (low >> rest) | (high << (64 - rest));
    }
}

void big_multiply_by_ten(big_number& value)
{
    u128 carry = 0;
    for (int i = 0; i < value.used; ++i) {
        u128 product = static_cast<u128>(value.word[i]) * 10u + carry;
        value.word[i] = static_cast<std::uint64_t>(product);
        carry = product >> 64;
    }
    if (carry != 0 && value.used < big_words) value.word[value.used++] = static_cast<std::uint64_t>(carry);
}

void big_divide_by_ten(big_number& value)
{
    u128 remainder = 0;
    for (int i = value.used - 1; i >= 0; --i) {
        u128 part = (remainder << 64) | value.word[i];
        value.word[i] = static_cast<std::uint64_t>(part / 10u);
        remainder = part % 10u;
    }
}

}  // namespace

std::uint64_t exact_leading_decimal_digits(std::uint64_t mantissa, int binary_exponent, int scale)
{
    // floor(m × 2^e × 10^q): widen by the factors ≥ 1, then divide by those < 1;
    // a floor of a floor is the floor of the whole quotient.
    big_number value{};
    value.word[0] = mantissa;
    value.used = 1;
    if (binary_exponent > 0) big_shift_left(value, binary_exponent);
    for (int i = 0; i < scale; ++i) big_multiply_by_ten(value);
    for (int i = 0; i < -scale; ++i) big_divide_by_ten(value);
    if (binary_exponent < 0) big_shift_right(value, -binary_exponent);
    return value.word[0];
}

static decimal_digits special_digits(const char* text, bool is_negative)
{
    decimal_digits result{is_negative, 1, static_cast<int>(std::strlen(text)), {}};
    std::memcpy(result.digits, text, result.length);
    return result;
}

decimal_digits decimal_digits_of(double value)
{
    bool sign = std::bit_cast<std::uint64_t>(value) & double_bits::sign_bit;
    switch (kind_of(value)) {
    case value_kind::zero: return {false, 0, 1, {'0'}};
    case value_kind::infinity: return special_digits("1#INF", sign);
    case value_kind::indefinite: return special_digits("1#IND", true);
    case value_kind::quiet_nan: return special_digits("1#QNAN", sign);
    case value_kind::signalling_nan: return special_digits("1#SNAN", sign);
    case value_kind::finite: break;
    }
    decimal_significand significand = significand_of(value);
    decimal_digits result{sign, significand.point_position, 17, {}};
    std::uint64_t digits = significand.digits;
    for (int i = 16; i >= 0; --i) {
        result.digits[i] = static_cast<char>('0' + digits % 10);
        digits /= 10;
    }
    while (result.digits[result.length - 1] == '0') --result.length;
    return result;
}
