#pragma once

// The fourteen result files, in slot order: member k (nd_compliance, compliance,
// dynamic_stiffness, mobility, mechanical_impedance, accelerance, apparent_mass) has its
// complex file in slot 2k-1 and its magnitude-phase file in slot 2k.
inline constexpr int result_file_count = 14;

inline constexpr const char* result_file_names[result_file_count] = {
    "nd_compliance_complex.out",
    "nd_compliance_magnitude_phase.out",
    "compliance_complex.out",
    "compliance_magnitude_phase.out",
    "dynamic_stiffness_complex.out",
    "dynamic_stiffness_magnitude_phase.out",
    "mobility_complex.out",
    "mobility_magnitude_phase.out",
    "mechanical_impedance_complex.out",
    "mechanical_impedance_magnitude_phase.out",
    "accelerance_complex.out",
    "accelerance_magnitude_phase.out",
    "apparent_mass_complex.out",
    "apparent_mass_magnitude_phase.out",
};
