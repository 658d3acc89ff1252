#pragma once

#include <bit>
#include <cstdint>

// Arithmetic whose NaN results do not depend on the compiler. When both operands of an
// operation are NaNs the processor passes on the one that stands first in the instruction,
// and an optimiser may swap the operands of + and ×; these helpers always pass on the left
// operand of the source, quieted, so every build writes the same bytes.
inline double quieted(double nan)
{
    return std::bit_cast<double>(std::bit_cast<std::uint64_t>(nan) | 0x0008000000000000u);
}

inline double left_nan_first(double result, double left, double right)
{
    if (result == result) [[likely]] return result;
    if (left != left) return quieted(left);
    if (right != right) return quieted(right);
    return result;  // a new NaN from an invalid operation such as 0/0 or ∞ − ∞
}

inline double plus(double left, double right) { return left_nan_first(left + right, left, right); }
inline double minus(double left, double right) { return left_nan_first(left - right, left, right); }
inline double times(double left, double right) { return left_nan_first(left * right, left, right); }
inline double over(double left, double right) { return left_nan_first(left / right, left, right); }
