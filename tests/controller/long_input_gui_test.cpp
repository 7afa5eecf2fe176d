// Long and odd inputs to the real Kiln.exe: source paths around every limit,
// command tails no editor would send, hand-edited Kiln.ini values and output
// no compiler should write. Each case either works or is refused with a box;
// Kiln never crashes and never runs a shortened command. One running Kiln
// takes the cases one after another from second starts, as it takes files
// from the editor.
#include "support/gui_kiln_install.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "resources/shared_names.h"

using namespace testing_support;

namespace {

const char kSourceTooLong[] = "ソースファイルのパスが長すぎます\nパスは511バイト以内で指定してください";
const char kOutputTooLong[] = "出力ファイルのパスが長すぎます\n短いパスのフォルダに置いて実行してください";
const char kNoExtension[] = "ソースファイル名に拡張子がありません\n拡張子の付いたファイルを指定してください";
const char kUnresolved[] =
    "ソースファイルのパスを確定できませんでした\nソースファイルをフルパスで指定してください";
const char kNoSource[] =
    "ソースファイルが指定されていません\nソースファイル名を指定して実行するか\nWrenletから実行してください";
const char kCompilerWithoutFolder[] =
    "コンパイラのパスにフォルダがありません\nコンパイラパスをフルパスで設定し直してください";

std::string Overlong(const char* section, const char* key, int limit) {
    return std::string("Kiln.iniの[") + section + "]の" + key + "が長すぎます\n" + std::to_string(limit) +
           "バイト以内で設定し直してください";
}

// Wine's crash dialog, of any process.
BOOL CALLBACK FindCrashDialog(HWND window, LPARAM found) {
    char title[256] = "";
    GetWindowTextA(window, title, sizeof title);
    if (!std::strstr(title, "Program Error")) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

bool CrashDialogShown() {
    bool found = false;
    EnumWindows(FindCrashDialog, reinterpret_cast<LPARAM>(&found));
    return found;
}

// A file of a path longer than the ANSI file functions take under Wine.
void WriteLongFile(const std::string& path) {
    std::wstring wide(path.size() + 1, L'\0');
    int n = MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, &wide[0], static_cast<int>(wide.size()));
    wide.resize(n > 0 ? n - 1 : 0);
    HANDLE file = CreateFileW((L"\\\\?\\" + wide).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
}

std::string LastCommandLine(const KilnInstall& kiln) {
    std::string log = kiln.CallsLog();
    std::string::size_type at = log.rfind("cmdline=");
    if (at == std::string::npos) return "<none>";
    at += 8;
    return log.substr(at, log.find("\r\n", at) - at);
}

// A Kiln.ini of one profile for the scriptable compiler, run without a
// question through the recording aid program.
std::string ProfileIni(const KilnInstall& kiln, const std::string& compiler1, const std::string& more = "") {
    return "[Compiler]\r\nCompilerNo=0\r\n[Compiler1]\r\nCompilerName=GNU C\r\nPath=" + kiln.Compiler() +
           "\r\nOutputFileOption=-o\r\nCheckExecute=1\r\nAidExecute=1\r\nAidProgramPath=" + kiln.AidProgram() +
           "\r\n" + compiler1 + "[Window]\r\nMagnet=0\r\n" + more;
}

// One running Kiln, given each case by a second start.
class RunningKiln {
public:
    explicit RunningKiln(KilnInstall& kiln) : kiln_(kiln) {}
    bool Open(const std::string& first) {
        window_ = kiln_.OpenFinished(process_, first);
        return window_ != NULL;
    }
    HWND window() const { return window_; }

    struct Result {
        std::string box;   // the Kiln 実行エラー box's text; empty when none came
        int calls = 0;     // compiler runs the request caused
        std::string pane;  // after the compile's end text
        long exitCode = -1;  // of the second start
    };
    // Hands `tail` over and waits for the request's end: its box (answered
    // with OK), or the compile's end text.
    Result HandOff(const std::string& tail) {
        Result r;
        HWND pane = KilnInstall::Pane(window_);
        SendMessageTimeoutA(pane, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(""), SMTO_NORMAL, 5000, NULL);
        int before = kiln_.Calls();
        BringToForeground(window_);
        Process other;
        if (!kiln_.Start(other, tail)) return r;
        auto ended = [&] {
            return FindWindowA("#32770", kKilnError) || WindowText(pane).find(kFinished) != std::string::npos;
        };
        WaitUntil(ended, 30000);
        MessageBoxInfo box;
        if (FindWindowA("#32770", kKilnError) && AnswerMessageBox(kKilnError, IDOK, &box, 1000)) r.box = box.text;
        r.exitCode = WaitForExitCode(other, 15000);
        r.calls = kiln_.Calls() - before;
        r.pane = WindowText(pane, 30000);
        return r;
    }

    // Kiln still answering, no crash dialog anywhere; then it closes with 0.
    void ExpectEndsCleanly() {
        EXPECT_FALSE(CrashDialogShown());
        EXPECT_TRUE(process_.Running());
        PostMessageA(window_, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForExitCode(process_, 15000), 0);
    }

private:
    KilnInstall& kiln_;
    Process process_;
    HWND window_ = NULL;
};

}  // namespace

TEST(LongInputs, SourcePathsAroundTheLimits) {
    KilnInstall kiln;
    // Sources named .cpp built into .o files: the output path is two bytes
    // shorter than the source's, so a source of MAX_PATH bytes can be built.
    WriteFile(kiln.dir() / "Kiln.ini", ProfileIni(kiln, "OutputFileType=o\r\n"));
    kiln.Script("log calls.log\r\ncreate\r\n");
    RunningKiln running(kiln);
    ASSERT_TRUE(running.Open(kiln.Source("first.c")));

    const std::string dir = kiln.dir().path();
    struct Case {
        std::size_t length;
        const char* box;  // null: compiles
    } cases[] = {
        {259, nullptr}, {260, nullptr},
        {261, kOutputTooLong},  // its output path and closing quote need 261 bytes
        {511, kOutputTooLong},
        {512, kSourceTooLong},
        {4000, kSourceTooLong},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.length);
        // Folders of 200 bytes, then a name that ends in a double-byte
        // character, so that at 512 bytes the limit falls inside it.
        std::string path = dir;
        while (c.length - path.size() > 240) path += "\\" + std::string(199, 'f');
        std::size_t room = c.length - path.size() - 4;  // "\\" and the name, without ".cpp"
        std::string name = "\\" + std::string(room - 3, 'n') + "表";
        path += name + ".cpp";
        ASSERT_EQ(path.size(), c.length);
        if (c.box == nullptr) WriteLongFile(path);

        RunningKiln::Result r = running.HandOff(path);
        EXPECT_EQ(r.exitCode, 0);
        if (c.box) {
            EXPECT_EQ(r.box, c.box);
            EXPECT_EQ(r.calls, 0);
            continue;
        }
        std::string stem = name.substr(1);
        EXPECT_EQ(r.box, "");
        EXPECT_EQ(r.calls, 1);
        EXPECT_EQ(LastCommandLine(kiln), "gcc.exe " + stem + ".cpp -o " + stem + ".o");
        EXPECT_EQ(r.pane, kFinished);
        EXPECT_TRUE(Exists(dir + "\\" + stem + ".o"));
    }
    running.ExpectEndsCleanly();
}

