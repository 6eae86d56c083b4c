// The scale rule from 96-DPI numbers to device pixels.
#include <gtest/gtest.h>

#include "Scale.h"

using namespace qlx;

TEST(Scale, RoundsLikeMulDivAtTheCommonScales) {
    struct Case {
        int32_t value, at96, at120, at144, at192;
    } cases[] = {
        {82, 82, 103, 123, 164}, // the panel's width: 102.5 rounds up
        {32, 32, 40, 48, 64},
        {1, 1, 1, 2, 2},      // 1.25 down, 1.5 up
        {2, 2, 3, 3, 4},      // 2.5 up
        {3, 3, 4, 5, 6},      // 3.75, 4.5
        {19, 19, 24, 29, 38}, // 23.75, 28.5
        {0, 0, 0, 0, 0},
        {-1, -1, -1, -2, -2}, // halves away from zero on the negative side too
        {-82, -82, -103, -123, -164},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scaled(c.value, 96), c.at96) << c.value;
        EXPECT_EQ(scaled(c.value, 120), c.at120) << c.value;
        EXPECT_EQ(scaled(c.value, 144), c.at144) << c.value;
        EXPECT_EQ(scaled(c.value, 192), c.at192) << c.value;
    }
}

TEST(Scale, FailedDpiQueriesAndHugeValuesStayUsable) {
    EXPECT_EQ(scaled(82, 0), 82);
    EXPECT_EQ(scaled(82, -144), 82);
    EXPECT_EQ(scaled(INT32_MAX, 192), INT32_MAX);
    EXPECT_EQ(scaled(INT32_MIN, 192), INT32_MIN);
    EXPECT_EQ(scaled(INT32_MAX, 96), INT32_MAX);
}
