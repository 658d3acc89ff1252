#pragma once

#include "run/text_stream.h"

// Slots 1 to 14: member k owns slot 2k-1 for its complex file and 2k for magnitude and phase.
using output_slot = int;
inline constexpr int output_slot_count = 14;  // see result_file_names.h

struct output_file_entry {
    char file_name[260];
    text_stream stream;
};

// Entry i holds slot i + 1; there is no slot 0.
extern output_file_entry output_file_table[output_slot_count];

inline output_file_entry& output_file(output_slot slot) { return output_file_table[slot - 1]; }

// Opens all fourteen files without emptying any, then empties those that are regular files,
// so that a file that cannot be opened leaves earlier results as they were. False, after a
// message that names the file and the reason, when one could not be opened or emptied.
bool open_output_files();

// Prints the fourteen names in slot order and the legend.
void list_output_files();

// Hands every result stream's buffered text to its file, in slot order.
void write_out_output_files();

// The same with nothing but write(2), for a signal handler.
void write_out_output_files_quietly();
