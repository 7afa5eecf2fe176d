// execute.exe with its standard handles redirected, as a script or a test
// drives it: the console fixture (and a batch file, a windowed program, a
// missing one) as the program it runs, in a folder whose name holds a blank
// and 表, whose trail byte is a backslash.
#include <windows.h>

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "support/environment.h"
#include "support/processes.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

// execute.exe with one pipe for its input and one for its output and errors.
class Execute {
public:
    bool Start(const std::string& exe, const std::string& arguments, const std::string& folder) {
        return Start(exe, Wide(arguments), folder);
    }
    // The command line as a Unicode program hands it over.
    bool Start(const std::string& exe, const std::wstring& arguments, const std::string& folder) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, NULL, TRUE};
        HANDLE childIn = NULL, childOut = NULL;
        if (!CreatePipe(&childIn, &input_, &inherit, 0) || !CreatePipe(&output_, &childOut, &inherit, 0)) return false;
        SetHandleInformation(input_, HANDLE_FLAG_INHERIT, 0);
        SetHandleInformation(output_, HANDLE_FLAG_INHERIT, 0);
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = childIn;
        startup.hStdOutput = startup.hStdError = childOut;
        std::wstring line = L"\"" + Wide(exe) + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
        bool started = CreateProcessW(Wide(exe).c_str(), &line[0], NULL, NULL, TRUE, 0, NULL, Wide(folder).c_str(),
                                      &startup, &info_) != 0;
        CloseHandle(childIn);
        CloseHandle(childOut);
        return started;
    }
    ~Execute() {
        CloseInput();
        if (info_.hProcess) {
            if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(info_.hProcess, 1);
            CloseHandle(info_.hProcess);
            CloseHandle(info_.hThread);
        }
        if (output_) CloseHandle(output_);
    }
    void Type(const std::string& text) {
        DWORD written = 0;
        WriteFile(input_, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
    }
    void CloseInput() {
        if (input_) CloseHandle(input_);
        input_ = NULL;
    }
    // Collects output until it holds needle (or, with none, until the end).
    bool Read(const std::string& needle, DWORD ms) {
        DWORD start = GetTickCount();
        for (;;) {
            // Whatever the process wrote before it ended is drained first.
            bool ended = Ended(0);
            DWORD available = 0;
            while (PeekNamedPipe(output_, NULL, 0, NULL, &available, NULL) && available) {
                char buffer[4096];
                DWORD read = 0;
                if (!ReadFile(output_, buffer, sizeof buffer, &read, NULL) || !read) break;
                text.append(buffer, read);
            }
            if (!needle.empty() && text.find(needle) != std::string::npos) return true;
            if (needle.empty() && ended) return true;
            if (GetTickCount() - start > ms) return false;
            Sleep(20);
        }
    }
    bool Ended(DWORD ms) { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }
    DWORD Code() {
        DWORD code = STILL_ACTIVE;
        GetExitCodeProcess(info_.hProcess, &code);
        return code;
    }
    std::string text;

private:
    PROCESS_INFORMATION info_ = {};
    HANDLE input_ = NULL, output_ = NULL;
};

// The report line ends in a time and the peak memory, of the form
// "実行時間S.hh秒、メモリNMB）".
bool HasTime(const std::string& text) {
    std::string::size_type at = text.find("実行時間");
    if (at == std::string::npos) return false;
    const char* p = text.c_str() + at + std::string("実行時間").size();
    if (!isdigit(static_cast<unsigned char>(*p))) return false;
    while (isdigit(static_cast<unsigned char>(*p))) ++p;
    if (!(p[0] == '.' && isdigit(static_cast<unsigned char>(p[1])) && isdigit(static_cast<unsigned char>(p[2])))) return false;
    const std::string rest(p + 3), memory = "秒、メモリ";
    if (rest.compare(0, memory.size(), memory) != 0 || !isdigit(static_cast<unsigned char>(rest[memory.size()])))
        return false;
    return rest.compare(rest.find_first_not_of("0123456789", memory.size()), std::string::npos, "MB）\r\n") == 0;
}

