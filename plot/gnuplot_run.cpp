#include "plot/gnuplot_run.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

bool run_gnuplot(const std::string& script, std::string& problem)
{
    int ends[2];
    if (pipe(ends) != 0) {
        problem = std::string("cannot make a pipe to gnuplot: ") + std::strerror(errno);
        return false;
    }
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, ends[0], STDIN_FILENO);
    posix_spawn_file_actions_addclose(&actions, ends[1]);
    char name[] = "gnuplot";
    char* arguments[] = {name, nullptr};
    pid_t child;
    int error = posix_spawnp(&child, "gnuplot", &actions, nullptr, arguments, environ);
    posix_spawn_file_actions_destroy(&actions);
    close(ends[0]);
    if (error != 0) {
        close(ends[1]);
        problem = std::string("cannot run gnuplot: ") + std::strerror(error) + " (install the gnuplot-nox package)";
        return false;
    }
    // gnuplot may stop reading early; its exit status then tells why.
    std::signal(SIGPIPE, SIG_IGN);
    const char* next = script.data();
    std::size_t left = script.size();
    while (left > 0) {
        ssize_t written = write(ends[1], next, left);
        if (written < 0 && errno == EINTR) continue;
        if (written <= 0) break;
        next += written;
        left -= static_cast<std::size_t>(written);
    }
    close(ends[1]);
    int status = 0;
    while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0 || left > 0) {
        problem = "gnuplot failed to draw the picture";
        return false;
    }
    return true;
}
