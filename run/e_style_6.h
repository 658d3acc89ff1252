#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "run/decimal_digits.h"

// The e-style text at precision 6, "d.dddddde±ddd", of the result files, inline for the hot
// path. Zeros, infinities and NaNs take the general path through the digit text.
std::size_t e_style_from_digit_text(double value, int precision, char* text);

namespace e_style_6_tables {

inline constexpr char digit_pairs[] =
    "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
    "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
    "8081828384858687888990919293949596979899";

// "e-330" to "e+330": every exponent of a double's text and a little beyond.
inline constexpr int smallest_exponent = -330, largest_exponent = 330;

constexpr std::array<std::array<char, 5>, largest_exponent - smallest_exponent + 1> make_exponent_texts()
{
    std::array<std::array<char, 5>, largest_exponent - smallest_exponent + 1> texts{};
    for (int exponent = smallest_exponent; exponent <= largest_exponent; ++exponent) {
        int magnitude = exponent < 0 ? -exponent : exponent;
        texts[exponent - smallest_exponent] = {'e', exponent < 0 ? '-' : '+', static_cast<char>('0' + magnitude / 100),
                                               static_cast<char>('0' + magnitude / 10 % 10),
                                               static_cast<char>('0' + magnitude % 10)};
    }
    return texts;
}

inline constexpr auto exponent_texts = make_exponent_texts();

}  // namespace e_style_6_tables

// A finite nonzero value straight from its first 18 digits: the 18th rounds the 17th, the 8th
// then rounds the first 7, and a carry into a new first digit moves the point.
inline std::size_t finite_e_style_6(double value, char* text)
{
    using namespace e_style_6_tables;
    char* out = text;
    if (value < 0) *out++ = '-';
    // Rounding the 17th digit by the 18th and cutting to 8 is floor((D + 5) / 10^10).
    auto [first_18, point_position] = first_18_digits_of(value);
    std::uint32_t first_8 = static_cast<std::uint32_t>((first_18 + 5) / 10000000000u);
    std::uint32_t leading = (first_8 + 5) / 10;  // the 8th digit rounds the 7th
    if (leading == 10000000u) [[unlikely]] {
        leading = 1000000u;
        ++point_position;
    }
    // leading / 10^6 as a fixed-point number with 48 fraction bits: the integer part is the
    // first digit, and each multiplication of the fraction by 100 brings up the next pair.
    // The reciprocal is rounded up; its error stays below one unit of the 7th digit for every
    // leading value below 10^7.
    constexpr unsigned fraction_bits = 48;
    constexpr std::uint64_t fraction_mask = (std::uint64_t{1} << fraction_bits) - 1;
    std::uint64_t fixed = static_cast<std::uint64_t>(leading) * 281474977u;  // ⌈2^48 / 10^6⌉
    out[0] = static_cast<char>('0' + (fixed >> fraction_bits));
    out[1] = '.';
    fixed = (fixed & fraction_mask) * 100u;
    std::memcpy(out + 2, digit_pairs + 2 * (fixed >> fraction_bits), 2);
    fixed = (fixed & fraction_mask) * 100u;
    std::memcpy(out + 4, digit_pairs + 2 * (fixed >> fraction_bits), 2);
    fixed = (fixed & fraction_mask) * 100u;
    std::memcpy(out + 6, digit_pairs + 2 * (fixed >> fraction_bits), 2);
    // Every finite double's exponent lies in the table.
    std::memcpy(out + 8, exponent_texts[point_position - 1 - smallest_exponent].data(), 5);
    return out + 13 - text;
}

inline std::size_t e_style_6_text(double value, char* text)
{
    // One comparison tells finite nonzero values from zeros (whose magnitude bits, less one,
    // wrap around) and from infinities and NaNs (exponent all ones).
    std::uint64_t magnitude_bits = std::bit_cast<std::uint64_t>(value) & ~double_bits::sign_bit;
    if (magnitude_bits - 1 < double_bits::exponent_mask - 1) [[likely]] return finite_e_style_6(value, text);
    return e_style_from_digit_text(value, 6, text);
}
