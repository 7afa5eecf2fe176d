#include "common/error_line.h"

#include <gtest/gtest.h>

#include <string>

#include "common/run_target.h"

namespace {

struct LineCase {
    const char* compiler;
    const char* line;
    int number;
    const char* filePart;  // what stays of the line when number is not 0
};

// Real lines of the compilers each form serves. Source texts are compiled to
// CP932: ソ and 表 have 0x5C ('\') as their trail byte.
const LineCase kLines[] = {
    {"C:\\MinGW\\bin\\gcc.exe", "C:\\work\\a.c:12: error: 'x' undeclared", 12, "C:\\work\\a.c"},
    {"gcc.exe", "C:\\work\\a.c:12:5: error: expected ';' before 'return'", 12, "C:\\work\\a.c"},
    {"GCC.EXE", "C:\\ソース\\表.c:12: error", 12, "C:\\ソース\\表.c"},
    {"gcc.exe", "hello.c: In function 'main':", 0, nullptr},
    {"gcc.exe", "C:\\MinGW\\bin\\ld.exe: cannot find -lfoo", 0, nullptr},
    {"gcc.exe", "a.o:a.c:(.text+0x1e): undefined reference to `foo'", 0, nullptr},
    {"gcc.exe", "", 0, nullptr},
    {"C:\\MinGW\\bin\\g++.exe", "main.cpp:7:10: warning: unused variable 'n' [-Wunused-variable]", 7, "main.cpp"},
    {"javac.exe", "Hello.java:5: error: ';' expected", 5, "Hello.java"},
    {"C:\\jdk\\bin\\JAVAC.EXE", "C:\\src\\Hello.java:31: cannot find symbol", 31, "C:\\src\\Hello.java"},
    {"bcc32.exe", "Error E2451 hello.c 5: Undefined symbol 'x' in function main", 5, "Error E2451 hello.c"},
    {"bcc32.exe", "Warning W8057 C:\\ソース\\表.c 9: Parameter 'argc' is never used", 9,
     "Warning W8057 C:\\ソース\\表.c"},
    {"bcc32.exe", "Borland C++ 5.5.1 for Win32 Copyright (c) 1993, 2000 Borland", 0, nullptr},
    {"bcc32.exe", "hello.c:", 0, nullptr},
    {"bcc32.exe", "Error E2188 x.c x12: Expression syntax", 0, nullptr},   // digits, but no number
    {"bcc32.exe", "Warning W8004 a.c 14", 0, nullptr},                     // last word without a colon
    {"bcc32.exe", "Error x.c -3: bad", 0, nullptr},                         // no line before the first
    // 0x81 0x31 steps as one character: its "1" is no digit before the colon.
    {"bcc32.exe", "x \x81" "1: y.c 12: bad", 12, "x \x81" "1: y.c"},
    {"lcc.exe", "Error hello.c 12: syntax error; found 'int' expecting ';'", 12, "Error hello.c"},
    {"lcc.exe", "Warning C:\\my dir\\b.c 3: missing prototype", 3, "Warning C:\\my dir\\b.c"},
    {"dcc32.exe", "Unit1.pas(30) Error: Undeclared identifier: 'x'", 30, "Unit1.pas"},
    {"dcc32.exe", "C:\\ソース\\表.dpr(12) Warning: Variable 'i' might not have been initialized", 12,
     "C:\\ソース\\表.dpr"},
    {"dcc32.exe", "Borland Delphi Version 15.0 (c) 2002", 0, nullptr},
    {"dcc32.exe", "big.pas(99999999999) Fatal: too big", 2147483647, "big.pas"},
};

}  // namespace

TEST(ErrorLine, EachCompilerFormFindsFileAndLine) {
    for (const LineCase& c : kLines) {
        std::string text = c.line;
        text.push_back('\0');
        LineForm form = FormForCompiler(c.compiler);
        ASSERT_NE(form, kUnsupportedForm) << c.compiler;
        int n = ParseLineOfForm(form, &text[0]);
        EXPECT_EQ(n, c.number) << c.line;
        if (c.number != 0) {
            EXPECT_STREQ(text.c_str(), c.filePart) << c.line;
        }
    }
}

