#include "results/output_file_table.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "results/result_file_names.h"
#include "run/error_report.h"
#include "run/print_formatted.h"

output_file_entry output_file_table[output_slot_count];

namespace {

void close_all(const int* descriptors, int count)
{
    for (int i = 0; i < count; ++i) close(descriptors[i]);
}

// Empties a regular file; anything else (a device, a pipe) is written to as it is.
int empty_if_regular(int descriptor)
{
    struct stat status;
    if (fstat(descriptor, &status) != 0) return errno;
    if (S_ISREG(status.st_mode) && status.st_size != 0 && ftruncate(descriptor, 0) != 0) return errno;
    return 0;
}

}  // namespace

bool open_output_files()
{
    for (int i = 0; i < output_slot_count; ++i)
        std::strcpy(output_file_table[i].file_name, result_file_names[i]);

    int descriptors[output_slot_count];
    for (int i = 0; i < output_slot_count; ++i) {
        const char* name = output_file_table[i].file_name;
        descriptors[i] = open(name, O_WRONLY | O_CREAT | O_CLOEXEC | O_NOCTTY, 0666);
        if (descriptors[i] < 0) {
            report_open_failure(name, errno);
            close_all(descriptors, i);
            return false;
        }
    }
    for (int i = 0; i < output_slot_count; ++i) {
        if (int error = empty_if_regular(descriptors[i])) {
            report_error({"cannot empty ", output_file_table[i].file_name, ": ", std::strerror(error)});
            close_all(descriptors, output_slot_count);
            return false;
        }
    }
    for (int i = 0; i < output_slot_count; ++i)
        attach_stream(output_file_table[i].stream, descriptors[i], output_file_table[i].file_name, false);
    return true;
}

void list_output_files()
{
    print_formatted(standard_output, "\n\n Output Files: \n\n");
    for (output_slot slot = 1; slot <= output_slot_count; slot += 2) {
        print_formatted(standard_output, "  %s \n", output_file(slot).file_name);
        print_formatted(standard_output, "  %s \n\n", output_file(slot + 1).file_name);
    }
    print_formatted(standard_output, "\n (nd = non-dimensional) \n");
}

void write_out_output_files()
{
    for (output_file_entry& entry : output_file_table)
        if (entry.stream.descriptor >= 0) stream_write_out(entry.stream);
}

void write_out_output_files_quietly()
{
    for (output_file_entry& entry : output_file_table) stream_write_out_quietly(entry.stream);
}
