#include "common/command_words.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/jump_file_check.h"

using namespace command_words;

TEST(CommandWords, NamesStayOneWordAndNeverAnOption) {
    struct {
        const char* name;
        const char* compiler;  // on the compiler's command line
        const char* aid;       // as the aid program's target
    } const cases[] = {
        {"hello.c", "hello.c", "hello.c"},
        {"表ソ.c", "表ソ.c", "表ソ.c"},                 // trail bytes 0x5C are no separators
        {"victim hello.c", "\"victim hello.c\"", "\"victim hello.c\""},
        {" hello.c", "\" hello.c\"", "\" hello.c\""},
        {"-xc z @x.c", "\".\\-xc z @x.c\"", "\"-xc z @x.c\""},
        {"@rsp.c", ".\\@rsp.c", "@rsp.c"},
        {"go &rr.exe", "\"go &rr.exe\"", "\"go &rr.exe\""},
        {"a(1);b=2!.exe", "a(1);b=2!.exe", "\"a(1);b=2!.exe\""},
        {"ｰ|.exe", "ｰ|.exe", "\"ｰ|.exe\""},          // a single-byte kana before "|"
        {"\x83|.exe", "\x83|.exe", "\x83|.exe"},      // "|" as a trail byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(CompilerArgument(c.name, std::string(c.name).size()), c.compiler);
        EXPECT_EQ(AidTarget(c.name), c.aid);
    }
}

TEST(CommandWords, BatchArgumentsAreQuotedForCmdOrRefused) {
    struct {
        const char* tail;
        std::vector<std::string> split;
        const char* batch;  // null: refused
    } const cases[] = {
        {"一 -v  x", {"一", "-v", "x"}, "一 -v x"},
        {"a&rr.exe a>out.txt", {"a&rr.exe", "a>out.txt"}, "\"a&rr.exe\" \"a>out.txt\""},
        {"\"a^\"&rr.exe\"", {"a^&rr.exe"}, "\"a^&rr.exe\""},
        {"\"a b\" \"\"", {"a b", ""}, "\"a b\" \"\""},
        {"\"a\\\"&rr.exe\"", {"a\"&rr.exe"}, nullptr},
        {"a\\\\\"b c\" d\\e\\\\", {"a\\b c", "d\\e\\\\"}, "\"a\\b c\" d\\e\\\\"},
        {"\"x\"\"y\"", {"x\"y"}, nullptr},
        {"%PATH%", {"%PATH%"}, nullptr},
        {"a\r\nrr.exe", {"a\r\nrr.exe"}, nullptr},
        {"\"C:\\ソース\\表\"", {"C:\\ソース\\表"}, "C:\\ソース\\表"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tail);
        EXPECT_EQ(SplitArguments(c.tail), c.split);
        std::string tail, refused;
        EXPECT_EQ(BatchTail(c.split, &tail, &refused), c.batch != nullptr);
        if (c.batch) EXPECT_EQ(tail, c.batch);
    }
}

TEST(JumpFileCheck, OnlyFilesReachTheEditor) {
    struct {
        const char* file;
        bool plain, fromShare, throughShell;
    } const cases[] = {
        {"hello.c", true, true, true},
        {"C:\\ソース\\表.c", true, true, true},
        {"x\" /evil \"y", false, false, false},
        {"/evil=1", false, false, false},
        {" -x.c", false, false, false},
        {"\\\\host\\share\\a.c", false, true, false},
        {"a&rr.exe", true, true, false},
        {"100%.c", true, true, false},
        {"\x83|.c", true, true, true},  // "|" as a trail byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(JumpFileAllowed(c.file, false, false), c.plain);
        EXPECT_EQ(JumpFileAllowed(c.file, true, false), c.fromShare);
        EXPECT_EQ(JumpFileAllowed(c.file, false, true), c.throughShell && c.plain);
    }
}
