#include "results/result_record.h"

#include "run/print_formatted.h"

void write_result_record(output_slot slot, double first, double second, double third)
{
    print_formatted(output_file(slot).stream, " %12.6e %12.6e %12.6e \n", first, second, third);
}
