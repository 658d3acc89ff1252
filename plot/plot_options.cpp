#include "plot/plot_options.h"

#include <string_view>

const char* const plot_usage =
    "Usage: sdof_frf_plot [--units english|metric] [--log-frequency] [--output FILE] [FOLDER]\n"
    "\n"
    "Reads the fourteen result files that sdof_frf wrote into FOLDER (the current folder when\n"
    "none is given) and writes one SVG picture, sdof_frf_plots.svg in that folder unless\n"
    "--output names another file. Open it in a web browser.\n"
    "\n"
    "The picture holds a Bode pair for each of the seven response functions (magnitude on a\n"
    "logarithmic axis, phase in degrees, both over frequency) and the Nyquist plot of the\n"
    "compliance (imaginary over real part). A dashed line marks the natural frequency, which\n"
    "the non-dimensional compliance implies at every point. Values that are\n"
    "infinite or not a number, and magnitudes that a logarithmic axis cannot show, are gaps\n"
    "in their curves. Runs of more than 16000 points are thinned to what a panel can show:\n"
    "every stretch of consecutive points keeps its first point, its highest and lowest\n"
    "values and its gaps.\n"
    "\n"
    "Options:\n"
    "  --units english|metric  label the axes with the units that follow from the stiffness\n"
    "                          (lbf/in or N/m); without it the labels name the quantity only,\n"
    "                          since the files carry no units\n"
    "  --log-frequency         logarithmic frequency axis (0 Hz is then left out)\n"
    "  --output FILE           write the picture to FILE\n"
    "  --help                  show this text\n"
    "\n"
    "Exit status: 0 when the picture was written; 1 when a file is missing or malformed, the\n"
    "files are not from one run, or gnuplot failed; 2 for an unknown option.\n";

bool read_plot_options(int argc, char** argv, plot_options& options, std::string& problem)
{
    bool folder_given = false;
    for (int i = 1; i < argc; ++i) {
        std::string_view argument = argv[i];
        auto value_of = [&](std::string_view name, std::string& value) {
            if (argument.starts_with(std::string(name) + "=")) {
                value = argument.substr(name.size() + 1);
                return true;
            }
            if (argument == name && i + 1 < argc) {
                value = argv[++i];
                return true;
            }
            return false;
        };
        std::string value;
        if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--log-frequency") {
            options.log_frequency = true;
        } else if (value_of("--units", value)) {
            if (value == "english") options.units = unit_labels::english;
            else if (value == "metric") options.units = unit_labels::metric;
            else {
                problem = "--units takes english or metric, not \"" + value + "\"";
                return false;
            }
        } else if (value_of("--output", value)) {
            options.output = value;
        } else if (argument.starts_with("-")) {
            problem = "unknown option \"" + std::string(argument) + "\"";
            return false;
        } else if (folder_given) {
            problem = "only one folder can be given";
            return false;
        } else {
            options.folder = argument;
            folder_given = true;
        }
    }
    if (options.output.empty()) options.output = options.folder + "/sdof_frf_plots.svg";
    return true;
}
