#include <gtest/gtest.h>
TEST(placeholder, builds) { EXPECT_TRUE(true); }
