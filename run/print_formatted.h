#pragma once

#include <cstddef>

#include "run/text_stream.h"

// One value for a conversion of a format text: a number for "%e" and "%g", a text for "%s".
struct print_argument {
    double number;
    const char* text;
};

inline print_argument make_print_argument(double number) { return {number, nullptr}; }
inline print_argument make_print_argument(const char* text) { return {0.0, text}; }

// Writes the format text to the stream, each conversion ("%12.6e", "%8.4g", "%s": optional
// width, optional precision, letter) replaced by the text of the next argument. Returns the
// number of characters written, or -1 when the stream refused a write (the rest is dropped).
int print_formatted(text_stream& stream, const char* format, const print_argument* arguments,
                    std::size_t argument_count);

template <typename... Values>
int print_formatted(text_stream& stream, const char* format, Values... values)
{
    const print_argument arguments[] = {make_print_argument(values)..., {0.0, nullptr}};
    return print_formatted(stream, format, arguments, sizeof...(Values));
}
