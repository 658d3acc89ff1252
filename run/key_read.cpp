#include "run/key_read.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include "run/key_decoder.h"

namespace {

int terminal = -1;
termios saved_mode;

// Signals that end the process by default; while the terminal is raw each of them first
// puts the saved mode back.
constexpr int ending_signals[] = {SIGHUP, SIGINT, SIGQUIT, SIGTERM, SIGALRM, SIGUSR1, SIGUSR2};
constexpr int ending_signal_count = sizeof ending_signals / sizeof ending_signals[0];
struct sigaction previous_actions[ending_signal_count];

void (*signal_action)() = nullptr;

void restore_mode_and_end(int signal_number)
{
    tcsetattr(terminal, TCSANOW, &saved_mode);
    if (signal_action) signal_action();
    signal(signal_number, SIG_DFL);
    raise(signal_number);  // delivered with its default action once this handler returns
}

// Raw mode: no echo, no line editing, no waiting for Enter, Ctrl+C as byte 3, Enter as 13.
bool enter_raw_mode()
{
    if (tcgetattr(terminal, &saved_mode) != 0) return false;
    struct sigaction action {};
    action.sa_handler = restore_mode_and_end;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < ending_signal_count; ++i) sigaction(ending_signals[i], &action, &previous_actions[i]);
    termios raw = saved_mode;
    raw.c_iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON);
    raw.c_lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    if (tcsetattr(terminal, TCSANOW, &raw) != 0) {
        for (int i = 0; i < ending_signal_count; ++i) sigaction(ending_signals[i], &previous_actions[i], nullptr);
        return false;
    }
    return true;
}

void leave_raw_mode()
{
    tcsetattr(terminal, TCSANOW, &saved_mode);
    for (int i = 0; i < ending_signal_count; ++i) sigaction(ending_signals[i], &previous_actions[i], nullptr);
}

// Reads what is there (at least one byte); false when the terminal cannot be read.
bool read_more(unsigned char* into, std::size_t room, std::size_t& count)
{
    for (;;) {
        ssize_t got = read(terminal, into, room);
        if (got > 0) {
            count += static_cast<std::size_t>(got);
            return true;
        }
        if (got < 0 && errno == EINTR) continue;
        return false;
    }
}

bool more_arrives_soon()
{
    pollfd ready{terminal, POLLIN, 0};
    int result;
    do result = poll(&ready, 1, key_sequence_gap_milliseconds);
    while (result < 0 && errno == EINTR);
    return result > 0;
}

// Passes over the rest of a sequence too long to hold: up to its final byte or a pause.
void skip_long_sequence()
{
    unsigned char byte;
    while (more_arrives_soon()) {
        std::size_t count = 0;
        if (!read_more(&byte, 1, count) || (byte >= 0x40 && byte <= 0x7e)) return;
    }
}

std::int32_t read_key_press()
{
    unsigned char pending[64];
    std::size_t count = 0;
    for (;;) {
        if (count == 0 && !read_more(pending, sizeof pending, count)) return -1;
        key_decoding key = decode_key(pending, count, false);
        if (key.status == key_status::incomplete) {
            if (count == sizeof pending) {
                skip_long_sequence();
                count = 0;
                continue;
            }
            if (more_arrives_soon()) {
                if (!read_more(pending + count, sizeof pending - count, count)) return -1;
                continue;
            }
            key = decode_key(pending, count, true);
        }
        if (key.status == key_status::complete) return key.code;
        count -= key.length;
        for (std::size_t i = 0; i < count; ++i) pending[i] = pending[key.length + i];
    }
}

}  // namespace

void set_key_wait_signal_action(void (*action)()) { signal_action = action; }

std::int32_t wait_for_key()
{
    terminal = open("/dev/tty", O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (terminal < 0) return -1;
    std::int32_t code = -1;
    if (enter_raw_mode()) {
        code = read_key_press();
        leave_raw_mode();
    }
    close(terminal);
    terminal = -1;
    return code;
}
