#pragma once

#include <cstdint>

// Reads one answer from standard input into its field. A read that finds no number leaves
// the field unchanged; the character that ends a number stays for the next read.
void read_integer_answer(std::int32_t& field);
void read_real_answer(double& field);

// The most characters after the sign that a real answer may take.
inline constexpr int longest_real_answer = 349;
