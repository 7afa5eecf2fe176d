// Kiln.exe from end to end: started from a temporary folder with a Kiln.ini
// written by the test and the scriptable compiler as gcc.exe.
#include "support/environment.h"
#include "support/gui_kiln_install.h"

#include <gtest/gtest.h>

#include <string>

#include "resources/shared_names.h"

using namespace testing_support;

TEST(KilnStart, NoArgumentReportsAndEndsWithoutWindow) {
    KilnInstall kiln;
    Process p;
    ASSERT_TRUE(kiln.Start(p, ""));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 15000));
    EXPECT_EQ(box.text, "ソースファイルが指定されていません\nソースファイル名を指定して実行するか\nWrenletから実行してください");
    EXPECT_EQ(WaitForExitCode(p, 10000), 0);
    EXPECT_EQ(FindTopLevelWindow(KILN_WINDOW_CLASS, p.Id()), nullptr);
}

TEST(KilnCompile, ProgressThenOutputAndEndText) {
    KilnInstall kiln;
    kiln.Script("sleep 1500\r\nerr hello.c:3: error: oops\\n\r\nout done\r\ncreate\r\nlog calls.log\r\n");
    std::string source = kiln.Source("hello.c");
    Process p;
    HWND window = kiln.Open(p, source);
    ASSERT_NE(window, nullptr);
    HWND pane = KilnInstall::Pane(window);
    EXPECT_TRUE(KilnInstall::WaitForPane(window, "Kiln:コンパイル開始!\r\nKiln:コンパイル中", 5000));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    EXPECT_EQ(WindowText(pane), std::string("hello.c:3: error: oops\r\ndone") + kFinished);
    // Each text goes in with the pane off the screen: it must be back on and
    // repainted once the text is in.
    PumpMessages(300);
    EXPECT_TRUE(IsWindowVisible(pane));
    EXPECT_FALSE(GetUpdateRect(pane, NULL, FALSE));
    EXPECT_TRUE(Exists(kiln.dir() / "hello.exe"));
    EXPECT_NE(kiln.CallsLog().find("cmdline=gcc.exe hello.c -o hello.exe\r\n"), std::string::npos)
        << kiln.CallsLog();
    EXPECT_EQ(WindowText(window), "Kiln - GNU C [ " + source + " ] ");
}

TEST(KilnCompile, CompilerSeesSourceFolderAndAPathWithoutIt) {
    KilnInstall kiln;
    std::string source = kiln.Source("ソース\\表\\表.c");
    Process p;
    HWND window = kiln.Open(p, "\"" + source + "\"");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    std::string folder = kiln.dir() / "ソース\\表";
    std::string log = kiln.CallsLog();
    EXPECT_NE(log.find("cwd=" + folder + "\r\n"), std::string::npos) << log;
    // Kiln's folder is the compiler's too: once on PATH, before the system's.
    EXPECT_NE(log.find("PATH=" + kiln.dir().path() + ";" + SystemFolders() + "\r\n"), std::string::npos) << log;
    EXPECT_NE(log.find("cmdline=gcc.exe 表.c -o 表.exe"), std::string::npos) << log;
    EXPECT_TRUE(Exists(folder + "\\表.exe"));
    // The title shows the path without its quotes.
    EXPECT_EQ(WindowText(window), "Kiln - GNU C [ " + source + " ] ");
}

// A program that came with the folder, newer than its source, is no build
// of Kiln's and is compiled over. What Kiln built is up to date the next
// time, also as old as its source (FAT's two seconds, files copied together).
TEST(KilnCompile, OnlyWhatKilnBuiltIsUpToDate) {
    KilnInstall kiln;
    std::string source = kiln.Source("up.c");
    std::string output = kiln.dir() / "up.exe";
    WriteFile(output, "shipped");
    SetFileTimeSeconds(source, 100);
    SetFileTimeSeconds(output, 200);
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ReadFile(output), "built\n");
    WIN32_FILE_ATTRIBUTE_DATA built;
    ASSERT_TRUE(GetFileAttributesExA(output.c_str(), GetFileExInfoStandard, &built));
    HANDLE file = CreateFileA(source.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    ASSERT_TRUE(SetFileTime(file, NULL, NULL, &built.ftLastWriteTime));
    CloseHandle(file);
    ASSERT_TRUE(BringToForeground(window));
    Process again;
    ASSERT_TRUE(kiln.Start(again, source));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kUnchanged));
    EXPECT_EQ(WindowText(KilnInstall::Pane(window)), kUnchanged);
    EXPECT_EQ(KilnInstall::Status(window), "変更なし");
    PumpMessages(500);
    EXPECT_EQ(kiln.Calls(), 1);
}

