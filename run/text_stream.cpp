#include "run/text_stream.h"

#include <cerrno>
#include <poll.h>
#include <unistd.h>

#include "run/error_report.h"

text_stream standard_output;

void attach_stream(text_stream& stream, int descriptor, const char* name, bool write_through)
{
    stream.descriptor = descriptor;
    stream.name = name;
    stream.write_through = write_through;
    stream.used = 0;
    stream.bytes = 0;
    stream.failure = 0;
}

void prepare_standard_streams()
{
    attach_stream(standard_output, STDOUT_FILENO, "standard output", isatty(STDOUT_FILENO) == 1);
}

int write_all(int descriptor, const char* bytes, std::size_t length)
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
    if (stream.bytes == 0) return true;
    int error = write_all(stream.descriptor, stream.buffer, stream.bytes);
    stream.used = 0;
    stream.bytes = 0;
    if (error == 0) return true;
    if (stream.failure == 0) {
        stream.failure = error;
        report_write_failure(stream.name, error);
    }
    return false;
}

void stream_write_out_quietly(text_stream& stream)
{
    int saved_errno = errno;
    if (stream.descriptor >= 0 && stream.bytes > 0) write_all(stream.descriptor, stream.buffer, stream.bytes);
    stream.used = 0;
    stream.bytes = 0;
    errno = saved_errno;
}

bool stream_put(text_stream& stream, const char* text, std::size_t length)
{
    for (std::size_t i = 0; i < length; ++i) {
        if (stream.used == stream_buffer_size && !stream_write_out(stream)) return false;
        if (text[i] == '\n') stream.buffer[stream.bytes++] = '\r';
        stream.buffer[stream.bytes++] = text[i];
        ++stream.used;
    }
    return true;
}
