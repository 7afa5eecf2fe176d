// The record of what Kiln built: lines a hand or a broken write may have
// spoilt, paths compared by character, and the cap.
#include "common/build_record.h"

#include <gtest/gtest.h>

using namespace build_record;

TEST(BuildRecord, LinesReadBackWholeOrNotAtAll) {
    const std::string text =
        "5\t7\tC:\\ソース\\表.exe\tC:\\cc.exe\tcc x\t0\r\n"
        "x\t1\tC:\\a.exe\r\n1\t\tC:\\b.exe\n1\t2\t\r\n18446744073709551616\t1\tC:\\c.exe\n1\t2\tC:\\d\x01.exe\n"
        "1\t2\tC:\\d%01.exe\tC:\\cc.exe\tcc x\t0\n18446744073709551615\t0\tC:\\My Prog\\ア.exe\tC:\\cc.exe\tcc x\t0";
    std::vector<Entry> entries = Parse(text.data(), text.size());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(Format(entries), "5\t7\tC:\\ソース\\表.exe\tC:\\cc.exe\tcc x\t0\r\n"
                               "18446744073709551615\t0\tC:\\My Prog\\ア.exe\tC:\\cc.exe\tcc x\t0\r\n");
    const Made cc{"C:\\cc.exe", "cc x", {}};
    struct {
        Entry probe;
        bool held;
    } const cases[] = {
        {{"c:\\ソース\\表.EXE", 5, 7, cc}, true},     {{"C:\\ソース\\表.exe", 6, 7, cc}, false},
        {{"C:\\ソース\\表.exe", 5, 8, cc}, false},    {{"C:\\my prog\\ア.exe", 18446744073709551615ULL, 0, cc}, true},
        {{"C:\\My Prog\\\x83\x61.exe", 18446744073709551615ULL, 0, cc}, false},  // ヂ: ア's trail byte in lower case
    };
    for (const auto& c : cases) EXPECT_EQ(Holds(entries, c.probe), c.held) << c.probe.path;
}

TEST(BuildRecord, NewestFirstOnePerPathAndCapped) {
    const Made m{"C:\\cc.exe", "cc", {}};
    std::vector<Entry> entries;
    for (int i = 0; i <= kMaxEntries; ++i) Put(&entries, Entry{"C:\\p" + std::to_string(i) + ".exe", 1, 1, m});
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kMaxEntries));
    EXPECT_EQ(entries.front().path, "C:\\p300.exe");
    EXPECT_FALSE(Holds(entries, Entry{"C:\\p0.exe", 1, 1, m}));
    Put(&entries, Entry{"C:\\P5.EXE", 2, 2, m});
    EXPECT_TRUE(Holds(entries, Entry{"C:\\p5.exe", 2, 2, m}));
    EXPECT_TRUE(Holds(entries, Entry{"C:\\p1.exe", 1, 1, m})) << "the old p5 went, not the oldest";
    Put(&entries, Entry{"C:\\a\r\n1\t1\tC:\\x.exe", 1, 1, m});
    std::string text = Format(entries);
    EXPECT_EQ(Parse(text.data(), text.size()).size(), static_cast<std::size_t>(kMaxEntries));
    EXPECT_EQ(text.find("x.exe"), std::string::npos);
}

// What made the output is part of the line: a tab, a line break or a '%' in
// an option or a header's path, or a header count that does not match,
// never frames another line.
TEST(BuildRecord, WhatMadeTheOutputReadsBackWholeAndMustMatch) {
    Made made{"C:\\cc\\gcc.exe", "gcc.exe -DX=\"a\tb\" -D100% 表.c -o 表.exe\r\n1\t1\tC:\\x.exe",
              {{"C:\\ソース\\表.h", 3, 4}, {"C:\\ソース\\a\tb%41.h", 5, 6}}};
    Entry built{"C:\\ソース\\表.exe", 1, 2, made};
    std::vector<Entry> entries;
    Put(&entries, built);
    std::string text = Format(entries) + "9\t9\tC:\\old.exe\r\n" + "9\t9\tC:\\two.exe\t\tgcc.exe\t2\t1\t1\tC:\\h\r\n" +
                       "9\t9\tC:\\bad%4.exe\t\tgcc.exe\t0\r\n";
    entries = Parse(text.data(), text.size());
    ASSERT_EQ(entries.size(), 2u) << text;
    EXPECT_TRUE(Holds(entries, built));
    EXPECT_EQ(entries[1].path, "C:\\old.exe");
    EXPECT_FALSE(Holds(entries, Entry{"C:\\old.exe", 9, 9, made})) << "an older Kiln's line says nothing of it";
    Made other[] = {made, made, made, made, made};
    other[0].compiler = "C:\\cc2\\gcc.exe";
    other[1].command += " ";
    other[2].headers[1].writeTime = 6;
    other[3].headers.pop_back();
    other[4].headers[0].path = "c:\\ソース\\表.H";
    for (int i = 0; i < 5; ++i) EXPECT_EQ(Holds(entries, Entry{built.path, 1, 2, other[i]}), i == 4) << i;
}
