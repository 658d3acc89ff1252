#pragma once

#include <cstdint>

// The one model of the run, zero before the dialogue fills it. Masses are held in internal
// units: kg, or lbf·s²/in in English units.
struct system_parameters_record {
    std::int32_t unit_system;    // 1 English, 2 metric
    std::int32_t input_method;   // 1 mass & stiffness, 2 mass & natural frequency, 3 stiffness & natural frequency
    double mass;
    double stiffness;            // lbf/in or N/m
    double natural_frequency;    // Hz
    std::int32_t damping_format; // 1 damping ratio, anything else Q
    double damping_ratio;
    double amplification_factor;
    double frequency_step;       // Hz
};

extern system_parameters_record system_parameters;

inline constexpr double lbm_to_internal_mass = 0.0025906735751295338;  // nearest double to 1/386
inline constexpr double internal_mass_to_lbm = 386.0;

// The correctly rounded square, the same at every optimisation level: x·x is exactly that
// (and gives +0, +inf and the NaN itself for zeros, infinities and NaNs).
inline double square(double x) { return x * x; }

// The relations between the model quantities, each in its fixed order of evaluation.
double natural_frequency_from(double stiffness, double mass);
double stiffness_from(double mass, double natural_frequency);
double mass_from(double stiffness, double natural_frequency);
double damping_ratio_from(double amplification_factor);
double amplification_factor_from(double damping_ratio);
