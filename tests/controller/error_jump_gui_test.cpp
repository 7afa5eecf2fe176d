// The double-click jump from a line of compiler output to the editor, with
// the real Kiln.exe, the stand-in editor and the scriptable compiler.
#include <gtest/gtest.h>

#include <string>

#include "resources/shared_names.h"
#include "support/gui_kiln_install.h"

using namespace testing_support;

namespace {

// Editors that Kiln started; the test's own one goes with its object.
void CloseStartedEditors() {
    HWND editor;
    while ((editor = FindTopLevelWindow(WRENLET_WINDOW_CLASS)) != NULL) {
        DWORD id = 0;
        GetWindowThreadProcessId(editor, &id);
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, id);
        if (!process) break;
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
        WaitForWindowGone(editor, 5000);
    }
}

// A started editor takes the foreground as it comes up; a click on Kiln
// before that would lose its focus half-way through a double-click.
void SettleStartedEditor() {
    EXPECT_TRUE(WaitUntil([] { return WindowClass(GetForegroundWindow()) == WRENLET_WINDOW_CLASS; }));
    PumpMessages(500);
}

struct EditorsClosed {
    ~EditorsClosed() { CloseStartedEditors(); }
};

}  // namespace

TEST(ErrorJump, CaretInRunningEditorThenStartedEditorAndRefusals) {
    EditorsClosed cleanup;
    KilnInstall kiln;
    std::string source = kiln.Source("my src\\hello.c");
    kiln.Script("err " + KilnInstall::ScriptText(source) + ":3: error: boom\\n\r\n"
                "err collect2.exe: error: ld returned 1 exit status\\n\r\n"
                "err hello.c:150:2: warning: unused\\n\r\n"
                "err Error E2451 hello.c 5: Undefined symbol 'x'\\n\r\n");
    StandinEditor editor;
    auto settings = [&](const std::string& compiler, int jumpType) {
        WriteFile(kiln.dir() / "Kiln.ini",
                  "[Compiler1]\r\nCompilerName=C\r\nPath=" + kiln.dir() / compiler +
                      "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n[Editor]\r\nPath=" + editor.ExePath() +
                      "\r\nJumpOption=/jl=%N\r\nJumpType=" + std::to_string(jumpType) +
                      "\r\n[Window]\r\nMagnet=0\r\n");
    };
    settings("gcc.exe", 1);
    ASSERT_TRUE(editor.Start("\"" + source + "\" /rect=640,0,380,300"));
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    HWND pane = KilnInstall::Pane(window);
    auto reload = [&](const std::string& compiler, int jumpType) {
        settings(compiler, jumpType);
        SendMessageTimeoutA(window, WM_KILN_RELOAD, 0, 0, SMTO_NORMAL, 5000, NULL);
    };

    // JumpType 1: the caret of the editor that shows the source moves.
    ASSERT_TRUE(DoubleClickEditLine(pane, 2));
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), "caret 150\r\n"));
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), "caret 150\r\nforeground\r\n"));
    // A line without a location does nothing.
    std::string log = editor.Log();
    ASSERT_TRUE(DoubleClickEditLine(pane, 1));
    EXPECT_TRUE(NoMessageBox(editor.ExePath(), 1000));
    EXPECT_EQ(editor.Log().find("caret", log.size()), std::string::npos);

    // No editor shows the source: the parameters are shown, then the editor
    // is started with the file part quoted and the line.
    editor.process().Kill();
    ASSERT_TRUE(WaitForWindowGone(editor.window()));
    ASSERT_TRUE(DoubleClickEditLine(pane, 0));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(editor.ExePath(), IDOK, &box));
    EXPECT_EQ(box.text, "\"" + source + "\" /jl=3");
    EXPECT_EQ(box.owner, window);  // a box asked for on the pane is owned by its window
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), "args \"" + source + "\" /jl=3\r\nopen " + source + "\r\n"));
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), "line 3\r\n"));
    SettleStartedEditor();

    // An unknown JumpType is refused.
    reload("gcc.exe", 2);
    ASSERT_TRUE(DoubleClickEditLine(pane, 0));
    ASSERT_TRUE(AnswerMessageBox("エラー", IDOK, &box));
    EXPECT_EQ(box.text, "ジャンプタイプが不正です");
    EXPECT_EQ(box.owner, window);

    // Another profile chosen after the compile: the pane still reads as gcc
    // wrote it, for the double-click, F4 and Enter alike, until the next
    // compile. bcc32's space form would find nothing on lines 0 and 2 and
    // line 5 on line 3.
    reload("bcc32.exe", 0);
    ASSERT_TRUE(DoubleClickEditLine(pane, 0));
    ASSERT_TRUE(AnswerMessageBox(editor.ExePath(), IDOK, &box));
    EXPECT_EQ(box.text, "\"" + source + "\" /jl=3");
    SettleStartedEditor();
    CloseStartedEditors();  // one that comes forward late would take the keys
    ASSERT_TRUE(BringToForeground(window));
    SendMessageA(pane, EM_SETSEL, 0, SendMessageA(pane, EM_LINEINDEX, 1, 0));  // line 0: F4 goes on past it
    ASSERT_TRUE(SendKeyPress(window, VK_F4));
    EXPECT_TRUE(WaitUntil([&] { return SendMessageA(pane, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0) == 2; }));
    ASSERT_TRUE(SendKeyPress(window, VK_RETURN));
    ASSERT_TRUE(AnswerMessageBox(editor.ExePath(), IDOK, &box));
    EXPECT_EQ(box.text, "\"" + source + "\" /jl=150");
    SettleStartedEditor();
    CloseStartedEditors();

    // Compiled by bcc32, the pane reads its space form: the editor gets the
    // file without the message words, as the full path, since it runs in
    // its own folder.
    CopyFileTo(kiln.Compiler(), kiln.dir() / "bcc32.exe");
    WriteFile(kiln.dir() / "bcc32.script", ReadFile(kiln.dir() / "gcc.script") + "err Borland done\\n\r\n");
    ASSERT_TRUE(BringToForeground(window));
    Process again;
    ASSERT_TRUE(kiln.Start(again, source));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, "Borland done\r\nKiln:"));
    ASSERT_TRUE(DoubleClickEditLine(pane, 3));
    ASSERT_TRUE(AnswerMessageBox(editor.ExePath(), IDOK, &box));
    EXPECT_EQ(box.text, "\"" + source + "\" /jl=5");
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), "args \"" + source + "\" /jl=5\r\n"));
    SettleStartedEditor();
    EXPECT_TRUE(p.Running());
}


