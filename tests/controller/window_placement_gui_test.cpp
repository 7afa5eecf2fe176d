// Docking under the stand-in editor, the fixed size and position, and the
// title, with real windows: the editor in its own process at a rectangle of
// the test's choosing, Kiln's window played by a window of this process.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "common/cp932.h"
#include "controller/window_placement.h"
#include "resources/shared_names.h"
#include "settings/settings_file.h"
#include "support/gui_windows.h"

using namespace testing_support;

namespace {

LONG WorkAreaBottom() {
    RECT area = {};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0);
    return area.bottom;
}

bool RectIs(HWND window, LONG left, LONG top, LONG width, LONG height) {
    RECT r = WindowRect(window);
    return r.left == left && r.top == top && r.right - r.left == width && r.bottom - r.top == height;
}

std::string Describe(HWND window) {
    RECT r = WindowRect(window);
    return std::to_string(r.left) + "," + std::to_string(r.top) + " " + std::to_string(r.right - r.left) + "x" +
           std::to_string(r.bottom - r.top);
}

// Moves another process's window and waits until the move shows.
bool MoveEditor(HWND editor, LONG left, LONG top, LONG width, LONG height) {
    MoveWindow(editor, left, top, width, height, TRUE);
    return WaitUntil([&] { return RectIs(editor, left, top, width, height); }, 5000);
}

void SetWindowFields(SettingsFile& s, int magnet, int fix, int size, int position, int x, int y, int width,
                     int height) {
    s.Magnet = magnet;
    s.Fix = fix;
    s.Size = size;
    s.Position = position;
    s.X = x;
    s.Y = y;
    s.Width = width;
    s.Height = height;
}

// A taskbar along the bottom: the work area ends above the screen's edge.
// Wine keeps a work area set this way for the setting process only, so the
// placement is tested in this process; the area is put back at the end.
class TaskbarWorkArea {
public:
    explicit TaskbarWorkArea(LONG height) {
        SystemParametersInfoA(SPI_GETWORKAREA, 0, &saved_, 0);
        RECT area = saved_;
        area.bottom -= height;
        set_ = SystemParametersInfoA(SPI_SETWORKAREA, 0, &area, 0) != FALSE;
    }
    ~TaskbarWorkArea() { SystemParametersInfoA(SPI_SETWORKAREA, 0, &saved_, 0); }
    bool set() const { return set_; }

private:
    RECT saved_ = {};
    bool set_ = false;
};

// Every lead byte is followed by a trail byte: nothing cut inside a character.
bool WholeCharacters(const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!cp932::IsLeadByte(static_cast<unsigned char>(text[i]))) continue;
        if (i + 1 >= text.size()) return false;
        unsigned char trail = static_cast<unsigned char>(text[i + 1]);
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) return false;
        ++i;
    }
    return true;
}

bool IsCharacterBoundary(const std::string& text, std::size_t offset) {
    const char* p = text.c_str();
    while (static_cast<std::size_t>(p - text.c_str()) < offset) p = cp932::Next(p);
    return static_cast<std::size_t>(p - text.c_str()) == offset;
}

// One window for all titles of a test: each window costs Wine about two
// seconds at its destruction.
std::string TitleAfterUpdate(const char* profile, const std::string& path) {
    static TestWindow* kiln = new TestWindow(KILN_WINDOW_CLASS, 0, 0, 400, 200);
    UpdateTitle(kiln->handle(), profile, path.c_str());
    return WindowText(kiln->handle());
}

}  // namespace

