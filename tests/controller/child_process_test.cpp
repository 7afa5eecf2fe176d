// The runner against real child processes: the stand-in compiler, copied into
// a temporary folder as cc.exe and driven by cc.script beside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "controller/child_process.h"
#include "support/test_files.h"

namespace {

using testing_support::TempDir;

// A compiler stand-in in its own folder, behaving as its script says.
class ScriptedChild {
public:
    explicit ScriptedChild(const std::string& script) : dir_("runner") {
        testing_support::CopyFileTo(testing_support::BinDir() + "\\script_compiler.exe", dir_ / "cc.exe");
        testing_support::WriteFile(dir_ / "cc.script", script);
    }
    std::string CommandLine(const std::string& arguments = "") const {
        std::string line = "\"" + dir_ / "cc.exe" + "\"";
        return arguments.empty() ? line : line + " " + arguments;
    }
    const TempDir& dir() const { return dir_; }

private:
    TempDir dir_;
};

struct Call {
    ChildProcess runner;
    std::vector<char> line;
    int result;
    FILETIME kernel, user;
};

DWORD WINAPI RunCall(LPVOID argument) {
    Call* c = static_cast<Call*>(argument);
    c->result = c->runner.Run(NULL, c->line.data());
    // Wine reports processor times only for the asking thread itself.
    FILETIME created, exited;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &c->kernel, &c->user);
    return 0;
}

struct RunOutcome {
    int result;
    std::string text;
    double cpuMs;   // processor time of the thread that ran Run
    double wallMs;
};

// Runs the command line on a thread of its own, so that a runner that never
// returns fails the test instead of hanging it.
RunOutcome RunWithTimeout(const std::string& commandLine, DWORD timeoutMs = 30000) {
    Call call;
    call.line.assign(commandLine.begin(), commandLine.end());
    call.line.push_back('\0');
    call.result = -1;

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    HANDLE thread = CreateThread(NULL, 0, RunCall, &call, 0, NULL);
    if (!thread || WaitForSingleObject(thread, timeoutMs) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "Run did not return within %lu ms\n", static_cast<unsigned long>(timeoutMs));
        std::fflush(stderr);
        TerminateProcess(GetCurrentProcess(), 3);
    }
    QueryPerformanceCounter(&end);
    CloseHandle(thread);
    auto ms = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 10000.0;
    };
    RunOutcome outcome;
    outcome.result = call.result;
    outcome.text.assign(call.runner.text, call.runner.TextLength());
    EXPECT_EQ(std::string(call.runner.text).size(), call.runner.TextLength());
    outcome.cpuMs = ms(call.kernel) + ms(call.user);
    outcome.wallMs = (end.QuadPart - start.QuadPart) * 1000.0 / frequency.QuadPart;
    return outcome;
}

RunOutcome RunScript(const std::string& script) {
    ScriptedChild child(script);
    return RunWithTimeout(child.CommandLine());
}

// What the stand-in's "fill" command writes, with CR LF line breaks.
std::string FilledLines(std::size_t bytes, std::size_t line) {
    std::string out;
    for (std::size_t position = 0; position < bytes; ++position) {
        if (position % line == line - 1) {
            out += "\r\n";
        } else {
            out += static_cast<char>('a' + (position / line) % 26);
        }
    }
    return out;
}

TEST(RunnerCollects, SilentChildGivesEmptyTextAndInheritsDirectory) {
    ScriptedChild child("log run.log\nexit 1\n");
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    std::string work = child.dir().MakeDir("ソース");
    ASSERT_TRUE(SetCurrentDirectoryA(work.c_str()));
    RunOutcome outcome = RunWithTimeout(child.CommandLine("-Wall 表.c -o 表.exe"));
    SetCurrentDirectoryA(previous);

    EXPECT_EQ(1, outcome.result);  // the exit status does not matter
    EXPECT_EQ("", outcome.text);
    std::string log = testing_support::ReadFile(child.dir() / "run.log");
    EXPECT_NE(std::string::npos, log.find("cmdline=" + child.CommandLine("-Wall 表.c -o 表.exe") + "\r\n")) << log;
    EXPECT_NE(std::string::npos, log.find("cwd=" + work + "\r\n")) << log;
}

