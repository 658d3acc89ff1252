#pragma once

#include "results/output_file_table.h"

// The layout of every result line: three values in e-style, each after one blank.
inline constexpr const char* result_line_format = " %12.6e %12.6e %12.6e \n";

// Appends one line in result_line_format to the slot's file. The bytes are those that
// print_formatted writes for that format, composed without reading the format each time.
void write_result_record(output_slot slot, double first, double second, double third);