TEST(WindowPlacement, DocksUnderTheEditorDownToTheWorkAreaBottom) {
    const LONG bottom = WorkAreaBottom();
    ASSERT_GT(bottom, 700);
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("\"C:\\Src Dir\\main.c\" /rect=100,0,800,600"));
    ASSERT_TRUE(RectIs(editor.window(), 100, 0, 800, 600)) << Describe(editor.window());
    TestWindow kiln(KILN_WINDOW_CLASS, 10, 10, 300, 200);
    ASSERT_TRUE(BringToForeground(editor.window()));

    // Docking wins over the fixed placement, which is not applied after it.
    SettingsFile settings;
    SetWindowFields(settings, 1, 1, 1, 1, 5, 5, 50, 50);
    PlaceWindow(settings, kiln.handle(), "\"c:\\SRC DIR\\Main.c\"");
    EXPECT_TRUE(RectIs(kiln.handle(), 100, 600, 800, bottom - 600)) << Describe(kiln.handle());
    EXPECT_EQ(settings.X, 100);
    EXPECT_EQ(settings.Y, 600);
    EXPECT_EQ(settings.Width, 800);
    EXPECT_EQ(settings.Height, bottom - 600);
}

TEST(WindowPlacement, DocksOnlyWithMoreThanSixtyPixelsBelowTheEditor) {
    const LONG bottom = WorkAreaBottom();
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("C:\\ソース\\表.c /rect=40,20,640,400"));
    TestWindow kiln(KILN_WINDOW_CLASS, 10, 10, 300, 200);
    ASSERT_TRUE(BringToForeground(editor.window()));

    SettingsFile settings;
    SetWindowFields(settings, 1, 0, 0, 0, 1, 2, 3, 4);
    ASSERT_TRUE(MoveEditor(editor.window(), 40, bottom - 60 - 400, 640, 400));
    EXPECT_EQ(DockUnderEditor(settings, kiln.handle(), "C:\\ソース\\表.c"), 1);
    EXPECT_TRUE(RectIs(kiln.handle(), 10, 10, 300, 200)) << Describe(kiln.handle());
    EXPECT_EQ(settings.X, 1);
    EXPECT_EQ(settings.Height, 4);

    ASSERT_TRUE(MoveEditor(editor.window(), 40, bottom - 61 - 400, 640, 400));
    EXPECT_EQ(DockUnderEditor(settings, kiln.handle(), "C:\\ソース\\表.c"), 1);
    EXPECT_TRUE(RectIs(kiln.handle(), 40, bottom - 61, 640, 61)) << Describe(kiln.handle());
    EXPECT_EQ(settings.Y, bottom - 61);
    EXPECT_EQ(settings.Height, 61);
}

TEST(WindowPlacement, DockingStopsAtTheWorkAreaNotTheScreen) {
    const LONG screen = GetSystemMetrics(SM_CYSCREEN);
    TaskbarWorkArea taskbar(100);
    ASSERT_TRUE(taskbar.set());
    const LONG bottom = WorkAreaBottom();
    ASSERT_EQ(bottom, screen - 100);
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("C:\\src\\main.c /rect=100,0,800,600"));
    TestWindow kiln(KILN_WINDOW_CLASS, 10, 10, 300, 200);
    ASSERT_TRUE(BringToForeground(editor.window()));

    SettingsFile settings;
    SetWindowFields(settings, 1, 0, 0, 0, 1, 2, 3, 4);
    EXPECT_EQ(DockUnderEditor(settings, kiln.handle(), "C:\\src\\main.c"), 1);
    EXPECT_TRUE(RectIs(kiln.handle(), 100, 600, 800, bottom - 600)) << Describe(kiln.handle());
    EXPECT_EQ(settings.Height, bottom - 600);

    // Sixty pixels above the taskbar is too little room, though the screen
    // has 160 below the editor.
    ASSERT_TRUE(MoveEditor(editor.window(), 100, bottom - 60 - 400, 800, 400));
    EXPECT_EQ(DockUnderEditor(settings, kiln.handle(), "C:\\src\\main.c"), 1);
    EXPECT_TRUE(RectIs(kiln.handle(), 100, 600, 800, bottom - 600)) << Describe(kiln.handle());
    EXPECT_EQ(settings.Y, 600);
}