// F5 asks again as the editor would, with the same up-to-date test and run
// offer; Shift+F5 compiles even so, and neither does anything during a
// compile. An older Kiln's record, an edited header, other options and
// another compiler of the same name each make the next request compile.
TEST(KilnCompile, F5CompilesAgainUnlessTheOutputWasMadeSo) {
    KilnInstall kiln;
    kiln.Script("wait go 30000\r\ncreate\r\nlog calls.log\r\n");
    WriteFile(kiln.dir() / "go", "");
    kiln.dir().MakeDir("cc2");
    CopyFileTo(kiln.Compiler(), kiln.dir() / "cc2\\gcc.exe");
    WriteFile(kiln.dir() / "cc2\\gcc.script", "create\r\nlog " + kiln.dir() / "calls.log\r\n");
    WriteFile(kiln.dir() / "Kiln.ini", ReadFile(kiln.dir() / "Kiln.ini") + "[Compiler2]\r\nCompilerName=Two\r\n"
              "Path=cc2\\gcc.exe\r\nCompileOption=-g\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n"
              "CheckExecute=1\r\nAidProgramPath=" + kiln.AidProgram() + "\r\n");
    std::string header = kiln.Source("ソース\\表.h", "#define N 1\n");
    std::string source = kiln.Source("a.c", "#include \"ソース/表.h\"\nint main(void){return N;}\n");
    std::string output = kiln.dir() / "a.exe";
    WriteFile(output, "old");
    SetFileTimeSeconds(source, 100);
    WIN32_FILE_ATTRIBUTE_DATA old;
    ASSERT_TRUE(GetFileAttributesExA(output.c_str(), GetFileExInfoStandard, &old));
    WriteFile(kiln.dir() / "KilnBuilt.txt", std::to_string((static_cast<unsigned long long>(old.ftLastWriteTime.dwHighDateTime) << 32) |
                                                           old.ftLastWriteTime.dwLowDateTime) + "\t3\t" + output + "\r\n");
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForFileText(kiln.dir() / "runs.log", "a.exe"));
    EXPECT_EQ(kiln.Calls(), 1);
    auto again = [&](WORD modifier, int calls, const std::string& pane) {
        std::string runs = kiln.Runs();
        ASSERT_TRUE(SendKeyPress(window, VK_F5, 5000, modifier));
        EXPECT_TRUE(WaitUntil([&] { return kiln.Runs() != runs; }, 15000)) << "no run offer after " << calls;
        EXPECT_EQ(kiln.Calls(), calls);
        EXPECT_NE(WindowText(KilnInstall::Pane(window)).find(pane), std::string::npos) << calls;
    };
    again(0, 1, kUnchanged);
    EXPECT_EQ(KilnInstall::Status(window).rfind("変更なし", 0), 0u);
    again(VK_SHIFT, 2, kFinished);
    WriteFile(header, "#define N 22\n");
    again(0, 3, kFinished);
    again(0, 3, kUnchanged);
    std::string ini = ReadFile(kiln.dir() / "Kiln.ini");
    WriteFile(kiln.dir() / "Kiln.ini", ini.insert(ini.find("[Compiler1]\r\n") + 13, "CompileOption=-g\r\n"));
    DeleteFileA((kiln.dir() / "go").c_str());
    ASSERT_TRUE(SendKeyPress(window, VK_F5));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, "Kiln:コンパイル中"));
    ASSERT_TRUE(SendKeyPress(window, VK_F5) && SendKeyPress(window, VK_F5, 5000, VK_SHIFT));
    WriteFile(kiln.dir() / "go", "");
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    PumpMessages(1500);
    EXPECT_EQ(kiln.Calls(), 4) << "the keys during the compile asked for nothing";
    EXPECT_NE(kiln.CallsLog().find(" -g a.c -o a.exe"), std::string::npos);
    ASSERT_TRUE(SendCtrlDigit(window, 2));
    again(0, 5, kFinished);
    again(0, 5, kUnchanged);
}

