#include "run/key_decoder.h"

namespace {

constexpr unsigned char escape = 0x1b;

enum class key_class {
    character,       // a key that carries a character: its code is that character
    editing,         // arrows, Home, End, Page Up, Page Down, Insert, Delete
    f1_to_f10,
    f11_f12,
    keypad_enter,
    keypad_slash,
    extended,        // any other key without a character (Shift+Tab, keypad 5, …)
};

// xterm's modifier parameter m = 1 + Shift(1) + Alt(2) + Ctrl(4) + Meta(8).
constexpr int shift_bit = 1, alt_bit = 2, ctrl_bit = 4, meta_bit = 8;

struct key_press {
    key_status status;
    key_class kind;
    int character;
    int modifiers;
    std::size_t length;
};

key_press complete(key_class kind, int modifiers, std::size_t length, int character = 0)
{
    return {key_status::complete, kind, character, modifiers, length};
}

key_press skipped(std::size_t length) { return {key_status::skipped, key_class::extended, 0, 0, length}; }
key_press incomplete() { return {key_status::incomplete, key_class::extended, 0, 0, 0}; }

int code_of(const key_press& key)
{
    bool alt = (key.modifiers & (alt_bit | meta_bit)) != 0;
    bool ctrl = (key.modifiers & ctrl_bit) != 0;
    bool shift = (key.modifiers & shift_bit) != 0;
    switch (key.kind) {
    case key_class::character: return alt ? 0 : key.character;
    case key_class::editing: return alt ? 0 : 224;
    case key_class::f1_to_f10: return 0;
    case key_class::f11_f12: return 224;
    case key_class::keypad_enter: return alt ? 0 : ctrl ? 10 : 13;
    case key_class::keypad_slash: return alt || ctrl ? 0 : shift ? 63 : 47;
    case key_class::extended: return 0;
    }
    return 0;
}

// A character of one or more bytes. UTF-8 sequences are read whole; a character beyond
// the single-byte range has no code of its own and gives '?', as an unmappable character
// does in a code page. A lead byte that no continuation follows is an 8-bit character.
key_press decode_character(const unsigned char* bytes, std::size_t count, bool input_ended)
{
    unsigned char lead = bytes[0];
    std::size_t expected = lead >= 0xc2 && lead <= 0xdf ? 2 : lead >= 0xe0 && lead <= 0xef ? 3
                         : lead >= 0xf0 && lead <= 0xf4 ? 4 : 1;
    int code_point = expected == 2 ? lead & 0x1f : expected == 3 ? lead & 0x0f : lead & 0x07;
    for (std::size_t i = 1; i < expected; ++i) {
        if (i == count) {
            if (!input_ended) return incomplete();
            return complete(key_class::character, 0, 1, lead);
        }
        if ((bytes[i] & 0xc0) != 0x80) return complete(key_class::character, 0, 1, lead);
        code_point = (code_point << 6) | (bytes[i] & 0x3f);
    }
    if (expected == 1) return complete(key_class::character, 0, 1, lead);
    return complete(key_class::character, 0, expected, code_point <= 0xff ? code_point : '?');
}

bool is_parameter_byte(unsigned char byte) { return byte >= 0x30 && byte <= 0x3f; }
bool is_intermediate_byte(unsigned char byte) { return byte >= 0x20 && byte <= 0x2f; }
bool is_final_byte(unsigned char byte) { return byte >= 0x40 && byte <= 0x7e; }

// Numeric parameters "n;m"; false when they hold anything else (private markers, '<', ':').
bool read_parameters(const unsigned char* first, const unsigned char* end, int& number, int& modifier)
{
    int values[2] = {0, 0};
    int index = 0;
    for (const unsigned char* p = first; p < end; ++p) {
        if (*p == ';') {
            if (++index > 1) return false;
        } else if (*p >= '0' && *p <= '9') {
            if (values[index] < 1000) values[index] = values[index] * 10 + (*p - '0');
        } else {
            return false;
        }
    }
    number = values[0];
    modifier = values[1] > 1 ? values[1] - 1 : 0;
    return true;
}

key_press cursor_key(unsigned char final, int modifiers, std::size_t length)
{
    switch (final) {
    case 'A': case 'B': case 'C': case 'D': case 'H': case 'F':
        return complete(key_class::editing, modifiers, length);
    case 'P': case 'Q': case 'R': case 'S':
        return complete(key_class::f1_to_f10, modifiers, length);
    case 'E': case 'G':  // keypad 5 without Num Lock
        return complete(key_class::extended, modifiers, length);
    default:
        return skipped(length);
    }
}

// "CSI n ~" keys; rxvt marks Ctrl with '^', Shift with '$' and both with '@' in place of '~'.
key_press tilde_key(int number, int modifiers, std::size_t length)
{
    switch (number) {
    case 1: case 2: case 3: case 4: case 5: case 6: case 7: case 8:
        return complete(key_class::editing, modifiers, length);
    case 11: case 12: case 13: case 14: case 15: case 17: case 18: case 19: case 20: case 21:
    case 25: case 26: case 28: case 29: case 31: case 32: case 33: case 34:  // shifted F-keys
        return complete(key_class::f1_to_f10, modifiers, length);
    case 23: case 24:
        return complete(key_class::f11_f12, modifiers, length);
    default:
        return skipped(length);
    }
}

// After "ESC [".
key_press decode_control_sequence(const unsigned char* bytes, std::size_t count, bool input_ended)
{
    if (count == 2) return input_ended ? complete(key_class::character, alt_bit, 2) : incomplete();
    if (bytes[2] == '[') {  // the Linux console's F1-F5: "ESC [ [ A" to "ESC [ [ E"
        if (count == 3) return input_ended ? skipped(3) : incomplete();
        if (bytes[3] >= 'A' && bytes[3] <= 'E') return complete(key_class::f1_to_f10, 0, 4);
        return skipped(4);
    }
    if (bytes[2] == 'M') {  // a mouse report: three bytes of data follow
        if (count < 6) return input_ended ? skipped(count) : incomplete();
        return skipped(6);
    }
    std::size_t position = 2;
    while (position < count && is_parameter_byte(bytes[position])) ++position;
    std::size_t parameters_end = position;
    while (position < count && is_intermediate_byte(bytes[position])) ++position;
    if (position == count) return input_ended ? skipped(count) : incomplete();
    if (!is_final_byte(bytes[position])) return skipped(position);  // broken off; the rest is a new key
    std::size_t length = position + 1;
    unsigned char final = bytes[position];
    int number = 0, modifiers = 0;
    if (parameters_end != position || !read_parameters(bytes + 2, bytes + parameters_end, number, modifiers))
        return skipped(length);
    switch (final) {
    case '~': return tilde_key(number, modifiers, length);
    case '^': return tilde_key(number, modifiers | ctrl_bit, length);
    case '$': return tilde_key(number, modifiers | shift_bit, length);
    case '@': return tilde_key(number, modifiers | ctrl_bit | shift_bit, length);
    case 'Z': return complete(key_class::extended, modifiers | shift_bit, length);  // Shift+Tab
    case 'a': case 'b': case 'c': case 'd':  // rxvt's Shift+arrow
        return complete(key_class::editing, modifiers | shift_bit, length);
    default:
        if (number > 1 && final != 'P' && final != 'Q' && final != 'R' && final != 'S') return skipped(length);
        return cursor_key(final, modifiers, length);
    }
}

// After "ESC O": cursor keys in application mode, F1-F4 and the application keypad.
key_press decode_single_shift(const unsigned char* bytes, std::size_t count, bool input_ended)
{
    if (count == 2) return input_ended ? complete(key_class::character, alt_bit, 2, 'O') : incomplete();
    std::size_t position = 2;
    int modifier = 0;
    while (position < count && bytes[position] >= '0' && bytes[position] <= '9' && position < 4)
        modifier = modifier * 10 + (bytes[position++] - '0');
    if (position == count) return input_ended ? skipped(count) : incomplete();
    std::size_t length = position + 1;
    int modifiers = modifier > 1 ? modifier - 1 : 0;
    unsigned char final = bytes[position];
    static const char keypad_characters[] = "*+,-./0123456789";  // 'j' to 'y'
    if (final == 'M') return complete(key_class::keypad_enter, modifiers, length);
    if (final == 'o') return complete(key_class::keypad_slash, modifiers, length);
    if (final == 'X') return complete(key_class::character, modifiers, length, '=');
    if (final >= 'j' && final <= 'y') return complete(key_class::character, modifiers, length, keypad_characters[final - 'j']);
    if (final >= 'a' && final <= 'd') return complete(key_class::editing, modifiers | ctrl_bit, length);  // rxvt Ctrl+arrow
    if (!is_final_byte(final)) return skipped(position);
    return cursor_key(final, modifiers, length);
}

key_press decode(const unsigned char* bytes, std::size_t count, bool input_ended)
{
    if (bytes[0] != escape) return decode_character(bytes, count, input_ended);
    if (count == 1) return input_ended ? complete(key_class::character, 0, 1, escape) : incomplete();
    if (bytes[1] == '[') return decode_control_sequence(bytes, count, input_ended);
    if (bytes[1] == 'O') return decode_single_shift(bytes, count, input_ended);
    // Alt sends ESC before the key's own bytes, a sequence of its own included.
    key_press key = decode(bytes + 1, count - 1, input_ended);
    if (key.status == key_status::incomplete) return key;
    key.length += 1;
    key.modifiers |= alt_bit;
    return key;
}

}  // namespace

key_decoding decode_key(const unsigned char* bytes, std::size_t count, bool input_ended)
{
    if (count == 0) return {key_status::incomplete, 0, 0};
    key_press key = decode(bytes, count, input_ended);
    return {key.status, key.status == key_status::complete ? code_of(key) : 0, key.length};
}
