// Kiln.exe under load: a burst of hand-offs and KilnOp's applies while a
// compile runs, and a compiler that writes far more than any real one.
// KILN_STRESS_OUTPUT_MB sets the size of the large output (scripts/stress
// runs it with 100; scripts/test with the small default).
#include "support/gui_kiln_install.h"

#include <gtest/gtest.h>

#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "resources/option_ids.h"
#include "resources/shared_names.h"
#include "support/gui_property_sheet.h"

using namespace testing_support;

namespace {

const char kCompiling[] = "Kiln:コンパイル中";

// The process's private bytes, 0 when they cannot be read. Wine leaves
// PrivateUsage at 0 and reports them as PagefileUsage, as Windows does too.
SIZE_T PrivateBytes(HANDLE process) {
    typedef BOOL(WINAPI * Query)(HANDLE, PPROCESS_MEMORY_COUNTERS, DWORD);
    Query query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "K32GetProcessMemoryInfo")));
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    if (!query || !query(process, reinterpret_cast<PPROCESS_MEMORY_COUNTERS>(&counters), sizeof counters)) return 0;
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}

void Release(const KilnInstall& kiln) { WriteFile(kiln.dir() / "release", "go"); }

}  // namespace

TEST(Stress, TwentyHandOffsWhileACompileRuns) {
    KilnInstall kiln;
    // Each run is logged at its start; the first waits until the test lets it end.
    kiln.Script("log calls.log\r\nwait release 60000\r\nout compiled\\n\r\ncreate\r\n");
    Process p;
    HWND window = kiln.Open(p, kiln.Source("first.c"));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kCompiling, 10000));
    ASSERT_TRUE(WaitUntil([&] { return kiln.Calls() == 1; }));

    DWORD start = GetTickCount();
    for (int i = 1; i <= 20; ++i) {
        std::string source = kiln.Source("s" + std::to_string(i) + ".c");
        if (GetForegroundWindow() != window) BringToForeground(window);
        Process other;
        ASSERT_TRUE(kiln.Start(other, source));
        ASSERT_EQ(WaitForExitCode(other, 15000), 0) << i;
    }
    DWORD burst = GetTickCount() - start;
    std::printf("20 hand-offs in %lu ms\n", static_cast<unsigned long>(burst));
    // None of them started a job beside the running one.
    EXPECT_EQ(kiln.Calls(), 1);
    EXPECT_NE(WindowText(KilnInstall::Pane(window)).find(kCompiling), std::string::npos);

    Release(kiln);
    ASSERT_TRUE(WaitUntil([&] { return kiln.Calls() == 2; }, 20000));
    ASSERT_TRUE(WaitUntil([&] { return WindowText(window) == "Kiln - GNU C [ " + (kiln.dir() / "s20.c") + " ] "; }));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    PumpMessages(1500);
    // Only the newest request was carried out, after the first compile, and
    // the pane holds that one job's output.
    std::string log = kiln.CallsLog();
    EXPECT_EQ(kiln.Calls(), 2) << log;
    EXPECT_NE(log.find("cmdline=gcc.exe s20.c -o s20.exe\r\n"), std::string::npos) << log;
    EXPECT_EQ(WindowText(KilnInstall::Pane(window)), std::string("compiled\r\n") + kFinished);
    EXPECT_TRUE(Exists(kiln.dir() / "first.exe"));
    EXPECT_TRUE(Exists(kiln.dir() / "s20.exe"));
    EXPECT_FALSE(Exists(kiln.dir() / "s19.exe"));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExitCode(p, 15000), 0);
}

TEST(Stress, KilnOpAppliesAllPagesWhileKilnCompiles) {
    KilnInstall kiln;
    CopyFileTo(BinDir() + "\\KilnOp.exe", kiln.dir() / "KilnOp.exe");
    kiln.Script("log calls.log\r\nwait release 90000\r\ncreate\r\n");
    const std::string source = kiln.Source("a.c");
    Process p;
    HWND window = kiln.Open(p, source);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kCompiling, 10000));

    Process op;
    ASSERT_TRUE(op.Start(kiln.dir() / "KilnOp.exe", "", kiln.dir().path()));
    SheetDriver sheet;
    ASSERT_TRUE(sheet.Find("Kiln Set Option"));
    const int rounds = 5;
    for (int round = 1; round <= rounds; ++round) {
        std::string name = "並行" + std::to_string(round);
        sheet.ShowPage(0);
        sheet.Type(IDC_PROFILE_NAME, name);
        sheet.Type(IDC_COMPILE_OPTION, "-O" + std::to_string(round));
        sheet.ShowPage(1);
        sheet.Type(IDC_JUMP_OPTION, "/jl=%N");
        sheet.ShowPage(2);
        sheet.Apply();
        // Kiln reloaded while its compile goes on.
        EXPECT_EQ(WindowText(window), "Kiln - " + name + " [ " + source + " ] ") << round;
        EXPECT_NE(WindowText(KilnInstall::Pane(window)).find(kCompiling), std::string::npos) << round;
    }
    sheet.Press(IDOK);
    EXPECT_EQ(WaitForExitCode(op, 15000), 0);

    // Every key is still there with its value, the applied ones included.
    std::string ini = ReadFile(kiln.dir() / "Kiln.ini");
    const char* expected[][3] = {
        {"Compiler", "CompilerNo", "0"},          {"Compiler1", "CompilerName", "並行5"},
        {"Compiler1", "CompileOption", "-O5"},     {"Compiler1", "OutputFileOption", "-o"},
        {"Compiler1", "OutputFileType", "exe"},    {"Compiler1", "CheckExecute", "1"},
        {"Compiler1", "AidExecute", "1"},          {"Compiler3", "CompilerName", "Third"},
        {"Editor", "JumpOption", "/jl=%N"},        {"Window", "Magnet", "0"},
    };
    for (const auto& e : expected) EXPECT_EQ(IniValue(ini, e[0], e[1]), e[2]) << e[0] << " " << e[1];
    EXPECT_EQ(IniValue(ini, "Compiler1", "Path"), kiln.Compiler());
    EXPECT_EQ(IniValue(ini, "Compiler1", "AidProgramPath"), kiln.AidProgram());

    // The running compile kept its command line; the next one takes the new option.
    Release(kiln);
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    EXPECT_NE(kiln.CallsLog().find("cmdline=gcc.exe a.c -o a.exe\r\n"), std::string::npos);
    ASSERT_TRUE(BringToForeground(window));
    Process other;
    ASSERT_TRUE(kiln.Start(other, kiln.Source("b.c")));
    EXPECT_EQ(WaitForExitCode(other, 15000), 0);
    EXPECT_TRUE(WaitForFileText(kiln.dir() / "calls.log", "cmdline=gcc.exe -O5 b.c -o b.exe\r\n"));
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExitCode(p, 15000), 0);
}

