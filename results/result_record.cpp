#include "results/result_record.h"

#include <bit>
#include <cstdint>
#include <cstring>

#include "run/e_style_6.h"
#include "run/number_text.h"

namespace {

// Each value takes 13 characters, 14 with a minus sign, so the field of 12 never adds a blank.
constexpr std::size_t longest_value = 14;
constexpr std::size_t longest_line_characters = 4 + 3 * longest_value;

// The grid frequency opens all fourteen lines of a point: its text is made once.
struct remembered_text {
    std::uint64_t bits = 0;
    bool valid = false;
    std::size_t length = 0;
    char text[16];
};
remembered_text first_value;

char* put_first_value(double value, char* out)
{
    std::uint64_t bits = std::bit_cast<std::uint64_t>(value);
    if (!first_value.valid || first_value.bits != bits) {
        first_value.length = e_style_6_text(value, first_value.text);
        first_value.bits = bits;
        first_value.valid = true;
    }
    std::memcpy(out, first_value.text, sizeof first_value.text);  // a fixed-size copy; the excess is overwritten
    return out + first_value.length;
}

// The line with its line end already as CR LF; returns the bytes written.
std::size_t compose_line(double first, double second, double third, char* out)
{
    char* next = out;
    *next++ = ' ';
    next = put_first_value(first, next);
    *next++ = ' ';
    next += e_style_6_text(second, next);
    *next++ = ' ';
    next += e_style_6_text(third, next);
    std::memcpy(next, " \r\n", 3);
    return next + 3 - out;
}

}  // namespace

void write_result_record(output_slot slot, double first, double second, double third)
{
    text_stream& stream = output_file(slot).stream;
    if (char* space = stream_line_space(stream, longest_line_characters)) {
        std::size_t bytes = compose_line(first, second, third, space);
        stream_line_written(stream, bytes - 1, bytes);
        return;
    }
    // Near the 4096th character the line may straddle a write-out: it goes through the
    // character count as text with a plain LF.
    char line[number_text_capacity * 3];
    std::size_t bytes = compose_line(first, second, third, line);
    line[bytes - 2] = '\n';
    stream_put(stream, line, bytes - 1);
}
