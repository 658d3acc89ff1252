#pragma once

// Process-wide constants, written once by start_up() and read everywhere after.
extern double pi;
extern double two_pi;

// Floating-point settings, signal dispositions, the standard streams and the constants,
// all in place before the banner is printed.
void start_up();
