#pragma once

#include <cstdint>

// The most points a sweep may have: its index runs from 0 to 2^31 - 2.
inline constexpr std::int64_t largest_grid_point_count = 2147483647;

// How many points the stop rule gives (the sweep ends after the first frequency above eight
// times the natural frequency), or 0 when it would never end within largest_grid_point_count.
std::int64_t count_grid_points(double natural_frequency, double frequency_step);

// True when the grid of system_parameters ends; otherwise says on standard error which value
// makes it endless or too large.
bool frequency_grid_has_end();
