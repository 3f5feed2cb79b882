#include <gtest/gtest.h>
TEST(Lesson, Placeholder) {}
