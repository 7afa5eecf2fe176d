#include "common/line_place.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

struct PlaceCase {
    const char* compiler;
    const char* line;
    const char* file;  // null: the line names no place
    int number;
    int column;
    const char* next = nullptr;  // the line after it; null: none
};

void ExpectPlace(const PlaceCase& c, const char* where) {
    LinePlace place = ReadLinePlace(RulesForCompiler(c.compiler, ""), c.line, std::strlen(c.line), c.next);
    if (!c.file) {
        EXPECT_EQ(place.line, 0) << where << ": " << c.compiler << ": " << c.line << " -> " << place.file;
        return;
    }
    EXPECT_EQ(place.file, c.file) << where << ": " << c.compiler << ": " << c.line;
    EXPECT_EQ(place.line, c.number) << where << ": " << c.line;
    EXPECT_EQ(place.column, c.column) << where << ": " << c.line;
}

// Lines as each compiler prints them. Source texts are compiled to CP932:
// ソ and 表 have 0x5C ('\') as their trail byte.
const PlaceCase kLines[] = {
    {"C:\\MinGW\\bin\\gcc.exe", "C:\\work\\a.c:12: error: 'x' undeclared", "C:\\work\\a.c", 12, 0},
    {"gcc.exe", "C:\\work\\a.c:12:5: error: expected ';' before 'return'", "C:\\work\\a.c", 12, 5},
    {"GCC.EXE", "C:\\ソース\\表.c:12: error", "C:\\ソース\\表.c", 12, 0},
    {"gcc", "  b.c:3:1: error: x", "b.c", 3, 1},  // blanks before the file are not the file's
    {"gcc.exe", "hello.c: In function 'main':", nullptr, 0, 0},
    {"gcc.exe", "C:\\MinGW\\bin\\ld.exe: cannot find -lfoo", nullptr, 0, 0},
    {"gcc.exe", "a.o:a.c:(.text+0x1e): undefined reference to `foo'", nullptr, 0, 0},
    {"gcc.exe", "    8 |   printf(\"a:1\");", nullptr, 0, 0},  // gcc's quote of the source
    {"gcc.exe", "      |   ^~~~", nullptr, 0, 0},
    {"gcc.exe", "", nullptr, 0, 0},
    {"C:\\MinGW\\bin\\g++.exe", "main.cpp:7:10: warning: unused variable 'n'", "main.cpp", 7, 10},
    {"x86_64-w64-mingw32-g++.exe", "b.c:5:9: error: x", "b.c", 5, 9},
    {"javac.exe", "Hello.java:5: error: ';' expected", "Hello.java", 5, 0},
    {"C:\\jdk\\bin\\JAVAC.EXE", "C:\\src\\Hello.java:31: cannot find symbol", "C:\\src\\Hello.java", 31, 0},
    {"bcc32.exe", "Error E2451 hello.c 5: Undefined symbol 'x' in function main", "hello.c", 5, 0},
    {"bcc32.exe", "Warning W8057 C:\\ソース\\表.c 9: Parameter 'argc' is never used", "C:\\ソース\\表.c", 9, 0},
    {"bcc32.exe", "Borland C++ 5.5.1 for Win32 Copyright (c) 1993, 2000 Borland", nullptr, 0, 0},
    {"bcc32.exe", "hello.c:", nullptr, 0, 0},
    {"bcc32.exe", "Error E2188 x.c x12: Expression syntax", nullptr, 0, 0},  // digits, but no number
    {"bcc32.exe", "Warning W8004 a.c 14", nullptr, 0, 0},                    // no colon after the number
    {"bcc32.exe", "Error x.c -3: bad", nullptr, 0, 0},                       // no line before the first
    // 0x81 0x31 steps as one character: its "1" is no digit before the colon.
    {"bcc32.exe", "x \x81" "1: y.c 12: bad", "x \x81" "1: y.c", 12, 0},
    {"lcc.exe", "Error hello.c 12: syntax error; found 'int' expecting ';'", "hello.c", 12, 0},
    {"lcc.exe", "Warning C:\\my dir\\b.c 3: missing prototype", "C:\\my dir\\b.c", 3, 0},
    {"dcc32.exe", "Unit1.pas(30) Error: Undeclared identifier: 'x'", "Unit1.pas", 30, 0},
    {"dcc32.exe", "C:\\ソース\\表.dpr(12) Warning: Variable 'i'", "C:\\ソース\\表.dpr", 12, 0},
    {"dcc32.exe", "C:\\New (2)\\u.pas(4) Error: x", "C:\\New (2)\\u.pas", 4, 0},
    {"dcc32.exe", "Borland Delphi Version 15.0 (c) 2002", nullptr, 0, 0},
    {"dcc32.exe", "big.pas(99999999999) Fatal: too big", "big.pas", 2147483647, 0},
    {"clang.exe", "C:\\ソース\\表.c:4:15: error: expected ';'", "C:\\ソース\\表.c", 4, 15},
    {"tcc.exe", "a.c:1: error: x", "a.c", 1, 0},
    {"cl.exe", "a.c(5): error C2065: 'x': undeclared identifier", "a.c", 5, 0},
    {"CL.EXE", "C:\\New (2)\\a.c(5,10): warning C4996: 'strcpy'", "C:\\New (2)\\a.c", 5, 10},
    {"cl.exe", "1>C:\\src\\a.c(7): fatal error C1083: Cannot open include file", "C:\\src\\a.c", 7, 0},
    {"cl.exe", "a.obj : error LNK2019: unresolved external symbol _f referenced in function _main", nullptr, 0,
     0},
    {"clang-cl.exe", "a.c(3,1): error: use of undeclared identifier", "a.c", 3, 1},
    {"fpc.exe", "h.pas(3,11) Error: Identifier not found \"x\"", "h.pas", 3, 11},
    {"fpc.exe", "Fatal: Compilation aborted", nullptr, 0, 0},
    // Any other name: the colon, the parenthesis and the space form in turn.
    {"mycc.exe", "b.c:5:9: error: x", "b.c", 5, 9},
    {"mycc.exe", "C:\\a\\b.c(5,2): error C2143: missing ';' before 'a:1'", "C:\\a\\b.c", 5, 2},
    {"mycc.exe", "1>a.c(5): error C2065: 'x'", "a.c", 5, 0},
    {"mycc.exe", "Error E2451 表.c 5: Undefined symbol", "表.c", 5, 0},
    {"mycc.exe", "In file included from C:\\ソース\\表.h:12,", "C:\\ソース\\表.h", 12, 0},
    {"mycc.exe", "collect2.exe: error: ld returned 1 exit status", nullptr, 0, 0},
    {"mycc.exe", "1 error generated.", nullptr, 0, 0},
    {"mycc.exe", "foo.obj : error LNK2019: unresolved external symbol", nullptr, 0, 0},
    {"mycc.exe", "    8 |   x = a ? 1 : 2;", nullptr, 0, 0},
    {"mycc.exe", "x.c: note: 'a:1' (2) here", nullptr, 0, 0},
    {"mycc.exe", "Kiln:b.c:5:9: error: Kiln's own line", nullptr, 0, 0},
    // gcc 8 and older and clang quote the source bare: the carets under it
    // make it a quote, whatever it holds.
    {"gcc.exe", "     x = a ? 1:2;", nullptr, 0, 0, "              ^"},
    {"mycc.exe", "x = a ? 1:2;", nullptr, 0, 0, "  ~~^~~"},
};

