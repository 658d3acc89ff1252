#include "model/system_parameters.h"

#include <cmath>

#include "run/start_up.h"

system_parameters_record system_parameters{};

double natural_frequency_from(double stiffness, double mass)
{
    return std::sqrt(stiffness / mass) / two_pi;
}

double stiffness_from(double mass, double natural_frequency)
{
    return square(two_pi * natural_frequency) * mass;
}

double mass_from(double stiffness, double natural_frequency)
{
    return stiffness / square(two_pi * natural_frequency);
}

double damping_ratio_from(double amplification_factor)
{
    return 1.0 / (amplification_factor + amplification_factor);
}

double amplification_factor_from(double damping_ratio)
{
    return 1.0 / (damping_ratio + damping_ratio);
}
