#include "common/output_compare.h"

#include <gtest/gtest.h>

#include "common/natural_order.h"

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

TEST(NaturalOrder, NumbersByValueAndDoubleByteCharactersWhole) {
    // "\x83\x41" and "\x83\x61" have the trail bytes 'A' and 'a'.
    const char* const ordered[] = {"a",         "Sample-1",     "sample-02",     "sample-2",
                                   "sample-10", "sample-10a",   "sample-10B",    "x",
                                   "\x83\x41" "2", "サンプル-2", "サンプル-10",   "\x83\x61" "1",
                                   "表9",       "表10"};
    const std::size_t n = sizeof ordered / sizeof *ordered;
    for (std::size_t i = 0; i < n; ++i)
        for (std::size_t j = 0; j < n; ++j)
            EXPECT_EQ(natural_order::Less(ordered[i], ordered[j]), i < j) << i << " " << j;
}
