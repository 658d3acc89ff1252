#include "run/run_sequence.h"

#include "model/parameter_dialogue.h"
#include "response/frequency_grid.h"
#include "response/frequency_sweep.h"
#include "results/output_file_table.h"
#include "run/key_read.h"
#include "run/print_formatted.h"

namespace {

void print_banner()
{
    print_formatted(standard_output, "\n\n sdof_frf   version 1.1   July 27, 2005 \n");
    print_formatted(standard_output, "\n by the sdof_frf developers \n");
    print_formatted(standard_output, "\n This program generates a set of transfer functions ");
    print_formatted(standard_output, "\n for a single-degree-of-freedom system subjected to ");
    print_formatted(standard_output, "\n an excitation force.\n");
}

// What process exit does for the streams: standard output first, then the result files.
void write_out_streams()
{
    stream_write_out(standard_output);
    write_out_output_files();
}

// The same when a signal ends the process during the key wait.
void write_out_streams_quietly()
{
    stream_write_out_quietly(standard_output);
    write_out_output_files_quietly();
}

}  // namespace

std::int32_t run_program()
{
    print_banner();
    run_parameter_dialogue();
    // A grid without end or a file that cannot be opened stops before the first result line;
    // result files of an earlier run then stay as they were.
    if (frequency_grid_has_end() && open_output_files()) {
        run_frequency_sweep();
        list_output_files();
    }
    print_formatted(standard_output, "\n Press any key to exit");
    set_key_wait_signal_action(write_out_streams_quietly);
    std::int32_t code = wait_for_key();
    write_out_streams();
    return code;
}
