// The compile job against a real hidden main window with a multi-line edit
// pane: the pane is subclassed to record every text it is given, and the main
// window handles WM_KILN_COMPILE_DONE as Kiln does (ShowResult, delete).
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "controller/compile_job.h"
#include "resources/shared_names.h"
#include "support/gui_message_boxes.h"
#include "support/test_files.h"

namespace {

using testing_support::TempDir;

const std::string kBase = "Kiln:コンパイル開始!\r\nKiln:コンパイル中";
const std::string kEnd = "Kiln:コンパイル終了";
const std::string kStartErrorText = "起動エラー：コンパイラを起動できません！\r\n";

std::string DotFrame(int dots) {
    std::string frame = kBase;
    for (int i = 0; i < dots; ++i) frame += "・";
    return frame;
}

// What the windows saw; reset for every job.
struct Record {
    std::vector<std::string> paneTexts;  // every WM_SETTEXT, in order
    std::vector<DWORD> paneTimes;
    int completions = 0;
    LPARAM completedJob = 0;
    int doneAtCompletion = -1;
    std::string settingsPath;
    std::size_t textsBeforeResult = 0;
    DWORD completedAt = 0;
    // With the main window shown: texts replaced before they were painted,
    // and whether the pane was due a repaint right after the result went in.
    bool textAwaitingPaint = false;
    int unpaintedTexts = 0;
    bool resultRepaintDue = false;
};
Record g_record;
WNDPROC g_editProcedure = NULL;

LRESULT CALLBACK PaneProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        g_record.paneTexts.push_back(reinterpret_cast<const char*>(lParam));
        g_record.paneTimes.push_back(GetTickCount());
        if (IsWindowVisible(GetParent(window))) {
            if (g_record.textAwaitingPaint) ++g_record.unpaintedTexts;
            g_record.textAwaitingPaint = true;
        }
    }
    if (message == WM_PAINT && GetUpdateRect(window, NULL, FALSE)) g_record.textAwaitingPaint = false;
    return CallWindowProcA(g_editProcedure, window, message, wParam, lParam);
}

