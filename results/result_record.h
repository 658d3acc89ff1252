#pragma once

#include "results/output_file_table.h"

// Appends one line " %12.6e %12.6e %12.6e \n" to the slot's file.
void write_result_record(output_slot slot, double first, double second, double third);