// The real compilers' lines for the broken sources of scripts/compiler-lines.
const PlaceCase kRealLines[] = {
#include "tests/fixtures/compiler_lines.inc"
};

}  // namespace

TEST(LinePlace, EachCompilerNamesFileLineAndColumn) {
    for (const PlaceCase& c : kLines) ExpectPlace(c, "table");
    for (const PlaceCase& c : kRealLines) ExpectPlace(c, "real");
}

TEST(LinePlace, NamesKnowTheFamilyWhateverTheTargetOrVersion) {
    struct {
        const char* path;
        const char* family;  // null: not in the table
        const char* option;
        bool joined;
    } cases[] = {
        {"C:\\msys64\\ucrt64\\bin\\x86_64-w64-mingw32-g++.exe", "g++", "-o", false},
        {"i686-w64-mingw32-gcc.exe", "gcc", "-o", false},
        {"GCC-13.EXE", "gcc", "-o", false},
        {"C:/msys64/ucrt64/bin/gcc.exe.", "gcc", "-o", false},  // Windows reads it as gcc.exe
        {"x86_64-w64-mingw32-gcc-12-posix", "gcc", "-o", false},
        {"x86_64-w64-mingw32-gcc-win32.exe", "gcc", "-o", false},
        {"C:\\w64devkit\\bin\\cc.exe", "cc", "-o", false},
        {"C:\\gcc.exe\\c++.exe", "c++", "-o", false},
        {"gfortran.exe", "gfortran", "-o", false},
        {"clang++-17.exe", "clang++", "-o", false},
        {"C:\\LLVM\\bin\\clang-cl.exe", "clang-cl", "/Fe", true},
        {"C:\\VS\\bin\\Hostx86\\x86\\cl.exe", "cl", "/Fe", true},
        {"C:\\FPC\\3.2.2\\bin\\i386-win32\\fpc.exe", "fpc", "-o", true},
        {"tcc.exe", "tcc", "-o", false},
        {"bcc32.exe", "bcc32", "-e", true},
        {"C:\\ソ\\gcc.exe.bak", nullptr, "", false},
        {"xgcc.exe", nullptr, "", false},
        {"gcc-ar.exe", nullptr, "", false},
        {"x86_64-w64-mingw32-bcc32.exe", nullptr, "", false},  // only today's names take a target
        {"mycc.exe", nullptr, "", false},
        {"", nullptr, "", false},
    };
    for (const auto& c : cases) {
        const KnownCompiler* known = FindKnownCompiler(c.path);
        if (!c.family) {
            EXPECT_EQ(known, nullptr) << c.path;
            continue;
        }
        ASSERT_NE(known, nullptr) << c.path;
        EXPECT_STREQ(known->name, c.family) << c.path;
        EXPECT_STREQ(known->outputOption, c.option) << c.path;
        EXPECT_EQ(known->outputJoined, c.joined) << c.path;
    }
}

