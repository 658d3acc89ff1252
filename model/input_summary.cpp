#include "model/input_summary.h"

#include "model/system_parameters.h"
#include "run/print_formatted.h"

void print_input_summary()
{
    const system_parameters_record& model = system_parameters;
    print_formatted(standard_output, "\n\n\n Input Summary:\n\n");
    if (model.unit_system == 1) {
        print_formatted(standard_output, " m=%8.4g lbm     \n", model.mass * internal_mass_to_lbm);
        print_formatted(standard_output, " k=%8.4g lbf/in  \n", model.stiffness);
    } else {
        print_formatted(standard_output, " m=%8.4g kg     \n", model.mass);
        print_formatted(standard_output, " k=%8.4g N/m    \n", model.stiffness);
    }
    print_formatted(standard_output, "\n     fn=%8.4g Hz      \n", model.natural_frequency);
    print_formatted(standard_output, "      Q=%8.4g Hz      \n", model.amplification_factor);
    print_formatted(standard_output, "   damp=%8.4g Hz      \n", model.damping_ratio);
}