TEST(LongInputs, OddCommandTails) {
    KilnInstall kiln;
    kiln.Script("log calls.log\r\n");
    kiln.dir().MakeDir("sub");
    RunningKiln running(kiln);
    ASSERT_TRUE(running.Open(kiln.Source("first.c")));
    const std::string q = kiln.Source("open quote.c");
    const std::string t = kiln.Source("trailing.c");
    struct Case {
        std::string tail;
        const char* box;
        const char* commandLine;
    } cases[] = {
        {"\"" + q, nullptr, "gcc.exe \"open quote.c\" -o \"open quote.exe\""},
        {t + "\"", nullptr, "gcc.exe trailing.c -o trailing.exe"},
        {kiln.dir() / "sub\\", kNoExtension, nullptr},
        {"\"" + (kiln.dir() / "sub\\") + "\"", kNoExtension, nullptr},
        {"\"", kUnresolved, nullptr},
        {"   \t ", kNoSource, nullptr},
        {"\"" + (kiln.dir() / std::string(3990, 'x')) + ".c\"", kSourceTooLong, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.tail.substr(0, 80));
        RunningKiln::Result r = running.HandOff(c.tail);
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.box, c.box ? c.box : "");
        EXPECT_EQ(r.calls, c.box ? 0 : 1);
        if (c.commandLine) {
            EXPECT_EQ(LastCommandLine(kiln), c.commandLine);
        }
    }
    running.ExpectEndsCleanly();
}

