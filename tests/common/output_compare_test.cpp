#include "common/output_compare.h"

#include <gtest/gtest.h>

#include <map>

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

namespace {

// The system's tables for the few characters the rows use.
bool FewCharacters(const std::string& utf8, std::string* cp932, void*) {
    const std::map<std::string, std::string> table = {{u8"表", "表"}, {u8"示", "示"}, {u8"ソ", "ソ"}, {u8"裏", "裏"}};
    bool whole = true;
    cp932->clear();
    for (std::size_t i = 0, n; i < utf8.size(); i += n) {
        unsigned char c = static_cast<unsigned char>(utf8[i]);
        n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        auto known = table.find(utf8.substr(i, n));
        whole = whole && (n == 1 || known != table.end());
        *cp932 += n == 1 ? utf8.substr(i, 1) : known != table.end() ? known->second : "?";
    }
    return whole;
}

}  // namespace

TEST(OutputCompare, AsTextAcrossEncodings) {
    const output_compare::Cp932Step step = {FewCharacters, nullptr};
    struct Case {
        std::string expected, actual;
        std::size_t line;  // 0: the same
        const char *want, *got;
    } const cases[] = {
        {"\xEF\xBB\xBF" "4\n", "4\r\n", 0, "", ""}, {u8"表示\n", u8"表示\n", 0, "", ""},
        {u8"表示\nソ\n", "表示\r\nソ", 0, "", ""},  // a UTF-8 .out, a program writing 932
        {"表示\n", "\xEF\xBB\xBF" + std::string(u8"表示\n"), 0, "", ""},
        {u8"表\n", u8"裏\n", 1, "表", "裏"},  // both UTF-8: shown in 932
        {u8"表🍣\n", "表?\n", 1, "表?", "表?"},  // 932 cannot hold it: bytes differ
        {"\x80\n", "\x80\r\n", 0, "", ""}, {u8"表\n", "表 x\n", 1, "表", "表 x"},  // neither: as bytes
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.actual);
        Difference d;
        EXPECT_EQ(output_compare::SameText(c.expected, c.actual, step, &d), c.line == 0);
        if (c.line == 0) continue;
        EXPECT_EQ(d.line, c.line);
        EXPECT_EQ(d.expected, c.want);
        EXPECT_EQ(d.actual, c.got);
    }
    const std::string sushi = u8"表示\r\n🍣";  // no such character in a macro's words
    EXPECT_EQ(output_compare::Shown(sushi, step), "表示\r\n?");
    EXPECT_EQ(output_compare::Shown("\xEF\xBB\xBF" "ok", step) + output_compare::Shown("表示", step), "ok表示");
}
