#pragma once

// Walks the grid from 0 Hz to the first frequency above eight times the natural frequency and
// writes, at every point, one line to each of the fourteen result files.
// Called only for a grid that frequency_grid_has_end() accepted.
void run_frequency_sweep();
