#include "run/decimal_digits.h"

#include <bit>
#include <cstring>

#include "run/power_of_ten_table.h"

namespace {

constexpr std::uint64_t exponent_mask = 0x7ff0000000000000u;
constexpr std::uint64_t fraction_mask = 0x000fffffffffffffu;
constexpr std::uint64_t quiet_bit = 0x0008000000000000u;
constexpr std::uint64_t sign_bit = 0x8000000000000000u;
constexpr std::uint64_t ten_to_16 = 10000000000000000u;
constexpr std::uint64_t ten_to_17 = 100000000000000000u;
constexpr std::uint64_t ten_to_18 = 1000000000000000000u;

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

std::uint64_t leading_decimal_digits(std::uint64_t mantissa, int binary_exponent, int scale)
{
    // m × 2^e × 10^q ≈ m × c × 2^(e + s), with c ≤ 10^q / 2^s < c + 1, so the 192-bit
    // product m × c lies below the true value by less than m units of its last bit.
    const power_of_ten_entry& power = power_of_ten(scale);
    u128 low_product = static_cast<u128>(mantissa) * power.low;
    u128 high_product = static_cast<u128>(mantissa) * power.high;
    std::uint64_t lowest_word = static_cast<std::uint64_t>(low_product);
    u128 upper = high_product + (low_product >> 64);  // the product without its lowest word
    int shift = -(binary_exponent + power.exponent);  // 64 to 125 for results in [10^17, 10^19)
    int upper_shift = shift - 64;
    std::uint64_t result = static_cast<std::uint64_t>(upper >> upper_shift);
    if (!power.exact) {
        // The cut-off is in doubt when the discarded fraction plus m reaches the next unit.
        u128 fraction_mask_upper = (static_cast<u128>(1) << upper_shift) - 1;
        bool fraction_upper_full = (upper & fraction_mask_upper) == fraction_mask_upper;
        if (fraction_upper_full && lowest_word > ~mantissa)
            return exact_leading_decimal_digits(mantissa, binary_exponent, scale);
    }
    return result;
}

value_kind kind_of(double value)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    std::uint64_t fraction = bits & fraction_mask;
    if ((bits & exponent_mask) == exponent_mask) {
        if (fraction == 0) return value_kind::infinity;
        if (bits == (sign_bit | exponent_mask | quiet_bit)) return value_kind::indefinite;
        return (fraction & quiet_bit) != 0 ? value_kind::quiet_nan : value_kind::signalling_nan;
    }
    return (bits & ~sign_bit) == 0 ? value_kind::zero : value_kind::finite;
}

decimal_significand significand_of(double magnitude)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(magnitude) & ~sign_bit;
    int biased_exponent = static_cast<int>(bits >> 52);
    std::uint64_t mantissa = bits & fraction_mask;
    int binary_exponent;
    if (biased_exponent == 0) {
        binary_exponent = -1074;
    } else {
        mantissa |= fraction_mask + 1;
        binary_exponent = biased_exponent - 1075;
    }
    // 10^(p-1) ≤ |x| < 10^p for p = estimate or estimate + 1, with 2^top ≤ |x| < 2^(top+1).
    int top = binary_exponent + 63 - std::countl_zero(mantissa);
    int point_position = floor_log10_pow2(top) + 1;
    std::uint64_t first_18 = leading_decimal_digits(mantissa, binary_exponent, 18 - point_position);
    if (first_18 >= ten_to_18) {
        first_18 /= 10;  // floor(floor(y) / 10) = floor(y / 10)
        ++point_position;
    }
    // Round once at the 18th digit: 5 or more carries into the 17th.
    std::uint64_t first_17 = first_18 / 10 + (first_18 % 10 >= 5 ? 1 : 0);
    if (first_17 == ten_to_17) {
        first_17 = ten_to_16;
        ++point_position;
    }
    return {first_17, point_position};
}

static decimal_digits special_digits(const char* text, bool is_negative)
{
    decimal_digits result{is_negative, 1, static_cast<int>(std::strlen(text)), {}};
    std::memcpy(result.digits, text, result.length);
    return result;
}

decimal_digits decimal_digits_of(double value)
{
    bool sign = std::bit_cast<std::uint64_t>(value) & sign_bit;
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