TEST(LinePlace, ColumnsCountAsTheCompilerCounts) {
    struct {
        const char* compiler;
        const char* options;
        const char* text;  // the source line
        int column;
        const char* rest;  // the text from the offset on
    } cases[] = {
        {"gcc.exe", "", "\tprintf(\"x\")", 9, "printf(\"x\")"},      // a tab to the next multiple of 8
        {"gcc.exe", "", "ab\tc", 9, "c"},
        {"gcc.exe", "", "abcdefg\tx", 9, "x"},                        // the tab from column 8 to 9
        {"gcc.exe", "-Wall -ftabstop=4", "\tx", 5, "x"},
        {"gcc.exe", "-ftabstop=4 -ftabstop=0", "\tx", 5, "x"},        // gcc ignores 0: the 4 stands
        {"gcc.exe", "", "表示 = 1;", 6, "= 1;"},                       // a double-byte character is two
        {"gcc.exe", "", "表示 = 1;", 4, "示 = 1;"},
        {"gcc.exe", "-fdiagnostics-column-unit=byte", "\tx", 2, "x"},
        {"g++.exe", "-fdiagnostics-column-unit=byte -fdiagnostics-column-unit=display", "\tx", 9, "x"},
        {"clang.exe", "", "\tint total = 1;", 15, ";"},               // bytes
        {"clang.exe", "-ftabstop=4", "\tx", 2, "x"},
        {"clang.exe", "", "表x", 2, "表x"},                             // inside a character: the character
        {"clang.exe", "", "ab", 9, ""},                                // past the end: the end
        {"gcc.exe", "", "ab", 0, "ab"},
        {"mycc.exe", "", "\tx", 2, "x"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        std::size_t at = ColumnOffset(RulesForCompiler(c.compiler, c.options), text.data(), text.size(), c.column);
        EXPECT_EQ(text.substr(at), c.rest) << c.compiler << " " << c.options << " " << c.column;
    }
}

TEST(LinePlace, CountsLinesOfAWholeOutput) {
    const std::string output =
        "In file included from hello.c:2:\r\n"
        "b.h:1:1: warning: x\r\n"
        "hello.c:5:3: error: a\r\n"
        "hello.c:5:3: note: b\r\n"
        "hello.c:7:1: error: c\n"                 // a bare LF ends a line too
        "Kiln:hello.c 7: error: Kiln's own\r\n"
        "collect2.exe: error: ld returned 1";     // the last line has no break
    const LineRules gcc = RulesForCompiler("gcc.exe", "");
    MessageCounts counts = CountMessages(gcc, output.data(), output.size());
    EXPECT_EQ(counts.errors, 3u);
    EXPECT_EQ(counts.warnings, 1u);
    // The length bounds the scan: a word past it is not read.
    counts = CountMessages(gcc, output.data(), output.find("hello.c:5"));
    EXPECT_EQ(counts.errors, 0u);
    EXPECT_EQ(counts.warnings, 1u);
    // Any other compiler counts with gcc's and MSVC's words.
    const std::string msvc = "a.c(5): error C2065: x\r\nLINK : fatal error LNK1120: 1 unresolved\r\n"
                             "a.c(9): warning C4996: y\r\na.c(2): note: z\r\n";
    counts = CountMessages(RulesForCompiler("mycc.exe", ""), msvc.data(), msvc.size());
    EXPECT_EQ(counts.errors, 2u);
    EXPECT_EQ(counts.warnings, 1u);
}
