// The resources both executables carry: icon group 301, the profile keys, the
// option dialogs and the application manifest.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "resources/option_ids.h"
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

// Every shipped program carries the manifest, execute.exe too.
class Manifests : public Resources {};

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

namespace {

// What a DIALOG template holds: header, font and the controls' ids in order.
struct DialogTemplate {
    DWORD style = 0;
    short cx = 0, cy = 0;
    WORD points = 0;
    std::wstring font;
    std::vector<int> ids;
};

const WORD* SkipText(const WORD* p) {
    if (*p == 0xFFFF) return p + 2;
    while (*p) ++p;
    return p + 1;
}

bool ReadTemplate(HMODULE module, int id, DialogTemplate* out) {
    HRSRC found = FindResourceExA(module, RT_DIALOG, MAKEINTRESOURCEA(id), MAKELANGID(LANG_JAPANESE, SUBLANG_DEFAULT));
    if (!found) return false;
    const DLGTEMPLATE* t = static_cast<const DLGTEMPLATE*>(LockResource(LoadResource(module, found)));
    out->style = t->style;
    out->cx = t->cx;
    out->cy = t->cy;
    const WORD* p = SkipText(SkipText(SkipText(reinterpret_cast<const WORD*>(t + 1))));  // menu, class, caption
    out->points = *p++;
    out->font = reinterpret_cast<const wchar_t*>(p);
    p = SkipText(p);
    for (int i = 0; i < t->cdit; ++i) {
        p = reinterpret_cast<const WORD*>((reinterpret_cast<UINT_PTR>(p) + 3) & ~UINT_PTR(3));
        const DLGITEMTEMPLATE* item = reinterpret_cast<const DLGITEMTEMPLATE*>(p);
        out->ids.push_back(item->id);
        p = SkipText(SkipText(reinterpret_cast<const WORD*>(item + 1)));  // class, text
        p += 1 + *p / sizeof(WORD);                                       // creation data
    }
    return true;
}

}  // namespace

TEST_P(Resources, OptionDialogsInJapaneseWithTheirControlsInTabOrder) {
    struct Expected {
        int id;
        short cx, cy;
        std::vector<int> ids;
    };
    std::vector<int> messages;
    for (int k = 0; k < 10; ++k) messages.push_back(2101 + k);
    for (int k = 0; k < 10; ++k) messages.push_back(2201 + k);
    for (int id : {1106, 1102, 1, 2}) messages.push_back(id);
    const Expected dialogs[] = {
        {IDD_COMPILER_PAGE, 239, 261, {1001, 1002, 1004, 1003, 1100, 1005, 1007, 1009, 1102, 1103, 1106, 1107,
                                       1104, 1108, 1101, 1110, 1006, 1008, 1010, 1105, 1109, 1111, 1112}},
        {IDD_EDITOR_PAGE, 240, 105, {1005, 1007, 1009, 1100, 1110, 1102, 1106}},
        {IDD_WINDOW_PAGE, 239, 165, {1110, 1111, 1100, 1201, 1211, 1401, 1501, 1212, 1403, 1503, 1301,
                                     1202, 1213, 1402, 1502, 1214, 1404, 1504, 1302, 1101, 1112, 2000}},
        {IDD_MESSAGES, 200, 250, messages},
    };
    for (const Expected& e : dialogs) {
        DialogTemplate t;
        ASSERT_TRUE(ReadTemplate(module_, e.id, &t)) << e.id;
        EXPECT_EQ(t.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT)) << e.id;
        EXPECT_EQ(t.cx, e.cx);
        EXPECT_EQ(t.cy, e.cy);
        EXPECT_EQ(t.points, 9);
        EXPECT_EQ(t.font, L"\uFF2D\uFF33 \uFF30\u30B4\u30B7\u30C3\u30AF");  // ＭＳ Ｐゴシック
        EXPECT_EQ(t.ids, e.ids) << e.id;
    }
}

