#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include <gtest/gtest.h>

#include "response/frequency_grid.h"
#include "response/frequency_sweep.h"
#include "response/ordered_arithmetic.h"
#include "response/transfer_function.h"
#include "run/start_up.h"

namespace {

const double infinity = std::numeric_limits<double>::infinity();
const double nan = std::numeric_limits<double>::quiet_NaN();
const double default_nan = std::bit_cast<double>(std::uint64_t{0xfff8000000000000u});

std::uint64_t bits(double value) { return std::bit_cast<std::uint64_t>(value); }

struct grid_row {
    double natural_frequency;
    double step;
    std::int64_t points;  // 0: the grid never ends within 2^31 - 1 points
};

TEST(frequency_grid, points_of_the_stop_rule)
{
    const grid_row rows[] = {
        {10.0, 1.0, 82},
        {10.0, 0.3, 268},
        {0.25, 0.1, 22},  // index 20 gives exactly 2.0, equal to the limit, so 21 is the last
        {1.0, 8.0, 3},
        {1.0, 10.0, 2},
        {0.0, 1.0, 2},
        {-1.0, 1.0, 1},
        {-1.0, -1.0, 1},
        {-infinity, 1.0, 1},
        {10.0, infinity, 2},  // 0 × ∞ is NaN, which does not end the sweep; ∞ does
        {std::sqrt(1000.0) / 6.283185307179586, 1.0, 42},
        // grids without end
        {10.0, 0.0, 0},
        {0.0, 0.0, 0},
        {10.0, -1.0, 0},
        {10.0, -infinity, 0},
        {-1.0, -infinity, 0},  // 0 × -∞ is NaN, then -∞ never passes -8
        {10.0, nan, 0},
        {nan, 1.0, 0},
        {infinity, 1.0, 0},
        {1e308, 1e300, 0},  // eight times overflows
        // more than 2^31 - 1 points
        {1e6, 1e-6, 0},
        {268435455.625, 1.0, 2147483647},  // limit 2147483645: the last index allowed passes it
        {268435455.75, 1.0, 0},            // limit 2147483646: one index too many
    };
    for (const grid_row& row : rows)
        EXPECT_EQ(count_grid_points(row.natural_frequency, row.step), row.points)
            << row.natural_frequency << " Hz, step " << row.step;
}

TEST(ordered_arithmetic, of_two_nans_the_left_one_is_passed_on_quieted)
{
    const double positive_nan = std::bit_cast<double>(std::uint64_t{0x7ff8000000000000u});
    const double signalling = std::bit_cast<double>(std::uint64_t{0x7ff0000000000001u});
    volatile double left = positive_nan, right = default_nan;  // keep the compiler from folding
    EXPECT_EQ(bits(plus(left, right)), bits(positive_nan));
    EXPECT_EQ(bits(plus(right, left)), bits(default_nan));
    EXPECT_EQ(bits(times(right, left)), bits(default_nan));
    EXPECT_EQ(bits(minus(left, right)), bits(positive_nan));
    EXPECT_EQ(bits(over(signalling, right)), std::uint64_t{0x7ff8000000000001u});
    EXPECT_EQ(bits(times(2.0, right)), bits(default_nan));
    volatile double zero = 0.0;
    EXPECT_EQ(bits(over(zero, zero)), bits(default_nan));
    EXPECT_EQ(plus(1.0, 2.0), 3.0);
}

struct value_row {
    transfer_function member;
    double real, imag, magnitude, phase;
};

transfer_value evaluate_at(transfer_function member, std::int32_t index, const system_parameters_record& model)
{
    return evaluate_transfer_function(member, form_member_terms(form_sweep_point(index, model), square(0.0), model));
}

void expect_bits(const value_row& row, const transfer_value& value)
{
    int member = static_cast<int>(row.member);
    EXPECT_EQ(bits(value.real), bits(row.real)) << "member " << member << " real " << value.real;
    EXPECT_EQ(bits(value.imag), bits(row.imag)) << "member " << member << " imag " << value.imag;
    EXPECT_EQ(bits(value.magnitude), bits(row.magnitude)) << "member " << member << " magnitude " << value.magnitude;
    EXPECT_EQ(bits(value.phase), bits(row.phase)) << "member " << member << " phase " << value.phase;
}

system_parameters_record model_of(double stiffness, double natural_frequency, double damping_ratio, double step)
{
    start_up();
    system_parameters_record model{};
    model.stiffness = stiffness;
    model.natural_frequency = natural_frequency;
    model.damping_ratio = damping_ratio;
    model.frequency_step = step;
    return model;
}

TEST(transfer_function, values_at_zero_frequency)
{
    const system_parameters_record model = model_of(1000.0, std::sqrt(1000.0) / 6.283185307179586, 0.05, 1.0);
    const double compliance_real = evaluate_at(transfer_function::compliance, 0, model).real;
    const double stiffness_real = evaluate_at(transfer_function::dynamic_stiffness, 0, model).real;
    EXPECT_DOUBLE_EQ(compliance_real, 1.0 / 1000.0);
    EXPECT_DOUBLE_EQ(stiffness_real, 1000.0);
    const value_row rows[] = {
        {transfer_function::nd_compliance, 1.0, -0.0, 1.0, 0.0},
        {transfer_function::compliance, compliance_real, -0.0, compliance_real, 0.0},
        {transfer_function::dynamic_stiffness, stiffness_real, 0.0, stiffness_real, -0.0},
        {transfer_function::mobility, 0.0, 0.0, 0.0, -0.0},
        {transfer_function::mechanical_impedance, default_nan, default_nan, default_nan, default_nan},
        {transfer_function::accelerance, -0.0, 0.0, 0.0, -180.0},
        {transfer_function::apparent_mass, default_nan, default_nan, default_nan, default_nan},
    };
    for (const value_row& row : rows) expect_bits(row, evaluate_at(row.member, 0, model));
}

TEST(transfer_function, exact_resonance_without_damping)
{
    // 10 Hz with a step of 0.5 Hz: index 20 lands exactly on the natural frequency.
    const system_parameters_record model = model_of(1000.0, 10.0, 0.0, 0.5);
    const value_row rows[] = {
        {transfer_function::nd_compliance, default_nan, default_nan, default_nan, default_nan},
        {transfer_function::compliance, default_nan, default_nan, default_nan, default_nan},
        {transfer_function::dynamic_stiffness, 0.0, 0.0, 0.0, -0.0},
        {transfer_function::mobility, default_nan, default_nan, default_nan, default_nan},
        {transfer_function::mechanical_impedance, 0.0, -0.0, 0.0, 0.0},
        {transfer_function::accelerance, default_nan, default_nan, default_nan, default_nan},
        {transfer_function::apparent_mass, -0.0, -0.0, 0.0, 180.0},
    };
    for (const value_row& row : rows) expect_bits(row, evaluate_at(row.member, 20, model));
}

TEST(transfer_function, exact_resonance_with_damping)
{
    const double damping_ratio = 0.05;
    const system_parameters_record model = model_of(1000.0, 10.0, damping_ratio, 0.5);
    transfer_value nd = evaluate_at(transfer_function::nd_compliance, 20, model);
    EXPECT_EQ(bits(nd.real), bits(0.0));
    EXPECT_DOUBLE_EQ(nd.imag, -1.0 / (2.0 * damping_ratio));
    EXPECT_DOUBLE_EQ(nd.magnitude, 1.0 / (2.0 * damping_ratio));
    EXPECT_EQ(nd.phase, 90.0);
    struct phase_row {
        transfer_function member;
        double phase;
    } rows[] = {
        {transfer_function::compliance, 90.0},
        {transfer_function::dynamic_stiffness, -90.0},
        {transfer_function::mobility, -0.0},
        {transfer_function::mechanical_impedance, 0.0},
        {transfer_function::accelerance, -90.0},
        {transfer_function::apparent_mass, 90.0},
    };
    for (const phase_row& row : rows)
        EXPECT_EQ(bits(evaluate_at(row.member, 20, model).phase), bits(row.phase)) << static_cast<int>(row.member);
}

TEST(transfer_function, inverse_members_are_reciprocal_and_compliance_scales_the_non_dimensional_one)
{
    std::mt19937 random(5);
    std::uniform_real_distribution<double> fraction(0.05, 1.0);
    for (int trial = 0; trial < 200; ++trial) {
        const double stiffness = 10.0 + 1e5 * fraction(random);
        const system_parameters_record model = model_of(stiffness, 20.0 * fraction(random), 0.5 * fraction(random), 0.37);
        const std::int32_t index = 1 + trial % 400;
        const struct {
            transfer_function forward, inverse;
        } pairs[] = {
            {transfer_function::compliance, transfer_function::dynamic_stiffness},
            {transfer_function::mobility, transfer_function::mechanical_impedance},
            {transfer_function::accelerance, transfer_function::apparent_mass},
        };
        for (const auto& pair : pairs) {
            transfer_value forward = evaluate_at(pair.forward, index, model);
            transfer_value inverse = evaluate_at(pair.inverse, index, model);
            EXPECT_NEAR(forward.magnitude * inverse.magnitude, 1.0, 1e-13);
            EXPECT_NEAR(forward.phase, -inverse.phase, 1e-10);
        }
        transfer_value nd = evaluate_at(transfer_function::nd_compliance, index, model);
        transfer_value compliance = evaluate_at(transfer_function::compliance, index, model);
        EXPECT_NEAR(compliance.magnitude * stiffness / nd.magnitude, 1.0, 1e-12);
        EXPECT_NEAR(compliance.phase, nd.phase, 1e-9);
    }
}

}  // namespace