TEST(KilnCompile, EmptyCompilerPathIsReported) {
    KilnInstall kiln;
    WriteFile(kiln.dir() / "Kiln.ini", "[Compiler]\r\nCompilerNo=1\r\n[Compiler1]\r\nPath=" + kiln.Compiler() +
                                           "\r\n[Window]\r\nMagnet=0\r\n");
    std::string source = kiln.Source("a.c");
    Process p;
    ASSERT_TRUE(kiln.Start(p, source));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 15000));
    EXPECT_EQ(box.text, "コンパイラのパスが正しくありません\nコンパイラパスを設定し直してください");
    HWND window = WaitForTopLevelWindow(KILN_WINDOW_CLASS, p.Id(), 5000);
    ASSERT_NE(window, nullptr);
    // No request was taken: F5 has nothing to ask again.
    ASSERT_TRUE(SendKeyPress(window, VK_F5));
    EXPECT_FALSE(AnswerMessageBox(kKilnError, IDOK, &box, 1500));
    EXPECT_EQ(kiln.Calls(), 0);
}

TEST(KilnInstance, HandOffWithQuotedBlankPathCompilesInRunningWindow) {
    KilnInstall kiln;
    std::string first = kiln.Source("first.c");
    Process p;
    HWND window = kiln.OpenFinished(p, first);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToForeground(window));

    std::string second = kiln.Source("my src\\second file.c");
    Process other;
    ASSERT_TRUE(kiln.Start(other, "\"" + second + "\""));
    EXPECT_EQ(WaitForExitCode(other, 15000), 0);
    EXPECT_EQ(FindTopLevelWindow(KILN_WINDOW_CLASS, other.Id()), nullptr);
    EXPECT_TRUE(WaitUntil([&] { return kiln.Calls() == 2; }));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(window) == "Kiln - GNU C [ " + second + " ] "; }));
    EXPECT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    EXPECT_TRUE(Exists(kiln.dir() / "my src\\second file.exe") || kiln.CallsLog().find("second") != std::string::npos);
}

TEST(KilnInstance, EmptyHandOffIsReportedByRunningWindow) {
    KilnInstall kiln;
    std::string first = kiln.Source("first.c");
    Process p;
    HWND window = kiln.OpenFinished(p, first);
    ASSERT_NE(window, nullptr);
    std::string paneBefore = WindowText(KilnInstall::Pane(window));
    ASSERT_TRUE(BringToForeground(window));

    Process other;
    ASSERT_TRUE(kiln.Start(other, ""));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 15000));
    EXPECT_NE(box.text.find("ソースファイルが指定されていません"), std::string::npos);
    EXPECT_EQ(WaitForExitCode(other, 10000), 0);
    EXPECT_EQ(WindowText(KilnInstall::Pane(window)), paneBefore);
    EXPECT_EQ(kiln.Calls(), 1);
}

TEST(KilnInstance, RequestDuringCompileRunsAfterIt) {
    KilnInstall kiln;
    kiln.Script("sleep 2000\r\ncreate\r\nlog calls.log\r\nout compiled\r\n");
    std::string first = kiln.Source("one.c");
    std::string second = kiln.Source("two.c");
    Process p;
    HWND window = kiln.Open(p, first);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(KilnInstall::WaitForPane(window, "Kiln:コンパイル中", 5000));
    ASSERT_TRUE(BringToForeground(window));
    Process other;
    ASSERT_TRUE(kiln.Start(other, second));
    EXPECT_EQ(WaitForExitCode(other, 15000), 0);
    // The first compile ends whole, then the kept request runs.
    ASSERT_TRUE(WaitUntil([&] { return kiln.Calls() == 2; }, 20000));
    std::string log = kiln.CallsLog();
    EXPECT_LT(log.find("one.c"), log.find("two.c")) << log;
    EXPECT_TRUE(KilnInstall::WaitForPane(window, std::string("compiled") + kFinished));
    EXPECT_TRUE(Exists(kiln.dir() / "one.exe"));
    EXPECT_TRUE(Exists(kiln.dir() / "two.exe"));
}

