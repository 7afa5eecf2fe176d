// The headers followed for the up-to-date test, over files held in memory.
#include "common/include_scan.h"

#include <gtest/gtest.h>

#include <map>

using namespace include_scan;

namespace {

struct MemoryFiles : Files {
    std::map<std::string, std::string> texts;  // "" for a file that cannot be read
    ReadResult Read(const std::string& path, std::size_t maxBytes, std::string* text,
                    build_record::Stamp* stamp) override {
        auto found = texts.find(path);
        if (found == texts.end()) return kMissing;
        if (found->second.empty() || found->second.size() > maxBytes) return kUnreadable;
        *text = found->second;
        *stamp = build_record::Stamp{path, 7, found->second.size()};
        return kRead;
    }
};

std::vector<std::string> Followed(const Result& result) {
    std::vector<std::string> paths;
    for (const auto& header : result.headers) paths.push_back(header.path.substr(sizeof "C:\\ソース\\" - 1));
    return paths;
}

}  // namespace

TEST(IncludeScan, FollowsQuotedIncludesOutsideCommentsAndDeadBlocks) {
    MemoryFiles files;
    const std::string root = "C:\\ソース\\";
    files.texts[root + "a.c"] =
        "#include \"config.h\"\n#include <stdio.h>\n// #include \"line.h\"\n/* #include \"block.h\"\n"
        "#include \"block2.h\" */\n#if 0\n#include \"dead.h\"\n#if 1\n#include \"nested.h\"\n#endif\n"
        "#else\n#include \"live.h\"\n#endif\n  #  include \"spaced.h\"\r\n"
        "const char* s = \"/*\"; char c = '\"';\n#include \"after.h\"\n#if 0 /* x */\n#include \"dead2.h\"\n#endif\n"
        "#include \"表.h\"\n#include \"missing.h\"\n#include \"../outside.h\"\n#include \"ソース/部品.h\"\n";
    for (const char* name : {"config.h", "line.h", "block.h", "block2.h", "dead.h", "nested.h", "live.h",
                             "spaced.h", "after.h", "dead2.h"})
        files.texts[root + name] = "int x;\n";
    files.texts[root + "表.h"] = "#include \"表.h\"\n#include \"config.h\"\n";  // itself, and one seen
    files.texts["C:\\outside.h"] = "int y;\n";
    // From a subfolder: its own folder first, then the source's.
    files.texts[root + "ソース\\部品.h"] = "#include \"sib.h\"\n#include \"live.h\"\n#include \"..\\up.h\"\n";
    files.texts[root + "ソース\\sib.h"] = files.texts[root + "sib.h"] = files.texts[root + "up.h"] = "int z;\n";
    Result result = Follow(root + "a.c", files);
    EXPECT_TRUE(result.complete);
    EXPECT_EQ(Followed(result), (std::vector<std::string>{"config.h", "live.h", "spaced.h", "after.h", "表.h",
                                                          "ソース\\部品.h", "ソース\\sib.h", "up.h"}));
    EXPECT_TRUE(IsCFamilySource("C:\\ソース\\a.C++") && !IsCFamilySource("C:\\x.cs") && !IsCFamilySource("C:\\c"));
}

TEST(IncludeScan, AnUnreadableHeaderOrALimitLeavesTheScanIncomplete) {
    // Headers, bytes each, whether h1.h cannot be read, and whether the scan is complete.
    const struct { std::size_t headers, bytes; bool unreadable, complete; } cases[] = {
        {kMaxHeaders, 10, false, true}, {kMaxHeaders + 1, 10, false, false},
        {2, kMaxBytesRead / 2, false, false}, {3, 10, true, false},
    };
    for (const auto& c : cases) {
        MemoryFiles files;
        std::string& source = files.texts["C:\\s\\a.c"];
        for (std::size_t i = 0; i < c.headers; ++i) {
            source += "#include \"h" + std::to_string(i) + ".h\"\n";
            files.texts["C:\\s\\h" + std::to_string(i) + ".h"] = std::string(c.unreadable && i == 1 ? 0 : c.bytes, ' ');
        }
        EXPECT_EQ(Follow("C:\\s\\a.c", files).complete, c.complete) << c.headers << " " << c.bytes;
    }
}

TEST(IncludeScan, NamesThatLeaveTheFolderOrMeanAnotherFileAreNotFollowed) {
    const struct { const char *from, *name, *resolved; } cases[] = {
        {"sub", "../x.h", "x.h"},  {"", "a//.\\b.h", "a\\b.h"}, {"", "..\\x.h", ""},  {"sub", "../../x.h", ""},
        {"", "x.h.", ""},          {"", "x.h ", ""},            {"", "con.h", ""},    {"", "LPT1", ""},
        {"", "C:\\x.h", ""},       {"", "\\x.h", ""},           {"", "x.h:s", ""},    {"", "ソ\\表.h", "ソ\\表.h"},
    };
    for (const auto& c : cases) EXPECT_EQ(Resolve(c.from, c.name), c.resolved) << c.from << " " << c.name;
}
