#pragma once

#include <initializer_list>
#include <string_view>

// Messages on standard error: one line each, written at once, never through the console
// transcript on standard output.
void report_error(std::initializer_list<std::string_view> parts);
void report_write_failure(const char* name, int error);
void report_open_failure(const char* name, int error);
