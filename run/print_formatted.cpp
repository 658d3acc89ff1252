#include "run/print_formatted.h"

#include <cstring>

#include "run/number_text.h"

namespace {

struct conversion {
    int width;      // -1 when absent
    int precision;  // -1 when absent
    char letter;
    const char* end;
};

int read_count(const char*& position, int limit)
{
    int count = 0;
    while (*position >= '0' && *position <= '9') {
        count = count * 10 + (*position++ - '0');
        if (count > limit) count = limit;
    }
    return count;
}

conversion parse_conversion(const char* percent)
{
    const char* position = percent + 1;
    conversion result{-1, -1, '\0', nullptr};
    if (*position >= '0' && *position <= '9') result.width = read_count(position, largest_field_width);
    if (*position == '.') {
        ++position;
        result.precision = read_count(position, largest_precision);
    }
    result.letter = *position;
    result.end = *position ? position + 1 : position;
    return result;
}

bool put_padding(text_stream& stream, std::size_t count)
{
    static const char spaces[largest_field_width] = {
        ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
        ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
        ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ',
        ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    return stream_put(stream, spaces, count);
}

}  // namespace

int print_formatted(text_stream& stream, const char* format, const print_argument* arguments,
                    std::size_t argument_count)
{
    std::size_t written = 0;
    std::size_t next_argument = 0;
    const char* literal = format;
    const char* position = format;
    char text[number_text_capacity];
    auto put = [&](const char* characters, std::size_t length) {
        written += length;
        return stream_put(stream, characters, length);
    };
    while (*position) {
        if (*position != '%') {
            ++position;
            continue;
        }
        conversion spec = parse_conversion(position);
        bool known = spec.letter == 'e' || spec.letter == 'g' || spec.letter == 's';
        if (!known || next_argument == argument_count) {
            position = spec.end;  // written as it stands
            continue;
        }
        if (!put(literal, position - literal)) return -1;
        const print_argument& argument = arguments[next_argument++];
        std::size_t length;
        const char* characters = text;
        int precision = spec.precision < 0 ? 6 : spec.precision;
        if (spec.letter == 'e') {
            length = e_style_text(argument.number, precision, text);
        } else if (spec.letter == 'g') {
            length = g_style_text(argument.number, precision == 0 ? 1 : precision, text);
        } else {
            characters = argument.text ? argument.text : "";
            length = std::strlen(characters);
        }
        // Right-aligned: spaces fill what the text leaves of the field; nothing is cut.
        std::size_t padding = spec.width > 0 && static_cast<std::size_t>(spec.width) > length ? spec.width - length : 0;
        written += padding;
        if (!put_padding(stream, padding) || !put(characters, length)) return -1;
        position = spec.end;
        literal = position;
    }
    if (!put(literal, position - literal)) return -1;
    if (!stream_end_print(stream)) return -1;
    return static_cast<int>(written);
}
