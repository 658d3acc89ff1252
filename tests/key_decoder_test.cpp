#include <string>

#include <gtest/gtest.h>

#include "run/key_decoder.h"

namespace {

struct key_row {
    std::string bytes;
    bool input_ended;
    key_status status;
    int code;
    std::size_t length;
};

constexpr key_status complete = key_status::complete;
constexpr key_status skipped = key_status::skipped;
constexpr key_status incomplete = key_status::incomplete;

TEST(key_decoder, bytes_to_codes)
{
    const key_row rows[] = {
        // characters and control keys
        {"a", false, complete, 97, 1},
        {"\r", false, complete, 13, 1},
        {" ", false, complete, 32, 1},
        {"\x03", false, complete, 3, 1},
        {"\x7f", false, complete, 127, 1},
        {std::string(1, '\0'), false, complete, 0, 1},
        {"ab", false, complete, 97, 1},
        // Esc alone only once no byte follows
        {"\x1b", false, incomplete, 0, 0},
        {"\x1b", true, complete, 27, 1},
        // cursor and editing keys: xterm, application mode, Linux console and rxvt forms
        {"\x1b[A", false, complete, 224, 3},
        {"\x1b[D", false, complete, 224, 3},
        {"\x1bOB", false, complete, 224, 3},
        {"\x1b[H", false, complete, 224, 3},
        {"\x1b[F", false, complete, 224, 3},
        {"\x1bOH", false, complete, 224, 3},
        {"\x1b[1~", false, complete, 224, 4},
        {"\x1b[2~", false, complete, 224, 4},
        {"\x1b[3~", false, complete, 224, 4},
        {"\x1b[4~", false, complete, 224, 4},
        {"\x1b[5~", false, complete, 224, 4},
        {"\x1b[6~", false, complete, 224, 4},
        {"\x1b[7~", false, complete, 224, 4},
        {"\x1b[8~", false, complete, 224, 4},
        // with Shift or Ctrl still 224, with Alt 0
        {"\x1b[1;2A", false, complete, 224, 6},
        {"\x1b[1;5D", false, complete, 224, 6},
        {"\x1b[3;2~", false, complete, 224, 6},
        {"\x1b[3;5~", false, complete, 224, 6},
        {"\x1b[2^", false, complete, 224, 4},
        {"\x1b[a", false, complete, 224, 3},
        {"\x1bOd", false, complete, 224, 3},
        {"\x1b[1;3A", false, complete, 0, 6},
        {"\x1b[5;3~", false, complete, 0, 6},
        {"\x1b[1;7C", false, complete, 0, 6},
        {"\x1b\x1b[A", false, complete, 0, 4},
        // F1-F10 are 0, F11 and F12 224, with or without modifiers
        {"\x1bOP", false, complete, 0, 3},
        {"\x1bOS", false, complete, 0, 3},
        {"\x1b[11~", false, complete, 0, 5},
        {"\x1b[[A", false, complete, 0, 4},
        {"\x1b[[E", false, complete, 0, 4},
        {"\x1b[15~", false, complete, 0, 5},
        {"\x1b[21~", false, complete, 0, 5},
        {"\x1b[15;2~", false, complete, 0, 7},
        {"\x1b[1;5P", false, complete, 0, 6},
        {"\x1b[23~", false, complete, 224, 5},
        {"\x1b[24~", false, complete, 224, 5},
        {"\x1b[24;3~", false, complete, 224, 7},
        {"\x1b[24;5~", false, complete, 224, 7},
        // keypad in application mode
        {"\x1bOM", false, complete, 13, 3},
        {"\x1bO5M", false, complete, 10, 4},
        {"\x1bO3M", false, complete, 0, 4},
        {"\x1bOo", false, complete, 47, 3},
        {"\x1bO2o", false, complete, 63, 4},
        {"\x1bO5o", false, complete, 0, 4},
        {"\x1bOk", false, complete, '+', 3},
        {"\x1bOp", false, complete, '0', 3},
        // Alt with a key, other keys without a character
        {"\x1b" "x", false, complete, 0, 2},
        {"\x1b\r", false, complete, 0, 2},
        {"\x1b\x1b", true, complete, 0, 2},
        {"\x1b[", true, complete, 0, 2},
        {"\x1bO", true, complete, 0, 2},
        {"\x1b[Z", false, complete, 0, 3},
        {"\x1b[E", false, complete, 0, 3},
        // UTF-8 characters are read whole; 8-bit bytes without continuation stand alone
        {"\xc3\xa9", false, complete, 0xe9, 2},
        {"\xe2\x82\xac", false, complete, '?', 3},
        {"\xc3", false, incomplete, 0, 0},
        {"\xc3", true, complete, 0xc3, 1},
        {"\xe9" "a", false, complete, 0xe9, 1},
        // sequences still arriving
        {"\x1b[", false, incomplete, 0, 0},
        {"\x1b[1;", false, incomplete, 0, 0},
        {"\x1bO", false, incomplete, 0, 0},
        {"\x1b\x1b", false, incomplete, 0, 0},
        // unknown or cut-off sequences are skipped whole, never taken for Esc
        {"\x1b[99~", false, skipped, 0, 5},
        {"\x1b[?1;2c", false, skipped, 0, 7},
        {"\x1b[<0;10;5M", false, skipped, 0, 10},
        {"\x1b[M !!", false, skipped, 0, 6},
        {"\x1b[200~", false, skipped, 0, 6},
        {"\x1b[I", false, skipped, 0, 3},
        {"\x1b[2A", false, skipped, 0, 4},
        {"\x1bOz", false, skipped, 0, 3},
        {"\x1b[1;5", true, skipped, 0, 5},
        {"\x1b[[", true, skipped, 0, 3},
        {"\x1b[1\x03", false, skipped, 0, 3},
    };
    for (const key_row& row : rows) {
        key_decoding key = decode_key(reinterpret_cast<const unsigned char*>(row.bytes.data()), row.bytes.size(),
                                      row.input_ended);
        std::string shown;
        for (unsigned char c : row.bytes) shown += c < 0x20 || c >= 0x7f ? "\\x" + std::to_string(c) + " " : std::string(1, c);
        EXPECT_EQ(key.status, row.status) << shown;
        if (row.status == complete) {
            EXPECT_EQ(key.code, row.code) << shown;
        }
        if (row.status != incomplete) {
            EXPECT_EQ(key.length, row.length) << shown;
        }
    }
}

}  // namespace
