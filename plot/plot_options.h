#pragma once

#include <string>

enum class unit_labels { quantity_only, english, metric };

struct plot_options {
    std::string folder = ".";
    std::string output;  // the picture; empty: sdof_frf_plots.svg in the folder
    unit_labels units = unit_labels::quantity_only;
    bool log_frequency = false;
    bool help = false;
};

// Reads the command line; false, with `problem` set, when it is not understood.
bool read_plot_options(int argc, char** argv, plot_options& options, std::string& problem);

extern const char* const plot_usage;
