#pragma once

#include "model/system_parameters.h"
#include "response/sweep_point.h"

enum class transfer_function {
    nd_compliance = 1,
    compliance,
    dynamic_stiffness,
    mobility,
    mechanical_impedance,
    accelerance,
    apparent_mass,
};

inline constexpr int transfer_function_count = 7;

// One member's value at one point: the complex quotient and its polar form.
struct transfer_value {
    double real;
    double imag;
    double magnitude;
    double phase;  // degrees, the negative of the argument: a lag is positive
};

// The terms of one point that several members share, each formed once.
struct member_terms {
    double characteristic_real;  // ωn² − ω²
    double characteristic_imag;  // 2ζωnω
    double compliance_gain;      // ωn² / k
    double mobility_gain;        // ωn²ω / k
    double accelerance_gain;     // −ωn²ω² / k
    double characteristic_norm;  // square(ci) + square(cr), the denominator norm of 2, 4 and 6
    double zero_square;          // the square of a denominator part that is the constant zero
    double frequency_ratio;
    double damping_ratio;
};

member_terms form_member_terms(const sweep_point& point, double zero_square, const system_parameters_record& model);

transfer_value evaluate_transfer_function(transfer_function member, const member_terms& terms);