LRESULT CALLBACK MainProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_KILN_COMPILE_DONE) {
        CompileJob* job = reinterpret_cast<CompileJob*>(lParam);
        ++g_record.completions;
        g_record.completedJob = lParam;
        g_record.completedAt = GetTickCount();
        g_record.doneAtCompletion = job->done.load();
        g_record.settingsPath = job->settingsPath;
        g_record.textsBeforeResult = g_record.paneTexts.size();
        job->ShowResult();
        g_record.resultRepaintDue = IsWindowVisible(job->pane) && GetUpdateRect(job->pane, NULL, FALSE);
        delete job;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

class CompileJobRun : public ::testing::Test {
protected:
    CompileJobRun() : dir_("job") {}

    void SetUp() override {
        WNDCLASSA windowClass = {};
        windowClass.lpfnWndProc = MainProcedure;
        windowClass.hInstance = GetModuleHandleA(NULL);
        windowClass.lpszClassName = "KilnJobTestMain";
        RegisterClassA(&windowClass);
        main_ = CreateWindowA("KilnJobTestMain", "job test", WS_OVERLAPPEDWINDOW, 0, 0, 400, 300, NULL, NULL,
                              GetModuleHandleA(NULL), NULL);
        ASSERT_TRUE(main_ != NULL);
        pane_ = CreateWindowA("EDIT", "", WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY, 0, 0,
                              380, 260, main_, NULL, GetModuleHandleA(NULL), NULL);
        ASSERT_TRUE(pane_ != NULL);
        g_editProcedure = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(pane_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(PaneProcedure)));
        testing_support::CopyFileTo(testing_support::BinDir() + "\\script_compiler.exe", dir_ / "cc.exe");
        g_record = Record();
    }

    void TearDown() override {
        CompileJob::startThread = &CompileJob::StartDetachedThread;
        if (main_) DestroyWindow(main_);
    }

    void Settings(const std::string& messageSection) {
        testing_support::WriteFile(dir_ / "Kiln.ini", "[Message]\r\n" + messageSection);
    }
    void Script(const std::string& script) { testing_support::WriteFile(dir_ / "cc.script", script); }
    std::string CommandLine(const std::string& arguments = "hello.c -o hello.exe") const {
        return "\"" + dir_ / "cc.exe" + "\" " + arguments;
    }

    // Starts a job and serves the windows until it has been completed, then a
    // little longer so that a second completion would be seen.
    CompileJob* RunJob(const std::string& commandLine, bool ownSettings = true, DWORD timeoutMs = 20000) {
        g_record = Record();
        started_ = GetTickCount();
        std::string ini = dir_ / "Kiln.ini";
        CompileJob* job =
            new CompileJob(main_, pane_, commandLine.c_str(), ownSettings ? ini.c_str() : NULL);
        Serve([] { return g_record.completions > 0; }, timeoutMs);
        EXPECT_EQ(1, g_record.completions) << "no completion within " << timeoutMs << " ms";
        Serve([] { return false; }, 300);
        EXPECT_EQ(1, g_record.completions);
        return job;
    }

    template <typename Condition>
    void Serve(Condition condition, DWORD timeoutMs) {
        DWORD start = GetTickCount();
        while (!condition() && GetTickCount() - start < timeoutMs) {
            MsgWaitForMultipleObjects(0, NULL, FALSE, 10, QS_ALLINPUT);
            MSG message;
            while (PeekMessageA(&message, NULL, 0, 0, PM_REMOVE)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }

    // The progress frames: every text before the result.
    std::vector<std::string> Frames() const {
        return std::vector<std::string>(g_record.paneTexts.begin(),
                                        g_record.paneTexts.begin() + g_record.textsBeforeResult);
    }
    std::string Shown() const { return g_record.paneTexts.empty() ? std::string() : g_record.paneTexts.back(); }

    void ExpectDotFrames(const std::vector<std::string>& frames) {
        for (std::size_t i = 0; i < frames.size(); ++i) {
            ASSERT_EQ(DotFrame(static_cast<int>(i % 11)), frames[i]) << "frame " << i;
        }
    }

    TempDir dir_;
    HWND main_ = NULL;
    HWND pane_ = NULL;
    DWORD started_ = 0;
};

TEST_F(CompileJobRun, DotFramesCycleEveryElevenFramesThenResult) {
    Settings("Custom=0\r\nInterval=25\r\n0=使われない\r\n");
    // Output whose last line has no line break: the end text joins it.
    Script("sleep 900\nout hello.c:1: warning: 表\\nlast\n");
    ShowWindow(main_, SW_SHOWNOACTIVATE);
    CompileJob* job = RunJob(CommandLine());
    // Every frame and the result reach the screen.
    EXPECT_EQ(0, g_record.unpaintedTexts);
    EXPECT_TRUE(g_record.resultRepaintDue);

    EXPECT_EQ(reinterpret_cast<LPARAM>(job), g_record.completedJob);
    EXPECT_EQ(1, g_record.doneAtCompletion);
    std::vector<std::string> frames = Frames();
    ASSERT_GE(frames.size(), 13u) << "frames of a 900 ms compile at 25 ms";
    ExpectDotFrames(frames);
    EXPECT_EQ("hello.c:1: warning: 表\r\nlast" + kEnd, Shown());
    EXPECT_EQ(g_record.textsBeforeResult + 1, g_record.paneTexts.size()) << "texts after the result";
}

TEST_F(CompileJobRun, ResultComesAtTheCompilersEndNotAtTheFramesEnd) {
    // An interval far longer than the child's whole run: the result must not
    // wait for it, with dots or with custom texts.
    Settings("Interval=8000\r\n");
    Script("out ok\\n\n");
    RunJob(CommandLine());
    EXPECT_EQ(std::vector<std::string>(1, DotFrame(0)), Frames());
    EXPECT_LT(g_record.completedAt - started_, 4000u);
    EXPECT_EQ("ok\r\n" + kEnd, Shown());

    Settings("Custom=1\r\nInterval=8000\r\n0=待って\r\n");
    RunJob(CommandLine());
    EXPECT_LT(g_record.completedAt - started_, 4000u);
    EXPECT_EQ("ok\r\n" + kEnd, Shown());

    // Without a settings path of its own the job reads Kiln.ini beside the program.
    RunJob(CommandLine(), false);
    EXPECT_EQ(testing_support::BinDir() + "\\Kiln.ini", g_record.settingsPath);
    EXPECT_EQ("ok\r\n" + kEnd, Shown());
}

TEST_F(CompileJobRun, CustomMessagesStopAtFirstEmptyEntryAndRestart) {
    Settings("Custom=1\r\nInterval=20\r\n0=コンパイル中です\r\n1=もう少し\r\n2=\r\n3=届かない\r\n");
    Script("sleep 700\nerr hello.c:3: error: x\\n\nexit 1\n");
    RunJob(CommandLine());
    std::vector<std::string> frames = Frames();
    ASSERT_GE(frames.size(), 6u);
    for (std::size_t i = 0; i < frames.size(); ++i) {
        ASSERT_EQ(i % 2 == 0 ? "コンパイル中です\r\n" : "コンパイル中です\r\nもう少し\r\n", frames[i]) << i;
    }
    EXPECT_EQ("hello.c:3: error: x\r\n" + kEnd, Shown());
}

TEST_F(CompileJobRun, AllTenCustomMessagesGrowThenRestart) {
    std::string section = "Custom=1\r\nInterval=15\r\n";
    for (int i = 0; i < 10; ++i) section += std::to_string(i) + "=行" + std::to_string(i) + "\r\n";
    Settings(section);
    Script("sleep 700\n");
    RunJob(CommandLine());
    std::vector<std::string> frames = Frames();
    ASSERT_GE(frames.size(), 12u);
    for (std::size_t f = 0; f < frames.size(); ++f) {
        std::string expected;
        for (std::size_t line = 0; line <= f % 10; ++line) expected += "行" + std::to_string(line) + "\r\n";
        ASSERT_EQ(expected, frames[f]) << "frame " << f;
    }
    EXPECT_EQ(kEnd, Shown());
}

TEST_F(CompileJobRun, DotsUnlessCustomWithFirstMessage) {
    Settings("Custom=1\r\nInterval=20\r\n0=\r\n1=二番目\r\n");
    Script("sleep 300\n");
    RunJob(CommandLine());
    ASSERT_GE(Frames().size(), 2u);
    ExpectDotFrames(Frames());

    Settings("Custom=0\r\nInterval=20\r\n0=一番目\r\n");
    RunJob(CommandLine());
    ASSERT_GE(Frames().size(), 2u);
    ExpectDotFrames(Frames());
}

TEST_F(CompileJobRun, ZeroAndNegativeIntervalsKeepFramesComingAndEnd) {
    Script("sleep 400\nout fin\\n\n");
    Settings("Interval=0\r\n");
    RunJob(CommandLine(), true, 10000);
    EXPECT_GE(Frames().size(), 20u);
    ExpectDotFrames(Frames());
    EXPECT_EQ("fin\r\n" + kEnd, Shown());

    // Taken as no pause at all, not as an endless one.
    Settings("Interval=-300\r\n");
    RunJob(CommandLine(), true, 10000);
    EXPECT_GE(Frames().size(), 20u);
    ExpectDotFrames(Frames());
    EXPECT_EQ("fin\r\n" + kEnd, Shown());

    Settings("Custom=1\r\nInterval=-1\r\n0=待って\r\n");
    RunJob(CommandLine(), true, 10000);
    EXPECT_GE(Frames().size(), 20u);
    EXPECT_EQ("fin\r\n" + kEnd, Shown());
}

TEST_F(CompileJobRun, CompilerThatCannotBeStartedIsReported) {
    Settings("Interval=20\r\n");
    testing_support::MessageBoxAnswerer answerer("起動エラー", IDOK);
    RunJob("\"" + dir_ / "missing.exe" + "\" hello.c -o hello.exe");
    ASSERT_TRUE(answerer.Wait());
    EXPECT_EQ("コンパイラを起動できませんでした", answerer.Info().text);
    EXPECT_TRUE(answerer.Info().owner == NULL);
    EXPECT_EQ(kStartErrorText + kEnd, Shown());
    ExpectDotFrames(Frames());
}

TEST_F(CompileJobRun, LongCommandLineReachesTheCompilerWhole) {
    Settings("Interval=10\r\n");
    Script("log run.log\nout done\\n\n");
    std::string longName(600, 'x');
    std::string commandLine = CommandLine("-I" + longName + " 表.c -o 表.exe");
    RunJob(commandLine);
    EXPECT_EQ("done\r\n" + kEnd, Shown());
    EXPECT_NE(std::string::npos, testing_support::ReadFile(dir_ / "run.log").find("cmdline=" + commandLine + "\r\n"));
}

// Thread starts that fail, counted from the job's first start.
int g_startsToFail[2];
int g_startCount;
bool FailingStarter(unsigned(__stdcall* body)(void*), void* argument) {
    int n = g_startCount++;
    if (n == g_startsToFail[0] || n == g_startsToFail[1]) return false;
    return CompileJob::StartDetachedThread(body, argument);
}

TEST_F(CompileJobRun, CompileEndsOnceWhenAThreadCannotStart) {
    Settings("Interval=20\r\n");
    Script("sleep 200\nout built\\n\n");
    CompileJob::startThread = FailingStarter;

    // No progress thread: the capture thread completes the job itself.
    g_startCount = 0;
    g_startsToFail[0] = 0;
    g_startsToFail[1] = -1;
    RunJob(CommandLine());
    EXPECT_EQ("built\r\n" + kEnd, Shown());

    // No capture thread: the start error is reported and the job completes.
    g_startCount = 0;
    g_startsToFail[0] = 1;
    {
        testing_support::MessageBoxAnswerer answerer("起動エラー", IDOK);
        RunJob(CommandLine());
        EXPECT_TRUE(answerer.Wait());
        EXPECT_EQ("コンパイラを起動できませんでした", answerer.Info().text);
    }
    EXPECT_EQ(kStartErrorText + kEnd, Shown());

    // Neither thread.
    g_startCount = 0;
    g_startsToFail[0] = 0;
    g_startsToFail[1] = 1;
    {
        testing_support::MessageBoxAnswerer answerer("起動エラー", IDOK);
        RunJob(CommandLine());
        EXPECT_TRUE(answerer.Wait());
    }
    EXPECT_EQ(kStartErrorText + kEnd, Shown());
}

}  // namespace
