#pragma once

#include <cstdint>

#include "model/system_parameters.h"
#include "response/sweep_point.h"

// Walks the grid from 0 Hz to the first frequency above eight times the natural frequency and
// writes, at every point, one line to each of the fourteen result files.
// Called only for a grid that frequency_grid_has_end() accepted.
void run_frequency_sweep();

// The point of the grid with this index; its frequency is index × step, never a running sum.
sweep_point form_sweep_point(std::int32_t point_index, const system_parameters_record& model);
