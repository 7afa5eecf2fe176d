// Stepping through a compile's error lines with F4 and Shift+F4, Enter, and
// the status bar's summary, with the real Kiln.exe, the stand-in editor and
// the scriptable compiler.
#include <gtest/gtest.h>

#include <string>

#include "resources/shared_names.h"
#include "support/gui_kiln_install.h"

using namespace testing_support;

namespace {

// The pane line that holds the start of the selection, and whether anything
// is selected; EM_GETSEL's answer packs both ends into one word each.
struct PaneSelection {
    LRESULT line;
    bool selected;
};

PaneSelection Selection(HWND pane) {
    DWORD both = static_cast<DWORD>(SendMessageA(pane, EM_GETSEL, 0, 0));
    return {SendMessageA(pane, EM_LINEFROMCHAR, LOWORD(both), 0), LOWORD(both) != HIWORD(both)};
}

}  // namespace

TEST(ErrorNavigation, KeysStepThroughErrorsWhileKilnKeepsTheFocus) {
    KilnInstall kiln;
    std::string source = kiln.Source("ソース\\表.c");
    std::string s = KilnInstall::ScriptText(source);
    // An include chain, a warning in a header the folder does not hold, an
    // error with its note, a warning named relative to the source's folder,
    // another error, and the linker's line without a location.
    kiln.Script("err In file included from " + s + ":2:\\n\r\n"
                "err b.h:4:1: warning: 'x' defined but not used\\n\r\n"
                "err " + s + ":5:3: error: expected ';' before 'printf'\\n\r\n"
                "err " + s + ":5:3: note: each undeclared identifier is reported only once\\n\r\n"
                "err 表.c:9:5: warning: unused variable 'n'\\n\r\n"
                "err " + s + ":12:1: error: 'total' undeclared\\n\r\n"
                "err collect2.exe: error: ld returned 1 exit status\\n\r\n"
                "exit 1\r\n");
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("\"" + source + "\" /rect=640,0,380,300"));
    WriteFile(kiln.dir() / "Kiln.ini",
              "[Compiler1]\r\nCompilerName=C\r\nPath=" + kiln.Compiler() +
                  "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n[Editor]\r\nPath=" + editor.ExePath() +
                  "\r\nJumpOption=/jl=%N\r\nJumpType=1\r\n[Window]\r\nMagnet=0\r\n");
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    HWND pane = KilnInstall::Pane(window);
    std::string status = KilnInstall::Status(window);
    EXPECT_EQ(status.rfind("エラー3　警告2　終了コード1　", 0), 0u) << status;
    EXPECT_EQ(status.substr(status.size() - 2), "秒") << status;

    // Each press: the pane line selected, the editor's caret (when the line's
    // file is the one the editor shows), Kiln still in front.
    struct Step {
        bool shift;
        LRESULT paneLine;
        int editorLine;  // 0: the editor's caret stays
    } steps[] = {
        {false, 2, 5}, {false, 4, 9}, {false, 5, 12},
        {false, 5, 0},  // past the last: a beep, and nothing moves
        {true, 4, 9},  {true, 2, 5},
        {true, 2, 0},   // before the first: b.h is not there, though counted
    };
    for (const Step& step : steps) {
        std::string before = editor.Log();
        ASSERT_TRUE(SendKeyPress(window, VK_F4, 5000, step.shift ? VK_SHIFT : 0));
        if (step.editorLine) {
            EXPECT_TRUE(WaitForFileText(editor.LogPath(), before + "caret " + std::to_string(step.editorLine) + "\r\n",
                                        5000))
                << "to pane line " << step.paneLine;
        } else {
            PumpMessages(400);
        }
        PaneSelection selection = Selection(pane);
        EXPECT_TRUE(selection.selected);
        EXPECT_EQ(selection.line, step.paneLine);
        EXPECT_EQ(editor.Log().find("caret", before.size()) != std::string::npos, step.editorLine != 0);
        EXPECT_EQ(editor.Log().find("foreground", before.size()), std::string::npos);
        EXPECT_EQ(GetForegroundWindow(), window);
    }

    // Where F4 starts without a selection it made: Shift+F4 with the caret on
    // the first line starts from the last; a selection that ends at a line's
    // start does not take that line in.
    struct {
        LRESULT from, to;  // the selection, from the start of one line to another's
        bool shift;
        LRESULT paneLine;
        int editorLine;
    } starts[] = {{0, 0, true, 5, 12}, {2, 4, false, 4, 9}};
    for (const auto& start : starts) {
        SendMessageA(pane, EM_SETSEL, SendMessageA(pane, EM_LINEINDEX, start.from, 0),
                     SendMessageA(pane, EM_LINEINDEX, start.to, 0));
        std::string before = editor.Log();
        ASSERT_TRUE(SendKeyPress(window, VK_F4, 5000, start.shift ? VK_SHIFT : 0));
        EXPECT_TRUE(WaitForFileText(editor.LogPath(), before + "caret " + std::to_string(start.editorLine) + "\r\n",
                                    5000))
            << start.from;
        EXPECT_EQ(Selection(pane).line, start.paneLine);
    }

    // Enter on the selected line is the double-click: the editor comes forward.
    std::string before = editor.Log();
    ASSERT_TRUE(SendKeyPress(window, VK_F4, 5000, VK_SHIFT));
    ASSERT_TRUE(WaitForFileText(editor.LogPath(), before + "caret 5\r\n"));
    ASSERT_TRUE(SendKeyPress(window, VK_RETURN));
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), before + "caret 5\r\ncaret 5\r\nforeground\r\n"));

    // A refused request (a file without an extension) changes nothing but
    // its box: the title, the bar, and the editor that F4 moves for a name
    // relative to the source's folder stay.
    std::string title = WindowText(window);
    ASSERT_TRUE(BringToForeground(window));  // a second Kiln looks from the front window down
    Process again;
    ASSERT_TRUE(kiln.Start(again, kiln.dir() / "other\\README"));
    ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, nullptr, 15000));
    EXPECT_EQ(WaitForExitCode(again, 15000), 0);
    EXPECT_EQ(WindowText(window), title);
    EXPECT_EQ(KilnInstall::Status(window), status);
    before = editor.Log();
    ASSERT_TRUE(SendKeyPress(window, VK_F4));
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), before + "caret 9\r\n", 5000));

    // Enter on the line of the missing header starts no editor on it.
    ASSERT_TRUE(BringToForeground(window));
    SendMessageA(pane, EM_SETSEL, SendMessageA(pane, EM_LINEINDEX, 1, 0), SendMessageA(pane, EM_LINEINDEX, 1, 0));
    before = editor.Log();
    ASSERT_TRUE(SendKeyPress(window, VK_RETURN));
    EXPECT_TRUE(NoMessageBox(editor.ExePath(), 800));
    EXPECT_EQ(editor.Log(), before);
}

