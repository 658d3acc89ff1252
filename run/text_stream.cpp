#include "run/text_stream.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

#include "run/error_report.h"

text_stream standard_output;

// A full buffer of LFs doubles in size on the way out.
static char translated[2 * stream_buffer_size];

void attach_stream(text_stream& stream, int descriptor, const char* name, bool write_through)
{
    stream.descriptor = descriptor;
    stream.name = name;
    stream.write_through = write_through;
    stream.used = 0;
    stream.failure = 0;
}

void prepare_standard_streams()
{
    attach_stream(standard_output, STDOUT_FILENO, "standard output", isatty(STDOUT_FILENO) == 1);
}

static std::size_t translate_line_ends(const char* text, std::size_t length, char* out)
{
    char* next = out;
    const char* end = text + length;
    while (text < end) {
        const char* line_feed = static_cast<const char*>(std::memchr(text, '\n', end - text));
        const char* stop = line_feed ? line_feed : end;
        std::memcpy(next, text, stop - text);
        next += stop - text;
        if (!line_feed) break;
        *next++ = '\r';
        *next++ = '\n';
        text = line_feed + 1;
    }
    return next - out;
}

// Keeps writing after a short write until all is written or the system says why not.
static int write_all(int descriptor, const char* bytes, std::size_t length)
{
    while (length > 0) {
        ssize_t written = write(descriptor, bytes, length);
        if (written > 0) {
            bytes += written;
            length -= static_cast<std::size_t>(written);
        } else if (written < 0 && errno == EINTR) {
            continue;
        } else if (written < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            pollfd ready{descriptor, POLLOUT, 0};
            poll(&ready, 1, -1);
        } else {
            return written < 0 ? errno : EIO;
        }
    }
    return 0;
}

bool stream_write_out(text_stream& stream)
{
    if (stream.used == 0) return true;
    std::size_t length = translate_line_ends(stream.buffer, stream.used, translated);
    stream.used = 0;
    int error = write_all(stream.descriptor, translated, length);
    if (error == 0) return true;
    if (stream.failure == 0) {
        stream.failure = error;
        report_write_failure(stream.name, error);
    }
    return false;
}

bool stream_put_slow(text_stream& stream, const char* text, std::size_t length)
{
    while (length > 0) {
        if (stream.used == stream_buffer_size && !stream_write_out(stream)) return false;
        std::size_t room = stream_buffer_size - stream.used;
        std::size_t taken = length < room ? length : room;
        std::memcpy(stream.buffer + stream.used, text, taken);
        stream.used += taken;
        text += taken;
        length -= taken;
    }
    return true;
}
