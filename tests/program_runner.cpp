#include "tests/program_runner.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <pty.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "tests/test_support.h"

namespace {

using clock_type = std::chrono::steady_clock;
constexpr auto run_time_limit = std::chrono::seconds(60);

[[noreturn]] void exec_program(const run_setup& setup, int input, int output, int error)
{
    dup2(input, STDIN_FILENO);
    dup2(output, STDOUT_FILENO);
    dup2(error, STDERR_FILENO);
    if (chdir(setup.directory.c_str()) != 0) _exit(121);
    if (setup.in_child) setup.in_child();
    execl(SDOF_FRF_BINARY, "sdof_frf", static_cast<char*>(nullptr));
    _exit(127);
}

// Waits for the child, reading the terminal's output meanwhile so that it never blocks.
void wait_for_child(int child, program_run& run, int master = -1, std::string* terminal_output = nullptr)
{
    auto deadline = clock_type::now() + run_time_limit;
    int status = 0;
    rusage usage{};
    for (;;) {
        pid_t done = wait4(child, &status, WNOHANG, &usage);
        if (done == child) break;
        if (clock_type::now() > deadline) {
            run.timed_out = true;
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
        if (master >= 0) {
            char block[4096];
            pollfd ready{master, POLLIN, 0};
            while (poll(&ready, 1, 0) > 0) {
                ssize_t got = read(master, block, sizeof block);
                if (got <= 0) break;
                terminal_output->append(block, static_cast<std::size_t>(got));
            }
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    run.peak_memory_kib = usage.ru_maxrss;
    if (WIFEXITED(status)) run.exit_status = WEXITSTATUS(status);
    if (WIFSIGNALED(status)) run.end_signal = WTERMSIG(status);
}

}  // namespace

program_run run_without_terminal(const run_setup& setup)
{
    int input = memory_file(setup.answers);
    int output = memory_file("");
    int error = memory_file("");
    int pipe_ends[2] = {-1, -1};
    if (setup.output_to_closed_pipe) {
        if (pipe(pipe_ends) != 0) return {};
        close(pipe_ends[0]);
    }
    pid_t child = fork();
    if (child == 0) {
        setsid();
        exec_program(setup, input, setup.output_to_closed_pipe ? pipe_ends[1] : output, error);
    }
    if (setup.output_to_closed_pipe) close(pipe_ends[1]);
    program_run run;
    wait_for_child(child, run);
    run.standard_output = descriptor_contents(output);
    run.standard_error = descriptor_contents(error);
    close(input);
    close(output);
    close(error);
    return run;
}

terminal_run run_with_terminal(const run_setup& setup, bool output_to_terminal,
                               const std::function<void(terminal_session&)>& at_key_wait)
{
    terminal_run result{};
    terminal_session session{};
    if (openpty(&session.master, &session.slave, nullptr, nullptr, nullptr) != 0) return result;
    tcgetattr(session.slave, &result.mode_before);
    int input = memory_file(setup.answers);
    int output = memory_file("");
    int error = memory_file("");
    session.child = fork();
    if (session.child == 0) {
        setsid();
        ioctl(session.slave, TIOCSCTTY, 0);
        close(session.master);
        exec_program(setup, input, output_to_terminal ? session.slave : output, error);
    }
    // The key wait has begun once the terminal leaves canonical mode.
    std::string terminal_output;
    auto drain = [&] {
        char block[4096];
        pollfd ready{session.master, POLLIN, 0};
        while (poll(&ready, 1, 0) > 0) {
            ssize_t got = read(session.master, block, sizeof block);
            if (got <= 0) break;
            terminal_output.append(block, static_cast<std::size_t>(got));
        }
    };
    auto deadline = clock_type::now() + run_time_limit;
    termios mode{};
    while (clock_type::now() < deadline) {
        drain();
        tcgetattr(session.slave, &mode);
        if ((mode.c_lflag & ICANON) == 0) {
            result.reached_key_wait = true;
            break;
        }
        if (!still_running(session)) break;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    if (result.reached_key_wait) {
        drain();
        session.shown = terminal_output;
        at_key_wait(session);
    }
    wait_for_child(session.child, result.run, session.master, &terminal_output);
    tcgetattr(session.slave, &result.mode_after);
    result.run.standard_output = output_to_terminal ? terminal_output : descriptor_contents(output);
    result.run.standard_error = descriptor_contents(error);
    close(session.master);
    close(session.slave);
    close(input);
    close(output);
    close(error);
    return result;
}

void type_on_terminal(const terminal_session& session, const std::string& bytes)
{
    if (write(session.master, bytes.data(), bytes.size()) != static_cast<ssize_t>(bytes.size())) return;
}

bool still_running(const terminal_session& session)
{
    siginfo_t info{};
    return waitid(P_PID, session.child, &info, WEXITED | WNOHANG | WNOWAIT) == 0 && info.si_pid == 0;
}

bool same_mode(const termios& a, const termios& b)
{
    return a.c_iflag == b.c_iflag && a.c_oflag == b.c_oflag && a.c_cflag == b.c_cflag && a.c_lflag == b.c_lflag &&
           std::memcmp(a.c_cc, b.c_cc, sizeof a.c_cc) == 0;
}
