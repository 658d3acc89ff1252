#include <fcntl.h>
#include <string>
#include <unistd.h>

#include <gtest/gtest.h>

#include "run/print_formatted.h"
#include "run/text_stream.h"
#include "tests/test_support.h"

namespace {

TEST(text_stream, the_4097th_character_writes_out_the_4096_before_it_with_crlf)
{
    int file = memory_file("");
    text_stream stream;
    attach_stream(stream, file, "memory", false);
    std::string block(4095, 'a');
    stream_put(stream, block.data(), block.size());
    stream_put(stream, "\n", 1);
    EXPECT_EQ(descriptor_contents(file), "");  // full, but nothing more has arrived
    stream_put(stream, "b", 1);
    EXPECT_EQ(descriptor_contents(file), block + "\r\n");
    stream_write_out(stream);
    EXPECT_EQ(descriptor_contents(file), block + "\r\nb");
    close(file);
}

TEST(text_stream, a_write_through_stream_shows_each_print_at_once)
{
    int file = memory_file("");
    text_stream stream;
    attach_stream(stream, file, "memory", true);
    EXPECT_EQ(print_formatted(stream, "  %s \n", "name"), 8);
    EXPECT_EQ(descriptor_contents(file), "  name \r\n");
    close(file);
}

TEST(print_formatted, conversions_fields_and_a_refused_write)
{
    int file = memory_file("");
    text_stream stream;
    attach_stream(stream, file, "memory", false);
    EXPECT_EQ(print_formatted(stream, " %12.6e|%8.4g|%s \n", -180.0, 0.05, "x"), 28);
    stream_write_out(stream);
    EXPECT_EQ(descriptor_contents(file), " -1.800000e+002|    0.05|x \r\n");
    close(file);

    int full = open("/dev/full", O_WRONLY);
    ASSERT_GE(full, 0);
    attach_stream(stream, full, "/dev/full", true);
    EXPECT_EQ(print_formatted(stream, "%s\n", "lost"), -1);
    EXPECT_EQ(stream.failure, ENOSPC);
    close(full);
}

}  // namespace
