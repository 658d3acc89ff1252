#include "response/transfer_function.h"

#include <cmath>

#include "response/ordered_arithmetic.h"
#include "run/start_up.h"

member_terms form_member_terms(const sweep_point& point, double zero_square, const system_parameters_record& model)
{
    member_terms terms;
    terms.characteristic_real = minus(point.omega_n_squared, point.omega_squared);
    double half_imag = times(times(model.damping_ratio, point.omega_n), point.omega);
    terms.characteristic_imag = plus(half_imag, half_imag);
    terms.compliance_gain = over(point.omega_n_squared, model.stiffness);
    terms.mobility_gain = over(times(point.omega_n_squared, point.omega), model.stiffness);
    terms.accelerance_gain = -over(times(point.omega_n_squared, point.omega_squared), model.stiffness);
    terms.characteristic_norm = plus(square(terms.characteristic_imag), square(terms.characteristic_real));
    terms.zero_square = zero_square;
    terms.frequency_ratio = point.frequency_ratio;
    terms.damping_ratio = model.damping_ratio;
    return terms;
}

namespace {

// Magnitude and phase from the stored real and imaginary parts.
transfer_value polar(double real, double imag)
{
    double magnitude = std::sqrt(plus(square(imag), square(real)));
    double phase = over(times(std::atan2(imag, real), -180.0), pi);
    return {real, imag, magnitude, phase};
}

// Each member is N / D with the products against a constant-zero part left out, which
// decides the sign of zero results: one product remains for each part.
transfer_value nd_compliance_value(const member_terms& terms)
{
    double denominator_real = minus(1.0, square(terms.frequency_ratio));
    double half_imag = times(terms.damping_ratio, terms.frequency_ratio);
    double denominator_imag = plus(half_imag, half_imag);
    double norm = plus(square(denominator_imag), square(denominator_real));
    return polar(over(denominator_real, norm), over(-denominator_imag, norm));
}

// Numerator (gain, 0) over the characteristic term.
transfer_value over_characteristic(double gain, const member_terms& terms)
{
    double norm = terms.characteristic_norm;
    return polar(over(times(gain, terms.characteristic_real), norm), over(-times(gain, terms.characteristic_imag), norm));
}

// The characteristic term over a real denominator (gain, 0).
transfer_value characteristic_over(double gain, const member_terms& terms)
{
    double norm = plus(square(gain), terms.zero_square);
    return polar(over(times(terms.characteristic_real, gain), norm), over(times(terms.characteristic_imag, gain), norm));
}

}  // namespace

transfer_value evaluate_transfer_function(transfer_function member, const member_terms& terms)
{
    switch (member) {
    case transfer_function::nd_compliance: return nd_compliance_value(terms);
    case transfer_function::compliance: return over_characteristic(terms.compliance_gain, terms);
    case transfer_function::dynamic_stiffness: return characteristic_over(terms.compliance_gain, terms);
    case transfer_function::mobility: {
        // (0, gm) over the characteristic term.
        double norm = terms.characteristic_norm;
        return polar(over(times(terms.mobility_gain, terms.characteristic_imag), norm),
                     over(times(terms.mobility_gain, terms.characteristic_real), norm));
    }
    case transfer_function::mechanical_impedance: {
        // The characteristic term over (0, gm).
        double norm = plus(square(terms.mobility_gain), terms.zero_square);
        return polar(over(times(terms.characteristic_imag, terms.mobility_gain), norm),
                     over(-times(terms.characteristic_real, terms.mobility_gain), norm));
    }
    case transfer_function::accelerance: return over_characteristic(terms.accelerance_gain, terms);
    case transfer_function::apparent_mass: return characteristic_over(terms.accelerance_gain, terms);
    }
    return {};
}
