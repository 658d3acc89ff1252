#pragma once

#include <cstddef>

// What the bytes at the start of a terminal's input mean as one key press.
enum class key_status {
    complete,    // a key with a code; `length` bytes belong to it
    skipped,     // a sequence that is no key we know; its `length` bytes are passed over
    incomplete,  // more bytes are needed to tell
};

struct key_decoding {
    key_status status;
    int code;
    std::size_t length;
};

// Codes, as the console gives the first byte of a key: a character's byte; 224 for the
// editing keys (arrows, Home, End, Page Up/Down, Insert, Delete) and for F11/F12; 0 for
// F1-F10, for Alt with an editing key or a character, and for other keys without a character.
// With `input_ended` no further byte is coming soon, so nothing stays incomplete: a lone ESC is
// the Esc key (27) and a cut-off sequence is skipped.
key_decoding decode_key(const unsigned char* bytes, std::size_t count, bool input_ended);
