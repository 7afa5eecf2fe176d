// The first-run road with the real programs copied into a temporary folder.
#include <gtest/gtest.h>

#include <string>

#include "resources/shared_names.h"
#include "resources/option_ids.h"
#include "support/gui_message_boxes.h"
#include "support/gui_property_sheet.h"
#include "support/gui_windows.h"
#include "support/processes.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {
const char kKilnError[] = "Kiln 実行エラー";

struct Installed {
    TempDir dir{"kiln-road"};
    explicit Installed(const char* options) {
        CopyFileTo(BinDir() + "\\Kiln.exe", dir / "Kiln.exe");
        CopyFileTo(BinDir() + "\\script_compiler.exe", dir / "gcc.exe");
        if (options) CopyFileTo(BinDir() + "\\" + options, dir / "KilnOp.exe");
        WriteFile(dir / "KilnOp.ini", "[Compiler]\r\n1=" + (dir / "gcc.exe") + "\r\n");
    }
};
}  // namespace

TEST(FirstRunRoad, KilnAloneWritesDefaultsWithoutMessages) {
    Installed in(nullptr);
    Process kiln;
    ASSERT_TRUE(kiln.Start(in.dir / "Kiln.exe", "", in.dir.path()));
    EXPECT_TRUE(AnswerMessageBox(kKilnError, IDOK, nullptr, 15000));
    EXPECT_EQ(WaitForExitCode(kiln, 10000), 0);
    std::string ini = ReadFile(in.dir / "Kiln.ini");
    EXPECT_NE(ini.find("[Compiler1]\r\nCompilerName=Compiler1\r\nPath=" + (in.dir / "gcc.exe") + "\r\n"),
              std::string::npos)
        << ini;
    EXPECT_EQ(ini.find("[Message]"), std::string::npos) << ini;
}

TEST(FirstRunRoad, KilnLetsKilnOpWriteTheFileThenCompiles) {
    Installed in("KilnOp.exe");
    std::string source = in.dir / "hello.c";
    WriteFile(source, "int main(void){return 0;}\n");
    Process kiln;
    ASSERT_TRUE(kiln.Start(in.dir / "Kiln.exe", source, in.dir.path()));
    // KilnOp's sheet comes first; Kiln has no window while it is open, and
    // loads what it saved once it is closed.
    SheetDriver sheet;
    ASSERT_TRUE(sheet.Find("Kiln Set Option", 20000));
    EXPECT_EQ(sheet.Text(IDC_COMPILER_PATH), in.dir / "gcc.exe");
    sheet.Type(IDC_PROFILE_NAME, "初回");
    PumpMessages(500);
    EXPECT_EQ(FindTopLevelWindow(KILN_WINDOW_CLASS, kiln.Id()), nullptr);
    sheet.Press(IDOK);
    HWND window = WaitForTopLevelWindow(KILN_WINDOW_CLASS, kiln.Id(), 20000);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(WindowText(window), "Kiln - 初回 [ " + source + " ] ");
    EXPECT_TRUE(WaitUntil([&] { return Exists(in.dir / "hello.exe"); }));
    std::string ini = ReadFile(in.dir / "Kiln.ini");
    EXPECT_NE(ini.find("[Message]\r\nCustom=0\r\nInterval=300\r\n"), std::string::npos) << ini;
}

TEST(FirstRunRoad, KilnWaitsForKilnOpBeforeLoading) {
    Installed in("slow_options.exe");
    std::string source = in.dir / "wait.c";
    WriteFile(source, "int main(void){return 0;}\n");
    Process kiln;
    ASSERT_TRUE(kiln.Start(in.dir / "Kiln.exe", source, in.dir.path()));
    HWND window = WaitForTopLevelWindow(KILN_WINDOW_CLASS, kiln.Id(), 20000);
    ASSERT_NE(window, nullptr);
    // Only a Kiln that waited for the stand-in has its profile.
    EXPECT_EQ(WindowText(window), "Kiln - FromOptions [ " + source + " ] ");
    EXPECT_TRUE(NoMessageBox(kKilnError, 300));
}
