#pragma once

#include <functional>
#include <string>
#include <termios.h>

// Runs the built sdof_frf in `directory`, in a new session, with `answers` on standard input.
struct program_run {
    std::string standard_output;
    std::string standard_error;
    int exit_status = -1;  // -1 when ended by a signal
    int end_signal = 0;
    bool timed_out = false;
    long peak_memory_kib = 0;  // maximum resident set
};

struct run_setup {
    std::string answers;
    std::string directory;
    bool output_to_closed_pipe = false;          // standard output's reader is gone
    std::function<void()> in_child;              // e.g. a resource limit, just before exec
};

// Without a controlling terminal: the closing key read finds none.
program_run run_without_terminal(const run_setup& setup);

// With a pseudo-terminal as the controlling terminal; once the program has put it in raw mode
// for the closing key, `at_key_wait` runs (it may type, signal or look at files).
struct terminal_session {
    int master;
    int slave;
    int child;
    std::string shown;  // what the program wrote to the terminal before its key wait
};
struct terminal_run {
    program_run run;
    termios mode_before;
    termios mode_after;
    bool reached_key_wait = false;
};
terminal_run run_with_terminal(const run_setup& setup, bool output_to_terminal,
                               const std::function<void(terminal_session&)>& at_key_wait);

void type_on_terminal(const terminal_session& session, const std::string& bytes);
bool still_running(const terminal_session& session);

bool same_mode(const termios& a, const termios& b);
