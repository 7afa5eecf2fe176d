// A path read as Windows reads its beginning, and PATH without a folder.
#include "common/path_kind.h"

#include <gtest/gtest.h>

#include "common/device_name.h"
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

TEST(PathKind, TheFileNameFollowsTheLastSeparatorOfEitherKind) {
    struct {
        const char* path;
        const char* name;
    } const cases[] = {
        {"C:\\ソース\\表\\gcc.exe", "gcc.exe"}, {"表", "表"}, {"C:\\ソ", "ソ"},
        {"C:/msys64/ucrt64/bin/gcc.exe", "gcc.exe"}, {"C:\\a/b\\c", "c"}, {"sub/", ""},
    };
    for (const auto& c : cases) EXPECT_STREQ(path_kind::FileName(c.path), c.name) << c.path;
    EXPECT_TRUE(path_kind::IsBareDrive("表:") && !path_kind::IsBareDrive("C:a"));
}

TEST(PathKind, NamesThatWindowsEndsOtherwiseAndDeviceNames) {
    const char* const cases[][2] = {  // the path, the name Windows ends otherwise
        {"C:\\src\\x.\\a.c", "x.\\a.c"}, {"src\\x \\a.c", "x \\a.c"}, {"C:/src/.../a.c", ".../a.c"},
        {"a.c.", "a.c."}, {"C:\\src\\.\\..\\a.c", nullptr}, {"..\\ソ\\表.c", nullptr}, {"\\\\?\\C:\\x.y\\a", nullptr},
    };
    for (const auto& c : cases) EXPECT_STREQ(path_kind::NameWindowsChanges(c[0]), c[1]) << c[0];
    for (const wchar_t* name : {L"CON", L"con.in", L"NUL.txt.in", L"COM1.in", L"lpt9.in", L"CON .in", L"COM\u00b9.in",
                                L"PRN.", L"conout$"})
        EXPECT_TRUE(device_name::IsDevice(name)) << name;
    for (const wchar_t* name : {L"CONS.in", L"xCON.in", L"COM10.in", L"COM.in", L"", L"COM\u00b4.in", L"C ON.in"})
        EXPECT_FALSE(device_name::IsDevice(name)) << name;
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
