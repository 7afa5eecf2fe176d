// The stand-in editor and the keyboard driver that the desktop tests build
// on: if these do not hold, the docking, jump and hot-key tests prove nothing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "resources/shared_names.h"
#include "support/gui_windows.h"
#include "support/processes.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

int CaretLine(HWND edit) {
    DWORD_PTR selection = 0;
    SendMessageTimeoutA(edit, EM_GETSEL, 0, 0, SMTO_ABORTIFHUNG, 5000, &selection);
    DWORD_PTR line = 0;
    SendMessageTimeoutA(edit, EM_LINEFROMCHAR, LOWORD(selection), 0, SMTO_ABORTIFHUNG, 5000, &line);
    return static_cast<int>(line) + 1;
}

}  // namespace

TEST(EditorStandin, ShowsItsPathJumpsToTheLineAndLogsCaretMoves) {
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("\"C:\\Work Dir\\Main.c\" /jl=150"));

    HWND path = FindChild(editor.window(), WRENLET_PATH_CHILD);
    ASSERT_NE(path, (HWND)NULL);
    EXPECT_EQ(WindowText(path), "C:\\Work Dir\\Main.c");
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), "open C:\\Work Dir\\Main.c\r\nline 150\r\n"));

    DWORD_PTR answer = 0;
    ASSERT_TRUE(SendMessageTimeoutA(editor.window(), WM_WRENLET_GETEDIT, 0, 0, SMTO_ABORTIFHUNG, 5000, &answer));
    HWND edit = reinterpret_cast<HWND>(answer);
    ASSERT_TRUE(IsWindow(edit));
    EXPECT_EQ(WindowClass(edit), "Edit");
    EXPECT_EQ(CaretLine(edit), 150);

    // As the error-line jump moves the caret: index of line 12, then select there.
    DWORD_PTR index = 0;
    SendMessageTimeoutA(edit, EM_LINEINDEX, 11, 0, SMTO_ABORTIFHUNG, 5000, &index);
    EXPECT_GT(index, 0u);
    SendMessageTimeoutA(edit, EM_SETSEL, index, index, SMTO_ABORTIFHUNG, 5000, &answer);
    EXPECT_EQ(CaretLine(edit), 12);
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), "caret 12\r\n"));
    std::string full = WindowText(edit);
    EXPECT_EQ(full.substr(index, 7), "Line 12");
}

TEST(EditorStandin, TakesItsRectangleFromTheCommandLineAndLogsActivation) {
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("C:\\ソース\\表.c /rect=120,40,640,480"));
    HWND path = FindChild(editor.window(), WRENLET_PATH_CHILD);
    EXPECT_EQ(WindowText(path), "C:\\ソース\\表.c");
    RECT rect = WindowRect(editor.window());
    EXPECT_EQ(rect.left, 120);
    EXPECT_EQ(rect.top, 40);
    EXPECT_EQ(rect.right, 760);
    EXPECT_EQ(rect.bottom, 520);

    TestWindow other("KilnTestOther", 0, 0, 200, 100);
    ASSERT_TRUE(BringToForeground(other.handle()));
    std::string before = editor.Log();
    ASSERT_TRUE(BringToForeground(editor.window()));
    EXPECT_TRUE(WaitUntil([&] {
        std::string now = editor.Log();
        return now.size() > before.size() && now.find("foreground", before.size()) != std::string::npos;
    }));
    EXPECT_EQ(editor.Log().find("args C:\\ソース\\表.c /rect=120,40,640,480\r\nopen C:\\ソース\\表.c\r\n"), 0u);
}

TEST(EditorStandin, EndsWithExitCodeZeroWhenClosed) {
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("C:\\a.c"));
    PostMessageA(editor.window(), WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExitCode(editor.process()), 0);
    EXPECT_FALSE(IsWindow(editor.window()));
}

TEST(KeyboardDriver, CtrlDigitReachesAnotherProcessAsAcceleratorCommand) {
    TempDir folder("accel");
    std::string log = folder / "probe.log";
    Process probe;
    ASSERT_TRUE(probe.Start(BinDir() + "\\accel_probe_gui.exe", "\"" + log + "\""));
    HWND window = WaitForTopLevelWindow("KilnAccelProbe", probe.Id());
    ASSERT_NE(window, (HWND)NULL);
    ASSERT_TRUE(WaitForFileText(log, "ready\r\n"));

    ASSERT_TRUE(SendCtrlDigit(window, 3));
    EXPECT_TRUE(WaitForFileText(log, "command 4003\r\n"));
    ASSERT_TRUE(SendCtrlDigit(window, 9));
    EXPECT_TRUE(WaitForFileText(log, "command 4009\r\n"));
    // Translated keys never reach the window as key presses.
    std::string text = ReadFile(log);
    EXPECT_EQ(text.find("key 51"), std::string::npos) << text;
    EXPECT_EQ(text.find("key 57"), std::string::npos) << text;
    EXPECT_EQ(text.find("command 4001"), std::string::npos) << text;
}
