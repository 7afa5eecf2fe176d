#include "common/verdict_text.h"

#include <gtest/gtest.h>

#include <string>

// What a program or a .out holds reaches the console only as text: no byte
// a terminal acts on, no lead byte that would swallow what follows, and a
// double-byte character (trail byte 0x5C or a letter) whole.
TEST(VerdictText, ControlCharactersAreShownNotSent) {
    struct {
        const char* name;
        std::string line, shown;
    } const cases[] = {
        {"title, clear and colour", "\x1B]0;AC\x07\x1B[2J\x1B[31mok", "\\x1B]0;AC\\x07\\x1B[2J\\x1B[31mok"},
        {"tab kept, NUL, CR and DEL shown", std::string("a\tb\0c\rd\x7F", 8), "a\tb\\x00c\\x0Dd\\x7F"},
        {"trail bytes 0x5C and a letter", "ソ表\x83\x41", "ソ表\x83\x41"},
        {"lead byte before ESC", "\x83\x1B[2J", "\\x83\\x1B[2J"},
        {"lead byte at the end", "a\x83", "a\\x83"},
        {"no character at all", "\x80\xA0\xFD\xFF", "\\x80\\xA0\\xFD\\xFF"},
        {"cut before an escape would be split", std::string(157, 'a') + "\x1B", std::string(157, 'a') + "…"},
        {"cut before a double-byte character", std::string(159, 'a') + "表", std::string(159, 'a') + "…"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        output_compare::Difference difference;
        difference.line = 1;
        difference.expected = c.line;
        difference.expectedPresent = true;
        EXPECT_EQ(verdict_text::WrongAnswer("s", 0, difference),
                  "s: WA（0.00秒）\r\n  1行目が違います\r\n  期待: " + c.shown + "\r\n  出力: （行がありません）\r\n");
        EXPECT_EQ(verdict_text::NotJudged("s", 0, c.line + "\n"), "s: 判定なし、.outがありません（0.00秒）\r\n  " + c.shown + "\r\n");
    }
}

TEST(VerdictText, OutputWithoutExpectedShowsTenLines) {
    std::string output, shown;
    for (int i = 1; i <= 12; ++i) output += std::to_string(i) + "\r\n";
    for (int i = 1; i <= 10; ++i) shown += "  " + std::to_string(i) + "\r\n";
    EXPECT_EQ(verdict_text::NotJudged("s", 0, output), "s: 判定なし、.outがありません（0.00秒）\r\n" + shown + "  …\r\n");
    output.resize(output.size() - 8);  // "11\r\n12\r\n" gone: ten lines, nothing left out
    EXPECT_EQ(verdict_text::NotJudged("s", 0, output), "s: 判定なし、.outがありません（0.00秒）\r\n" + shown);
}
