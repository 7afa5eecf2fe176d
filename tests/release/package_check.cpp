// The unpacked release folder (KILN_PACKAGE_DIR, started by
// package_test.py): each program's version resource as Explorer shows it,
// and a first start of both programs from there.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "support/gui_message_boxes.h"
#include "support/gui_windows.h"
#include "support/processes.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

// Read wide: Wine's GetEnvironmentVariableA cuts values with Japanese text.
std::string Variable(const wchar_t* name) {
    wchar_t wide[1024] = L"";
    if (!GetEnvironmentVariableW(name, wide, 1024)) return std::string();
    char ansi[2048] = "";
    WideCharToMultiByte(CP_ACP, 0, wide, -1, ansi, sizeof ansi, NULL, NULL);
    return ansi;
}

std::string Folder() { return Variable(L"KILN_PACKAGE_DIR"); }

struct VersionInfo {
    std::string data;
    VS_FIXEDFILEINFO fixed = {};
    std::string Text(const char* key) const {
        char* value = NULL;
        UINT length = 0;
        std::string query = std::string("\\StringFileInfo\\041104B0\\") + key;
        if (!VerQueryValueA(data.data(), query.c_str(), reinterpret_cast<void**>(&value), &length) || !value)
            return "(missing)";
        return value;
    }
};

VersionInfo ReadVersion(const std::string& path) {
    VersionInfo info;
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(path.c_str(), &ignored);
    if (!size) return info;
    info.data.assign(size, '\0');
    if (!GetFileVersionInfoA(path.c_str(), 0, size, &info.data[0])) return info;
    VS_FIXEDFILEINFO* fixed = NULL;
    UINT length = 0;
    if (VerQueryValueA(info.data.data(), "\\", reinterpret_cast<void**>(&fixed), &length) && fixed) info.fixed = *fixed;
    return info;
}

}  // namespace

TEST(Package, VersionResourcesOfTheThreePrograms) {
    ASSERT_FALSE(Folder().empty()) << "KILN_PACKAGE_DIR is not set";
    std::string version = Variable(L"KILN_PACKAGE_VERSION");
    unsigned major = 0, minor = 0, patch = 0;
    ASSERT_EQ(std::sscanf(version.c_str(), "%u.%u.%u", &major, &minor, &patch), 3) << version;
    struct {
        const char* file;
        const char* description;
    } const programs[] = {
        {"Kiln.exe", "Wrenlet 用コンパイルコントローラ"},
        {"KilnOp.exe", "Kiln 設定プログラム"},
        {"execute.exe", "Kiln 実行環境プログラム"},
    };
    for (const auto& program : programs) {
        SCOPED_TRACE(program.file);
        VersionInfo info = ReadVersion(Folder() + "\\" + program.file);
        ASSERT_FALSE(info.data.empty());
        EXPECT_EQ(info.fixed.dwSignature, 0xFEEF04BDu);
        EXPECT_EQ(info.fixed.dwFileVersionMS, (major << 16) | minor);
        EXPECT_EQ(info.fixed.dwFileVersionLS, patch << 16);
        EXPECT_EQ(info.fixed.dwProductVersionMS, (major << 16) | minor);
        EXPECT_EQ(info.Text("ProductName"), "Kiln");
        EXPECT_EQ(info.Text("ProductVersion"), version);
        EXPECT_EQ(info.Text("FileVersion"), version);
        EXPECT_EQ(info.Text("FileDescription"), program.description);
        EXPECT_EQ(info.Text("OriginalFilename"), program.file);
    }
}

TEST(Package, BothProgramsStartFromTheUnpackedFolder) {
    ASSERT_FALSE(Folder().empty()) << "KILN_PACKAGE_DIR is not set";
    std::string ini = Folder() + "\\Kiln.ini";
    ASSERT_FALSE(Exists(ini));

    // KilnOp first: a missing Kiln.ini is written before its window opens.
    Process options;
    ASSERT_TRUE(options.Start(Folder() + "\\KilnOp.exe", "", Folder()));
    if (!options.WaitForExit(3000)) {
        HWND sheet = WaitForTopLevelWindow("#32770", options.Id(), 10000);
        ASSERT_NE(sheet, nullptr) << "KilnOp neither ended nor showed its window";
        PostMessageA(sheet, WM_CLOSE, 0, 0);
    }
    EXPECT_EQ(WaitForExitCode(options, 10000), 0);
    EXPECT_NE(ReadFile(ini).find("[Compiler1]"), std::string::npos) << ReadFile(ini);

    // Kiln without a source file explains how it is meant to be started.
    Process kiln;
    ASSERT_TRUE(kiln.Start(Folder() + "\\Kiln.exe", "", Folder()));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox("Kiln 実行エラー", IDOK, &box, 15000));
    EXPECT_EQ(box.text, "ソースファイルが指定されていません\nソースファイル名を指定して実行するか\nWrenletから実行してください");
    EXPECT_EQ(WaitForExitCode(kiln, 10000), 0);
}
