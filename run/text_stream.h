#pragma once

#include <cstddef>
#include <cstring>

// A text output stream: characters collect in a 4096-character buffer and reach the
// descriptor when the 4097th arrives, when a write-through stream ends a print, and at exit.
// Every LF becomes CR LF on the way out; the buffer counts characters before that.
inline constexpr std::size_t stream_buffer_size = 4096;

struct text_stream {
    int descriptor = -1;
    const char* name = "";       // what error messages call it
    bool write_through = false;  // a terminal: each print is shown before the next step
    std::size_t used = 0;
    int failure = 0;             // errno of the first write-out that failed; 0 while none has
    char buffer[stream_buffer_size];
};

extern text_stream standard_output;

void prepare_standard_streams();
void attach_stream(text_stream& stream, int descriptor, const char* name, bool write_through);

// Writes out the buffer; false when the system refused it (the text is then lost and reported).
bool stream_write_out(text_stream& stream);
bool stream_put_slow(text_stream& stream, const char* text, std::size_t length);

// Appends text; false when a write-out on the way failed, in which case the rest is not taken.
inline bool stream_put(text_stream& stream, const char* text, std::size_t length)
{
    if (length <= stream_buffer_size - stream.used) {
        std::memcpy(stream.buffer + stream.used, text, length);
        stream.used += length;
        return true;
    }
    return stream_put_slow(stream, text, length);
}

// The end of one print: a write-through stream hands its text to the terminal now.
inline bool stream_end_print(text_stream& stream)
{
    if (stream.write_through && stream.used > 0) return stream_write_out(stream);
    return true;
}
