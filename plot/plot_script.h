#pragma once

#include <string>

#include "plot/plot_options.h"
#include "plot/result_files.h"

// The natural frequency that the non-dimensional compliance implies (the files carry no
// parameters); NaN when no point tells it.
double estimate_natural_frequency(const result_set& results);

// The gnuplot commands, data included, that draw the fourteen files into one SVG picture.
std::string make_plot_script(const result_set& results, const plot_options& options);
