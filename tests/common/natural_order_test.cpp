#include "common/natural_order.h"

#include <gtest/gtest.h>

#include <cstddef>

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