TEST(ErrorLine, UnknownCompilersAndLookAlikesAreUnsupported) {
    for (const char* path : {"tcc.exe", "C:\\bin\\cl.exe", "C:\\bin\\xgcc.exe", "gcc", "C:\\gcc.exe\\cc.exe",
                             "C:\\ソ\\gcc.exe.bak", ""}) {
        EXPECT_EQ(FormForCompiler(path), kUnsupportedForm) << path;
    }
    EXPECT_EQ(FormForCompiler("C:\\表\\Gcc.Exe"), kColonForm);
    EXPECT_EQ(FormForCompiler("lcc.exe"), kSpaceForm);
    EXPECT_EQ(FormForCompiler("dcc32.EXE"), kParenForm);
}

TEST(ErrorLine, LineNumberWordNeedsDigitsRightBeforeItsColon) {
    struct {
        const char* text;  // starts at the space
        bool qualifies;
    } cases[] = {
        {" 12: x", true}, {" x12: x", true}, {" 12 :", false}, {" :", false}, {" ab:", false},
        {" 12", false},   {" ", false},      {"  12:", false}, {" 表1:", true},
        {" \x81" "1:", false}, {" \xF3" "0:", false}, {" 1\x81:", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsLineNumberWord(c.text), c.qualifies) << c.text;
}

TEST(ErrorLine, JumpOptionTakesTheLineAtItsLastPercent) {
    struct {
        const char* option;
        int n;
        const char* filled;
    } cases[] = {
        {"/jl=%N", 12, "/jl=12"},      {"-n%d+%N tail", 7, "-n%d+7"}, {"%", 1, "1"},
        {"+%L", 2147483647, "+2147483647"}, {"-line", 3, "-line"},  {"", 3, ""},
        {"ソ%N", 5, "ソ5"},
    };
    for (const auto& c : cases) {
        char buffer[kJumpOptionBufferSize] = {};
        std::string(c.option).copy(buffer, sizeof buffer - 1);
        FillJumpOption(buffer, c.n);
        EXPECT_STREQ(buffer, c.filled) << c.option;
    }
}

TEST(ErrorLine, EditorParametersNameOneFile) {
    EXPECT_EQ(JumpParameters("C:\\work\\a.c", "/jl=12", kColonForm), "C:\\work\\a.c /jl=12");
    EXPECT_EQ(JumpParameters("C:\\My Work\\a.c", "/jl=3", kColonForm), "\"C:\\My Work\\a.c\" /jl=3");
    EXPECT_EQ(JumpParameters("Error E2451 hello.c", "/jl=5", kSpaceForm), "hello.c /jl=5");
    EXPECT_EQ(JumpParameters("warning W8057 C:\\ソース\\表.c", "-g", kSpaceForm), "C:\\ソース\\表.c -g");
    EXPECT_EQ(JumpParameters("FATAL F1003 C:\\a b\\x.c", "", kSpaceForm), "\"C:\\a b\\x.c\" ");
    EXPECT_EQ(JumpParameters("Error hello.c", "/jl=1", kSpaceForm), "hello.c /jl=1");
    // Only the space form carries message words; a colon-form file may be named so.
    EXPECT_EQ(JumpParameters("Error E1 x.c", "/jl=1", kColonForm), "\"Error E1 x.c\" /jl=1");
    EXPECT_EQ(JumpParameters("Errors.c", "/jl=1", kSpaceForm), "Errors.c /jl=1");
    EXPECT_EQ(JumpParameters("Error", "/jl=1", kSpaceForm), "Error /jl=1");
    // A file part of any length is passed whole.
    std::string deep = "C:\\" + std::string(700, 'd') + "\\a.c";
    EXPECT_EQ(JumpParameters(deep.c_str(), "/jl=9", kColonForm), deep + " /jl=9");
}

TEST(ErrorLine, IncludeChainNamesTheIncludingFile) {
    struct {
        const char* line;
        bool chain;
        int number;
        const char* file;  // LineFilePart after the parse
    } cases[] = {
        {"In file included from hello.c:2:", true, 2, "hello.c"},
        {"In file included from C:\\ソース\\表.h:12,", true, 12, "C:\\ソース\\表.h"},
        {"                 from b.h:3:", true, 3, "b.h"},
        {"                 from C:\\My Work\\b.h:30,", true, 30, "C:\\My Work\\b.h"},
        // gcc's Japanese catalog: its words end in blanks, which are not the file's.
        {"次のファイルから読み込み:  C:\\ソース\\表.c:2:", true, 2, "C:\\ソース\\表.c"},
        {"         次から読み込み: a.h:3:", true, 3, "a.h"},
        {"次から読み込み: a.h:3:", false, 3, "次から読み込み: a.h"},
        {"次のファイルから読み込み:a.h:3:", false, 3, "次のファイルから読み込み:a.h"},
        {"表.c: 関数 ‘main’ 内:", false, 0, nullptr},
        {"表.c: トップレベル:", false, 0, nullptr},
        // Not the chain: the words must lead the line, and a location follow.
        {"from b.h:3: error: x", false, 3, "from b.h"},
        {"In file included from hello.c", false, 0, nullptr},
        {"  from here", false, 0, nullptr},
        {"hello.c:4:1: note: in expansion of 'from x:1:'", false, 4, "hello.c"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsIncludeChainLine(c.line), c.chain) << c.line;
        std::string text = c.line;
        text.push_back('\0');
        EXPECT_EQ(ParseColonForm(&text[0]), c.number) << c.line;
        if (c.file) {
            EXPECT_STREQ(LineFilePart(text.c_str(), kColonForm), c.file) << c.line;
        }
    }
    EXPECT_EQ(JumpParameters("In file included from C:\\a b\\x.h", "/jl=2", kColonForm), "\"C:\\a b\\x.h\" /jl=2");
    // Only the colon form has the chain's words.
    EXPECT_STREQ(LineFilePart("In file included from x.c", kParenForm), "In file included from x.c");
}

TEST(RunTarget, OutputExtensionDecidesWhatRuns) {
    struct {
        const char* name;
        OutputKind kind;
        const char* className;
        bool javaName;  // the runner takes it as a class
    } cases[] = {
        {"hello.exe", kRunnableFile, "", false}, {"HELLO.EXE", kRunnableFile, "", false},
        {"game.gb", kRunnableFile, "", false}, {"Hello.class", kJavaClass, "Hello", true},
        {"表.CLASS", kJavaClass, "表", true}, {"$ソ_1.class", kJavaClass, "$ソ_1", true},
        {"@opts.class", kJavaClass, "@opts", false}, {"-x.class", kJavaClass, "-x", false},
        {"My Prog.class", kJavaClass, "My Prog", false}, {"1a.class", kJavaClass, "1a", false},
        {"ア\x83 b.class", kJavaClass, "ア\x83 b", false}, {".class", kJavaClass, "", false},
        {"hello.obj", kNothingToRun, "", false}, {"hello", kNothingToRun, "", false},
        {"a.exe.bak", kNothingToRun, "", false}, {"ソ", kNothingToRun, "", false},
    };
    for (const auto& c : cases) {
        std::string className;
        EXPECT_EQ(ClassifyOutput(c.name, &className), c.kind) << c.name;
        EXPECT_EQ(className, c.className) << c.name;
        EXPECT_EQ(IsJavaClassName(c.className), c.javaName) << c.name;
    }
}

TEST(RunTarget, JavaRunnerComesFromTheCompilersName) {
    std::string command;
    ASSERT_EQ(ComposeJavaCommand(&command, "Hello", "C:\\jdk\\bin\\javac.exe"), 1);
    EXPECT_EQ(command, "\"C:\\jdk\\bin\\java.exe\" Hello");
    ASSERT_EQ(ComposeJavaCommand(&command, "表", "C:\\ソース\\bin\\javac.exe"), 1);
    EXPECT_EQ(command, "\"C:\\ソース\\bin\\java.exe\" 表");
    // The folder's dot does not count; a name without one, or with nothing
    // before it, gives no runner.
    EXPECT_EQ(ComposeJavaCommand(&command, "Hello", "C:\\jdk1.8\\bin\\javac"), 0);
    EXPECT_EQ(ComposeJavaCommand(&command, "Hello", ".exe"), 0);
    EXPECT_EQ(ComposeJavaCommand(&command, "Hello", "C:\\bin\\.exe"), 0);
    std::string runner;
    ASSERT_EQ(JavaRunnerPath(&runner, "C:\\bin\\xソ.exe"), 1);  // a double-byte last character goes whole
    EXPECT_EQ(runner, "C:\\bin\\x.exe");
    std::string deep = "C:\\" + std::string(400, 'j') + "\\javac.exe";
    ASSERT_EQ(ComposeJavaCommand(&command, "Hello", deep.c_str()), 1);
    EXPECT_EQ(command, "\"C:\\" + std::string(400, 'j') + "\\java.exe\" Hello");
}