TEST(KilnProfiles, CtrlDigitSelectsProfileWithoutCompiling) {
    KilnInstall kiln;
    std::string source = kiln.Source("p.c");
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(SendCtrlDigit(window, 3));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(window) == "Kiln - Third [ " + source + " ] "; }));
    EXPECT_NE(ReadFile(kiln.dir() / "Kiln.ini").find("CompilerNo=2"), std::string::npos);
    PumpMessages(300);
    EXPECT_EQ(kiln.Calls(), 1);
}

TEST(KilnProfiles, ProfileChosenDuringACompileLeavesItsCountsAndConversion) {
    KilnInstall kiln;
    std::string source = kiln.Source("表.c");
    // The output comes at the compiler's end, well after the profile key.
    kiln.Script("err a.c:1:1: " + KilnInstall::Utf8ScriptText("エラー: x") +
                "\\n\r\nerr a.c:2:1: error: y\\n\r\nerr a.c:3:1: warning: z\\n\r\nsleep 2000\r\nexit 1\r\n");
    WriteFile(kiln.dir() / "Kiln.ini", "[Compiler1]\r\nCompilerName=One\r\nPath=" + kiln.Compiler() +
                                            "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n[Compiler2]\r\n"
                                            "CompilerName=Two\r\nPath=" + (kiln.dir() / "tcc.exe") +
                                            "\r\nOutputCode=1\r\n[Window]\r\nMagnet=0\r\n");
    Process p;
    HWND window = kiln.Open(p, source);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(KilnInstall::WaitForPane(window, "Kiln:コンパイル中"));
    ASSERT_TRUE(SendCtrlDigit(window, 2));
    EXPECT_TRUE(WaitUntil([&] { return WindowText(window).find("Two") != std::string::npos; }));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    EXPECT_EQ(KilnInstall::Status(window).rfind("エラー2　警告1　", 0), 0u) << KilnInstall::Status(window);
    EXPECT_NE(WindowText(KilnInstall::Pane(window)).find("a.c:1:1: エラー: x"), std::string::npos);
}

TEST(KilnProfiles, ReloadFromAnotherProcessRenewsTitleAndPlacement) {
    KilnInstall kiln("");
    std::string source = kiln.Source("r.c");
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    std::string pane = WindowText(KilnInstall::Pane(window));
    std::string ini = ReadFile(kiln.dir() / "Kiln.ini");
    ini.replace(ini.find("GNU C"), 5, "Renamed");
    WriteFile(kiln.dir() / "Kiln.ini",
              ini + "\r\n[Window]\r\nMagnet=0\r\nFix=1\r\nSize=1\r\nPosition=1\r\nX=40\r\nY=50\r\nWidth=420\r\nHeight=310\r\n");
    SendMessageTimeoutA(window, WM_KILN_RELOAD, 0, 0, SMTO_NORMAL, 5000, NULL);
    EXPECT_EQ(WindowText(window), "Kiln - Renamed [ " + source + " ] ");
    RECT r = WindowRect(window);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 50);
    EXPECT_EQ(r.right - r.left, 420);
    EXPECT_EQ(r.bottom - r.top, 310);
    EXPECT_EQ(WindowText(KilnInstall::Pane(window)), pane);
}

