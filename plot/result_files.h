#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "results/result_file_names.h"

// The fourteen result files of one run, read back: for every slot its lines' three values.
struct result_columns {
    std::vector<double> first;
    std::vector<double> second;
    std::vector<double> third;
};

struct result_set {
    result_columns slot[result_file_count];  // entry i holds slot i + 1
    std::size_t line_count = 0;
};

// One value of a result line: the e-style text with its three-digit exponent, or the text of
// an infinity or a NaN. False when the text is anything else.
bool parse_result_value(std::string_view text, double& value);

// One line without its line end: blank, value, blank, value, blank, value, blank.
bool parse_result_line(std::string_view line, double values[3]);

// Reads all fourteen files from `folder`. On a missing file, a malformed line, files of unequal
// length or differing frequencies, sets `problem` to a message that names the file and line.
bool read_result_set(const std::string& folder, result_set& results, std::string& problem);
