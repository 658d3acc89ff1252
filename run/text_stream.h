#pragma once

#include <cstddef>
#include <cstring>

// A text output stream: characters collect in a buffer of 4096 and reach the descriptor when
// the 4097th arrives, when a write-through stream ends a print, and at exit. Every LF reaches
// the descriptor as CR LF; the buffer holds the bytes already translated but counts the
// characters before translation, so a full buffer holds 4096 characters and up to 8192 bytes.
inline constexpr std::size_t stream_buffer_size = 4096;

struct text_stream {
    int descriptor = -1;
    const char* name = "";       // what error messages call it
    bool write_through = false;  // a terminal: each print is shown before the next step
    std::size_t used = 0;        // characters in the buffer, counted before LF becomes CR LF
    std::size_t bytes = 0;       // bytes in the buffer, CR LF counted as two
    int failure = 0;             // errno of the first write-out that failed; 0 while none has
    char buffer[2 * stream_buffer_size];
};

extern text_stream standard_output;

void prepare_standard_streams();
void attach_stream(text_stream& stream, int descriptor, const char* name, bool write_through);

// Writes all bytes, continuing after short writes and interruptions; 0, or the errno that
// stopped it. Only write(2) and poll(2): safe in a signal handler.
int write_all(int descriptor, const char* bytes, std::size_t length);

// Writes out the buffer; false when the system refused it (the text is then lost and reported).
bool stream_write_out(text_stream& stream);

// Writes out the buffer with nothing but write(2): safe in a signal handler, reports nothing.
void stream_write_out_quietly(text_stream& stream);

// Appends text; false when a write-out on the way failed, in which case the rest is not taken.
bool stream_put(text_stream& stream, const char* text, std::size_t length);

// Where a line of `characters` characters (its bytes already translated) can be written
// whole into the buffer, or nullptr when it would pass the 4096th character.
inline char* stream_line_space(text_stream& stream, std::size_t characters)
{
    return characters <= stream_buffer_size - stream.used ? stream.buffer + stream.bytes : nullptr;
}

inline void stream_line_written(text_stream& stream, std::size_t characters, std::size_t bytes)
{
    stream.used += characters;
    stream.bytes += bytes;
}

// The end of one print: a write-through stream hands its text to the terminal now.
inline bool stream_end_print(text_stream& stream)
{
    if (stream.write_through && stream.used > 0) return stream_write_out(stream);
    return true;
}
