// The record of what Kiln built: lines a hand or a broken write may have
// spoilt, paths compared by character, and the cap.
#include "common/build_record.h"

#include <gtest/gtest.h>

using namespace build_record;

TEST(BuildRecord, LinesReadBackWholeOrNotAtAll) {
    const std::string text =
        "5\t7\tC:\\ソース\\表.exe\r\n"
        "x\t1\tC:\\a.exe\r\n1\t\tC:\\b.exe\n1\t2\t\r\n18446744073709551616\t1\tC:\\c.exe\n1\t2\tC:\\d\x01.exe\n"
        "18446744073709551615\t0\tC:\\My Prog\\ア.exe";
    std::vector<Entry> entries = Parse(text.data(), text.size());
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(Format(entries), "5\t7\tC:\\ソース\\表.exe\r\n18446744073709551615\t0\tC:\\My Prog\\ア.exe\r\n");
    struct {
        Entry probe;
        bool held;
    } const cases[] = {
        {{"c:\\ソース\\表.EXE", 5, 7}, true},     {{"C:\\ソース\\表.exe", 6, 7}, false},
        {{"C:\\ソース\\表.exe", 5, 8}, false},    {{"C:\\my prog\\ア.exe", 18446744073709551615ULL, 0}, true},
        {{"C:\\My Prog\\\x83\x61.exe", 18446744073709551615ULL, 0}, false},  // ヂ: ア's trail byte in lower case
    };
    for (const auto& c : cases) EXPECT_EQ(Holds(entries, c.probe), c.held) << c.probe.path;
}

TEST(BuildRecord, NewestFirstOnePerPathAndCapped) {
    std::vector<Entry> entries;
    for (int i = 0; i <= kMaxEntries; ++i) Put(&entries, Entry{"C:\\p" + std::to_string(i) + ".exe", 1, 1});
    ASSERT_EQ(entries.size(), static_cast<std::size_t>(kMaxEntries));
    EXPECT_EQ(entries.front().path, "C:\\p300.exe");
    EXPECT_FALSE(Holds(entries, Entry{"C:\\p0.exe", 1, 1}));
    Put(&entries, Entry{"C:\\P5.EXE", 2, 2});
    EXPECT_TRUE(Holds(entries, Entry{"C:\\p5.exe", 2, 2}));
    EXPECT_TRUE(Holds(entries, Entry{"C:\\p1.exe", 1, 1})) << "the old p5 went, not the oldest";
    Put(&entries, Entry{"C:\\a\r\n1\t1\tC:\\x.exe", 1, 1});
    std::string text = Format(entries);
    EXPECT_EQ(Parse(text.data(), text.size()).size(), static_cast<std::size_t>(kMaxEntries));
    EXPECT_EQ(text.find("x.exe"), std::string::npos);
}
