// The offer to run what was built, with the real Kiln.exe: the recording
// program stands in for the built program, the aid program and the Java
// runner, and tells what was started, with which parameters, where.
#include <gtest/gtest.h>

#include <string>

#include "resources/shared_names.h"
#include "support/gui_kiln_install.h"

using namespace testing_support;

namespace {

const char kQuestionCaption[] = "実行確認";

std::string Profile(const KilnInstall& kiln, const std::string& compiler, const std::string& keys) {
    return "[Compiler]\r\nCompilerNo=0\r\n[Compiler1]\r\nCompilerName=P\r\nPath=" + kiln.dir() / compiler +
           "\r\nOutputFileOption=-o\r\n" + keys + "[Window]\r\nMagnet=0\r\n";
}

// Hands a source to the running Kiln as a second start would.
void HandOff(KilnInstall& kiln, HWND window, const std::string& source) {
    ASSERT_TRUE(BringToForeground(window));
    Process other;
    ASSERT_TRUE(kiln.Start(other, source));
    EXPECT_EQ(WaitForExitCode(other, 20000), 0);
}

}  // namespace

TEST(RunOffer, QuestionOkRunsInSourceFolderCancelRunsNothing) {
    KilnInstall kiln;
    CopyFileTo(BinDir() + "\\run_recorder_gui.exe", kiln.dir() / "recorder.exe");
    kiln.Script("copy recorder.exe\r\n");
    std::string source = kiln.Source("ソース\\hello.c");
    std::string folder = kiln.dir() / "ソース";
    WriteFile(kiln.dir() / "Kiln.ini",
              Profile(kiln, "gcc.exe", "OutputFileType=exe\r\nCheckExecute=0\r\nAidExecute=0\r\nExecuteCommandLine=-v x\r\n"));
    Process p;
    HWND window = kiln.Open(p, source);
    ASSERT_NE(window, nullptr);
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kQuestionCaption, 0, &box, 20000));
    EXPECT_EQ(box.text, "プログラムを実行しますか？");
    EXPECT_EQ(box.owner, window);
    // A reload while the question is open: OK starts what the question was
    // about, never a value cut to its field, and the window stays open.
    WriteFile(kiln.dir() / "Kiln.ini", Profile(kiln, "gcc.exe", "OutputFileType=exe\r\nAidExecute=1\r\nAidProgramPath=" +
                                               kiln.dir() / "recorder.exe" + "\r\nExecuteCommandLine=" +
                                               std::string(600, 'L') + "\r\nCompileAfterShow=1\r\n"));
    DWORD_PTR result = 0;
    EXPECT_NE(SendMessageTimeoutA(window, WM_KILN_RELOAD, 0, 0, SMTO_NORMAL, 5000, &result), 0);
    ASSERT_TRUE(AnswerMessageBox(kQuestionCaption, IDOK, &box));
    ASSERT_TRUE(WaitForFileText(folder + "\\runs.log", "hello.exe|-v x|" + folder + "\r\n"));
    EXPECT_TRUE(KilnInstall::WaitForPane(window, kFinished));

    // What Kiln built is up to date now: the offer follows at once;
    // declined, it starts nothing and the profile still closes the window.
    SetFileTimeSeconds(source, 100);
    WriteFile(kiln.dir() / "Kiln.ini", Profile(kiln, "gcc.exe",
                                               "OutputFileType=exe\r\nCheckExecute=0\r\nAidExecute=0\r\n"
                                               "CompileAfterShow=1\r\n"));
    ASSERT_TRUE(BringToForeground(window));
    Process other;
    ASSERT_TRUE(kiln.Start(other, source));
    ASSERT_TRUE(AnswerMessageBox(kQuestionCaption, 0, &box, 20000));
    EXPECT_EQ(WindowText(KilnInstall::Pane(window)), kUnchanged);
    ASSERT_TRUE(AnswerMessageBox(kQuestionCaption, IDCANCEL, &box));
    EXPECT_TRUE(WaitForWindowGone(window, 15000));
    EXPECT_EQ(WaitForExitCode(p, 10000), 0);
    EXPECT_EQ(WaitForExitCode(other, 10000), 0);
    EXPECT_EQ(ReadFile(folder + "\\runs.log"), "hello.exe|-v x|" + folder + "\r\n");
}

