// The renderer against a reference that is slow but plainly right: the exact decimal
// expansion of the double from big-integer arithmetic, then the digit and text rules applied
// to strings, one character at a time.
#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "run/decimal_digits.h"
#include "run/number_text.h"

namespace {

// Little-endian base 10^9.
using big_decimal = std::vector<std::uint32_t>;

void multiply(big_decimal& value, std::uint32_t factor)
{
    std::uint64_t carry = 0;
    for (std::uint32_t& limb : value) {
        std::uint64_t product = static_cast<std::uint64_t>(limb) * factor + carry;
        limb = static_cast<std::uint32_t>(product % 1000000000u);
        carry = product / 1000000000u;
    }
    while (carry != 0) {
        value.push_back(static_cast<std::uint32_t>(carry % 1000000000u));
        carry /= 1000000000u;
    }
}

void multiply_by_power(big_decimal& value, std::uint32_t base, int exponent)
{
    for (; exponent > 0; --exponent) multiply(value, base);
}

std::string to_text(const big_decimal& value)
{
    std::string text = std::to_string(value.back());
    for (std::size_t i = value.size() - 1; i-- > 0;) {
        std::string limb = std::to_string(value[i]);
        text += std::string(9 - limb.size(), '0') + limb;
    }
    return text;
}

// All significant digits of |x| (x finite, nonzero) and p with |x| = 0.digits × 10^p.
std::string exact_digits(double x, int& point_position)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(x) & 0x7fffffffffffffffu;
    int biased = static_cast<int>(bits >> 52);
    std::uint64_t mantissa = bits & 0xfffffffffffffu;
    int exponent = biased == 0 ? -1074 : biased - 1075;
    if (biased != 0) mantissa |= std::uint64_t{1} << 52;
    big_decimal value{static_cast<std::uint32_t>(mantissa % 1000000000u)};
    if (mantissa >= 1000000000u) value.push_back(static_cast<std::uint32_t>(mantissa / 1000000000u % 1000000000u));
    if (mantissa >= 1000000000000000000u) value.push_back(static_cast<std::uint32_t>(mantissa / 1000000000000000000u));
    // m × 2^e, or m × 5^-e / 10^-e for negative e.
    int fraction_digits = 0;
    if (exponent >= 0) {
        multiply_by_power(value, 2, exponent);
    } else {
        multiply_by_power(value, 5, -exponent);
        fraction_digits = -exponent;
    }
    std::string text = to_text(value);
    point_position = static_cast<int>(text.size()) - fraction_digits;
    return text;
}

struct reference_digits {
    bool negative;
    int point_position;
    std::string digits;
    char eighteenth;      // the digit that rounds the 17th
    bool nines_8_to_17;   // digits 8 to 17 all 9: rounding carries through them
};

reference_digits reference_decimal_digits(double x)
{
    reference_digits result{std::signbit(x), 0, "", '0', false};
    std::string all = exact_digits(x, result.point_position);
    all.resize(std::max<std::size_t>(all.size(), 18), '0');
    result.eighteenth = all[17];
    result.nines_8_to_17 = all.substr(7, 10) == std::string(10, '9');
    std::string first_17 = all.substr(0, 17);
    if (all[17] >= '5') {
        int i = 16;
        for (; i >= 0 && first_17[i] == '9'; --i) first_17[i] = '0';
        if (i < 0) {
            first_17 = "1";
            ++result.point_position;
        } else {
            ++first_17[i];
        }
    }
    while (first_17.size() > 1 && first_17.back() == '0') first_17.pop_back();
    result.digits = first_17;
    return result;
}

// Rounding of a digit text to n characters, written out from the rules.
std::string reference_round(const std::string& digits, int n, int& point_position)
{
    std::string taken = digits.substr(0, std::min<std::size_t>(n, digits.size()));
    taken.resize(n, '0');
    if (static_cast<int>(digits.size()) > n && digits[n] >= '5') {
        int i = n - 1;
        for (; i >= 0 && taken[i] == '9'; --i) taken[i] = '0';
        if (i < 0) {
            taken = "1" + std::string(n, '0');
            ++point_position;
        } else {
            ++taken[i];
        }
    }
    return taken;
}

std::string reference_exponent(int exponent)
{
    std::string magnitude = std::to_string(std::abs(exponent));
    return std::string("e") + (exponent < 0 ? "-" : "+") + std::string(3 - std::min<std::size_t>(3, magnitude.size()), '0') + magnitude;
}

std::string reference_e_style(const reference_digits& d)
{
    int point_position = d.point_position;
    std::string t = reference_round(d.digits, 7, point_position);
    return std::string(d.negative ? "-" : "") + t[0] + "." + t.substr(1, 6) + reference_exponent(point_position - 1);
}

std::string strip_zeros(std::string body)
{
    while (body.back() == '0') body.pop_back();
    if (body.back() == '.') body.pop_back();
    return body;
}

std::string reference_g_style(const reference_digits& d)
{
    int point_position = d.point_position;
    int before = point_position - 1;
    std::string t = reference_round(d.digits, 4, point_position);
    int exponent = point_position - 1;
    std::string sign = d.negative ? "-" : "";
    if (exponent < -4 || exponent >= 4)
        return sign + strip_zeros(t.substr(0, 1) + "." + t.substr(1, 3)) + reference_exponent(exponent);
    if (exponent > before) t.pop_back();
    if (point_position > 0) return sign + strip_zeros(t.substr(0, point_position) + "." + t.substr(point_position));
    return sign + strip_zeros("0." + std::string(-point_position, '0') + t);
}

