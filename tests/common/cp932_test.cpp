#include "common/cp932.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

// Source texts are UTF-8 and compiled to CP932: ソ is 0x83 0x5C and 表 is
// 0x95 0x5C, so their trail bytes are backslashes.
TEST(Cp932, TrailBytesAreNotDelimiters) {
    const char* path = "C:\\ソース\\表";
    ASSERT_EQ(static_cast<unsigned char>(path[4]), 0x5Cu);  // trail byte of ソ
    const char* last = cp932::FindLast(path, '\\');
    ASSERT_NE(last, nullptr);
    EXPECT_STREQ(last + 1, "表");
    EXPECT_EQ(cp932::FindFirst("表", '\\'), nullptr);
    EXPECT_EQ(cp932::FindLast("ソ", '\\'), nullptr);
}

TEST(Cp932, FindFirstOfSkipsDoubleByteCharacters) {
    // "ソ" then '"' : the trail byte 0x5C must not count as a match for '\\'.
    const char* s = "ソ\"x";
    EXPECT_EQ(cp932::FindFirstOf(s, "\\\""), s + 2);
    EXPECT_EQ(cp932::FindFirstOf("abc", "xyz"), nullptr);
}

TEST(Cp932, LeadByteAtEndDoesNotRunPastTerminator) {
    char s[] = {'a', static_cast<char>(0x83), '\0', 'Z', '\0'};
    EXPECT_EQ(cp932::FindLast(s, 'Z'), nullptr);
    EXPECT_EQ(cp932::Next(s + 1), s + 2);
}

TEST(Cp932, CompareFoldsOnlyAsciiLetters) {
    EXPECT_TRUE(cp932::EqualNoCase("GCC.EXE", "gcc.exe"));
    EXPECT_TRUE(cp932::EqualNoCase("Wrenlet.Exe", "wrenlet.exe"));
    EXPECT_FALSE(cp932::EqualNoCase("gcc.exe", "gcc.ex"));
    EXPECT_FALSE(cp932::EqualNoCase("gcc", "gcc.exe"));
    // 0x83 0x61 (ャ? a double-byte character with trail 'a') must not equal 0x83 0x41.
    const char lower[] = {static_cast<char>(0x83), 'a', '\0'};
    const char upper[] = {static_cast<char>(0x83), 'A', '\0'};
    EXPECT_FALSE(cp932::EqualNoCase(lower, upper));
    EXPECT_TRUE(cp932::EqualNoCase("C:\\ソース\\GCC.exe", "c:\\ソース\\gcc.EXE"));
    EXPECT_LT(cp932::CompareNoCase("a", "B"), 0);
}

TEST(Cp932, CopyFittingNeverSplitsACharacter) {
    char field[6];
    // "abcソ" is 5 bytes and fits; "abcdソ" would need 6 bytes of text.
    EXPECT_TRUE(cp932::CopyFitting(field, sizeof field, "abcソ"));
    EXPECT_STREQ(field, "abcソ");
    EXPECT_FALSE(cp932::CopyFitting(field, sizeof field, "abcdソ"));
    EXPECT_STREQ(field, "abcd");
    EXPECT_FALSE(cp932::CopyFitting(field, sizeof field, "abcdefgh"));
    EXPECT_STREQ(field, "abcde");
    char one[1];
    EXPECT_FALSE(cp932::CopyFitting(one, sizeof one, "x"));
    EXPECT_STREQ(one, "");
    char s[] = "ソソソ";
    cp932::CutToFit(s, 5);
    EXPECT_STREQ(s, "ソソ");
}

TEST(Cp932, WholeCharactersLengthDropsOnlyADanglingLeadByte) {
    struct {
        const char* text;
        std::size_t whole;
    } cases[] = {
        {"end", 3}, {"end\x82", 3}, {"表", 2}, {"表\x95", 2}, {"\x95\x95", 2}, {"\x95\x95\x95", 2},
        {"a\x81\x81\x81\x81", 5}, {"\x82", 0}, {"", 0}, {"ソ\xE0", 2},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cp932::WholeCharactersLength(c.text, std::strlen(c.text)), c.whole) << c.text;
    }
}