TEST(Stress, LargeOutputReachesThePaneWholeAndItsMemoryIsReturned) {
    const char* setting = std::getenv("KILN_STRESS_OUTPUT_MB");
    const unsigned long megabytes = setting && std::atoi(setting) > 0 ? std::strtoul(setting, NULL, 10) : 8;
    // Whole lines of 100 bytes.
    const unsigned long long bytes = megabytes * 1000000ull;
    KilnInstall kiln;
    kiln.Script("out small\\n\r\nlog calls.log\r\n");
    Process p;
    HWND window = kiln.OpenFinished(p, kiln.Source("small1.c"));
    ASSERT_NE(window, nullptr);
    HWND pane = KilnInstall::Pane(window);
    PumpMessages(500);
    SIZE_T before = PrivateBytes(p.Handle());

    // Lines of 100 bytes, each "a…a\n" with the letter changing per line.
    kiln.Script("fill out " + std::to_string(bytes) + " 100 65536\r\nlog calls.log\r\n");
    ASSERT_TRUE(BringToForeground(window));
    DWORD start = GetTickCount();
    Process big;
    ASSERT_TRUE(kiln.Start(big, kiln.Source("big.c")));
    ASSERT_EQ(WaitForExitCode(big, 60000), 0);
    const std::size_t expectedLength = static_cast<std::size_t>(bytes / 100 * 101 + std::strlen(kFinished));
    auto paneLength = [&] {
        DWORD_PTR length = 0;
        SendMessageTimeoutA(pane, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 60000, &length);
        return static_cast<std::size_t>(length);
    };
    ASSERT_TRUE(WaitUntil([&] { return paneLength() == expectedLength; }, 1500000, 500));
    DWORD shown = GetTickCount() - start;
    SIZE_T showing = PrivateBytes(p.Handle());

    // Every byte, read back in one piece.
    std::string text(expectedLength + 1, '\0');
    DWORD_PTR copied = 0;
    ASSERT_NE(SendMessageTimeoutA(pane, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(&text[0]), SMTO_NORMAL,
                                  300000, &copied),
              0);
    text.resize(copied);
    std::string expected;
    expected.reserve(expectedLength);
    for (unsigned long long line = 0; line < bytes / 100; ++line) {
        expected.append(99, static_cast<char>('a' + line % 26));
        expected += "\r\n";
    }
    expected += kFinished;
    EXPECT_EQ(text.size(), expected.size());
    EXPECT_TRUE(text == expected);

    // A small compile again, then the large one and a small one once more:
    // each time what the large output took is given back, the pane's buffer
    // included (the edit control would keep one as large as the largest
    // text it showed).
    auto compile = [&](const std::string& name, const std::string& script, const std::string& shows) {
        kiln.Script(script + "log calls.log\r\n");
        Process other;
        BringToForeground(window);
        if (!kiln.Start(other, kiln.Source(name)) || WaitForExitCode(other, 60000) != 0) return false;
        return WaitUntil([&] { return shows.empty() ? paneLength() == expectedLength : WindowText(pane) == shows; },
                         1500000, 500);
    };
    const std::string small = std::string("small\r\n") + kFinished;
    ASSERT_TRUE(compile("small2.c", "out small\\n\r\n", small));
    PumpMessages(500);
    SIZE_T after = PrivateBytes(p.Handle());
    ASSERT_TRUE(compile("big2.c", "fill out " + std::to_string(bytes) + " 100 65536\r\n", ""));
    ASSERT_TRUE(compile("small3.c", "out small\\n\r\n", small));
    PumpMessages(500);
    SIZE_T again = PrivateBytes(p.Handle());
    std::printf("%lu MB: shown in %lu ms; private bytes %lu KB before, %lu KB showing it, %lu KB after, "
                "%lu KB after a second round\n",
                megabytes, static_cast<unsigned long>(shown), static_cast<unsigned long>(before / 1024),
                static_cast<unsigned long>(showing / 1024), static_cast<unsigned long>(after / 1024),
                static_cast<unsigned long>(again / 1024));
    ASSERT_NE(before, 0u);
    EXPECT_GT(showing, before + bytes);
    const SIZE_T slack = bytes / 10 + (8u << 20);
    EXPECT_LT(after, before + slack);
    EXPECT_LT(again, after + slack);
    EXPECT_EQ(kiln.Calls(), 5);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(WaitForExitCode(p, 30000), 0);
}
