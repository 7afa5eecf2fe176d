// The window search with real top-level windows: the stand-in editor in its
// own process, and windows of this process where the Z-order or the child
// windows have to be arranged precisely.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "controller/locate_window.h"
#include "resources/shared_names.h"
#include "support/gui_windows.h"

using namespace testing_support;

namespace {

HWND Junk() { return reinterpret_cast<HWND>(static_cast<INT_PTR>(0x1234)); }

bool IsAbove(HWND window, HWND reference) {
    for (HWND w = GetWindow(reference, GW_HWNDPREV); w; w = GetWindow(w, GW_HWNDPREV))
        if (w == window) return true;
    return false;
}

}  // namespace

TEST(LocateWindow, FindsTheEditorByAQuotedPathInOtherLetterCase) {
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("\"C:\\Work Dir\\Main.c\""));
    ASSERT_TRUE(BringToForeground(editor.window()));

    HWND found = NULL;
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "\"c:\\WORK DIR\\main.C\"", &found), 1);
    EXPECT_EQ(found, editor.window());
    // The path ends at the quote that closes it, as the command-line tail may
    // carry more behind it.
    found = NULL;
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "\"C:\\Work Dir\\Main.c\" /x", &found), 1);
    EXPECT_EQ(found, editor.window());

    found = Junk();
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "C:\\Work Dir\\Main.cpp", &found), 0);
    EXPECT_EQ(found, (HWND)NULL);
    found = Junk();
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "C:\\Work Dir\\Main", &found), 0);
    EXPECT_EQ(found, (HWND)NULL);
    // Kiln's search never takes an editor window.
    EXPECT_EQ(LocateWindow(KILN_WINDOW_CLASS, "C:\\Work Dir\\Main.c", &found), 0);
}

TEST(LocateWindow, ComparesCp932PathsByCharacter) {
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("C:\\ソース\\表.c"));
    // ヂ is 0x83 0x61 and ア 0x83 0x41: a byte-wise case fold would take one
    // for the other.
    TestWindow lookalike(WRENLET_WINDOW_CLASS, 50, 50, 300, 200);
    lookalike.AddChild(WRENLET_PATH_CHILD, "C:\\ヂ.c");
    ASSERT_TRUE(BringToForeground(editor.window()));
    SetWindowPos(lookalike.handle(), editor.window(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    HWND found = NULL;
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "c:\\ソース\\表.C", &found), 1);
    EXPECT_EQ(found, editor.window());
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "C:\\ア.c", &found), 0);
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "C:\\ヂ.C", &found), 1);
    EXPECT_EQ(found, lookalike.handle());
}

TEST(LocateWindow, ComparesLongPathsWhole) {
    std::string folder = "C:\\" + std::string(140, 'd') + "\\ソース表" + std::string(120, 'e');
    std::string path = folder + "\\main.c";
    ASSERT_GT(path.size(), 270u);
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("\"" + path + "\""));
    ASSERT_TRUE(BringToForeground(editor.window()));

    std::string upper = path;
    for (char& c : upper)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    HWND found = NULL;
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, ("\"" + upper + "\"").c_str(), &found), 1);
    EXPECT_EQ(found, editor.window());
    // The same first 259 bytes, another file.
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, (folder + "\\other.c").c_str(), &found), 0);
}

TEST(LocateWindow, DoesNotSeeWindowsAboveTheForegroundWindow) {
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("C:\\shown.c"));
    TestWindow above(WRENLET_WINDOW_CLASS, 300, 300, 300, 200, "", WS_EX_TOPMOST);
    above.AddChild(WRENLET_PATH_CHILD, "C:\\above.c");
    ASSERT_TRUE(BringToForeground(editor.window()));
    ASSERT_TRUE(IsAbove(above.handle(), editor.window()));

    HWND found = NULL;
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "C:\\above.c", &found), 0);

    SetWindowPos(above.handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    SetWindowPos(above.handle(), editor.window(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(GetForegroundWindow(), editor.window());
    ASSERT_FALSE(IsAbove(above.handle(), editor.window()));
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "C:\\above.c", &found), 1);
    EXPECT_EQ(found, above.handle());
}

TEST(LocateWindow, KilnMatchesWithoutAPathOtherClassesOnlyByTheirFirstTEdit) {
    TestWindow kiln(KILN_WINDOW_CLASS, 0, 0, 400, 300);
    ASSERT_TRUE(BringToForeground(kiln.handle()));
    HWND found = NULL;
    EXPECT_EQ(LocateWindow(KILN_WINDOW_CLASS, "C:\\any\\file.c", &found), 1);
    EXPECT_EQ(found, kiln.handle());
    found = NULL;
    EXPECT_EQ(LocateWindow(KILN_WINDOW_CLASS, "", &found), 1);
    EXPECT_EQ(found, kiln.handle());

    // An editor-class window without a "TEdit" child never matches, not even
    // an empty path; with two, only the first one's text counts.
    TestWindow bare(WRENLET_WINDOW_CLASS, 0, 0, 300, 200);
    TestWindow twoChildren(WRENLET_WINDOW_CLASS, 0, 0, 300, 200);
    twoChildren.AddChild(WRENLET_PATH_CHILD, "C:\\first.c");
    twoChildren.AddChild(WRENLET_PATH_CHILD, "C:\\second.c");
    ASSERT_TRUE(BringToForeground(kiln.handle()));
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "", &found), 0);
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "C:\\second.c", &found), 0);
    EXPECT_EQ(LocateWindow(WRENLET_WINDOW_CLASS, "C:\\FIRST.c", &found), 1);
    EXPECT_EQ(found, twoChildren.handle());
}
