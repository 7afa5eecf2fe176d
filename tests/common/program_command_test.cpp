#include "common/program_command.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

using namespace program_command;

TEST(ProgramCommand, SplitsTheFirstWordAsWindowsReadsIt) {
    struct {
        const char* line;
        const char* program;
        const char* arguments;
    } const cases[] = {
        {"hello.exe a  \"b c\" ", "hello.exe", "a  \"b c\" "},
        {"  \"C:\\my src\\表.exe\"\t-v", "C:\\my src\\表.exe", "-v"},
        {"C:\\\"my src\"\\a.exe x", "C:\\my src\\a.exe", "x"},  // quotes inside the word
        {"\"C:\\ソ ース\\a.exe\"x y", "C:\\ソ ース\\a.exex", "y"},  // the word goes on after the quote
        {"\"C:\\unclosed dir\\a.exe", "C:\\unclosed dir\\a.exe", ""},
        {"表 ソ", "表", "ソ"},  // trail bytes 0x5C are no separators
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        char program[64];
        const char* arguments = nullptr;
        EXPECT_TRUE(Split(c.line, program, sizeof program, &arguments));
        EXPECT_STREQ(program, c.program);
        EXPECT_STREQ(arguments, c.arguments);
    }
}

TEST(ProgramCommand, EmptyOrTooLongWordsAreRefused) {
    char program[8];
    const char* arguments = nullptr;
    EXPECT_FALSE(Split("   ", program, sizeof program, &arguments));
    EXPECT_FALSE(Split("\"\" x", program, sizeof program, &arguments));
    EXPECT_STREQ(arguments, "x");
    EXPECT_TRUE(Split("1234567 x", program, sizeof program, &arguments));
    // One byte more, or a double-byte character across the end: nothing cut.
    EXPECT_FALSE(Split("12345678 x", program, sizeof program, &arguments));
    EXPECT_STREQ(program, "");
    EXPECT_FALSE(Split("123456表 x", program, sizeof program, &arguments));
    EXPECT_STREQ(program, "");
    EXPECT_STREQ(arguments, "x");
}

TEST(ProgramCommand, KindsByExtension) {
    EXPECT_EQ(KindOf("C:\\a\\hello.EXE"), Kind::Program);
    EXPECT_EQ(KindOf("x.com"), Kind::Program);
    EXPECT_EQ(KindOf("run.Bat"), Kind::Script);
    EXPECT_EQ(KindOf("run.cmd"), Kind::Script);
    EXPECT_EQ(KindOf("game.gb"), Kind::Document);
    EXPECT_EQ(KindOf("C:\\v1.2\\hello"), Kind::NoExtension);   // the dot of a folder
    EXPECT_EQ(KindOf("C:\\表.exe\\hello"), Kind::NoExtension);  // 表 ends in 0x5C
    EXPECT_EQ(KindOf("hello."), Kind::NoExtension);
    EXPECT_TRUE(HasFolder("sub/a.exe"));
    EXPECT_TRUE(HasFolder("C:a.exe"));
    EXPECT_FALSE(HasFolder("表.exe"));
}

TEST(ProgramCommand, SubsystemFromThePeHeader) {
    unsigned char file[512] = {'M', 'Z'};
    const unsigned pe = 0x80, field = pe + 4 + 20 + 68;
    file[0x3C] = pe;
    std::memcpy(file + pe, "PE\0\0", 4);
    file[field] = 2;
    EXPECT_EQ(SubsystemOf(file, sizeof file), Subsystem::Gui);
    file[field] = 3;
    EXPECT_EQ(SubsystemOf(file, sizeof file), Subsystem::Console);
    EXPECT_EQ(SubsystemOf(file, field + 1), Subsystem::Unknown);  // the field cut off
    file[0x3D] = 0xFF;                                             // the header past the end
    EXPECT_EQ(SubsystemOf(file, sizeof file), Subsystem::Unknown);
    file[0x3D] = 0;
    file[pe] = 'N';
    EXPECT_EQ(SubsystemOf(file, sizeof file), Subsystem::Unknown);
    EXPECT_EQ(SubsystemOf(file, 10), Subsystem::Unknown);
}
