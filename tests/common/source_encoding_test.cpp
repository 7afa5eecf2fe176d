#include "common/source_encoding.h"

#include <gtest/gtest.h>

using namespace source_encoding;

TEST(SourceEncoding, ClassifiesAsTheCompilersWouldReadIt) {
    const std::string bom = "\xEF\xBB\xBF";
    const struct {
        std::string bytes;
        Encoding encoding;
    } cases[] = {
        {"", kAscii}, {std::string("int a;\0b", 8), kAscii}, {bom, kUtf8Bom}, {bom + u8"\"表示\"", kUtf8Bom},
        {bom + "\x95\x5C", kNeither},  // a mark before code page 932
        {u8"\"ソフト🍣\"", kUtf8}, {"\xE8\xA1\xA8", kUtf8},  // 表 in UTF-8 is also code page 932 by chance
        {"\"表示\" // ｿﾌﾄ", kCp932}, {"\x83\x5C", kCp932},
        {"\xC0\xAF", kCp932},  // an overlong form is no UTF-8: two half-width kana
        {"\x95", kNeither}, {"\x83\x7F", kNeither}, {"\x80", kNeither}, {"\xFD\x40", kNeither},
    };
    for (const auto& c : cases) EXPECT_EQ(Classify(c.bytes.data(), c.bytes.size()), c.encoding) << c.bytes;
    EXPECT_EQ(std::string(Name(kCp932)) + "|" + Name(kUtf8Bom) + "|" + Name(kUtf8) + "|" + Name(kAscii), "Shift_JIS|UTF-8 BOM|UTF-8|");
}

TEST(SourceEncoding, TellsEachCompilerWhatMakesItsProgramWriteCodePage932) {
    const char* const gnuCp932 = "-finput-charset=CP932 -fexec-charset=CP932";
    const struct {
        const char* compiler;
        Encoding encoding;
        bool fits;
        const char *compileOption, *options;
        bool writesUtf8;
    } cases[] = {
        {"C:\\mingw\\bin\\gcc.exe", kCp932, true, "-Wall", gnuCp932, false},
        {"x86_64-w64-mingw32-g++", kUtf8, true, "", "-fexec-charset=CP932", false},
        {"gcc-13", kUtf8Bom, true, "", "-fexec-charset=CP932", false},
        {"gcc.exe", kUtf8, false, "", "", true},  // gcc would refuse 🍣
        {"gcc.exe", kAscii, true, "", "", false}, {"gcc.exe", kNeither, true, "", "", false},
        // The user's own charset options decide alone.
        {"gcc.exe", kUtf8, true, "-O2 -fexec-charset=UTF-8", "", true},
        {"gcc.exe", kUtf8, true, "\"-fexec-charset=cp932\"", "", false},
        {"gcc.exe", kCp932, true, "-finput-charset=CP932", "", true},
        {"gcc.exe", kCp932, true, "-fwide-exec-charset=UTF-16", "", false},
        {"gcc.exe", kCp932, true, "-fexec-charsets", gnuCp932, false},
        {"cl.exe", kUtf8, true, "/EHsc", "/source-charset:utf-8", false}, {"clang-cl.exe", kUtf8Bom, true, "", "", false},
        {"cl.exe", kCp932, true, "", "", false}, {"cl.exe", kUtf8, true, "-utf-8", "", true},
        {"cl.exe", kUtf8, true, "/execution-charset:UTF-8", "", true},
        {"cl.exe", kUtf8, true, "/source-charset:utf-8", "", false},
        {"javac.exe", kCp932, true, "-g", "-encoding MS932", false}, {"javac.exe", kUtf8, false, "", "-encoding UTF-8", false},
        {"javac.exe", kUtf8, true, "-encoding UTF-8", "", false},
        {"clang.exe", kUtf8, true, "", "", true}, {"tcc.exe", kCp932, true, "", "", false},
        {"fpc.exe", kUtf8Bom, true, "", "", true}, {"bcc32.exe", kCp932, true, "", "", false},
        {"mycc.exe", kUtf8, true, "-fexec-charset=CP932", "", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.compiler) + " " + c.compileOption);
        Plan plan = PlanFor(FamilyOf(c.compiler), c.encoding, c.fits, c.compileOption);
        EXPECT_EQ(plan.options, c.options);
        EXPECT_EQ(plan.writesUtf8, c.writesUtf8);
    }
}

TEST(SourceEncoding, FindsTheLiteralWhoseCharacterEndsInABackslash) {
    const struct {
        const char *compiler, *source;
        std::string text;
        std::size_t line;  // 0: none to report
        const char* character;
    } cases[] = {
        {"clang.exe", "C:\\ソース\\表.c", "#include <stdio.h>\n// 表\n/* \"ソ\" */\nint main(void) {\n  puts(\"表示\");\n}\n",
         5, "表"},
        {"tcc.exe", "a.cpp", "char c = '\\'';\nconst char* s = \"\\\\\" \"能力\";\n", 2, "能"},
        {"mycc.exe", "a.C", "puts(\"a\\\n十\");\n", 2, "十"}, {"clang.exe", "a.c", "puts(\"ソ\"  /* \"表\" */);", 1, "ソ"},
        {"clang.exe", "a.c", "puts(\"日本語\"); // ソ\n", 0, ""}, {"clang.exe", "a.c", "int 表 = 0;\n", 0, ""},
        {"clang.exe", "a.c", "puts(\"\x95", 0, ""},  // cut in the middle
        {"clang.exe", "h.pas", "writeln('表');", 0, ""},  // no C escapes
        {"gcc.exe", "a.c", "puts(\"表\");", 0, ""}, {"bcc32.exe", "a.c", "puts(\"表\");", 0, ""},  // told; or knows
    };
    for (const auto& c : cases) {
        Trap trap;
        EXPECT_EQ(ReadsCp932AsEscapes(c.compiler, c.source) && FindEscapeTrap(c.text.data(), c.text.size(), &trap),
                  c.line != 0) << c.text;
        EXPECT_EQ(trap.line, c.line) << c.text;
        EXPECT_EQ(trap.character, c.character) << c.text;
    }
    const std::string refusals[] = {"cc1.exe: error: conversion from CP932 to UTF-8 not supported by iconv\n",
                                    "cc1: エラー: CP932 から UTF-8 への変換は iconv によってサポートされていません",
                                    "iconv.h: 1\nCP932\n"};
    for (int i = 0; i < 3; ++i) EXPECT_EQ(RefusesConversion(refusals[i].data(), refusals[i].size()), i < 2) << i;
}