namespace {

// The manifest's text with its white space runs made single blanks, so that
// an element reads the same however the file is laid out.
std::string ManifestText(HMODULE module) {
    HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));  // RT_MANIFEST
    if (!found) return std::string();
    const char* text = static_cast<const char*>(LockResource(LoadResource(module, found)));
    std::string flat;
    for (DWORD i = 0, n = SizeofResource(module, found); i < n; ++i) {
        char c = text[i] == '\r' || text[i] == '\n' || text[i] == '\t' ? ' ' : text[i];
        if (c != ' ' || (!flat.empty() && flat.back() != ' ')) flat += c;
    }
    return flat;
}

// The element that starts with `opening` up to its closing bracket; empty
// when there is none.
std::string Element(const std::string& text, const std::string& opening) {
    std::string::size_type at = text.find(opening);
    if (at == std::string::npos) return std::string();
    return text.substr(at, text.find('>', at) + 1 - at);
}

}  // namespace

TEST_P(Manifests, AskForCommonControlsSixAsInvokerOnVistaToElevenDpiAware) {
    std::string manifest = ManifestText(module_);
    ASSERT_FALSE(manifest.empty()) << "no RT_MANIFEST 1";
    EXPECT_EQ(manifest.compare(0, 5, "<?xml"), 0);
    // Only id 1 is the one a program's start reads.
    EXPECT_EQ(FindResourceA(module_, MAKEINTRESOURCEA(2), MAKEINTRESOURCEA(24)), nullptr);

    std::string program = GetParam();
    program.erase(program.size() - 4);
    // The build's own processor: the shipped i686 programs say x86, and a
    // 64-bit program asking for x86 common controls would not start.
#ifdef _WIN64
    const std::string arch = "processorArchitecture=\"amd64\"";
#else
    const std::string arch = "processorArchitecture=\"x86\"";
#endif
    std::string own = Element(manifest, "<assemblyIdentity");
    EXPECT_NE(own.find("name=\"Kiln." + program + "\""), std::string::npos) << own;
    EXPECT_NE(own.find(arch), std::string::npos) << own;
    EXPECT_NE(own.find("type=\"win32\""), std::string::npos) << own;

    std::string dependency = Element(manifest.substr(manifest.find("<dependentAssembly>")), "<assemblyIdentity");
    for (std::string part : {std::string("name=\"Microsoft.Windows.Common-Controls\""),
                             std::string("version=\"6.0.0.0\""), arch,
                             std::string("publicKeyToken=\"6595b64144ccf1df\""), std::string("type=\"win32\"")})
        EXPECT_NE(dependency.find(part), std::string::npos) << part << " in " << dependency;

    EXPECT_NE(manifest.find("<trustInfo xmlns=\"urn:schemas-microsoft-com:asm.v3\">"), std::string::npos);
    std::string level = Element(manifest, "<requestedExecutionLevel");
    EXPECT_NE(level.find("level=\"asInvoker\""), std::string::npos) << level;
    EXPECT_NE(level.find("uiAccess=\"false\""), std::string::npos) << level;

    EXPECT_NE(manifest.find("<compatibility xmlns=\"urn:schemas-microsoft-com:compatibility.v1\">"),
              std::string::npos);
    const char* systems[] = {
        "{e2011457-1546-43c5-a5fe-008deee3d3f0}",  // Vista
        "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}",  // 7
        "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",  // 8
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}",  // 8.1
        "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}",  // 10 and 11
    };
    for (const char* id : systems)
        EXPECT_NE(manifest.find("<supportedOS Id=\"" + std::string(id) + "\"/>"), std::string::npos) << id;

    EXPECT_NE(manifest.find("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>"),
              std::string::npos);
    EXPECT_NE(manifest.find("<activeCodePage xmlns=\"http://schemas.microsoft.com/SMI/2019/WindowsSettings\">ja-JP"
                            "</activeCodePage>"),
              std::string::npos);
}

INSTANTIATE_TEST_SUITE_P(BothPrograms, Resources, ::testing::Values("Kiln.exe", "KilnOp.exe"));
INSTANTIATE_TEST_SUITE_P(EveryProgram, Manifests, ::testing::Values("Kiln.exe", "KilnOp.exe", "execute.exe"));