TEST(RunOffer, AidProgramJavaRunnerNothingToRunAndMissingProgram) {
    KilnInstall kiln;
    CopyFileTo(BinDir() + "\\script_compiler.exe", kiln.dir() / "javac.exe");
    CopyFileTo(BinDir() + "\\run_recorder_gui.exe", kiln.dir() / "java.exe");
    WriteFile(kiln.dir() / "javac.script", "create\r\n");
    std::string folder = kiln.dir().MakeDir("src");
    std::string aid = "CheckExecute=1\r\nAidExecute=1\r\nAidProgramPath=" + kiln.AidProgram() +
                      "\r\nExecuteCommandLine=-v\r\n";

    // The aid program gets the built program's name and the arguments.
    WriteFile(kiln.dir() / "Kiln.ini", Profile(kiln, "gcc.exe", "OutputFileType=exe\r\n" + aid));
    Process p;
    HWND window = kiln.OpenFinished(p, kiln.Source("src\\hello.c"));
    ASSERT_NE(window, nullptr);
    std::string expected = "execute.exe|hello.exe -v|" + folder + "\r\n";
    ASSERT_TRUE(WaitForFileText(kiln.dir() / "runs.log", expected));

    // A class file runs through the Java runner beside the compiler: quoted
    // for the aid program, started itself without one.
    WriteFile(kiln.dir() / "Kiln.ini", Profile(kiln, "javac.exe", "OutputFileType=class\r\n" + aid));
    HandOff(kiln, window, kiln.Source("src\\Hello.java"));
    expected += "execute.exe|\"" + kiln.dir() / "java.exe" + "\" Hello -v|" + folder + "\r\n";
    ASSERT_TRUE(WaitForFileText(kiln.dir() / "runs.log", expected));
    WriteFile(kiln.dir() / "Kiln.ini",
              Profile(kiln, "javac.exe", "OutputFileType=class\r\nCheckExecute=1\r\nAidExecute=0\r\n"
                                         "ExecuteCommandLine=-v\r\n"));
    HandOff(kiln, window, kiln.Source("src\\Hello.java", "class Hello {}\n"));
    expected += "java.exe|Hello -v|" + folder + "\r\n";
    ASSERT_TRUE(WaitForFileText(kiln.dir() / "runs.log", expected));

    // A class name that the runner would read as options or as two words.
    WriteFile(kiln.dir() / "Kiln.ini", Profile(kiln, "javac.exe", "OutputFileType=class\r\n" + aid));
    for (std::string name : {"@opts", "My Prog"}) {
        HandOff(kiln, window, kiln.Source("src\\" + name + ".java"));
        MessageBoxInfo box;
        ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 20000));
        EXPECT_EQ(box.text, "「" + name + "」はJavaのクラス名として使えないため実行できません\n"
                            "ソースファイル名は英字で始め、空白や記号（_と$を除く）を含めないでください");
        EXPECT_EQ(box.owner, window);
    }

    // An old program the compile could not delete (read-only, dated 2030) is
    // neither offered nor recorded, whatever the compile did to it.
    WriteFile(kiln.dir() / "Kiln.ini", Profile(kiln, "gcc.exe", "OutputFileType=exe\r\n" + aid));
    const std::string old = folder + "\\old.exe";
    WriteFile(old, "old");
    SetFileTimeSeconds(old, 11LL * 365 * 86400);
    SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_READONLY);
    for (int request = 0; request < 2; ++request) {
        int calls = kiln.Calls();
        HandOff(kiln, window, kiln.Source("src\\old.c"));
        EXPECT_TRUE(WaitUntil([&] { return kiln.Calls() == calls + 1; }, 15000));
        EXPECT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    }
    PumpMessages(1500);
    SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(kiln.Runs(), expected);

    // Kiln's own hello.exe is still up to date: that request takes over the
    // window's title and its offer from the one before it.
    SetFileTimeSeconds(folder + "\\hello.c", 100);
    HandOff(kiln, window, folder + "\\hello.c");
    expected += "execute.exe|hello.exe -v|" + folder + "\r\n";
    ASSERT_TRUE(WaitForFileText(kiln.dir() / "runs.log", expected));
    EXPECT_EQ(WindowText(KilnInstall::Pane(window)), kUnchanged);
    EXPECT_EQ(WindowText(window), "Kiln - P [ " + folder + "\\hello.c ] ");

    // An object file offers nothing: no question, and the window stays.
    WriteFile(kiln.dir() / "Kiln.ini",
              Profile(kiln, "gcc.exe", "OutputFileType=obj\r\nCheckExecute=0\r\nCompileAfterShow=1\r\n"));
    HandOff(kiln, window, kiln.Source("src\\hello.c", "int x;\n"));
    EXPECT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    EXPECT_TRUE(NoMessageBox(kQuestionCaption, 1500));
    EXPECT_TRUE(IsWindow(window));

    // A program the shell cannot start is reported, and the offer counts.
    WriteFile(kiln.dir() / "Kiln.ini",
              Profile(kiln, "gcc.exe", "OutputFileType=exe\r\nCheckExecute=1\r\nAidExecute=1\r\n"
                                       "AidProgramPath=C:\\どこにもない\\execute.exe\r\nCompileAfterShow=1\r\n"));
    ASSERT_TRUE(BringToForeground(window));
    Process other;
    ASSERT_TRUE(kiln.Start(other, kiln.Source("src\\hello.c", "int y;\n")));
    MessageBoxInfo box;
    ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 20000));
    EXPECT_EQ(box.text,
              "実行環境プログラム「C:\\どこにもない\\execute.exe」を起動できませんでした\n"
              "実行環境プログラムのパスを設定し直してください");
    EXPECT_EQ(box.owner, window);
    EXPECT_TRUE(WaitForWindowGone(window, 15000));
    EXPECT_EQ(ReadFile(kiln.dir() / "runs.log"), expected);
}

