#pragma once

#include <string>

// Runs gnuplot with `script` on its standard input; false, with `problem` set, when it cannot
// be started or reports failure.
bool run_gnuplot(const std::string& script, std::string& problem);
