#include <bit>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "run/decimal_digits.h"
#include "run/number_text.h"

namespace {

double from_bits(std::uint64_t bits) { return std::bit_cast<double>(bits); }

std::string e_style(double value)
{
    char text[number_text_capacity];
    return std::string(text, e_style_text(value, 6, text));
}

std::string g_style(double value)
{
    char text[number_text_capacity];
    return std::string(text, g_style_text(value, 4, text));
}

struct e_row {
    double value;
    const char* text;
};

const double nearest_1_4000005 = 1.4000005;  // the double just below 1.4000005

TEST(e_style, table_of_values)
{
    const e_row rows[] = {
        // zeros and ordinary values
        {0.0, "0.000000e+000"},
        {-0.0, "0.000000e+000"},
        {1.0, "1.000000e+000"},
        {-180.0, "-1.800000e+002"},
        {0.1, "1.000000e-001"},
        {5.032921210448704, "5.032921e+000"},
        // rounding: an exact half goes up; the 17-digit text decides, not the exact value
        {1048576.5, "1.048577e+006"},
        {nearest_1_4000005, "1.400001e+000"},
        {9.9999996, "1.000000e+001"},
        // exponents of three digits
        {1e-5, "1.000000e-005"},
        {1e100, "1.000000e+100"},
        {1000.0, "1.000000e+003"},
        {0.5, "5.000000e-001"},
        // the ends of the range
        {from_bits(1), "4.940656e-324"},
        {std::numeric_limits<double>::max(), "1.797693e+308"},
        // special values, by bit pattern
        {std::numeric_limits<double>::infinity(), "1.#INF00e+000"},
        {-std::numeric_limits<double>::infinity(), "-1.#INF00e+000"},
        {from_bits(0xfff8000000000000u), "-1.#IND00e+000"},
        {from_bits(0x7ff8000000000000u), "1.#QNAN0e+000"},
        {from_bits(0xfff8000000000001u), "-1.#QNAN0e+000"},
        {from_bits(0x7ff0000000000001u), "1.#SNAN0e+000"},
    };
    for (const e_row& row : rows) EXPECT_EQ(e_style(row.value), row.text) << std::hexfloat << row.value;
}

TEST(e_style, every_seven_digit_significand_is_written_exactly)
{
    // Every leading value from 1000000 to 9999999, as the exact doubles 1000000.0 … 9999999.0.
    char text[number_text_capacity];
    std::string expected = "d.dddddde+006";
    for (int n = 1000000; n <= 9999999; ++n) {
        std::string digits = std::to_string(n);
        expected[0] = digits[0];
        expected.replace(2, 6, digits, 1, 6);
        std::size_t length = e_style_text(static_cast<double>(n), 6, text);
        if (std::string(text, length) != expected) {
            ADD_FAILURE() << n << " gave " << std::string(text, length);
            break;
        }
    }
}

TEST(e_style, nearest_to_1_4000005_lies_below_it)
{
    // The row above is only meaningful if the double really is below the decimal half.
    EXPECT_LT(nearest_1_4000005, 1.4000005L);
}

TEST(e_style, zero_over_zero_is_the_indefinite_value)
{
    volatile double zero = 0.0;
    EXPECT_EQ(e_style(zero / zero), "-1.#IND00e+000");
}

struct g_row {
    double value;
    int spaces;
    const char* text;
};

TEST(g_style, table_of_values_in_a_field_of_eight)
{
    const g_row rows[] = {
        {0.0, 7, "0"},
        {-0.0, 7, "0"},
        {1.0, 7, "1"},
        {-1.0, 6, "-1"},
        {0.05, 4, "0.05"},
        {10.0, 6, "10"},
        {386.0, 5, "386"},
        {5.032921210448704, 3, "5.033"},
        {0.0025906735751295338, 0, "0.002591"},
        {-123.456, 2, "-123.5"},
        {0.0001, 2, "0.0001"},
        {0.00012345, 0, "0.0001234"},
        {0.00009999, 0, "9.999e-005"},
        {1e-5, 2, "1e-005"},
        {1234.5, 4, "1235"},
        {100.05, 3, "100.1"},
        {999.95, 4, "1000"},
        {9999.5, 2, "1e+004"},
        {99.997, 5, "100"},
        {0.000099996, 2, "0.0001"},
        {12345.0, 0, "1.235e+004"},
        {100000.0, 2, "1e+005"},
        {std::numeric_limits<double>::infinity(), 3, "1.#IO"},
        {-std::numeric_limits<double>::infinity(), 2, "-1.#IO"},
        {from_bits(0xfff8000000000000u), 2, "-1.#IO"},
        {from_bits(0x7ff8000000000000u), 3, "1.#QO"},
    };
    for (const g_row& row : rows) {
        std::string text = g_style(row.value);
        EXPECT_EQ(text, row.text) << std::hexfloat << row.value;
        EXPECT_EQ(std::max(0, 8 - static_cast<int>(text.size())), row.spaces) << row.text;
    }
}

TEST(g_style, signalling_nan_keeps_its_own_letter)
{
    EXPECT_EQ(g_style(from_bits(0x7ff0000000000001u)), "1.#SO");
    EXPECT_EQ(g_style(from_bits(0xfff4000000000000u)), "-1.#SO");
}

TEST(decimal_digits, fields_of_special_and_ordinary_values)
{
    struct row {
        double value;
        bool is_negative;
        int point_position;
        const char* digits;
    } rows[] = {
        {0.0, false, 0, "0"},
        {-0.0, false, 0, "0"},
        {-std::numeric_limits<double>::infinity(), true, 1, "1#INF"},
        {from_bits(0xfff8000000000000u), true, 1, "1#IND"},
        {from_bits(0x7ff8000000000000u), false, 1, "1#QNAN"},
        {from_bits(0xfff0000000000001u), true, 1, "1#SNAN"},
        {0.1, false, 0, "10000000000000001"},       // 0.1000000000000000055511…
        {1e23, false, 23, "99999999999999992"},     // 99999999999999991611392
        {-5e-324, true, -323, "49406564584124654"},
        {1.7976931348623157e308, false, 309, "17976931348623157"},
        {0.3, false, 0, "29999999999999999"},      // 0.299999999999999988897…
        {123.0, false, 3, "123"},
    };
    for (const auto& r : rows) {
        decimal_digits d = decimal_digits_of(r.value);
        EXPECT_EQ(d.is_negative, r.is_negative) << r.digits;
        EXPECT_EQ(d.point_position, r.point_position) << r.digits;
        EXPECT_EQ(std::string(d.digits, d.length), r.digits);
    }
}

TEST(decimal_digits, the_eighteenth_digit_rounds_the_seventeenth)
{
    // 99999999999999974834176: the 18th digit, 8, raises the 17th from 4 to 5…
    decimal_digits below = decimal_digits_of(std::nextafter(1e23, 0.0));
    EXPECT_EQ(std::string(below.digits, below.length), "99999999999999975");
    // …and in 1 - 2^-53 = 0.999999999999999888977… it raises 8 to 9.
    decimal_digits one = decimal_digits_of(1.0 - std::ldexp(1.0, -53));
    EXPECT_EQ(std::string(one.digits, one.length), "99999999999999989");
    EXPECT_EQ(one.point_position, 0);
}

TEST(rounding, special_texts_raise_their_last_letter_without_carry)
{
    struct row {
        const char* digits;
        int n;
        const char* rounded;
        bool carried;
    } rows[] = {
        {"1#INF", 7, "1#INF00", false},
        {"1#INF", 4, "1#IO", false},
        {"1#QNAN", 4, "1#QO", false},
        {"1#QNAN", 6, "1#QNAN", false},
        {"99995", 4, "10000", true},
        {"12345", 4, "1235", false},
        {"12344", 4, "1234", false},
        {"5", 1, "5", false},
        {"96", 1, "10", true},
    };
    for (const auto& r : rows) {
        decimal_digits number{false, 1, static_cast<int>(std::strlen(r.digits)), {}};
        std::memcpy(number.digits, r.digits, number.length);
        char rounded[64];
        bool carried = round_digit_text(number, r.n, rounded);
        EXPECT_EQ(carried, r.carried) << r.digits;
        EXPECT_EQ(std::string(rounded, r.n + (carried ? 1 : 0)), r.rounded) << r.digits;
    }
}

TEST(decimal_digits, binary_to_decimal_exponent_estimate_holds_over_the_double_range)
{
    for (int e = -1100; e <= 1100; ++e) {
        long double exact = e * 0.301029995663981195213738894724493027L;
        EXPECT_EQ(floor_log10_pow2(e), static_cast<int>(std::floor(exact))) << e;
    }
}

TEST(decimal_digits, fast_path_falls_back_where_the_cut_is_in_doubt)
{
    // Exact powers of ten beyond 10^18 are integers whose scaled value is exactly 10^17 or
    // 10^18: an approximation from below would cut them one short.
    for (int k = 18; k <= 22; ++k) {
        double value = std::pow(10.0, k);
        int exponent;
        double fraction = std::frexp(value, &exponent);
        std::uint64_t mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
        int binary_exponent = exponent - 53;
        int scale = 18 - (k + 1);
        EXPECT_EQ(leading_decimal_digits(mantissa, binary_exponent, scale),
                  exact_leading_decimal_digits(mantissa, binary_exponent, scale)) << k;
        EXPECT_EQ(leading_decimal_digits(mantissa, binary_exponent, scale), 100000000000000000u) << k;
    }
}

}  // namespace
