#include "model/parameter_dialogue.h"

#include "model/answer_reading.h"
#include "model/input_summary.h"
#include "model/system_parameters.h"
#include "run/print_formatted.h"

namespace {

void say(const char* text) { print_formatted(standard_output, text); }

void ask_units()
{
    say("\n Select units             ");
    say("\n 1=English   2=metric    \n");
    read_integer_answer(system_parameters.unit_system);
    if (system_parameters.unit_system != 1 && system_parameters.unit_system != 2) system_parameters.unit_system = 1;
}

void ask_input_method()
{
    say("\n\n Select input data method:      ");
    say("\n 1 = mass & stiffness             ");
    say("\n 2 = mass & natural frequency     ");
    say("\n 3 = stiffness & natural frequency \n");
    read_integer_answer(system_parameters.input_method);
    int method = system_parameters.input_method;
    if (method != 1 && method != 2 && method != 3) system_parameters.input_method = 1;
}

void ask_mass(bool english)
{
    say(english ? "\n Enter mass (lbm) \n" : "\n Enter mass (kg) \n");
    read_real_answer(system_parameters.mass);
    if (english) system_parameters.mass = system_parameters.mass * lbm_to_internal_mass;
}

void ask_stiffness(bool english)
{
    say(english ? "\n Enter stiffness (lbf/in) \n" : "\n Enter stiffness (N/m) \n");
    read_real_answer(system_parameters.stiffness);
}

void ask_natural_frequency()
{
    say("\n Enter natural frequency (Hz) \n");
    read_real_answer(system_parameters.natural_frequency);
}

void ask_model_quantities()
{
    system_parameters_record& model = system_parameters;
    bool english = model.unit_system == 1;
    switch (model.input_method) {
    case 1:
        ask_mass(english);
        ask_stiffness(english);
        model.natural_frequency = natural_frequency_from(model.stiffness, model.mass);
        break;
    case 2:
        ask_mass(english);
        ask_natural_frequency();
        model.stiffness = stiffness_from(model.mass, model.natural_frequency);
        break;
    default:
        ask_stiffness(english);
        ask_natural_frequency();
        model.mass = mass_from(model.stiffness, model.natural_frequency);
        break;
    }
}

void ask_damping()
{
    system_parameters_record& model = system_parameters;
    say("\n Enter damping format. \n 1= damping ratio   2= Q \n");
    read_integer_answer(model.damping_format);
    if (model.damping_format == 1) {
        say("\n Enter damping ratio (typically 0.05) ");
        read_real_answer(model.damping_ratio);
        model.amplification_factor = amplification_factor_from(model.damping_ratio);
    } else {
        say("\n Enter amplification factor Q (typically 10) ");
        read_real_answer(model.amplification_factor);
        model.damping_ratio = damping_ratio_from(model.amplification_factor);
    }
    // A warning only: the ratio is used as it is. A NaN compares false and passes silently.
    if (model.damping_ratio >= 1.0) say("\n Error:  damping value must be < 1 \n");
}

void ask_frequency_step()
{
    say("\n\n Enter the frequency step (Hz)  ( Typically <= 1 ) \n");
    read_real_answer(system_parameters.frequency_step);
}

}  // namespace

void run_parameter_dialogue()
{
    ask_units();
    ask_input_method();
    ask_model_quantities();
    ask_damping();
    ask_frequency_step();
    print_input_summary();
}