TEST(KilnPlacement, FixedSizeAndPositionAtStart) {
    KilnInstall kiln("[Window]\r\nMagnet=0\r\nFix=1\r\nSize=1\r\nPosition=1\r\nX=-8\r\nY=30\r\nWidth=500\r\nHeight=260\r\n");
    Process p;
    HWND window = kiln.Open(p, kiln.Source("f.c"));
    ASSERT_NE(window, nullptr);
    RECT r = WindowRect(window);
    EXPECT_EQ(r.left, -8);
    EXPECT_EQ(r.top, 30);
    EXPECT_EQ(r.right - r.left, 500);
    EXPECT_EQ(r.bottom - r.top, 260);
    // Under Wine a compiler whose Kiln is killed while it starts up can hang
    // for good, holding the test's output open: let the compile end first.
    EXPECT_TRUE(KilnInstall::WaitForPane(window, kFinished));
}

TEST(KilnPlacement, DocksUnderTheEditorShowingTheSource) {
    KilnInstall kiln("[Window]\r\nMagnet=1\r\nFix=1\r\nSize=1\r\nWidth=300\r\nHeight=200\r\n");
    std::string source = kiln.Source("docked.c");
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    StandinEditor editor;
    ASSERT_TRUE(editor.Start("\"" + source + "\" /rect=100,20,700," + std::to_string(work.bottom - 20 - 300)));
    RECT e = WindowRect(editor.window());
    Process p;
    HWND window = kiln.Open(p, source);
    ASSERT_NE(window, nullptr);
    RECT r = WindowRect(window);
    EXPECT_EQ(r.left, e.left);
    EXPECT_EQ(r.top, e.bottom);
    EXPECT_EQ(r.right - r.left, e.right - e.left);
    EXPECT_EQ(r.bottom, work.bottom);
    EXPECT_TRUE(KilnInstall::WaitForPane(window, kFinished));  // see FixedSizeAndPositionAtStart
}

TEST(KilnPlacement, NoRoomUnderTheEditorLeavesTheWindowAlone) {
    KilnInstall kiln("[Window]\r\nMagnet=1\r\n");
    std::string source = kiln.Source("full.c");
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    StandinEditor editor;
    // Exactly 60 pixels below the editor: too little room.
    ASSERT_TRUE(editor.Start(source + " /rect=0,0,600," + std::to_string(work.bottom - 60)));
    Process p;
    HWND window = kiln.Open(p, source);
    ASSERT_NE(window, nullptr);
    RECT r = WindowRect(window);
    RECT e = WindowRect(editor.window());
    EXPECT_FALSE(r.top == e.bottom && r.left == e.left && r.right == e.right);
    EXPECT_TRUE(KilnInstall::WaitForPane(window, kFinished));  // see FixedSizeAndPositionAtStart
}

TEST(KilnStart, RelativeSourceIsTakenFromTheCurrentFolder) {
    KilnInstall kiln;
    std::string source = kiln.Source("rel.c");
    Process p;
    HWND window = kiln.Open(p, "rel.c");
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    EXPECT_EQ(WindowText(window), "Kiln - GNU C [ " + source + " ] ");
    EXPECT_TRUE(Exists(kiln.dir() / "rel.exe"));
}

TEST(KilnStart, OverlongSourcePathIsRefusedNotCut) {
    KilnInstall kiln;
    std::string longPath = kiln.dir() / (std::string(560, 'x') + ".c");
    Process p;
    ASSERT_TRUE(kiln.Start(p, longPath));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 15000));
    EXPECT_EQ(box.text, "ソースファイルのパスが長すぎます\nパスは511バイト以内で指定してください");
    EXPECT_EQ(WaitForExitCode(p, 10000), 0);
    EXPECT_EQ(FindTopLevelWindow(KILN_WINDOW_CLASS, p.Id()), nullptr);
    EXPECT_EQ(kiln.Calls(), 0);
}

TEST(KilnInstance, OverlongHandOffIsRefusedByRunningWindow) {
    KilnInstall kiln;
    std::string first = kiln.Source("first.c");
    Process p;
    HWND window = kiln.OpenFinished(p, first);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToForeground(window));
    Process other;
    ASSERT_TRUE(kiln.Start(other, kiln.dir() / (std::string(540, 'y') + ".c")));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 15000));
    EXPECT_NE(box.text.find("長すぎます"), std::string::npos);
    EXPECT_EQ(WaitForExitCode(other, 10000), 0);
    // The running window keeps its source: the title still names it.
    EXPECT_EQ(WindowText(window), "Kiln - GNU C [ " + first + " ] ");
    EXPECT_EQ(kiln.Calls(), 1);
}

