#pragma once

#include <cstddef>

#include "run/decimal_digits.h"

// Longest text of one conversion: sign, precision digits, point, exponent, field padding.
inline constexpr int largest_precision = 40;
inline constexpr int largest_field_width = 64;
inline constexpr std::size_t number_text_capacity = 128;

// Rounding of a digit text to n characters (n ≥ 1): the first n, padded with '0'; a following
// character with a code not below '5' raises the last one, '9' carrying into its left
// neighbour. Writes n characters, or n + 1 ("1" and n zeros) when the carry runs past the
// first, in which case it returns true.
bool round_digit_text(const decimal_digits& number, int n, char* rounded);

// E-style and g-style texts, as "%.<precision>e" and "%.<precision>g" write them, without
// field padding; each returns the number of characters written to `text`.
std::size_t e_style_text(double value, int precision, char* text);
std::size_t g_style_text(double value, int precision, char* text);
