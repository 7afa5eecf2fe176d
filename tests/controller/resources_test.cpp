// The resources both executables carry: icon group 301 and the profile keys.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <utility>

#include "resources/resource_ids.h"
#include "support/test_files.h"

namespace {

#pragma pack(push, 2)
struct IconDirEntry {
    BYTE width, height, colors, reserved;
    WORD planes, bitCount;
    DWORD bytes;
    WORD id;
};
struct IconDir {
    WORD reserved, type, count;
    IconDirEntry entries[1];
};
#pragma pack(pop)

class Resources : public ::testing::TestWithParam<const char*> {
protected:
    void SetUp() override {
        module_ = LoadLibraryExA((testing_support::BinDir() + "\\" + GetParam()).c_str(), NULL,
                                 LOAD_LIBRARY_AS_DATAFILE);
        ASSERT_NE(module_, nullptr);
    }
    void TearDown() override {
        if (module_) FreeLibrary(module_);
    }
    HMODULE module_ = NULL;
};

}  // namespace

TEST_P(Resources, IconGroupHasSmallAndLargeIconsInTwoDepths) {
    HRSRC found = FindResourceA(module_, MAKEINTRESOURCEA(IDI_KILN), RT_GROUP_ICON);
    ASSERT_NE(found, nullptr);
    const IconDir* dir = static_cast<const IconDir*>(LockResource(LoadResource(module_, found)));
    ASSERT_NE(dir, nullptr);
    std::set<std::pair<int, int>> images;
    for (int i = 0; i < dir->count; ++i) {
        const IconDirEntry& e = dir->entries[i];
        EXPECT_EQ(e.width, e.height);
        images.insert({e.width, e.bitCount});
        EXPECT_NE(FindResourceA(module_, MAKEINTRESOURCEA(e.id), RT_ICON), nullptr);
    }
    std::set<std::pair<int, int>> expected = {{16, 4}, {32, 4}, {16, 24}, {32, 24}};
    EXPECT_EQ(images, expected);
    // The form in which Kiln's window class asks for it.
    EXPECT_NE(LoadIconA(module_, MAKEINTRESOURCEA(IDI_KILN)), nullptr);
}

TEST_P(Resources, ProfileKeysAreCtrlOneToNine) {
    HACCEL table = LoadAcceleratorsA(module_, MAKEINTRESOURCEA(IDR_PROFILE_KEYS));
    ASSERT_NE(table, nullptr);
    ACCEL keys[16];
    int n = CopyAcceleratorTableA(table, keys, 16);
    ASSERT_EQ(n, 9);
    for (int i = 0; i < n; ++i) {
        EXPECT_EQ(keys[i].fVirt & (FVIRTKEY | FCONTROL | FNOINVERT | FSHIFT | FALT), FVIRTKEY | FCONTROL | FNOINVERT);
        EXPECT_EQ(keys[i].key, '1' + i);
        EXPECT_EQ(keys[i].cmd, IDM_PROFILE_1 + i);
    }
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, Resources, ::testing::Values("Kiln.exe", "KilnOp.exe"));
