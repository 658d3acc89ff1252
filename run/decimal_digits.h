#pragma once

#include <cstdint>

// The decimal form of a double: value = 0.d1d2d3… × 10^point_position, at most 17 digits,
// from the first 18 digits of the exact value, cut off, then rounded once at the 18th.
struct decimal_digits {
    bool is_negative;      // the sign bit; false for zeros
    int point_position;    // 0 for zero, 1 for infinities and NaNs
    int length;            // characters in digits, 1 to 17
    char digits[18];       // first digit nonzero, no trailing zeros; "0"; or a special text
};

enum class value_kind { finite, zero, infinity, indefinite, quiet_nan, signalling_nan };

value_kind kind_of(double value);
decimal_digits decimal_digits_of(double value);

// For a finite nonzero magnitude: its 17 rounded digits as an integer in [10^16, 10^17),
// trailing zeros kept, and the point position that goes with them.
struct decimal_significand {
    std::uint64_t digits;
    int point_position;
};
decimal_significand significand_of(double magnitude);

// floor(mantissa × 2^binary_exponent × 10^scale) when it is below 10^19, by the fast path
// (which falls back to exact arithmetic when its error bound leaves the result in doubt)
// and by exact arithmetic alone.
std::uint64_t leading_decimal_digits(std::uint64_t mantissa, int binary_exponent, int scale);
std::uint64_t exact_leading_decimal_digits(std::uint64_t mantissa, int binary_exponent, int scale);

// floor(log10(2^e)) for |e| ≤ 2620.
constexpr int floor_log10_pow2(int e) { return (e * 315653) >> 20; }