TEST(ErrorNavigation, JapaneseIncludeChainIsPassedOverAndNamesItsFile) {
    KilnInstall kiln;
    std::string source = kiln.Source("ソース\\表.c");
    std::string header = kiln.Source("ソース\\a.h", "int x\n");
    std::string s = KilnInstall::ScriptText(source);
    auto utf8 = KilnInstall::Utf8ScriptText;
    // gcc in Japanese: its words in UTF-8, the names as it got them.
    kiln.Script("err " + utf8("次のファイルから読み込み: ") + " b.h:3,\\n\r\n"
                "err " + utf8("         次から読み込み: ") + s + ":2:\\n\r\n"
                "err a.h:1:5: " + utf8("エラー: ‘x’ の前に ‘;’ が必要です") + "\\n\r\n"
                "err " + s + ": " + utf8("関数 ‘main’ 内:") + "\\n\r\n"
                "err " + s + ":7:3: " + utf8("警告: 未使用") + "\\n\r\nexit 1\r\n");
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("\"" + header + "\" /rect=640,0,380,300"));
    // Enter's editor is a copy in Kiln's folder, which the test ends with it.
    CopyFileTo(editor.ExePath(), kiln.dir() / "Wrenlet.exe");
    WriteFile(kiln.dir() / "Kiln.ini",
              "[Compiler1]\r\nCompilerName=C\r\nPath=" + kiln.Compiler() +
                  "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n[Editor]\r\nPath=" + (kiln.dir() / "Wrenlet.exe") +
                  "\r\nJumpOption=/jl=%N\r\nJumpType=1\r\n[Window]\r\nMagnet=0\r\n");
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    HWND pane = KilnInstall::Pane(window);
    EXPECT_EQ(KilnInstall::Status(window).rfind("エラー1　警告1　", 0), 0u) << KilnInstall::Status(window);

    struct {
        bool shift;
        LRESULT paneLine;
        const char* log;  // the editor's log after the press
    } steps[] = {{false, 2, "caret 1 before x\r\n"}, {false, 4, ""}, {true, 2, "caret 1 before x\r\n"}};
    for (const auto& step : steps) {
        std::string before = editor.Log();
        ASSERT_TRUE(SendKeyPress(window, VK_F4, 5000, step.shift ? VK_SHIFT : 0));
        EXPECT_TRUE(WaitUntil([&] { return Selection(pane).line == step.paneLine; }, 5000)) << step.paneLine;
        PumpMessages(300);
        EXPECT_EQ(editor.Log(), before + step.log) << step.paneLine;
    }

    // Enter on the chain's line that names the source: no editor shows it,
    // so the editor is started on that file and line.
    LRESULT start = SendMessageA(pane, EM_LINEINDEX, 1, 0);
    SendMessageA(pane, EM_SETSEL, start, start);
    MessageBoxInfo box;
    ASSERT_TRUE(SendKeyPress(window, VK_RETURN));
    ASSERT_TRUE(AnswerMessageBox(kiln.dir() / "Wrenlet.exe", IDOK, &box));
    EXPECT_EQ(box.text, source + " /jl=2");
    EXPECT_TRUE(WaitForFileText(kiln.dir() / "Wrenlet.log", "open " + source + "\r\n"));
    EXPECT_TRUE(WaitForFileText(kiln.dir() / "Wrenlet.log", "line 2\r\n"));
}
