#include "common/error_line.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "common/line_place.h"
#include "common/run_target.h"

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

TEST(ErrorLine, IncludeChainNamesTheIncludingFile) {
    struct {
        const char* line;
        bool chain;
        int number;
        const char* file;  // the place's file
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
    const LineRules gcc = RulesForCompiler("gcc.exe", "");
    for (const auto& c : cases) {
        LinePlace place = ReadLinePlace(gcc, c.line, std::strlen(c.line), nullptr);
        EXPECT_EQ(IsIncludeChainLine(c.line), c.chain) << c.line;
        EXPECT_EQ(place.includeStep, c.chain) << c.line;
        EXPECT_EQ(place.line, c.number) << c.line;
        if (c.file) {
            EXPECT_EQ(place.file, c.file) << c.line;
        }
    }
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