std::size_t sample_size(std::size_t usual)
{
    // SDOF_DIFFERENTIAL_COUNT=5000000 runs the long comparison before a release.
    const char* requested = std::getenv("SDOF_DIFFERENTIAL_COUNT");
    return requested ? std::strtoull(requested, nullptr, 10) : usual;
}

struct comparison {
    std::size_t compared = 0;
    std::size_t mismatches = 0;
    std::size_t eighteenth_4_or_5 = 0;  // how often each hard case came up
    std::size_t nines_8_to_17 = 0;

    void check(double x)
    {
        if (!std::isfinite(x) || x == 0.0) return;
        ++compared;
        reference_digits expected = reference_decimal_digits(x);
        eighteenth_4_or_5 += expected.eighteenth == '4' || expected.eighteenth == '5';
        nines_8_to_17 += expected.nines_8_to_17;
        decimal_digits actual = decimal_digits_of(x);
        char text[number_text_capacity];
        std::string e_text(text, e_style_text(x, 6, text));
        std::string g_text(text, g_style_text(x, 4, text));
        bool same = std::string(actual.digits, actual.length) == expected.digits &&
                    actual.point_position == expected.point_position && actual.is_negative == expected.negative &&
                    e_text == reference_e_style(expected) && g_text == reference_g_style(expected);
        if (!same && ++mismatches <= 10) {
            ADD_FAILURE() << std::hexfloat << x << ": digits " << std::string(actual.digits, actual.length) << " p "
                          << actual.point_position << " e " << e_text << " g " << g_text << "; reference "
                          << expected.digits << " p " << expected.point_position << " e "
                          << reference_e_style(expected) << " g " << reference_g_style(expected);
        }
    }
};

TEST(renderer_against_reference, random_bit_patterns_over_the_whole_range)
{
    std::mt19937_64 random(20261211);
    comparison c;
    std::size_t count = sample_size(60000);
    for (std::size_t i = 0; i < count; ++i) c.check(std::bit_cast<double>(random()));
    EXPECT_EQ(c.mismatches, 0u) << "of " << c.compared;
    EXPECT_GT(c.eighteenth_4_or_5, c.compared / 10);  // about one in five
}

TEST(renderer_against_reference, subnormals_and_the_smallest_normals)
{
    std::mt19937_64 random(7);
    comparison c;
    std::size_t count = sample_size(60000) / 10;
    for (std::size_t i = 0; i < count; ++i) {
        std::uint64_t fraction = random() >> (12 + random() % 52);
        c.check(std::bit_cast<double>(fraction | (random() & 0x8000000000000000u)));
        c.check(std::bit_cast<double>((fraction & 0xfffffffffffffu) | 0x0010000000000000u));
    }
    EXPECT_EQ(c.mismatches, 0u) << "of " << c.compared;
}

TEST(renderer_against_reference, around_every_power_of_ten)
{
    comparison c;
    for (int k = -323; k <= 308; ++k) {
        std::string text = "1e" + std::to_string(k);
        double power = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), power);
        double below = power, above = power;
        for (int step = 0; step < 4; ++step) {
            c.check(below);
            c.check(above);
            below = std::nextafter(below, 0.0);
            above = std::nextafter(above, INFINITY);
        }
    }
    EXPECT_EQ(c.mismatches, 0u) << "of " << c.compared;
}

TEST(renderer_against_reference, carries_through_runs_of_nines_and_halves)
{
    // Seven leading digits, then nines up to the 17th and a last digit from 0 to 9, so that the
    // e-style and 17-digit roundings carry; and values ending in an exact decimal half.
    std::mt19937_64 random(11);
    comparison c;
    std::size_t count = sample_size(60000) / 10;
    for (std::size_t i = 0; i < count; ++i) {
        int exponent = static_cast<int>(random() % 600) - 300;
        std::string text = std::to_string(1000000 + random() % 9000000) + std::string(9 + random() % 2, '9') +
                           std::to_string(random() % 10) + "e" + std::to_string(exponent);
        double value = 0.0;
        std::from_chars(text.data(), text.data() + text.size(), value);
        // The nearest double rarely keeps all those nines; one of its close neighbours often does.
        for (int step = 0; step < 3; ++step) value = std::nextafter(value, 0.0);
        for (int neighbour = 0; neighbour < 7; ++neighbour, value = std::nextafter(value, INFINITY)) c.check(value);
        c.check(std::ldexp(static_cast<double>(random() % 100000000) + 0.5, static_cast<int>(random() % 8)));
    }
    EXPECT_EQ(c.mismatches, 0u) << "of " << c.compared;
    EXPECT_GT(c.nines_8_to_17, count / 10);  // several hundred carries through ten nines
}

TEST(renderer_against_reference, the_exact_path_agrees_with_the_fast_path)
{
    std::mt19937_64 random(3);
    std::size_t count = sample_size(60000) / 4;
    std::size_t mismatches = 0;
    for (std::size_t i = 0; i < count; ++i) {
        double x = std::fabs(std::bit_cast<double>(random()));
        if (!std::isfinite(x) || x == 0.0) continue;
        int exponent;
        double fraction = std::frexp(x, &exponent);
        std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
        int binary_exponent = exponent - 53;
        int scale = 18 - (floor_log10_pow2(exponent - 1) + 1);
        if (leading_decimal_digits(mantissa, binary_exponent, scale) !=
            exact_leading_decimal_digits(mantissa, binary_exponent, scale))
            ++mismatches;
    }
    EXPECT_EQ(mismatches, 0u);
}

}  // namespace