struct Install {
    TempDir dir{"kiln-execute"};
    std::string folder = dir.MakeDir("プログラム フォルダ");
    std::string exe = dir / "execute.exe";
    std::string target = folder + "\\表示.exe";
    Install() {
        CopyFileTo(BinDir() + "\\execute.exe", exe);
        CopyFileTo(BinDir() + "\\console_target.exe", target);
        CopyFileTo(BinDir() + "\\waiting_gui.exe", folder + "\\待つ.exe");
        CopyFileTo(BinDir() + "\\console_target.exe", folder + "\\rr.exe");  // what cmd.exe must never start
        WriteFile(folder + "\\終わる.bat", "@echo バッチ %1\r\n@exit /b 3\r\n");
        WriteFile(folder + "\\100%.bat", "@exit /b 3\r\n");
    }
    // What execute.exe started ends with the test, whatever check failed.
    ~Install() { EndProgramsIn(dir.path()); }
};

// The system's message for error on its own line, as execute.exe gives it.
std::string Reason(DWORD error) {
    char text[512] = "";
    FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, NULL, error, 0, text, sizeof text, NULL);
    std::string reason = text;
    return reason.erase(reason.find_last_not_of("\r\n ") + 1) + "\r\n";
}

// A key record as the console keeps it, with the character it types.
INPUT_RECORD Key(WORD key, char typed, BOOL down) {
    INPUT_RECORD record = {KEY_EVENT, {}};
    record.Event.KeyEvent = {down, 1, key, 0, {}, 0};
    record.Event.KeyEvent.uChar.AsciiChar = typed;
    return record;
}

bool Shows(HANDLE console, const std::wstring& text) {
    CONSOLE_SCREEN_BUFFER_INFO screen = {};
    GetConsoleScreenBufferInfo(console, &screen);
    std::wstring shown(static_cast<std::size_t>(screen.dwSize.X) * screen.dwSize.Y, L' ');
    DWORD read = 0;
    ReadConsoleOutputCharacterW(console, &shown[0], static_cast<DWORD>(shown.size()), COORD{0, 0}, &read);
    return shown.find(text) != std::wstring::npos;
}

BOOL WINAPI IgnoreCtrlC(DWORD event) { return event == CTRL_C_EVENT; }

// execute.exe on a console of its own, which the test attaches to, to type
// into it and read what it shows.
class OwnConsole {
public:
    bool Start(const Install& in, const std::string& arguments) {
        STARTUPINFOA startup = {};
        startup.cb = sizeof startup;
        std::string line = "\"" + in.exe + "\" " + arguments;
        if (!CreateProcessA(in.exe.c_str(), &line[0], NULL, NULL, FALSE, CREATE_NEW_CONSOLE, NULL, in.folder.c_str(),
                            &startup, &info))
            return false;
        for (int i = 0; i < 200 && ReadFile(in.folder + "\\runs.log").empty(); ++i) Sleep(50);
        FreeConsole();
        bool attached = false;
        for (int i = 0; i < 100 && !(attached = AttachConsole(info.dwProcessId) != 0); ++i) Sleep(50);
        if (!attached) return false;
        const DWORD share = FILE_SHARE_READ | FILE_SHARE_WRITE, access = GENERIC_READ | GENERIC_WRITE;
        input = CreateFileA("CONIN$", access, share, NULL, OPEN_EXISTING, 0, NULL);
        output = CreateFileA("CONOUT$", access, share, NULL, OPEN_EXISTING, 0, NULL);
        return true;
    }
    // Both code pages, both modes, the colours and the title.
    std::wstring Look() {
        wchar_t look[512] = L"";
        DWORD in = 0, out = 0;
        CONSOLE_SCREEN_BUFFER_INFO screen = {};
        GetConsoleMode(input, &in), GetConsoleMode(output, &out), GetConsoleScreenBufferInfo(output, &screen);
        int length = swprintf(look, 512, L"%u %u %lu %lu %u ", GetConsoleCP(), GetConsoleOutputCP(), in, out,
                              static_cast<unsigned>(screen.wAttributes));
        GetConsoleTitleW(look + length, 512 - length);
        return look;
    }
    bool Type(const std::vector<INPUT_RECORD>& keys, std::size_t count = 0) {
        DWORD written = 0;
        return WriteConsoleInputA(input, keys.data(), static_cast<DWORD>(count ? count : keys.size()), &written) != 0;
    }
    bool Shown(const wchar_t* text) {
        for (int i = 0; i < 200; ++i, Sleep(50))
            if (Shows(output, text)) return true;
        return false;
    }
    DWORD Code() {
        DWORD code = 0;
        return GetExitCodeProcess(info.hProcess, &code) ? code : 0xFFFFFFFF;
    }
    ~OwnConsole() {
        if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
        if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
        FreeConsole();
        if (!info.hProcess) return;
        TerminateProcess(info.hProcess, 1);
        CloseHandle(info.hProcess);
        CloseHandle(info.hThread);
    }
    PROCESS_INFORMATION info = {};
    HANDLE input = INVALID_HANDLE_VALUE, output = INVALID_HANDLE_VALUE;
};

}  // namespace

