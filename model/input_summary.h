#pragma once

// Echoes the entered and derived model quantities on standard output.
void print_input_summary();
