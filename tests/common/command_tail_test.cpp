#include "common/command_tail.h"

#include <gtest/gtest.h>

TEST(CommandTail, ProgramNameQuotedOrNot) {
    EXPECT_STREQ(cmdline::Tail("Kiln.exe C:\\work\\hello.c"), "C:\\work\\hello.c");
    EXPECT_STREQ(cmdline::Tail("  \"C:\\Program Files\\Kiln\\Kiln.exe\"\t \"C:\\my src\\a.c\""),
                 "\"C:\\my src\\a.c\"");
    // Quotes and inner blanks of the tail stay; nothing after the name is parsed.
    EXPECT_STREQ(cmdline::Tail("Kiln C:\\my src\\a b.c  "), "C:\\my src\\a b.c  ");
    EXPECT_STREQ(cmdline::Tail("\"C:\\Kiln\\Kiln.exe\"C:\\a.c"), "C:\\a.c");
}

TEST(CommandTail, EmptyTails) {
    EXPECT_STREQ(cmdline::Tail("Kiln.exe"), "");
    EXPECT_STREQ(cmdline::Tail("Kiln.exe   "), "");
    EXPECT_STREQ(cmdline::Tail(""), "");
    EXPECT_STREQ(cmdline::Tail("\"C:\\unterminated"), "");
}

TEST(CommandTail, DoubleByteProgramNames) {
    // ソ ends in 0x5C and 表 too; a blank's byte never hides in a trail byte,
    // but a lead byte must not swallow the terminator.
    EXPECT_STREQ(cmdline::Tail("C:\\ソース\\Kiln.exe C:\\表\\a.c"), "C:\\表\\a.c");
    EXPECT_STREQ(cmdline::Tail("\"C:\\ソ ース\\Kiln.exe\" x"), "x");
    // As Windows holds the line: a name of any characters, read the same way.
    EXPECT_STREQ(cmdline::Tail(L"\"C:\\caf\u00e9 \u00a5\\Kiln.exe\"\t caf\u00e9.c "), L"caf\u00e9.c ");
    EXPECT_STREQ(cmdline::Tail(L"\U0001F600.exe \"a b\""), L"\"a b\"");
}
