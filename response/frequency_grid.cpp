#include "response/frequency_grid.h"

#include <cmath>
#include <string_view>

#include "model/system_parameters.h"
#include "run/error_report.h"
#include "run/number_text.h"

std::int64_t count_grid_points(double natural_frequency, double frequency_step)
{
    const double frequency_limit = natural_frequency * 8.0;
    auto passes_limit = [&](std::int64_t index) { return static_cast<double>(index) * frequency_step > frequency_limit; };
    const std::int64_t last_index = largest_grid_point_count - 1;
    if (passes_limit(0)) return 1;
    if (passes_limit(1)) return 2;
    // Rounding keeps index × step monotonic from index 1 on, so the extreme index decides.
    if (!passes_limit(last_index)) return 0;
    std::int64_t below = 1, above = last_index;  // the first passing index lies in (below, above]
    while (above - below > 1) {
        std::int64_t middle = below + (above - below) / 2;
        (passes_limit(middle) ? above : below) = middle;
    }
    return above + 1;
}

namespace {

struct value_text {
    char text[number_text_capacity];
    std::size_t length;
    std::string_view view() const { return {text, length}; }
};

value_text shown(double value)
{
    value_text result;
    result.length = g_style_text(value, 6, result.text);
    return result;
}

}  // namespace

bool frequency_grid_has_end()
{
    const double natural_frequency = system_parameters.natural_frequency;
    const double step = system_parameters.frequency_step;
    if (count_grid_points(natural_frequency, step) != 0) return true;

    const std::string_view prefix = "no result file was written: ";
    value_text step_text = shown(step), frequency_text = shown(natural_frequency);
    if (std::isnan(step))
        report_error({prefix, "the frequency step is not a number (", step_text.view(), ")"});
    else if (std::isnan(natural_frequency))
        report_error({prefix, "the natural frequency is not a number (", frequency_text.view(), ")"});
    else if (std::isinf(natural_frequency))
        report_error({prefix, "the natural frequency is infinite (", frequency_text.view(), " Hz)"});
    else if (std::isinf(natural_frequency * 8.0))
        report_error({prefix, "eight times the natural frequency (", frequency_text.view(),
                      " Hz) is beyond the largest number"});
    else if (!(step > 0.0))
        report_error({prefix, "the frequency step (", step_text.view(),
                      " Hz) is not greater than zero, so the grid never passes eight times the natural frequency (",
                      frequency_text.view(), " Hz)"});
    else
        report_error({prefix, "the frequency step (", step_text.view(), " Hz) is too small for the natural frequency (",
                      frequency_text.view(), " Hz): the grid would need more than 2147483647 points"});
    return false;
}