TEST(WindowPlacement, MinimisedEditorLeavesTheWindowOnTheScreen) {
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("C:\\src\\main.c /rect=100,0,800,600"));
    TestWindow kiln(KILN_WINDOW_CLASS, 30, 40, 300, 200);
    ASSERT_TRUE(BringToForeground(editor.window()));
    ShowWindow(editor.window(), SW_MINIMIZE);
    ASSERT_TRUE(WaitUntil([&] { return IsIconic(editor.window()) != FALSE; }, 5000));
    ASSERT_TRUE(BringToForeground(kiln.handle()));
    SetWindowPos(editor.window(), kiln.handle(), 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);

    SettingsFile settings;
    SetWindowFields(settings, 1, 0, 0, 0, 1, 2, 3, 4);
    EXPECT_EQ(DockUnderEditor(settings, kiln.handle(), "C:\\src\\main.c"), 1);
    EXPECT_TRUE(RectIs(kiln.handle(), 30, 40, 300, 200)) << Describe(kiln.handle());
    EXPECT_EQ(settings.X, 1);
    EXPECT_EQ(settings.Height, 4);
}

TEST(WindowPlacement, MagnetWithoutTheEditorLeavesTheWindowAlone) {
    // An editor window is there, but it shows another file.
    TestWindow other(WRENLET_WINDOW_CLASS, 100, 0, 800, 300);
    other.AddChild(WRENLET_PATH_CHILD, "C:\\src\\other.c");
    TestWindow kiln(KILN_WINDOW_CLASS, 30, 40, 300, 200);
    ASSERT_TRUE(BringToForeground(other.handle()));

    SettingsFile settings;
    SetWindowFields(settings, 1, 1, 1, 1, 200, 300, 400, 500);
    PlaceWindow(settings, kiln.handle(), "C:\\src\\main.c");
    EXPECT_TRUE(RectIs(kiln.handle(), 30, 40, 300, 200)) << Describe(kiln.handle());
    EXPECT_EQ(DockUnderEditor(settings, kiln.handle(), "C:\\src\\main.c"), 0);
    EXPECT_EQ(settings.X, 200);
    EXPECT_EQ(settings.Y, 300);
    EXPECT_EQ(settings.Width, 400);
    EXPECT_EQ(settings.Height, 500);
}

TEST(WindowPlacement, FixedSizeAndPositionCombinations) {
    // An editor showing the file is there: without Magnet it is ignored.
    TestWindow editor(WRENLET_WINDOW_CLASS, 100, 0, 800, 300);
    editor.AddChild(WRENLET_PATH_CHILD, "C:\\src\\main.c");
    ASSERT_TRUE(BringToForeground(editor.handle()));
    const char* source = "C:\\src\\main.c";
    SettingsFile settings;

    {
        TestWindow kiln(KILN_WINDOW_CLASS, 30, 40, 300, 200);
        SetWindowFields(settings, 0, 1, 1, 0, 500, 600, 400, 300);
        PlaceWindow(settings, kiln.handle(), source);
        EXPECT_TRUE(RectIs(kiln.handle(), 30, 40, 400, 300)) << Describe(kiln.handle());
    }
    {
        TestWindow kiln(KILN_WINDOW_CLASS, 30, 40, 300, 200);
        SetWindowFields(settings, 0, 1, 0, 1, 150, 120, 400, 300);
        PlaceWindow(settings, kiln.handle(), source);
        EXPECT_TRUE(RectIs(kiln.handle(), 150, 120, 300, 200)) << Describe(kiln.handle());
    }
    {
        TestWindow kiln(KILN_WINDOW_CLASS, 30, 40, 300, 200);
        SetWindowFields(settings, 0, 1, 1, 1, 150, 120, 400, 300);
        PlaceWindow(settings, kiln.handle(), source);
        EXPECT_TRUE(RectIs(kiln.handle(), 150, 120, 400, 300)) << Describe(kiln.handle());
    }
    {
        TestWindow kiln(KILN_WINDOW_CLASS, 30, 40, 300, 200);
        SetWindowFields(settings, 0, 0, 1, 1, 150, 120, 400, 300);
        PlaceWindow(settings, kiln.handle(), source);
        EXPECT_TRUE(RectIs(kiln.handle(), 30, 40, 300, 200)) << Describe(kiln.handle());
        SetWindowFields(settings, 0, 1, 0, 0, 150, 120, 400, 300);
        PlaceWindow(settings, kiln.handle(), source);
        EXPECT_TRUE(RectIs(kiln.handle(), 30, 40, 300, 200)) << Describe(kiln.handle());
        EXPECT_EQ(settings.X, 150);
        EXPECT_EQ(settings.Height, 300);
    }
}