TEST(LongInputs, FirstStartsThatAreRefusedOpenNoWindow) {
    KilnInstall kiln;
    const std::string tails[] = {"  \t  ", kiln.dir() / (std::string(508, 'x') + ".c"),
                                 kiln.dir() / (std::string(3990, 'y') + ".c")};
    const char* boxes[] = {kNoSource, kSourceTooLong, kSourceTooLong};
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        Process p;
        ASSERT_TRUE(kiln.Start(p, tails[i]));
        MessageBoxInfo box;
        ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 15000));
        EXPECT_EQ(box.text, boxes[i]);
        EXPECT_EQ(WaitForExitCode(p, 10000), 0);
        EXPECT_EQ(FindTopLevelWindow(KILN_WINDOW_CLASS, p.Id()), nullptr);
    }
    EXPECT_EQ(kiln.Calls(), 0);
    EXPECT_FALSE(CrashDialogShown());
}

TEST(LongInputs, HandEditedKilnIniValues) {
    KilnInstall kiln;
    kiln.Script("log calls.log\r\ncreate\r\n");
    RunningKiln running(kiln);
    ASSERT_TRUE(running.Open(kiln.Source("first.c")));
    const std::string k64(65536, 'k');
    const std::string option511 = "-D" + std::string(509, 'o');
    const std::string arguments511(511, 'a');
    struct Case {
        const char* name;
        std::string compiler1;
        std::string more;
        std::string box;  // empty: compiles
    } cases[] = {
        {"opt511", "OutputFileType=exe\r\nCompileOption=" + option511 + "\r\n", "", ""},
        {"opt512", "OutputFileType=exe\r\nCompileOption=-D" + std::string(510, 'o') + "\r\n", "",
         Overlong("Compiler1", "CompileOption", 511)},
        {"opt4000", "OutputFileType=exe\r\nCompileOption=" + std::string(4000, 'o') + "\r\n", "",
         Overlong("Compiler1", "CompileOption", 511)},
        {"opt64k", "OutputFileType=exe\r\nCompileOption=" + k64 + "\r\n", "",
         Overlong("Compiler1", "CompileOption", 511)},
        // Shown texts may be cut: a 64 KB profile name and progress text,
        // and arguments of exactly 511 bytes that reach the run whole.
        {"names64k", "OutputFileType=exe\r\nExecuteCommandLine=" + arguments511 + "\r\n",
         "[Message]\r\nCustom=1\r\n0=" + k64 + "\r\n", ""},
        {"exec512", "OutputFileType=exe\r\nExecuteCommandLine=" + std::string(512, 'a') + "\r\n", "",
         Overlong("Compiler1", "ExecuteCommandLine", 511)},
        {"type20", "OutputFileType=" + std::string(18, 'e') + "表\r\n", "",
         Overlong("Compiler1", "OutputFileType", 19)},
        {"jump64k", "OutputFileType=exe\r\n", "[Editor]\r\nJumpOption=" + k64 + "\r\n",
         Overlong("Editor", "JumpOption", 19)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::string ini = ProfileIni(kiln, c.compiler1, c.more);
        if (std::string(c.name) == "names64k") ini.replace(ini.find("GNU C"), 5, k64);
        WriteFile(kiln.dir() / "Kiln.ini", ini);
        RunningKiln::Result r = running.HandOff(kiln.Source(std::string(c.name) + ".c"));
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.box, c.box);
        EXPECT_EQ(r.calls, c.box.empty() ? 1 : 0);
        EXPECT_EQ(Exists(kiln.dir() / (std::string(c.name) + ".exe")), c.box.empty());
        if (std::string(c.name) == "names64k") {
            // The title takes the name at the next reload.
            SendMessageTimeoutA(running.window(), WM_KILN_RELOAD, 0, 0, SMTO_NORMAL, 5000, NULL);
            std::string title = WindowText(running.window());
            EXPECT_EQ(title.substr(0, 12), "Kiln - kkkkk");
            EXPECT_LE(title.size(), 259u);
        }
    }
    std::string log = kiln.CallsLog();
    EXPECT_NE(log.find("cmdline=gcc.exe " + option511 + " opt511.c -o opt511.exe\r\n"), std::string::npos);
    EXPECT_TRUE(WaitForFileText(kiln.dir() / "runs.log", "execute.exe|names64k.exe " + arguments511 + "|"));

    // The compiler's path: 64 KB, and a bare name that no folder leads to.
    const std::pair<std::string, std::string> paths[] = {
        {std::string(65536, 'p'), Overlong("Compiler1", "Path", 259)},
        {"gcc.exe", kCompilerWithoutFolder},
    };
    for (const auto& path : paths) {
        std::string ini = ProfileIni(kiln, "OutputFileType=exe\r\n");
        ini.replace(ini.find(kiln.Compiler()), kiln.Compiler().size(), path.first);
        WriteFile(kiln.dir() / "Kiln.ini", ini);
        RunningKiln::Result r = running.HandOff(kiln.Source("path.c"));
        EXPECT_EQ(r.box, path.second);
        EXPECT_EQ(r.calls, 0);
    }
    running.ExpectEndsCleanly();
}

