#include <bit>
#include <cstdint>
#include <random>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "results/output_file_table.h"
#include "results/result_record.h"
#include "run/print_formatted.h"
#include "tests/test_support.h"

namespace {

// Values of every kind and length: both signs, specials, and runs of repeated first values
// as the grid frequency gives them.
double value_of(std::mt19937_64& random)
{
    switch (random() % 8) {
    case 0: return std::bit_cast<double>(random());
    case 1: return 0.0;
    case 2: return -0.0;
    case 3: return std::bit_cast<double>(std::uint64_t{0xfff8000000000000u});
    case 4: return -1.0 / 0.0 * static_cast<double>(random() % 2);
    default: return (random() % 2 ? -1.0 : 1.0) * std::ldexp(static_cast<double>(random() % 1000000007), -static_cast<int>(random() % 60));
    }
}

TEST(result_record, lines_are_what_print_formatted_writes_for_the_line_format)
{
    int composed = memory_file(""), formatted = memory_file("");
    output_file_entry& entry = output_file(1);
    attach_stream(entry.stream, composed, "composed", false);
    text_stream reference;
    attach_stream(reference, formatted, "formatted", false);
    std::mt19937_64 random(99);
    double first = 0.0;
    for (int line = 0; line < 20000; ++line) {  // far past many write-outs, at every offset
        if (line % 14 == 0) first = value_of(random);
        double second = value_of(random), third = value_of(random);
        write_result_record(1, first, second, third);
        print_formatted(reference, result_line_format, first, second, third);
    }
    stream_write_out(entry.stream);
    stream_write_out(reference);
    std::string expected = descriptor_contents(formatted);
    EXPECT_GT(expected.size(), 20000u * 45);
    EXPECT_TRUE(descriptor_contents(composed) == expected);
    entry.stream.descriptor = -1;
    close(composed);
    close(formatted);
}

}  // namespace
