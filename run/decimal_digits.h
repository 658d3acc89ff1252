#pragma once

#include <bit>
#include <cstdint>

#include "run/power_of_ten_table.h"

// The decimal form of a double: value = 0.d1d2d3… × 10^point_position, at most 17 digits,
// from the first 18 digits of the exact value, cut off, then rounded once at the 18th.
struct decimal_digits {
    bool is_negative;      // the sign bit; false for zeros
    int point_position;    // 0 for zero, 1 for infinities and NaNs
    int length;            // characters in digits, 1 to 17
    char digits[18];       // first digit nonzero, no trailing zeros; "0"; or a special text
};

enum class value_kind { finite, zero, infinity, indefinite, quiet_nan, signalling_nan };

decimal_digits decimal_digits_of(double value);

// For a finite nonzero magnitude: its 17 rounded digits as an integer in [10^16, 10^17),
// trailing zeros kept, and the point position that goes with them.
struct decimal_significand {
    std::uint64_t digits;
    int point_position;
};
inline decimal_significand significand_of(double magnitude);

// The first 18 digits of a finite nonzero magnitude's exact value, cut off, as an integer in
// [10^17, 10^18), and the point position that goes with them.
inline decimal_significand first_18_digits_of(double magnitude);

// floor(mantissa × 2^binary_exponent × 10^scale) when it is below 10^19, by the fast path
// (which falls back to exact arithmetic when its error bound leaves the result in doubt)
// and by exact arithmetic alone.
inline std::uint64_t leading_decimal_digits(std::uint64_t mantissa, int binary_exponent, int scale);
std::uint64_t exact_leading_decimal_digits(std::uint64_t mantissa, int binary_exponent, int scale);

// floor(log10(2^e)) for |e| ≤ 2620.
constexpr int floor_log10_pow2(int e) { return (e * 315653) >> 20; }

namespace double_bits {
inline constexpr std::uint64_t exponent_mask = 0x7ff0000000000000u;
inline constexpr std::uint64_t fraction_mask = 0x000fffffffffffffu;
inline constexpr std::uint64_t quiet_bit = 0x0008000000000000u;
inline constexpr std::uint64_t sign_bit = 0x8000000000000000u;
}  // namespace double_bits

inline value_kind kind_of(double value)
{
    using namespace double_bits;
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    std::uint64_t fraction = bits & fraction_mask;
    if ((bits & exponent_mask) == exponent_mask) {
        if (fraction == 0) return value_kind::infinity;
        if (bits == (sign_bit | exponent_mask | quiet_bit)) return value_kind::indefinite;
        return (fraction & quiet_bit) != 0 ? value_kind::quiet_nan : value_kind::signalling_nan;
    }
    return (bits & ~sign_bit) == 0 ? value_kind::zero : value_kind::finite;
}

inline std::uint64_t leading_decimal_digits(std::uint64_t mantissa, int binary_exponent, int scale)
{
    using u128 = unsigned __int128;
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
        if (fraction_upper_full && lowest_word > ~mantissa) [[unlikely]]
            return exact_leading_decimal_digits(mantissa, binary_exponent, scale);
    }
    return result;
}

inline decimal_significand first_18_digits_of(double magnitude)
{
    using namespace double_bits;
    constexpr std::uint64_t ten_to_18 = 1000000000000000000u;
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
    // One digit too many when the estimate fell short: floor(floor(y) / 10) = floor(y / 10).
    // Selected by a mask, not a branch, which random data would mispredict.
    std::uint64_t one_too_many = first_18 >= ten_to_18;
    std::uint64_t keep_mask = one_too_many - 1;  // all ones when the digits are right
    first_18 = (first_18 & keep_mask) | (first_18 / 10 & ~keep_mask);
    point_position += static_cast<int>(one_too_many);
    return {first_18, point_position};
}

inline decimal_significand significand_of(double magnitude)
{
    constexpr std::uint64_t ten_to_16 = 10000000000000000u;
    constexpr std::uint64_t ten_to_17 = 100000000000000000u;
    auto [first_18, point_position] = first_18_digits_of(magnitude);
    // Round once at the 18th digit: 5 or more carries into the 17th.
    std::uint64_t first_17 = first_18 / 10 + (first_18 % 10 >= 5 ? 1 : 0);
    if (first_17 == ten_to_17) [[unlikely]] {
        first_17 = ten_to_16;
        ++point_position;
    }
    return {first_17, point_position};
}
