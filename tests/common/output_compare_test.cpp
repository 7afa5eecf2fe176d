#include "common/output_compare.h"

#include <gtest/gtest.h>

using output_compare::Difference;

TEST(OutputCompare, WhatAJudgeIgnoresAndWhatItDoesNot) {
    struct Case {
        const char *expected, *actual;
        std::size_t line;  // 0: the same
        const char *want, *got;
    } const cases[] = {
        {"1 2\n3\n", "1 2\r\n3", 0, "", ""},
        {"1 2\n", "1 2 \t\r\n\r\n\n  \n", 0, "", ""},
        {"表\n", "表  \r\n", 0, "", ""},
        {"a\n\nb\n", "a\nb\n", 2, "", "b"},      // a blank line inside counts
        {"1 2\n", "1  2\n", 1, "1 2", "1  2"},  // so do blanks inside a line
        {" x\n", "x\n", 1, " x", "x"},
        {"表\n", "\x95\x5C\x5C\n", 1, "表", "\x95\x5C\x5C"},  // bytes as they are
        {"1\n2\n", "1\n", 2, "2", nullptr},
        {"", "0\n", 1, nullptr, "0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.actual);
        Difference d;
        EXPECT_EQ(output_compare::Same(c.expected, c.actual, &d), c.line == 0);
        if (c.line == 0) continue;
        EXPECT_EQ(d.line, c.line);
        EXPECT_EQ(d.expectedPresent, c.want != nullptr);
        EXPECT_EQ(d.actualPresent, c.got != nullptr);
        EXPECT_EQ(d.expected, c.want ? c.want : "");
        EXPECT_EQ(d.actual, c.got ? c.got : "");
    }
}
