// Stopping a compile with Esc, and a process started by the compiler that
// goes on writing into the output pipes after the compiler has ended.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "support/gui_kiln_install.h"

using namespace testing_support;

namespace {

const char kStopped[] = "Kiln:コンパイル中止";

// The compiler's and its child's process ids, from spawned.log.
std::vector<DWORD> SpawnedIds(const KilnInstall& kiln) {
    std::istringstream log(ReadFile(kiln.dir() / "spawned.log"));
    std::vector<DWORD> ids;
    unsigned long id;
    while (log >> id) ids.push_back(id);
    return ids;
}

bool Ended(DWORD id) {
    HANDLE process = OpenProcess(SYNCHRONIZE, FALSE, id);
    if (!process) return true;
    bool ended = WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
    CloseHandle(process);
    return ended;
}

// Whatever a failing case leaves running is ended with the test.
struct EndSpawned {
    const KilnInstall& kiln;
    ~EndSpawned() {
        for (DWORD id : SpawnedIds(kiln)) {
            HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id);
            if (process) {
                TerminateProcess(process, 1);
                CloseHandle(process);
            }
        }
    }
};

std::string SpawnCompiler(const KilnInstall& kiln, const std::string& commands) {
    return "spawn " + KilnInstall::ScriptText("\"" + kiln.Compiler() + "\" -run " + commands) + "\r\n";
}

}  // namespace

TEST(StopCompile, EscEndsTheCompilerAndWhatItStartedAndOffersNothing) {
    KilnInstall kiln;
    EndSpawned cleanup{kiln};
    // A compiler that starts a child, prints, makes its output file and hangs.
    kiln.Script(SpawnCompiler(kiln, "\"sleep 600000\"") + "out partial\\n\r\ncreate\r\nlog calls.log\r\nsleep 600000\r\n");
    Process p;
    const std::string source = kiln.Source("hang.c");
    HWND window = kiln.Open(p, source);
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(WaitUntil([&] { return Exists(kiln.dir() / "hang.exe") && SpawnedIds(kiln).size() == 2; }));
    std::vector<DWORD> ids = SpawnedIds(kiln);
    EXPECT_FALSE(Ended(ids[0]));
    EXPECT_FALSE(Ended(ids[1]));
    EXPECT_EQ(KilnInstall::Status(window).rfind("コンパイル中…　", 0), 0u) << KilnInstall::Status(window);

    ASSERT_TRUE(SendKeyPress(window, VK_ESCAPE));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kStopped));
    HWND pane = KilnInstall::Pane(window);
    EXPECT_EQ(WindowText(pane), std::string("partial\r\n") + kStopped);
    EXPECT_EQ(KilnInstall::Status(window).rfind("中止　", 0), 0u) << KilnInstall::Status(window);
    EXPECT_TRUE(WaitUntil([&] { return Ended(ids[0]) && Ended(ids[1]); }, 5000));
    PumpMessages(1000);
    EXPECT_EQ(kiln.Runs(), "");  // nothing is offered, and the file it left
    EXPECT_TRUE(WaitUntil([&] { return !Exists(kiln.dir() / "hang.exe"); }, 5000));  // may be half-written

    // Esc with no compile running changes nothing.
    ASSERT_TRUE(SendKeyPress(window, VK_ESCAPE));
    PumpMessages(500);
    EXPECT_EQ(WindowText(pane), std::string("partial\r\n") + kStopped);
    EXPECT_TRUE(p.Running());

    // The next request for the same source compiles again.
    kiln.Script("create\r\nlog calls.log\r\n");
    ASSERT_TRUE(BringToForeground(window));
    Process again;
    ASSERT_TRUE(kiln.Start(again, source));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished));
    EXPECT_EQ(kiln.Calls(), 2);
    EXPECT_EQ(WindowText(pane).find(kUnchanged), std::string::npos);
    EXPECT_EQ(KilnInstall::Status(window).rfind("エラー0　警告0　終了コード0　", 0), 0u);

    // An older output that the compile could not replace (held as a running
    // program holds its file) is not the compile's: Esc leaves its time.
    const std::string old = kiln.dir() / "hang.exe";
    SetFileTimeSeconds(old, 100);
    HANDLE held = CreateFileA(old.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    FILETIME before = {}, after = {};
    GetFileTime(held, NULL, NULL, &before);
    kiln.Script("log calls.log\r\nsleep 600000\r\n");
    ASSERT_TRUE(BringToForeground(window));
    Process third;
    ASSERT_TRUE(kiln.Start(third, source));
    ASSERT_TRUE(WaitUntil([&] { return kiln.Calls() == 3; }));
    ASSERT_TRUE(SendKeyPress(window, VK_ESCAPE));
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kStopped));
    PumpMessages(500);
    GetFileTime(held, NULL, NULL, &after);
    CloseHandle(held);
    EXPECT_EQ(CompareFileTime(&before, &after), 0);
    EXPECT_TRUE(Exists(old));
}

TEST(StopCompile, WriterLeftByTheCompilerDoesNotKeepTheCompileGoing) {
    KilnInstall kiln;
    EndSpawned cleanup{kiln};
    // The child inherits the pipes; it is writing already when the compiler
    // ends, and goes on long after.
    kiln.Script(SpawnCompiler(kiln, "\"lines out 100000000 tick\\n\"") + "sleep 500\r\nout done\\n\r\n");
    Process p;
    HWND window = kiln.Open(p, kiln.Source("w.c"));
    ASSERT_NE(window, nullptr);
    ASSERT_TRUE(KilnInstall::WaitForPane(window, kFinished, 15000));
    std::string text = WindowText(KilnInstall::Pane(window));
    EXPECT_NE(text.find("done\r\n"), std::string::npos);
    EXPECT_NE(text.find("tick\r\n"), std::string::npos);
}