TEST(RunnerCollects, OutputWrittenJustBeforeExit) {
    EXPECT_EQ("last words\r\n", RunScript("out last words\\n\nexit 0\n").text);
    // Far more than the pipe holds, written in one go right before the end:
    // the child ends only once the runner has taken most of it.
    RunOutcome big = RunScript("sleep 100\nfill err 3000 30 3000\nfill out 200000 50 200000\nexit 2\n");
    EXPECT_EQ(1, big.result);
    EXPECT_TRUE(big.text == FilledLines(3000, 30) + FilledLines(200000, 50))
        << "collected " << big.text.size() << " bytes";
}

TEST(RunnerCollects, MoreThanOneMegabyte) {
    RunOutcome outcome = RunScript("fill out 1500000 60\n");
    ASSERT_EQ(1, outcome.result);
    EXPECT_TRUE(outcome.text == FilledLines(1500000, 60)) << "collected " << outcome.text.size() << " bytes";
}

TEST(RunnerPassOrder, ErrorBytesComeBeforeOutputBytesOfTheSamePass) {
    // Each round writes standard error first and standard output second after
    // a pause, so both are usually pending together when the next pass looks.
    RunOutcome outcome = RunScript(
        "sleep 150\nerr E1\\n\nout O1\\n\n"
        "sleep 150\nerr E2\\n\nout O2\\n\n"
        "sleep 150\nerr E3\\n\nout O3\\n\nsleep 100\n");
    EXPECT_EQ("E1\r\nO1\r\nE2\r\nO2\r\nE3\r\nO3\r\n", outcome.text);
}

TEST(RunnerLineBreaks, LoneLfBecomesCrLfAndLoneCrDropsItsLine) {
    EXPECT_EQ("a\r\nb\r\n\r\nc\r\n", RunScript("out a\\nb\\r\\n\\nc\\r\\n\n").text);
    EXPECT_EQ("100%\r\n", RunScript("out 5%\\r100%\\r\\n\n").text);
    // Double-byte characters whose second byte is a backslash pass unchanged.
    EXPECT_EQ("C:\\ソース\\表.c:3: エラー\r\n", RunScript("out C:\\\\ソース\\\\表.c:3: エラー\\n\n").text);
}

TEST(RunnerLineBreaks, CrLfSplitAcrossTwoReads) {
    // The CR ends the first read: that line's text within its chunk is dropped.
    EXPECT_EQ("first\r\n\r\nnext\r\n",
              RunScript("out first\\r\\nsecond\\r\nsleep 300\nout \\nnext\\n\n").text);
}

TEST(RunnerLineBreaks, NulEndsTheTextOfItsChunk) {
    EXPECT_EQ("ab\r\nlater\r\n", RunScript("out ab\\r\\n\\0cd\\n\nsleep 300\nout later\\n\n").text);
}

TEST(RunnerEnd, ChildWithExitStatus259Ends) {
    RunOutcome outcome = RunWithTimeout(ScriptedChild("out bye\\n\nexit 259\n").CommandLine(), 15000);
    EXPECT_EQ(1, outcome.result);
    EXPECT_EQ("bye\r\n", outcome.text);
}

TEST(RunnerEnd, SilentChildCostsLittleProcessorTime) {
    RunOutcome outcome = RunScript("sleep 1500\nout done\\n\n");
    EXPECT_EQ("done\r\n", outcome.text);
    EXPECT_GE(outcome.wallMs, 1400.0);
    // A runner that polls without pausing keeps its thread busy all along.
    EXPECT_LT(outcome.cpuMs, outcome.wallMs * 0.2) << outcome.cpuMs << " ms of " << outcome.wallMs;
}

TEST(RunnerStart, CommandThatCannotBeStarted) {
    TempDir dir("runner");
    RunOutcome outcome = RunWithTimeout("\"" + dir / "missing.exe" + "\" -o x.exe");
    EXPECT_EQ(0, outcome.result);
    EXPECT_EQ("", outcome.text);
}

}  // namespace
