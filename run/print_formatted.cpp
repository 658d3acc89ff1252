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

// The text of one print is assembled here and handed to the stream in one piece; a text
// longer than this goes in several.
constexpr std::size_t assembly_capacity = 1024;

struct assembly {
    text_stream& stream;
    std::size_t length = 0;
    std::size_t written = 0;
    bool refused = false;
    char text[assembly_capacity];  // left uninitialised: only the first `length` count

    explicit assembly(text_stream& target) : stream(target) {}

    // Makes room for `count` more characters; false once the stream has refused a write.
    bool room_for(std::size_t count)
    {
        if (assembly_capacity - length >= count) return true;
        return hand_over();
    }

    bool hand_over()
    {
        if (!stream_put(stream, text, length)) refused = true;
        written += length;
        length = 0;
        return !refused;
    }

    bool append(const char* characters, std::size_t count)
    {
        while (count > 0) {
            if (length == assembly_capacity && !hand_over()) return false;
            std::size_t taken = count < assembly_capacity - length ? count : assembly_capacity - length;
            std::memcpy(text + length, characters, taken);
            length += taken;
            characters += taken;
            count -= taken;
        }
        return true;
    }
};

}  // namespace

int print_formatted(text_stream& stream, const char* format, const print_argument* arguments,
                    std::size_t argument_count)
{
    assembly out{stream};
    std::size_t next_argument = 0;
    const char* position = format;
    while (*position) {
        if (*position != '%') {
            if (!out.room_for(1)) return -1;
            out.text[out.length++] = *position++;
            continue;
        }
        conversion directive = parse_conversion(position);
        bool known = directive.letter == 'e' || directive.letter == 'g' || directive.letter == 's';
        if (!known || next_argument == argument_count) {
            if (!out.append(position, directive.end - position)) return -1;  // written as it stands
            position = directive.end;
            continue;
        }
        const print_argument& argument = arguments[next_argument++];
        position = directive.end;
        std::size_t width = directive.width > 0 ? static_cast<std::size_t>(directive.width) : 0;
        if (directive.letter == 's') {
            const char* text = argument.text ? argument.text : "";
            std::size_t length = std::strlen(text);
            for (std::size_t padding = width > length ? width - length : 0; padding > 0; --padding)
                if (!out.append(" ", 1)) return -1;
            if (!out.append(text, length)) return -1;
            continue;
        }
        // A number, right-aligned in its field: spaces fill what the text leaves; nothing is cut.
        if (!out.room_for(number_text_capacity + largest_field_width)) return -1;
        char* text = out.text + out.length;
        int precision = directive.precision < 0 ? 6 : directive.precision;
        std::size_t length = directive.letter == 'e' ? e_style_text(argument.number, precision, text)
                                                : g_style_text(argument.number, precision == 0 ? 1 : precision, text);
        if (width > length) {
            std::memmove(text + (width - length), text, length);
            std::memset(text, ' ', width - length);
            length = width;
        }
        out.length += length;
    }
    if (!out.hand_over() || !stream_end_print(stream)) return -1;
    return static_cast<int>(out.written);
}
