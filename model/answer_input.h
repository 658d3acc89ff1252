#pragma once

#include <cstddef>

// Standard input as the dialogue reads it: one character of look-ahead over a buffer that
// is refilled as the reads need it. The end of input (or a read error) is final.
struct answer_input_record {
    int descriptor;
    std::size_t position;
    std::size_t filled;
    bool ended;
    unsigned char buffer[4096];
};

extern answer_input_record answer_input;

void attach_answer_input(int descriptor);

// The next character without taking it, or -1 at the end of input.
int peek_answer_character();
void take_answer_character();
