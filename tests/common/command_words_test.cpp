// What the real programs' tests cannot reach: the C runtime's backslash and
// doubled-quote rules, and trail bytes that look like cmd.exe's characters.
#include "common/command_words.h"

#include <gtest/gtest.h>

#include "common/jump_file_check.h"

using namespace command_words;

TEST(CommandWords, SplitLikeTheRuntimeThenQuotedForCmdOrRefused) {
    struct {
        const char* tail;
        std::vector<std::string> split;
        bool accepted;
        const char* batch;  // the tail, or the argument refused
    } const cases[] = {
        {"a\\\\\"b c\" d\\e\\\\ \"\"", {"a\\b c", "d\\e\\\\", ""}, true, "\"a\\b c\" d\\e\\\\ \"\""},
        {"\"x\"\"y\"", {"x\"y"}, false, "x\"y"},
        {"ok %PATH%", {"ok", "%PATH%"}, false, "%PATH%"},
        {"a\r\nrr.exe", {"a\r\nrr.exe"}, false, "a\r\nrr.exe"},
        {"\x83\"&rr.exe", {"\x83\"&rr.exe"}, false, "\x83\"&rr.exe"},  // no trail byte: cmd.exe would see the quote
        {"\"C:\\ソース\\表\" \x83|", {"C:\\ソース\\表", "\x83|"}, true, "C:\\ソース\\表 \x83|"},  // trail bytes \ and |
        {"ァ", {"ァ"}, true, "ァ"},  // trail byte 0x40
        {"a(1);b=2!", {"a(1);b=2!"}, true, "\"a(1);b=2!\""},
        {"a^b", {"a^b"}, true, "\"a^b\""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tail);
        EXPECT_EQ(SplitArguments(c.tail), c.split);
        std::string tail, refused;
        EXPECT_EQ(BatchTail(c.split, &tail, &refused), c.accepted);
        EXPECT_EQ(c.accepted ? tail : refused, c.batch);
    }
    EXPECT_EQ(AidTarget("\x83|.exe"), "\x83|.exe");
    EXPECT_EQ(CompilerArgument("@rsp.c", 6), ".\\@rsp.c");
    // A share is a file like any other when the source is on one too.
    EXPECT_TRUE(JumpFileAllowed("\\\\host\\share\\a.c", true, false));
    EXPECT_TRUE(JumpFileAllowed("\x83|.c", false, true));
    EXPECT_FALSE(JumpFileAllowed("100%.c", false, true));
}
