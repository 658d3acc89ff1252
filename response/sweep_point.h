#pragma once

// The quantities of one grid point, formed afresh from the point's index.
struct sweep_point {
    double frequency;        // Hz: index × step, rounded once
    double frequency_ratio;  // frequency / natural frequency
    double omega;            // rad/s
    double omega_n;          // rad/s
    double omega_squared;
    double omega_n_squared;
};