TEST(RunOffer, RealExecuteStartsTheBuiltProgramWithItsArguments) {
    KilnInstall kiln;
    CopyFileTo(BinDir() + "\\execute.exe", kiln.AidProgram());
    CopyFileTo(BinDir() + "\\console_target.exe", kiln.dir() / "target.exe");
    kiln.Script("copy target.exe\r\n");
    std::string folder = kiln.dir().MakeDir("ソース 表");
    WriteFile(kiln.dir() / "Kiln.ini",
              Profile(kiln, "gcc.exe", "OutputFileType=exe\r\nCheckExecute=1\r\nAidExecute=1\r\nAidProgramPath=" +
                                           kiln.AidProgram() + "\r\nExecuteCommandLine=exit 0 \"x y\"\r\n"));
    Process p;
    ASSERT_NE(kiln.OpenFinished(p, kiln.Source("ソース 表\\hello.c")), nullptr);
    // The built program ran in the source's folder with the profile's
    // arguments; execute.exe then waits for a key in its console until the
    // installation's folder is cleared.
    EXPECT_TRUE(WaitForFileText(folder + "\\runs.log", "hello.exe|exit 0 \"x y\"|" + folder + "\r\n"));
}

TEST(RunOffer, RequestKeptDuringACompileIsCarriedOutBeforeTheWindowCloses) {
    KilnInstall kiln;
    kiln.Script("sleep 1500\r\ncreate\r\nlog calls.log\r\n");
    WriteFile(kiln.dir() / "Kiln.ini", Profile(kiln, "gcc.exe", "OutputFileType=exe\r\nCheckExecute=1\r\n"
                                               "CompileAfterShow=1\r\nAidProgramPath=" + kiln.AidProgram() + "\r\n"));
    Process p;
    HWND window = kiln.Open(p, kiln.Source("a.c"));
    ASSERT_NE(window, nullptr);
    HandOff(kiln, window, kiln.Source("b.c"));
    EXPECT_TRUE(WaitForWindowGone(window, 20000));
    EXPECT_EQ(WaitForExitCode(p, 10000), 0);
    EXPECT_EQ(kiln.Calls(), 2);
    std::string runs = kiln.Runs();
    EXPECT_NE(runs.find("|a.exe"), std::string::npos) << runs;
    EXPECT_NE(runs.find("|b.exe"), std::string::npos) << runs;
}
