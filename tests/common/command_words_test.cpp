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
}

// Judged by what Windows makes of the name: the separators in any mix, the
// device prefixes, and the full path against the source's folder.
TEST(CommandWords, TheJumpRefusesWhatIsNoLocalFileAndQuotesForBatchFiles) {
    struct {
        const char* file;
        const char* full;
        bool onShare;
        bool allowed;
    } const cases[] = {
        {"\\\\host\\share\\a.c", "", true, true},  // a share is a file like any other when the source is on one
        {"\\/host/share/a.c", "\\\\host\\share\\a.c", false, false},
        {"sub\\a.c", "\\\\host\\share\\a.c", false, false},
        {"\\??\\UNC\\host\\share\\b.c", "", false, false},
        {"//./pipe/x", "", true, false},
        {"\\\\?\\C:\\a.c", "", true, false},
        {"+!calc", "C:\\src\\+!calc", false, false},
        {"\x83\"x.c", "", false, false},  // the lead byte would step over the quote
        {"C:\\ソース\\表.c", "C:\\ソース\\表.c", false, true},
        {"ァ.c", "C:\\src\\ァ.c", false, true},  // 83 40: the least trail byte
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        EXPECT_EQ(JumpFileAllowed(c.file, c.full, c.onShare), c.allowed);
    }
    struct {
        const char* word;
        const char* quoted;  // Quoted
        const char* batch;   // BatchWord; null: refused
    } const words[] = {
        {"C:\\src\\a b.c\\", "\"C:\\src\\a b.c\\\\\"", "\"C:\\src\\a b.c\\\\\""},
        {"C:\\ソ", "\"C:\\ソ\"", "C:\\ソ"},  // a trail byte 0x5C is no backslash
        {"a.c,-x", "\"a.c,-x\"", "\"a.c,-x\""},
        {"a|b;c=d", "\"a|b;c=d\"", "\"a|b;c=d\""},
        {"\x83|.c", "\"\x83|.c\"", "\x83|.c"},
        {"100%.c", "\"100%.c\"", nullptr},
    };
    for (const auto& w : words) {
        SCOPED_TRACE(w.word);
        EXPECT_EQ(Quoted(w.word), w.quoted);
        EXPECT_EQ(SplitArguments(Quoted(w.word).c_str()), std::vector<std::string>{w.word});
        std::string batch = "untouched";
        EXPECT_EQ(BatchWord(w.word, &batch), w.batch != nullptr);
        EXPECT_EQ(batch, w.batch ? w.batch : "untouched");
    }
}