TEST(ErrorJump, Utf8LinesConvertedAndTheJumpReadsThem) {
    EditorsClosed cleanup;
    KilnInstall kiln;
    std::string source = kiln.Source("ソース\\表.c");
    // gcc in a UTF-8 locale with colours, a tool writing code page 932, gcc's
    // Japanese message after the code-page-932 name it got, and characters
    // without a code-page-932 form.
    auto utf8 = KilnInstall::Utf8ScriptText;
    kiln.Script("err " + KilnInstall::ScriptText("警告: 表示") + "\\n\r\n"
                "err \\x1B[01m\\x1B[K" + utf8(source + ":4:3: ") + "\\x1B[01;31m\\x1B[K" +
                utf8("error: ‘total’ undeclared") + "\\x1B[m\\x1B[K\\n\r\n"
                "err " + KilnInstall::ScriptText(source) + utf8(":5:1: 警告: 戻り値") + "\\n\r\n"
                "err note: \\xC3\\xA9\\xF0\\x9F\\x98\\x80 ok\\n\r\n"
                "err " + utf8("n.c:1:9: 備考: ‘#pragma message: ") + KilnInstall::ScriptText("漢字") +
                utf8("’") + "\\n\r\n");
    StandinEditor editor;
    auto settings = [&](const std::string& outputCode) {
        WriteFile(kiln.dir() / "Kiln.ini",
                  "[Compiler1]\r\nCompilerName=C\r\nPath=" + kiln.Compiler() +
                      "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n" + outputCode + "[Editor]\r\nPath=" +
                      editor.ExePath() + "\r\nJumpOption=/jl=%N\r\nJumpType=1\r\n[Window]\r\nMagnet=0\r\n");
    };
    settings("");
    ASSERT_TRUE(editor.Start("\"" + source + "\" /rect=640,0,380,300"));
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    HWND pane = KilnInstall::Pane(window);
    EXPECT_EQ(WindowText(pane), "警告: 表示\r\n" + source + ":4:3: error: ‘total’ undeclared\r\n" + source +
                                    ":5:1: 警告: 戻り値\r\nnote: ?? ok\r\n"
                                    "n.c:1:9: 備考: ‘#pragma message: 漢字’\r\nKiln:コンパイル終了");
    EXPECT_EQ(KilnInstall::Status(window).rfind("エラー1　警告2　", 0), 0u) << KilnInstall::Status(window);
    ASSERT_TRUE(DoubleClickEditLine(pane, 1));
    EXPECT_TRUE(WaitForFileText(editor.LogPath(), "caret 4\r\n"));

    // OutputCode 1: the code page as it came, in a Kiln started afresh; the
    // colours go all the same, so that gcc's "error:" counts.
    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_EQ(WaitForExitCode(p, 15000), 0);
    settings("OutputCode=1\r\n");
    Process second;
    window = kiln.OpenFinished(second, source);
    ASSERT_NE(window, nullptr);
    std::string raw = WindowText(KilnInstall::Pane(window));
    EXPECT_EQ(raw.find('\x1B'), std::string::npos) << raw;
    EXPECT_EQ(raw.find("‘total’"), std::string::npos) << raw;
    EXPECT_NE(raw.find("漢字窶?\r\n"), std::string::npos) << raw;  // gcc's UTF-8 quote keeps the CR
    EXPECT_EQ(KilnInstall::Status(window).rfind("エラー1　警告1　", 0), 0u) << KilnInstall::Status(window);
}