TEST(LongInputs, OutputNoCompilerShouldWrite) {
    KilnInstall kiln;
    kiln.Script("log calls.log\r\n");
    RunningKiln running(kiln);
    ASSERT_TRUE(running.Open(kiln.Source("first.c")));
    const std::string megabyte(1 << 20, 'a');
    struct Case {
        const char* name;
        const char* script;
        std::string pane;  // before the end text
    } cases[] = {
        // A NUL ends the text of the read that brought it; later reads go on.
        {"zero", "out before\\0hidden\\n\r\nsleep 300\r\nout after\\n\r\n", "beforeafter\r\n"},
        // A lone CR drops its line's text, as a progress counter's does.
        {"cr", "out 5%\\r100%\\r\\n\r\nsleep 300\r\nout tail\\r\r\n", "100%\r\n"},
        {"megabyte", "fill out 1048576 2000000 65536\r\n", megabyte},
        // Bytes that are no CP932 character, and a lead byte before a line break.
        {"cp932", "out \\x81\\n\\xff\\xfe\\x80\\xa0ok\\n\r\n", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        kiln.Script(std::string(c.script) + "log calls.log\r\n");
        RunningKiln::Result r = running.HandOff(kiln.Source(std::string(c.name) + ".c"));
        EXPECT_EQ(r.exitCode, 0);
        EXPECT_EQ(r.calls, 1);
        if (std::string(c.name) == "cp932") {
            // The pane gives its text back through Unicode, so the invalid
            // bytes do not come back as they went in; the rest must.
            std::string end = std::string("ok\r\n") + kFinished;
            ASSERT_GE(r.pane.size(), end.size());
            EXPECT_EQ(r.pane.substr(r.pane.size() - end.size()), end);
        } else {
            EXPECT_TRUE(r.pane == c.pane + kFinished) << r.pane.substr(0, 200) << " (" << r.pane.size() << ")";
        }
    }
    running.ExpectEndsCleanly();
}

TEST(LongInputs, LeadByteAtTheEndOfTheOutputLeavesTheEndTextWhole) {
    // Joined to the end text, the lead byte would show "end・iln:コンパイル終了".
    KilnInstall kiln;
    kiln.Script("out end\\x82\r\nlog calls.log\r\n");
    Process p;
    HWND window = kiln.OpenFinished(p, kiln.Source("lead.c"));
    ASSERT_NE(window, nullptr);
    std::string pane = WindowText(KilnInstall::Pane(window));
    ASSERT_GE(pane.size(), std::strlen(kFinished));
    EXPECT_EQ(pane.substr(pane.size() - std::strlen(kFinished)), kFinished) << pane;
    EXPECT_EQ(pane.substr(0, 3), "end");
}
