#include "common/output_text.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

// A code-page step that knows a handful of characters, enough to tell a
// converted line from one left as it came. Narrow literals here are code
// page 932; u8 literals stay UTF-8.
struct SmallTable {
    int calls = 0;
    bool fail = false;
};

std::size_t SmallStep(const char* utf8, std::size_t length, char* out, void* context) {
    SmallTable* table = static_cast<SmallTable*>(context);
    ++table->calls;
    if (table->fail) return outputtext::kStepFailed;
    std::string in(utf8, length);  // read all before writing: out may be utf8
    std::string result;
    for (std::size_t i = 0; i < in.size();) {
        unsigned char c = static_cast<unsigned char>(in[i]);
        std::size_t n = c < 0x80 ? 1 : c < 0xE0 ? 2 : c < 0xF0 ? 3 : 4;
        std::string ch = in.substr(i, n);
        if (n == 1) result += ch;
        else if (ch == u8"‘") result += "‘";
        else if (ch == u8"’") result += "’";
        else if (ch == u8"表") result += "表";
        else if (ch == u8"ソ") result += "ソ";
        else if (ch == u8"エ") result += "エ";
        else result += "?";
        i += n;
    }
    std::memcpy(out, result.data(), result.size());
    return result.size();
}

// The table's count of steps for a line shown in the code page it came in
// (OutputCode=1): no code-page step at all.
const int kAsItCame = -1;

std::string Convert(const std::string& text, SmallTable* table, bool toCodePage = true) {
    std::vector<char> copy(text.begin(), text.end());
    outputtext::CodePageStep step = {toCodePage ? SmallStep : nullptr, table};
    std::size_t n = outputtext::ConvertInPlace(copy.data(), copy.size(), step);
    EXPECT_LE(n, text.size());
    return std::string(copy.data(), n);
}

}  // namespace

TEST(OutputText, LineByLine) {
    const struct {
        const char* name;
        std::string in;
        std::string out;
        int steps;  // lines handed to the code-page step; kAsItCame for none
    } cases[] = {
        {"utf8 quotes", u8"a.c:7:12: error: ‘total’ undeclared\r\n",
         "a.c:7:12: error: ‘total’ undeclared\r\n", 1},
        {"utf8 japanese path", u8"C:\\ソ\\表.c:3:1: エ\r\nok", "C:\\ソ\\表.c:3:1: エ\r\nok", 1},
        {"ascii", "hello.c:1: warning: x\r\n\r\nend", "hello.c:1: warning: x\r\n\r\nend", 0},
        {"cp932", "C:\\ソース\\表.c:3: エラー\r\n", "C:\\ソース\\表.c:3: エラー\r\n", 0},
        // Half-width ﾃｩ is C3 A9, valid UTF-8 on its own; 表 after it is not.
        {"cp932 partly utf8", "\xC3\xA9 \x95\x5C.c\r\n", "\xC3\xA9 \x95\x5C.c\r\n", 0},
        {"mixed lines", u8"‘a’\n" "\x95\x5C\n" u8"‘b’", "‘a’\n\x95\x5C\n‘b’", 2},
        // Not UTF-8 as a whole: the pieces between bytes below 0x40 that hold
        // a sequence of three bytes or more, and only those.
        {"cp932 name, utf8 message", "C:\\\x83\x5C\x81\x5B\x83\x58\\\x95\x5C.c:5:1: " u8"エ: ‘x’\r\n",
         "C:\\ソース\\表.c:5:1: エ: ‘x’\r\n", 2},
        {"two-byte pieces stay", "\x95\x5C: \xC3\xA9 " u8"‘x’", "\x95\x5C: \xC3\xA9 ‘x’", 1},
        {"cut at a colon, not only at blanks", u8"‘x’:\x95\x5C", "‘x’:表", 1},
        // gcc's quote right after a code-page-932 text, and only there.
        {"pragma note", u8"‘#pragma message: \x8A\xBF\x95\x5C’\r\n", "‘#pragma message: 漢表’\r\n", 2},
        {"utf8 glued to cp932", u8"‘\x95\x5C’ ‘x’\x80", u8"‘\x95\x5C\x81\x66 ‘x’\x80", 1},
        {"no lead byte takes the CR", "\x8E\x9A\r\n\x8E\x9A\x81\r\n", "字\r\n字?\r\n", 0},
        {"as it came, bom kept", "\xEF\xBB\xBF" u8"‘a’\x1b[m", "\xEF\xBB\xBF" u8"‘a’", kAsItCame},
        {"bom after the first line stays", "a\r\n\xEF\xBB\xBF" "b", "a\r\n?b", 1},
        {"escapes middle and end", "\x1b[01m\x1b[Ka.c:1:\x1b[m\x1b[K \x1b[01;31merror\x1b[0m\r\nx\x1b[m",
         "a.c:1: error\r\nx", 0},
        {"escapes around utf8", u8"\x1b[01m‘x’\x1b[m\x1b[K\r\n", "‘x’\r\n", 1},
        {"incomplete escapes stay", "a\x1b[31\r\nb\x1b[\x1b(B\x1b", "a\x1b[31\r\nb\x1b[\x1b(B\x1b", 0},
        {"bom at the start", "\xEF\xBB\xBF" u8"‘a’\r\nb", "‘a’\r\nb", 1},
        {"bom alone", "\xEF\xBB\xBF", "", 0},
        {"outside cp932", u8"\U0001F600 é ‘x’", "? ? ‘x’", 1},
        {"overlong, surrogate, cut", "\xC0\xAF\n\xED\xA0\x80\n\xE2\x80\x98\xE2\x80",
         "\xC0\xAF\n\xED\xA0\x80\n\xE2\x80\x98\xE2\x80", 0},
        {"above U+10FFFF", "\xF4\x90\x80\x80", "\xF4\x90\x80\x80", 0},
    };
    for (const auto& c : cases) {
        SmallTable table;
        EXPECT_EQ(Convert(c.in, &table, c.steps != kAsItCame), c.out) << c.name;
        EXPECT_EQ(table.calls, c.steps == kAsItCame ? 0 : c.steps) << c.name;
    }
}

TEST(OutputText, FailedStepKeepsTheLine) {
    SmallTable table;
    table.fail = true;
    EXPECT_EQ(Convert(u8"\x1b[1m‘a’\r\nb", &table), u8"‘a\xE2\x80?\r\nb");  // but for the lead byte before its CR
}

TEST(OutputText, Utf8AndEscapeForms) {
    EXPECT_TRUE(outputtext::IsMultiByteUtf8("\xF0\x90\x80\x80", 4));
    EXPECT_TRUE(outputtext::IsMultiByteUtf8("\xED\x9F\xBF", 3));   // U+D7FF
    EXPECT_FALSE(outputtext::IsMultiByteUtf8("\xE0\x9F\xBF", 3));  // overlong
    EXPECT_FALSE(outputtext::IsMultiByteUtf8("\xC2", 1));
    EXPECT_FALSE(outputtext::IsMultiByteUtf8("\x80", 1));
    EXPECT_FALSE(outputtext::IsMultiByteUtf8("ascii", 5));
    EXPECT_EQ(outputtext::EscapeLength("\x1b[m", 3), 3u);
    EXPECT_EQ(outputtext::EscapeLength("\x1b[?25hX", 7), 6u);
    EXPECT_EQ(outputtext::EscapeLength("\x1b[1 qX", 6), 5u);
    EXPECT_EQ(outputtext::EscapeLength("\x1b[1\x80", 4), 0u);
    EXPECT_EQ(outputtext::EscapeLength("\x1b]0;t\x07", 6), 0u);
}
