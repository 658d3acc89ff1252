#include "run/run_sequence.h"
#include "run/start_up.h"

// Arguments and environment are received and ignored: the program has no options.
int main()
{
    start_up();
    return run_program();
}
