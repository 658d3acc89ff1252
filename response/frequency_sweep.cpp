#include "response/frequency_sweep.h"

#include <cstdint>

#include "model/system_parameters.h"
#include "response/ordered_arithmetic.h"
#include "response/transfer_function.h"
#include "results/result_record.h"
#include "run/start_up.h"

sweep_point form_sweep_point(std::int32_t point_index, const system_parameters_record& model)
{
    sweep_point point;
    point.frequency = static_cast<double>(point_index) * model.frequency_step;
    point.frequency_ratio = over(point.frequency, model.natural_frequency);
    point.omega = two_pi * point.frequency;
    point.omega_n = two_pi * model.natural_frequency;
    point.omega_squared = square(point.omega);
    point.omega_n_squared = square(point.omega_n);
    return point;
}

void run_frequency_sweep()
{
    const system_parameters_record& model = system_parameters;
    const double frequency_limit = model.natural_frequency * 8.0;
    const double zero_square = square(0.0);
    for (std::int32_t point_index = 0;; ++point_index) {
        const sweep_point point = form_sweep_point(point_index, model);
        const member_terms terms = form_member_terms(point, zero_square, model);
        for (int member = 1; member <= transfer_function_count; ++member) {
            transfer_value value = evaluate_transfer_function(static_cast<transfer_function>(member), terms);
            write_result_record(2 * member - 1, point.frequency, value.real, value.imag);
            write_result_record(2 * member, point.frequency, value.magnitude, value.phase);
        }
        // A NaN on either side does not count as greater.
        if (point.frequency > frequency_limit) break;
    }
}