TEST(WindowTitle, NamesProgramProfileAndTheUnquotedPath) {
    EXPECT_EQ(TitleAfterUpdate("Compiler1", "\"C:\\My Src\\a.c\""), "Kiln - Compiler1 [ C:\\My Src\\a.c ] ");
    EXPECT_EQ(TitleAfterUpdate("Compiler1", "C:\\ソース\\表.c"), "Kiln - Compiler1 [ C:\\ソース\\表.c ] ");
    EXPECT_EQ(TitleAfterUpdate("ボーランド", "\"C:\\ソース\\表.c\""), "Kiln - ボーランド [ C:\\ソース\\表.c ] ");
    EXPECT_EQ(TitleAfterUpdate("Compiler1", ""), "Kiln - Compiler1 [  ] ");
}

TEST(WindowTitle, OverLongPathLosesItsBeginningBehindAnEllipsis) {
    std::string folders;
    while (folders.size() < 300) folders += "\\ソース";
    std::string path = "C:" + folders + "\\表.c";
    std::string title = TitleAfterUpdate("Compiler1", "\"" + path + "\"");
    const std::string head = "Kiln - Compiler1 [ ...";
    ASSERT_LE(title.size(), 259u);
    ASSERT_EQ(title.compare(0, head.size(), head), 0) << title;
    ASSERT_EQ(title.substr(title.size() - 3), " ] ");
    std::string shown = title.substr(head.size(), title.size() - head.size() - 3);
    ASSERT_GT(shown.size(), 200u);
    EXPECT_EQ(shown[0], '\\');
    EXPECT_EQ(path.compare(path.size() - shown.size(), shown.size(), shown), 0) << shown;
    EXPECT_TRUE(IsCharacterBoundary(path, path.size() - shown.size()));

    // A single long name has no folder to start at: it is cut by character,
    // with either parity of the room left by the profile name.
    std::string name;
    for (int i = 0; i < 150; ++i) name += "表";
    const std::string longName = "C:\\" + name + ".c";
    for (std::string profile : {"Compiler1", "Compiler10"}) {
        std::string t = TitleAfterUpdate(profile.c_str(), longName);
        std::string start = "Kiln - " + profile + " [ ...";
        ASSERT_LE(t.size(), 259u);
        EXPECT_GE(t.size(), 258u);
        ASSERT_EQ(t.compare(0, start.size(), start), 0) << t;
        std::string end = t.substr(start.size(), t.size() - start.size() - 3);
        EXPECT_EQ(longName.compare(longName.size() - end.size(), end.size(), end), 0);
        EXPECT_TRUE(IsCharacterBoundary(longName, longName.size() - end.size())) << profile;
        EXPECT_TRUE(WholeCharacters(t));
    }
}

TEST(WindowTitle, OverLongProfileNameIsShortenedWithoutSplittingACharacter) {
    std::string profile = "P";
    while (profile.size() < 258) profile += "表";
    std::string title = TitleAfterUpdate(profile.c_str(), "C:\\ソース\\表.c");
    ASSERT_LE(title.size(), 259u);
    EXPECT_EQ(title.compare(0, 8, "Kiln - P"), 0);
    EXPECT_EQ(title.substr(title.size() - 3), " ] ");
    EXPECT_TRUE(WholeCharacters(title));
    EXPECT_NE(title.find("... [ "), std::string::npos) << title;
}
