#include "model/answer_input.h"

#include <cerrno>
#include <unistd.h>

answer_input_record answer_input{STDIN_FILENO, 0, 0, false, {}};

void attach_answer_input(int descriptor)
{
    answer_input.descriptor = descriptor;
    answer_input.position = 0;
    answer_input.filled = 0;
    answer_input.ended = false;
}

int peek_answer_character()
{
    answer_input_record& input = answer_input;
    while (input.position == input.filled) {
        if (input.ended) return -1;
        ssize_t got = read(input.descriptor, input.buffer, sizeof input.buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) {
            input.ended = true;
            return -1;
        }
        input.position = 0;
        input.filled = static_cast<std::size_t>(got);
    }
    return input.buffer[input.position];
}

void take_answer_character()
{
    if (answer_input.position < answer_input.filled) ++answer_input.position;
}