TEST(Execute, RunsReportsAndEndsAtTheEndOfInput) {
    Install in;
    struct Case {
        const char* name;
        std::string arguments, input, expected;
        DWORD code;
    } const cases[] = {
        {"quoted path, arguments and the keyboard", "\"" + in.target + "\" greet  a \"b c\"", "太郎\r\n",
         "引数: greet  a \"b c\"\r\n名前を入力してください: こんにちは、太郎 さん！\r\n\r\n終了コード0（", 0},
        {"bare name in the current folder, exit code", "表示 exit 7", "", "引数: exit 7\r\n\r\n終了コード7（", 7},
        {"negative exit code", "表示.exe exit -1", "", "\r\n終了コード-1（", 0xFFFFFFFF},
        {"access violation", "表示.exe crash", "", "\r\n例外で終了しました（0xC0000005 アクセス違反、",
         0xC0000005},
        {"integer division by zero", "表示.exe divide", "", "\r\n例外で終了しました（0xC0000094 整数の0除算、",
         0xC0000094},
        {"batch file through the interpreter", "終わる.bat 一", "", "バッチ 一\r\n\r\n終了コード3（", 3},
        {"batch argument with cmd's &", "終わる.bat a&rr.exe", "", "バッチ \"a&rr.exe\"\r\n\r\n終了コード3（", 3},
        {"batch argument with cmd's ^", "終わる.bat a^b", "", "バッチ \"a^b\"\r\n\r\n終了コード3（", 3},
        {"batch file as Windows names it", "\"終わる.bat \" a&rr.exe", "", "バッチ \"a&rr.exe\"\r\n\r\n終了コード3（", 3},
        {"batch arguments a quote and ^ would free", "終わる.bat a>out.txt \"a^\"&rr.exe\"", "", "バッチ \"a>out.txt\"\r\n", 3},
        {"batch argument no quoting keeps from cmd", "終わる.bat \"a\\\"&rr.exe\"", "",
         "引数に含まれる文字をバッチファイルに安全に渡せません\r\na\"&rr.exe\r\n", 1},
        {"batch file with % in its path", "100%.bat x", "",
         "バッチファイルのパスに安全に扱えない文字（%など）があります\r\n" + in.folder + "\\100%.bat\r\n", 1},
        {"missing program", "どこにもない.exe x", "", "「どこにもない.exe」を起動できませんでした\r\n", 2},
        {"no command line", "", "", "使い方: execute.exe プログラム [引数 ...]\r\n", 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Execute run;
        ASSERT_TRUE(run.Start(in.exe, c.arguments, in.folder));
        run.Type(c.input);
        run.CloseInput();
        ASSERT_TRUE(run.Read("", 20000)) << run.text;
        EXPECT_NE(run.text.find(c.expected), std::string::npos) << run.text;
        EXPECT_EQ(run.Code(), c.code);
        // Every program's end says how long it ran, last; with no keyboard
        // nothing asks for a key.
        EXPECT_EQ(c.code == 1 || c.code == 2 || HasTime(run.text), true) << run.text;
        EXPECT_EQ(run.text.find("何かキー"), std::string::npos) << run.text;
        if (c.code == 2) {
            EXPECT_GT(run.text.size(), c.expected.size() + 2) << "no reason given";
        }
    }
    // The fixture saw its arguments exactly as given, in the current folder.
    std::string log;
    for (const char* tail : {"greet  a \"b c\"", "exit 7", "exit -1", "crash", "divide"})
        log += std::string("表示.exe|") + tail + "|" + in.folder + "\r\n";
    EXPECT_EQ(ReadFile(in.folder + "\\runs.log"), log);
    EXPECT_FALSE(Exists(in.folder + "\\out.txt"));
}

TEST(Execute, WaitsForAKeyOnItsOwnConsole) {
    Install in;
    OwnConsole console;
    ASSERT_TRUE(console.Start(in, "表示.exe greet"));
    // The program's line and a key it leaves unread, typed before the
    // prompt; then a key's release alone; only then a key.
    const std::vector<INPUT_RECORD> keys[] = {
        {Key('A', 'a', TRUE), Key(VK_RETURN, '\r', TRUE), Key(VK_RETURN, '\r', FALSE), Key('B', 'b', TRUE)},
        {Key('B', 'b', FALSE)},
        {Key('X', 0, TRUE), Key('X', 0, FALSE)},
    };
    for (int k = 0; k < 3; ++k) {
        EXPECT_TRUE(console.Type(keys[k]));
        EXPECT_TRUE(k > 0 || console.Shown(L"何かキーを押すと閉じます"));
        EXPECT_EQ(WaitForSingleObject(console.info.hProcess, k < 2 ? 1000 : 10000),
                  static_cast<DWORD>(k < 2 ? WAIT_TIMEOUT : WAIT_OBJECT_0)) << k;
    }
    EXPECT_EQ(console.Code(), 0u);
}

TEST(Execute, NoKeyAwaitedFromAPipeNorAWindowedProgram) {
    Install in;
    Execute run;  // its input stays open: a wait would wait for ever
    ASSERT_TRUE(run.Start(in.exe, "表示.exe exit 5", in.folder));
    EXPECT_TRUE(run.Ended(10000));
    EXPECT_EQ(run.Code(), 5u);

    // The windowed program is still there when execute.exe has ended, and
    // is started, not judged, beside sample cases.
    WriteFile(in.dir.MakeDir("プログラム フォルダ\\test") + "\\1.in", "echo\n");
    Execute gui;
    ASSERT_TRUE(gui.Start(in.exe, "待つ.exe 一 二", in.folder));
    ASSERT_TRUE(gui.Ended(10000));
    EXPECT_EQ(gui.Code(), 0u);
    ASSERT_TRUE(gui.Read("", 1000));
    EXPECT_EQ(gui.text, "");
    std::string log = in.folder + "\\runs.log";
    for (int i = 0; i < 100 && ReadFile(log).find("待つ.exe") == std::string::npos; ++i) Sleep(50);
    EXPECT_EQ(ReadFile(log), "表示.exe|exit 5|" + in.folder + "\r\n待つ.exe|一 二\r\n");
    EndProgramsIn(in.folder);
}

TEST(Execute, BareNameFromTheCurrentFolderThenPathNeverBesideItself) {
    Install in;
    EnvironmentGuard guard;
    // A program of that name beside execute.exe, another along PATH.
    CopyFileTo(BinDir() + "\\console_target.exe", in.dir / "hello.exe");
    std::string onPath = in.dir.MakeDir("パス\\表");
    CopyFileTo(BinDir() + "\\console_target.exe", onPath + "\\hello.exe");
    std::string work = in.dir.MakeDir("作業");
    // First a folder that code page 932 lacks, whose look-alike holds one too.
    std::string lookAlike = in.dir.MakeDir("a\\b");
    CopyFileTo(BinDir() + "\\console_target.exe", lookAlike + "\\hello.exe");
    SetEnvironmentVariableW(L"PATH", (Wide(in.dir.path()) + L"\\a\u00a5b;" + Wide(onPath + ";" + guard.path)).c_str());
    {
        Execute run;
        ASSERT_TRUE(run.Start(in.exe, "hello one", work));
        run.CloseInput();
        ASSERT_TRUE(run.Read("", 20000));
        EXPECT_EQ(ReadFile(onPath + "\\runs.log"), "hello.exe|one|" + work + "\r\n") << run.text;
    }
    CopyFileTo(BinDir() + "\\console_target.exe", work + "\\hello.exe");
    {
        Execute run;
        ASSERT_TRUE(run.Start(in.exe, "hello two", work));
        run.CloseInput();
        ASSERT_TRUE(run.Read("", 20000));
        EXPECT_EQ(ReadFile(work + "\\runs.log"), "hello.exe|two|" + work + "\r\n") << run.text;
    }
    EXPECT_FALSE(Exists(in.dir / "runs.log") || Exists(lookAlike + "\\runs.log"));
}

// Sample cases for console_target's "cases" mode, whose first input line
// says what it does; listed in natural order, each with what execute.exe
// shows: its line's start, then (past the figures) the rest of its lines,
// the next case's line right after. The program's input stays open: a case
// given it instead of its .in would wait for ever. A metadata.json that is
// no JSON is named, and the cases are judged as without it.
TEST(Execute, JudgesEachSampleCaseInNaturalOrder) {
    Install in;
    std::string test = in.dir.MakeDir("プログラム フォルダ\\test");
    WriteFile(in.folder + "\\metadata.json", "{\n  \"judge\": {\"judge_type\": \"decimal\"},\n  oops\n}\n");
    std::string errors;
    for (int i = 1; i <= 10; ++i) errors += "    デバッグ" + std::to_string(i) + "\r\n";
    struct Sample {
        const char *name, *input, *expected;  // expected null: no .out
        std::string shown, then;
    } const samples[] = {
        {"b-1", "flood\n", "", "b-1: 出力が多すぎます（4MBを超えました）\r\n", ""},
        // Ten lines of the output, and no control character but tab as it is.
        {"b-2", "echo\n表示\x1B[2J\n2\n3\n4\n5\n6\n7\n8\n9\n10\n11\n", nullptr, "b-2: 判定なし（.outファイルがありません、",
         "秒）\r\n  表示\\x1B[2J\r\n  2\r\n  3\r\n  4\r\n  5\r\n  6\r\n  7\r\n  8\r\n  9\r\n  10\r\n  …\r\n"},
        {"b-3", "echo\n表示　です \t\r\n\r\n", "表示　です\n", "b-3: AC（", "MB）\r\n"},
        {"b-4", "echo\n", "", "b-4: 「test\\b-4.in」を読めませんでした\r\n  ", Reason(ERROR_SHARING_VIOLATION)},
        // A copy of its output left elsewhere holds nothing back, and
        // execute.exe can be neither named a parent nor handed a handle.
        {"b-5", "dup\n", "refused\n", "b-5: AC（", "MB）\r\n"},
        // Standard error is never judged nor counted as output.
        {"b-6", "warn\n1\n", "1\n", "b-6: AC（", "MB）（標準エラー出力あり）\r\n"},
        {"b-7", "warn\n2\n", "1\n", "b-7: WA（",
         "MB）\r\n  1行目が違います\r\n  正解: 1\r\n  出力: 2\r\n  標準エラー出力:\r\n" + errors + "    …\r\n"},
        {"b-8", "echo\nx\n", "\x1B]0;AC\x07\x1B[31m\tソ表\x83\x41\x83\x1B\r\x7F\x80\xA0\xFD\n", "b-8: WA（",
         "MB）\r\n  1行目が違います\r\n  正解: \\x1B]0;AC\\x07\\x1B[31m\tソ表\x83\x41\\x83\\x1B\\x0D\\x7F\\x80\\xA0\\xFD\r\n"
         "  出力: x\r\n"},
        {"sample-1", "echo\n1 2\n", "1 2\r\n\r\n", "sample-1: AC（", "MB）\r\n"},
        {"sample-2", "echo\n1 2\n\x83\x61\n", "1 2\n\x83\x41\n", "sample-2: WA（",
         "MB）\r\n  2行目が違います\r\n  正解: \x83\x41\r\n  出力: \x83\x61\r\n"},
        {"sample-10", "exit 3\n", "", "sample-10: RE（終了コード3）\r\n", ""},
        {"サンプル-2", "crash\n", "", "サンプル-2: RE（0xC0000005 アクセス違反）\r\n", ""},
        {"サンプル-10", "sleep\n", "", "サンプル-10: TLE（2秒を超えました）\r\n", ""},
    };
    for (const Sample& s : samples) {
        WriteFile(test + "\\" + s.name + ".in", s.input);
        if (s.expected) WriteFile(test + "\\" + s.name + ".out", s.expected);
    }
    HANDLE held = CreateFileA((test + "\\b-4.in").c_str(), GENERIC_READ, 0, NULL, OPEN_EXISTING, 0, NULL);
    Execute run;
    ASSERT_TRUE(run.Start(in.exe, "表示.exe cases", in.folder));
    ASSERT_TRUE(run.Read("", 60000)) << run.text;
    CloseHandle(held);
    EXPECT_EQ(run.text.find("metadata.jsonを使えません（3行目がJSONとして読めません）\r\nb-1: "), 0u) << run.text;
    std::string::size_type at = run.text.find("\r\n") + 2;
    for (const Sample& s : samples) {
        SCOPED_TRACE(s.name);
        ASSERT_EQ(run.text.find(s.shown, at), at) << run.text;
        at += s.shown.size();
        std::string::size_type then = run.text.find(s.then, at);
        ASSERT_LE(then, at + 16) << run.text;  // past "0.01秒、3MB"
        at = then + s.then.size();
    }
    EXPECT_EQ(run.text.substr(at), "サンプル13件中4件AC\r\n");
    EXPECT_EQ(run.Code(), 1u);
    EXPECT_EQ(run.text.find("キー"), std::string::npos);
    // The case's own child was started, and ended with it.
    EXPECT_NE(ReadFile(in.folder + "\\runs.log").find("表示.exe|hang|"), std::string::npos);
    EXPECT_EQ(ProgramsIn(in.folder), 0);

    // Past 1024 MB a case is ended at once. Wine gives only the wall clock,
    // whose 2 s a loaded machine may spend first: up to three tries.
    std::string mle = in.dir.MakeDir("mle\\test");
    WriteFile(mle + "\\m.in", "mle\n");
    std::string shown;
    for (int i = 0; i < 3 && shown.find("m: MLE（1024MBを超えました）\r\n") == std::string::npos; ++i) {
        Execute again;
        ASSERT_TRUE(again.Start(in.exe, "\"" + in.target + "\" cases", in.dir / "mle"));
        ASSERT_TRUE(again.Read("", 30000));
        shown = again.text;
    }
    EXPECT_EQ(shown, "m: MLE（1024MBを超えました）\r\nサンプル1件中0件AC\r\n");
}

// atcoder-tools' folder: metadata.json, in_N.txt and out_N.txt beside the
// program. One case a judge within an absolute error accepts, one a judge
// within a relative error does; words compare as text.
TEST(Execute, DecimalAnswersByEachErrorType) {
    Install in;
    WriteFile(in.folder + "\\in_1.txt", "echo\nok 1000000.5\n");
    WriteFile(in.folder + "\\out_1.txt", "ok 1000000\n");
    WriteFile(in.folder + "\\in_10.txt", "echo\n5e-7\n");
    WriteFile(in.folder + "\\out_10.txt", "0.0000001\n");
    // Each error type with the texts shown in order, the figures between
    // them; a problem with many answers shows them unjudged.
    const std::vector<const char*> cases[] = {
        {"decimal\", \"error_type\": \"absolute", "in_1: WA（", "\r\n  2個目の値が違います\r\n  正解: 1000000\r\n  出力: 1000000.5\r\nin_10: AC（"},
        {"decimal\", \"error_type\": \"relative", "in_1: AC（", "\r\nin_10: WA（", "\r\n  1個目の値が違います\r\n  正解: 0.0000001\r\n  出力: 5e-7\r\n"},
        {"decimal\", \"error_type\": \"absolute_or_relative", "in_1: AC（", "\r\nin_10: AC（", "\r\nサンプル2件中2件AC\r\n"},
        {"multisolution", "答えが一つに決まらない問題（multisolution）なので判定せず、出力を表示します\r\nin_1: 判定なし（",
         "）\r\n  正解:\r\n    ok 1000000\r\n  出力:\r\n    ok 1000000.5\r\n", "サンプル2件中0件AC\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c[0]);
        WriteFile(in.folder + "\\metadata.json",
                  std::string("{\"code_filename\": \"main.cpp\", \"judge\": {\"diff\": 1e-06, \"judge_type\": \"") +
                      c[0] + "\"}, \"lang\": \"cpp\", \"sample_in_pattern\": \"in_*.txt\", "
                             "\"sample_out_pattern\": \"out_*.txt\", \"timeout_ms\": 2000}");
        Execute run;
        ASSERT_TRUE(run.Start(in.exe, "表示.exe cases", in.folder));
        ASSERT_TRUE(run.Read("", 30000)) << run.text;
        std::string::size_type at = 0;
        for (std::size_t i = 1; i < c.size(); at += std::strlen(c[i++]))
            ASSERT_NE(at = run.text.find(c[i], at), std::string::npos) << c[i] << "\n" << run.text;
    }
}

// A program Kiln says writes UTF-8 shows its text right on a console set to
// UTF-8; after its crash the code pages are back before the report. Without
// Kiln's word nothing changes, and the program never finds the word.
TEST(Execute, ConsoleInUtf8OnlyWhileAProgramKilnSaysWritesItRuns) {
    Install in;
    for (bool told : {true, false}) {
        SCOPED_TRACE(told);
        SetEnvironmentVariableA("KILN_PROGRAM_CODE_PAGE", told ? "65001" : NULL);
        OwnConsole console;
        ASSERT_TRUE(console.Start(in, "表示.exe utf8"));
        SetEnvironmentVariableA("KILN_PROGRAM_CODE_PAGE", NULL);
        EXPECT_TRUE(console.Shown(L"例外で終了しました（0xC0000005 アクセス違反"));
        EXPECT_EQ(Shows(console.output, L"表示 65001/65001 []"), told);
        EXPECT_EQ(Shows(console.output, L" 932/932 []"), !told);
        EXPECT_EQ(GetConsoleCP(), 932u);
        EXPECT_EQ(GetConsoleOutputCP(), 932u);
    }
}

// On its own console: the verdicts, nothing a case wrote to CONOUT$ or its
// errors, then Enter runs the program on the keyboard with its end report.
TEST(Execute, SamplesOnItsOwnConsoleThenEnterRunsTheProgram) {
    Install in;
    std::string tests = in.dir.MakeDir("プログラム フォルダ\\tests");
    WriteFile(tests + "\\leak.in", "leak\n");
    WriteFile(tests + "\\leak.out", "ok\n");
    OwnConsole console;
    ASSERT_TRUE(console.Start(in, "表示.exe cases"));
    EXPECT_TRUE(console.Shown(L"Enterキーでプログラムを実行（キーボードから入力）、ほかのキーで閉じます"));
    EXPECT_TRUE(Shows(console.output, L"leak: AC（") && Shows(console.output, L"サンプル1件中1件AC"));
    EXPECT_FALSE(Shows(console.output, L"漏れ"));
    // Modifier, input-method and toggle keys, as a Japanese keyboard sends
    // them, neither run the program nor close.
    std::vector<INPUT_RECORD> modifiers;
    for (WORD key : {VK_KANJI, VK_OEM_AUTO, VK_OEM_ENLW, VK_CONVERT, VK_NONCONVERT, VK_KANA, VK_OEM_COPY, VK_OEM_ATTN,
                     VK_CAPITAL, VK_NUMLOCK, VK_SCROLL, VK_LWIN, VK_APPS, VK_SHIFT, VK_PROCESSKEY})
        modifiers.insert(modifiers.end(), {Key(key, 0, TRUE), Key(key, 0, FALSE)});
    Sleep(300);  // past the prompt's flush of what was typed before it
    EXPECT_TRUE(console.Type(modifiers));
    EXPECT_EQ(WaitForSingleObject(console.info.hProcess, 1000), static_cast<DWORD>(WAIT_TIMEOUT));
    EXPECT_EQ(ReadFile(in.folder + "\\runs.log").find("|cases|"), ReadFile(in.folder + "\\runs.log").rfind("|cases|"));
    const std::vector<INPUT_RECORD> enter = {Key(VK_RETURN, '\r', TRUE), Key(VK_RETURN, '\r', FALSE)};
    EXPECT_TRUE(console.Type(enter));
    std::string log = in.folder + "\\runs.log";  // its second start reads the keyboard
    for (int i = 0; i < 200 && ReadFile(log).find("|cases|") == ReadFile(log).rfind("|cases|"); ++i) Sleep(50);
    std::vector<INPUT_RECORD> typed;
    for (char c : std::string("EXIT 7\r"))
        typed.push_back(Key(c == '\r' ? VK_RETURN : c == ' ' ? VK_SPACE : c, isupper(c) ? c + 32 : c, TRUE));
    EXPECT_TRUE(console.Type(typed));
    EXPECT_TRUE(console.Shown(L"終了コード7（実行時間"));
    EXPECT_TRUE(console.Shown(L"MB）"));  // the peak memory, as the system told it
    EXPECT_TRUE(console.Shown(L"何かキーを押すと閉じます"));
    EXPECT_TRUE(console.Type(enter, 1));
    EXPECT_EQ(WaitForSingleObject(console.info.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(console.Code(), 7u);

    // Any other key closes: the program is not run on the keyboard.
    OwnConsole other;
    ASSERT_TRUE(other.Start(in, "表示.exe cases"));
    EXPECT_TRUE(other.Shown(L"Enterキーでプログラムを実行"));
    EXPECT_TRUE(other.Type({Key(VK_ESCAPE, 0x1B, TRUE)}));
    EXPECT_EQ(WaitForSingleObject(other.info.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(other.Code(), 0u);
}

// A case whose name code page 932 lacks is read by its short name, beside its
// look-alike; a device's name is no case; the program is named the same way.
TEST(Execute, CaseFilesAndTheProgramByTheNamesWindowsHolds) {
    Install in;
    const std::wstring folder = Wide(in.folder), test = Wide(in.dir.MakeDir("プログラム フォルダ\\test"));
    const wchar_t* const cases[] = {L"cafe", L"caf\u00e9", L"\ud55c\uad6d", L"\U0001F600", L"x\u00a5..\u00a5y"};
    for (int i = 0; i < 5; ++i) {
        WriteFile(test + L"\\" + cases[i] + L".in", "echo\n" + std::to_string(i) + "\n");
        WriteFile(test + L"\\" + cases[i] + L".out", std::to_string(i) + "\n");
    }
    const char* const devices[] = {"CON", "aux", "COM1", "NUL", "con.txt", "Lpt3 ", "CONOUT$"};
    for (const char* device : devices) WriteFile(test + L"\\" + Wide(device) + L".in", "echo\n");
    ASSERT_TRUE(CopyFileW(Wide(in.target).c_str(), (folder + L"\\caf\u00e9.exe").c_str(), FALSE));
    const struct { std::wstring arguments; std::string shown; DWORD code; } runs[] = {
        {L"caf\u00e9.exe cases", "サンプル5件中5件AC\r\n", 0},
        {L"ghost\u00e9.exe", "「ghost?.exe」を起動できませんでした\r\n", ERROR_NO_UNICODE_TRANSLATION},
        {L"表示.exe \u00a5", "「表示.exe ?」を起動できませんでした\r\n", ERROR_NO_UNICODE_TRANSLATION},
    };
    for (const auto& r : runs) {
        Execute run;
        ASSERT_TRUE(run.Start(in.exe, r.arguments, in.folder));
        ASSERT_TRUE(run.Read("", 60000)) << run.text;
        EXPECT_NE(run.text.find(r.shown), std::string::npos) << run.text;
        EXPECT_EQ(run.Code(), r.code) << run.text;
        if (r.code) continue;
        EXPECT_NE(run.text.find("cafe: AC"), std::string::npos) << run.text;
        for (std::string device : devices)
            EXPECT_NE(run.text.find(device + ": 判定なし（「test\\" + device + ".in」はファイルではなくデバイスです）\r\n"),
                      std::string::npos) << run.text;
    }
}

// Cases that join execute.exe's console and change its title, code pages,
// modes and colours: each verdict is still readable, and Ctrl+C while the
// last one holds the console leaves it as it was. The first gives the test
// the time to note how it was.
TEST(Execute, PutsItsConsoleBackWhateverACaseDid) {
    Install in;
    std::string test = in.dir.MakeDir("プログラム フォルダ\\test");
    const char* inputs[] = {"sleep\n", "attach\n", "echo\nok\n", "attach\nhold\n"};
    for (int i = 0; i < 4; ++i) WriteFile(test + "\\" + "abcd"[i] + ".in", inputs[i]);
    for (const char* name : {"b", "c"}) WriteFile(test + "\\" + name + ".out", "ok\n");
    OwnConsole console;
    ASSERT_TRUE(console.Start(in, "表示.exe cases"));
    SetConsoleCtrlHandler(IgnoreCtrlC, TRUE);
    const std::wstring before = console.Look();
    EXPECT_TRUE(console.Shown(L"c: AC（"));
    for (int i = 0; i < 200 && console.Look().find(L"乗っ取り") == std::wstring::npos; ++i) Sleep(50);
    EXPECT_NE(console.Look().find(L"乗っ取り"), std::wstring::npos);  // d has the console now
    EXPECT_TRUE(Shows(console.output, L"b: AC（"));
    INPUT_RECORD ctrlC = Key('C', 3, TRUE);
    ctrlC.Event.KeyEvent.dwControlKeyState = LEFT_CTRL_PRESSED;
    EXPECT_TRUE(console.Type({ctrlC}));
    EXPECT_EQ(WaitForSingleObject(console.info.hProcess, 10000), static_cast<DWORD>(WAIT_OBJECT_0));
    EXPECT_EQ(console.Look(), before);
}