TEST(KilnInstance, StrayPrivateMessagesStartNothing) {
    KilnInstall kiln;
    // An error line at the caret and an editor that records its start: a
    // double-click notice taken from elsewhere would start it.
    WriteFile(kiln.dir() / "Kiln.ini", ReadFile(kiln.dir() / "Kiln.ini") + "[Editor]\r\nJumpType=0\r\nJumpOption=/jl=%N\r\nPath=" +
                                           kiln.AidProgram() + "\r\n");
    kiln.Script("out first.c:1: error: x\\n\r\ncreate\r\nlog calls.log\r\n");
    Process p;
    HWND window = kiln.OpenFinished(p, kiln.Source("first.c"));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitForFileText(kiln.dir() / "runs.log", "first.exe"));
    const std::string pane = WindowText(KilnInstall::Pane(window)), runs = kiln.Runs();
    // Numbers other programs may use as well, with what no Kiln sends; an
    // address of the sender's ("own") means nothing in Kiln's process.
    const char* rows[] = {
        "post 0x81F4 0 0x1234", "send 0x81F4 7 own",                            // reload
        "post 0x81F5 0 0x1234", "post 0x81F5 0 0", "send 0x81F5 0 own", "post 0x81F5 1 own",  // compile
        "post 0x81F6 0 0x1234", "send 0x81F6 0 own", "post 0x81F6 0 0",         // compile done
        "post 0x81F7 0 0", "send 0x81F7 0 0x1234", "post 0x81F7 0 own",         // run
        "post 0x8208 0 0x1234", "send 0x8208 0 0",                              // kept request
        "post 0x81F8 0 pane", "send 0x81F8 0 pane",                             // the pane's old notice
        "copy 0x81F5 0 null", "copy 0x81F5 5 first", "copy 0x81F5 3 x.c",       // empty, unterminated
        "copy 0 8 first.c",                                                     // not a hand-off
    };
    CopyFileTo(BinDir() + "\\message_sender.exe", kiln.dir() / "sender.exe");
    for (const char* row : rows) {
        SCOPED_TRACE(row);
        EXPECT_EQ(RunToEnd(kiln.dir() / "sender.exe", std::string("Kiln ") + row, kiln.dir().path()), 0);
        PumpMessages(100);
        ASSERT_TRUE(p.Running());
    }
    PumpMessages(1000);
    EXPECT_TRUE(p.Running());
    EXPECT_EQ(WindowText(KilnInstall::Pane(window)), pane);
    EXPECT_EQ(FindTopLevelWindow("#32770", p.Id()), nullptr);
    EXPECT_EQ(kiln.Calls(), 1);
    EXPECT_EQ(kiln.Runs(), runs);
}

TEST(KilnInstance, RelativeHandOffNamesTheSecondStartsFolder) {
    KilnInstall kiln;
    std::string first = kiln.Source("D1\\hello.c");
    std::string second = kiln.Source("D2\\hello.c");
    Process p;
    HWND window = kiln.OpenFinished(p, first);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(BringToForeground(window));
    // The running Kiln's current folder is D1 now; "hello.c" typed in D2 is D2's.
    Process other;
    ASSERT_TRUE(other.Start(kiln.dir() / "Kiln.exe", "hello.c", kiln.dir() / "D2"));
    EXPECT_EQ(WaitForExitCode(other, 15000), 0);
    ASSERT_TRUE(WaitUntil([&] { return kiln.Calls() == 2; }));
    std::string log = kiln.CallsLog();
    EXPECT_NE(log.find("cwd=" + kiln.dir() / "D2" + "\r\n", log.rfind("[run]")), std::string::npos) << log;
    EXPECT_TRUE(WaitUntil([&] { return WindowText(window) == "Kiln - GNU C [ " + second + " ] "; }));
    EXPECT_TRUE(Exists(kiln.dir() / "D2\\hello.exe"));
}
