#pragma once

#include <cstdint>

// The whole run, from the banner to the closing key; returns the key's code.
std::int32_t run_program();
