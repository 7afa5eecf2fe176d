// A path read as Windows reads its beginning, and PATH without a folder.
#include "common/path_kind.h"

#include <gtest/gtest.h>

#include "common/path_list.h"

using path_kind::Kind;

TEST(PathKind, SeparatorsInAnyMixAndTheDevicePrefixes) {
    struct {
        const char* path;
        Kind kind;
    } const cases[] = {
        {"a.c", Kind::Relative},          {"..\\a.c", Kind::Relative},        {"", Kind::Relative},
        {"表\\a.c", Kind::Relative},      {"C:a.c", Kind::DriveRelative},      {"\\a.c", Kind::Rooted},
        {"/a.c", Kind::Rooted},           {"C:\\ソース\\表.c", Kind::DriveFull}, {"c:/a.c", Kind::DriveFull},
        {"\\\\host\\s", Kind::Share},     {"\\/host/s", Kind::Share},          {"//host", Kind::Share},
        {"\\\\.\\pipe\\x", Kind::Device}, {"//?/C:/a.c", Kind::Device},        {"\\??\\UNC\\h\\s", Kind::Device},
        {"\\\\.", Kind::Device},          {"\\\\..\\a", Kind::Share},
    };
    for (const auto& c : cases) EXPECT_EQ(path_kind::Classify(c.path), c.kind) << c.path;
}

TEST(PathList, EntriesAndTheirSpellings) {
    const std::vector<std::string> entries = path_list::Entries("C:\\cc;;c:\\SRC\\;\"C:\\a;b\";C:\\ソ;");
    EXPECT_EQ(entries, (std::vector<std::string>{"C:\\cc", "c:\\SRC\\", "C:\\a;b", "C:\\ソ"}));
    EXPECT_EQ(path_list::Joined(entries), "C:\\cc;c:\\SRC\\;\"C:\\a;b\";C:\\ソ");
    EXPECT_TRUE(path_list::SameEntry("c:\\SRC\\", "C:\\src"));
    EXPECT_FALSE(path_list::SameEntry("C:\\src", "C:\\srcx"));
    // ソ ends in 0x5C: no backslash to drop, and no other folder matched.
    EXPECT_TRUE(path_list::SameEntry("C:\\ソ\\", "C:\\ソ"));
    EXPECT_FALSE(path_list::SameEntry("C:\\ソ", "C:\\"));
}
