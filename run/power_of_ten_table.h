#pragma once

#include <array>
#include <cstdint>

// 10^q ≈ significand × 2^exponent for every decimal scale the renderer needs, with the
// 128-bit significand cut off (never rounded up): significand ≤ 10^q / 2^exponent < significand + 1.
// `exact` tells that nothing was cut off.
struct power_of_ten_entry {
    std::uint64_t high;
    std::uint64_t low;
    int exponent;
    bool exact;
};

inline constexpr int smallest_decimal_scale = -300;
inline constexpr int largest_decimal_scale = 350;

namespace power_of_ten_generation {

// Little-endian big integer wide enough for 2^1216 and for 10^350 (1163 bits).
inline constexpr int word_count = 20;
using big_number = std::array<std::uint64_t, word_count>;

constexpr int bit_length(const big_number& value)
{
    for (int word = word_count - 1; word >= 0; --word)
        if (value[word] != 0) return word * 64 + (64 - __builtin_clzll(value[word]));
    return 0;
}

// The 64 bits from bit `low` upwards, zeros standing in below bit 0.
constexpr std::uint64_t bits_from(const big_number& value, int low)
{
    if (low <= -64) return 0;
    if (low < 0) return value[0] << -low;
    int word = low / 64, rest = low % 64;
    std::uint64_t bits = value[word] >> rest;
    if (rest != 0 && word + 1 < word_count) bits |= value[word + 1] << (64 - rest);
    return bits;
}

constexpr bool zero_below(const big_number& value, int bit)
{
    for (int word = 0; word < word_count && bit > 0; ++word, bit -= 64) {
        std::uint64_t mask = bit >= 64 ? ~std::uint64_t{0} : (std::uint64_t{1} << bit) - 1;
        if ((value[word] & mask) != 0) return false;
    }
    return true;
}

// The 128 bits below bit `top` (exclusive), zeros below bit 0.
constexpr power_of_ten_entry leading_bits(const big_number& value, int top, int scale_exponent)
{
    return {bits_from(value, top - 64), bits_from(value, top - 128), top - 128 + scale_exponent,
            zero_below(value, top - 128)};
}

constexpr void multiply_by_ten(big_number& value)
{
    unsigned __int128 carry = 0;
    for (auto& word : value) {
        unsigned __int128 product = static_cast<unsigned __int128>(word) * 10u + carry;
        word = static_cast<std::uint64_t>(product);
        carry = product >> 64;
    }
}

constexpr void divide_by_ten(big_number& value)
{
    unsigned __int128 remainder = 0;
    for (int word = word_count - 1; word >= 0; --word) {
        unsigned __int128 part = (remainder << 64) | value[word];
        value[word] = static_cast<std::uint64_t>(part / 10u);
        remainder = part % 10u;
    }
}

inline constexpr int dividend_exponent = 1216;

constexpr std::array<power_of_ten_entry, largest_decimal_scale - smallest_decimal_scale + 1> make_table()
{
    std::array<power_of_ten_entry, largest_decimal_scale - smallest_decimal_scale + 1> table{};
    big_number power{};
    power[0] = 1;
    for (int scale = 0; scale <= largest_decimal_scale; ++scale) {
        table[scale - smallest_decimal_scale] = leading_bits(power, bit_length(power), 0);
        multiply_by_ten(power);
    }
    // 10^-n as floor(2^1216 / 10^n) × 2^-1216; each division by ten floors once more.
    big_number quotient{};
    quotient[dividend_exponent / 64] = std::uint64_t{1} << (dividend_exponent % 64);
    for (int n = 1; n <= -smallest_decimal_scale; ++n) {
        divide_by_ten(quotient);
        power_of_ten_entry entry = leading_bits(quotient, bit_length(quotient), -dividend_exponent);
        entry.exact = false;
        table[-n - smallest_decimal_scale] = entry;
    }
    return table;
}

}  // namespace power_of_ten_generation

inline constexpr auto power_of_ten_table = power_of_ten_generation::make_table();

inline const power_of_ten_entry& power_of_ten(int scale)
{
    return power_of_ten_table[scale - smallest_decimal_scale];
}
