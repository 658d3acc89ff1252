#include "run/error_report.h"

#include <cstring>
#include <unistd.h>

#include "run/text_stream.h"

void report_error(std::initializer_list<std::string_view> parts)
{
    char line[1024];
    std::size_t length = 0;
    auto append = [&](std::string_view text) {
        std::size_t room = sizeof line - 2 - length;
        std::size_t taken = text.size() < room ? text.size() : room;
        std::memcpy(line + length, text.data(), taken);
        length += taken;
    };
    append("sdof_frf: ");
    for (std::string_view part : parts) append(part);
    line[length++] = '\r';
    line[length++] = '\n';
    write_all(STDERR_FILENO, line, length);  // where standard error fails there is nobody to tell
}

void report_write_failure(const char* name, int error)
{
    report_error({"cannot write to ", name, ": ", std::strerror(error),
                  "; what was not written is missing from it"});
}

void report_open_failure(const char* name, int error)
{
    report_error({"cannot open ", name, " for writing: ", std::strerror(error)});
}
