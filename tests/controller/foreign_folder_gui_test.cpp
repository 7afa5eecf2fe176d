// Sample code from elsewhere: a folder whose file names and neighbours
// someone else chose, and compiler output that its code controls. Only the
// configured programs run, each name reaches them as one word, and the
// jump hands the editor nothing but files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <utility>

#include "resources/shared_names.h"
#include "support/environment.h"
#include "support/gui_kiln_install.h"

using namespace testing_support;

namespace {

int Runs(const std::string& log) {
    std::string text = ReadFile(log);
    int n = 0;
    for (std::size_t at = text.find("[run]"); at != std::string::npos; at = text.find("[run]", at + 1)) ++n;
    return n;
}

// Starts the first Kiln with the source, or hands it to the running one as
// a second start does (which waits while a box of the request is open).
bool Request(KilnInstall& kiln, Process& first, Process& handOff, HWND& window, const std::string& source) {
    if (!window) return (window = kiln.Open(first, source)) != NULL;
    return BringToForeground(window) && kiln.Start(handOff, source);
}

// The text of the refusal box, answered.
std::string RefusalText() {
    MessageBoxInfo box;
    return AnswerMessageBox(kKilnError, IDOK, &box, 15000) ? box.text : "(no box)";
}

}  // namespace

TEST(ForeignFolder, OnlyTheConfiguredCompilerRunsAndEachNameIsOneWord) {
    KilnInstall kiln;
    std::string src = kiln.dir().MakeDir("src");
    // The configured compiler has a blank in its name; programs under the
    // names Windows would try first wait beside Kiln.exe and the source.
    std::string tools = kiln.dir().MakeDir("cc");
    CopyFileTo(BinDir() + "\\script_compiler.exe", tools + "\\my gcc.exe");
    WriteFile(tools + "\\my gcc.script", "create\r\nlog ..\\calls.log\r\n");
    for (const std::string& folder : {kiln.dir().path(), src}) {
        for (const char* name : {"gcc", "my", "my gcc"}) {
            CopyFileTo(BinDir() + "\\script_compiler.exe", folder + "\\" + name + ".exe");
            WriteFile(folder + "\\" + name + ".script", "log planted.log\r\ncreate\r\n");
        }
    }
    WriteFile(src + "\\victim", "keep");
    WriteFile(kiln.dir() / "Kiln.ini", "[Compiler1]\r\nCompilerName=C\r\nPath=" + tools +
                                           "\\my gcc.exe\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n"
                                           "CheckExecute=1\r\nAidExecute=1\r\nAidProgramPath=" +
                                           kiln.AidProgram() + "\r\n[Window]\r\nMagnet=0\r\n");
    struct {
        const char* source;    // rows 3, 4, 5 and 7 of the attacks
        const char* argument;  // as the compiler's argv[1]; argv[3] the same with .exe
        const char* target;    // the aid program's first word
    } const cases[] = {
        {"victim hello.c", "victim hello.c", "\"victim hello.exe\""},
        {" hello.c", " hello.c", "\" hello.exe\""},
        {"-xc z @x.c", ".\\-xc z @x.c", "\"-xc z @x.exe\""},
        {"go &rr.c", "go &rr.c", "\"go &rr.exe\""},
        {"表ソ.c", "表ソ.c", "表ソ.exe"},
    };
    Process p;
    HWND window = NULL;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        std::string source = kiln.Source(std::string("src\\") + c.source), argument = c.argument;
        int calls = kiln.Calls();
        Process handOff;
        ASSERT_TRUE(Request(kiln, p, handOff, window, source));
        ASSERT_TRUE(WaitUntil([&] { return kiln.Calls() == calls + 1; }, 15000));
        std::string run = kiln.CallsLog().substr(kiln.CallsLog().rfind("[run]"));
        EXPECT_NE(run.find("argc=4\r\nargv[0]=my gcc.exe\r\nargv[1]=" + argument + "\r\nargv[2]=-o\r\nargv[3]=" +
                           argument.substr(0, argument.size() - 1) + "exe\r\n"), std::string::npos) << run;
        EXPECT_TRUE(WaitForFileText(kiln.dir() / "runs.log", std::string("execute.exe|") + c.target + " |" + src));
    }
    EXPECT_EQ(ReadFile(src + "\\victim"), "keep");
    EXPECT_FALSE(Exists(src + "\\hello.exe"));
    EXPECT_FALSE(Exists(src + "\\planted.log") || Exists(kiln.dir() / "planted.log"));
}

TEST(ForeignFolder, TheJumpHandsTheEditorFilesOnly) {
    KilnInstall kiln;
    std::string source = kiln.Source("src\\hello.c");
    const std::string src = kiln.dir() / "src";
    struct {
        const char* line;
        const char* file;  // the editor's argv[1] below src\, a file there; null: refused
    } const cases[] = {
        {"x\" /evil \"y:12: error: a", nullptr},  // #line 12 "x\" /evil \"y"
        {"\\\\host\\share\\a.c:5: error: b", nullptr},  // a share, the source not on one
        {"\\/host/share/a.c:5: error: b", nullptr},     // the same share to Windows
        {"\\??\\UNC\\host\\share\\b.c:6: error: b", nullptr},
        {"/evil=1:3: error: c", nullptr},
        {"-x.c:4: error: d", nullptr},
        {"+!calc:7: error: d", nullptr},
        {"100%.c:5: error: e", nullptr},  // the editor is a batch file
        {"a b=.c:8: error: f", "a b=.c"},
        {"a.c,-x:5: error: f", "a.c,-x"},
        {"a^b&.c:6: error: f", "a^b&.c"},
        {"hello.c:2: error: f", "hello.c"},
    };
    std::string script;
    for (const auto& c : cases) {
        script += "out " + KilnInstall::ScriptText(c.line) + "\\n\r\n";
        if (c.file && !Exists(src + "\\" + c.file)) WriteFile(src + "\\" + c.file, "");
    }
    kiln.Script(script);
    // The editor is a batch file that hands its words to a recorder and
    // then calls a bare name that the source's folder holds too.
    const std::string folder = kiln.dir().MakeDir("ed"), editor = folder + "\\editor.bat";
    CopyFileTo(BinDir() + "\\script_compiler.exe", folder + "\\rec.exe");
    WriteFile(folder + "\\rec.script", "log rec.log\r\n");
    WriteFile(editor, "@\"%~dp0rec.exe\" %*\r\n@call planted\r\n");
    WriteFile(src + "\\planted.bat", "@echo x>\"%~dp0planted.log\"\r\n");
    const std::string ini = ReadFile(kiln.dir() / "Kiln.ini") + "[Editor]\r\nJumpOption=/jl=%N\r\nPath=" + editor;
    WriteFile(kiln.dir() / "Kiln.ini", ini + "\r\nJumpType=0\r\n");
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    HWND pane = KilnInstall::Pane(window);
    MessageBoxInfo box;
    int line = 0, started = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.line);
        ASSERT_TRUE(DoubleClickEditLine(pane, line++));
        if (!c.file) {
            ASSERT_TRUE(AnswerMessageBox("エラー", IDOK, &box));
            EXPECT_EQ(box.text, std::string("このファイル名はエディタに渡せません\n") + c.line);
            continue;
        }
        ASSERT_TRUE(AnswerMessageBox(editor.c_str(), IDOK, &box));
        ASSERT_TRUE(WaitUntil([&] { return Runs(folder + "\\rec.log") == started + 1; }));
        ++started;
        std::string run = ReadFile(folder + "\\rec.log").substr(ReadFile(folder + "\\rec.log").rfind("[run]"));
        // One word, the full path, then the option as a word of its own; in
        // the editor's own folder, with a PATH without the source's.
        EXPECT_NE(run.find("argc=3\r\nargv[0]=" + folder + "\\rec.exe\r\nargv[1]=" + src + "\\" + c.file +
                           "\r\nargv[2]=/jl="), std::string::npos) << run;
        EXPECT_NE(run.find("cwd=" + folder + "\r\n"), std::string::npos) << run;
        EXPECT_EQ(run.find(src + ";"), std::string::npos) << run;
    }
    // The editor that looks for the open file first gets the same check.
    WriteFile(kiln.dir() / "Kiln.ini", ini + "\r\nJumpType=1\r\n");
    SendMessageTimeoutA(window, WM_KILN_RELOAD, 0, 0, SMTO_NORMAL, 5000, NULL);
    ASSERT_TRUE(DoubleClickEditLine(pane, 2));
    ASSERT_TRUE(AnswerMessageBox("エラー", IDOK, &box));
    PumpMessages(1000);
    EXPECT_FALSE(Exists(src + "\\planted.log"));
}

// A compiler and an aid program that are batch files, named as old
// settings name them (relative, or without ".exe"), beside a folder that
// holds a batch file under a name cmd.exe would act on.
TEST(ForeignFolder, BatchFilesGetNamesInCmdQuotesOrNothingStarts) {
    KilnInstall kiln;
    const std::string src = kiln.dir().MakeDir("src"), tools = kiln.dir().MakeDir("cc");
    for (const std::string& recorder : {tools + "\\sc", kiln.dir() / "rec"}) {
        const std::string name = recorder.substr(recorder.rfind('\\') + 1);
        CopyFileTo(BinDir() + "\\script_compiler.exe", recorder + ".exe");
        // Each keeps the environment it got, then hands its words on.
        WriteFile(recorder + ".bat", "@set > \"%~dp0" + name + ".env\"\r\n@\"%~dp0" + name + ".exe\" %*\r\n");
    }
    WriteFile(tools + "\\sc.script", "create\r\nlog ..\\calls.log\r\n");
    WriteFile(kiln.dir() / "rec.script", "log rec.log\r\n");
    CopyFileTo(BinDir() + "\\script_compiler.exe", tools + "\\gcc.exe");
    WriteFile(tools + "\\gcc.script", "create\r\nlog ..\\calls.log\r\n");
    kiln.dir().MakeDir("src\\cc");
    CopyFileTo(BinDir() + "\\script_compiler.exe", src + "\\cc\\gcc.exe");
    WriteFile(src + "\\cc\\gcc.script", "log ..\\planted.log\r\ncreate\r\n");
    WriteFile(src + "\\x.bat", "@echo x>\"%~dp0planted.log\"\r\n");
    auto profile = [&](const char* path, const char* aid) {
        WriteFile(kiln.dir() / "Kiln.ini", std::string("[Compiler1]\r\nCompilerName=C\r\nPath=") + path +
                                               "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\nCheckExecute=1\r\n"
                                               "AidExecute=1\r\nAidProgramPath=" + aid +
                                               "\r\n[Window]\r\nMagnet=0\r\n");
    };
    struct {
        const char* path;     // the profile's compiler
        const char* aid;
        const char* source;
        const char* refused;  // the word in the box; null: compiled and run
    } const cases[] = {
        {"cc\\sc.bat", "rec.bat", "a&x&.c", nullptr},
        {"cc\\sc.bat", "rec.bat", "%USERNAME%q.c", "%USERNAME%q.c"},
        // Compiled; the aid program, rec.bat to Windows, refuses.
        {"cc\\gcc", "rec.bat.", "%USERNAME%q.c", "%USERNAME%q.exe"},
    };
    WriteFile(src + "\\%USERNAME%q.exe", "old");  // stays while nothing compiles
    Process p;
    HWND window = NULL;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.source);
        profile(c.path, c.aid);
        const std::string source = kiln.Source(std::string("src\\") + c.source);
        const std::string name = std::string(c.source).substr(0, std::strlen(c.source) - 1);
        Process handOff;
        ASSERT_TRUE(Request(kiln, p, handOff, window, source));
        if (c.refused) {
            EXPECT_EQ(RefusalText(), std::string("引数に含まれる文字をバッチファイルに安全に渡せません\n") + c.refused);
            EXPECT_TRUE(Exists(src + "\\" + name + "exe"));
            continue;
        }
        ASSERT_TRUE(WaitForFileText(kiln.dir() / "calls.log", "argv[1]=" + std::string(c.source) +
                                                                  "\r\nargv[2]=-o\r\nargv[3]=" + name + "exe\r\n"));
        ASSERT_TRUE(WaitForFileText(kiln.dir() / "rec.log", "argc=2\r\nargv[0]=" + kiln.dir() / "rec.exe" +
                                                                 "\r\nargv[1]=" + name + "exe\r\ncwd=" + src + "\r\n"));
    }
    PumpMessages(1000);
    EXPECT_EQ(kiln.Calls(), 2);
    EXPECT_FALSE(Exists(src + "\\planted.log"));
    EXPECT_EQ(ReadFile(kiln.dir() / "rec.log").find("%USERNAME%"), std::string::npos);
    // A bare name in either is its own folder's or the system's, and Windows'
    // cmd.exe does not look in the current one first (Wine's does all the same).
    const std::string system = ";" + SystemFolders() + ";";
    for (const auto& seen : {std::make_pair(tools + "\\sc.env", tools + system + kiln.dir().path()),
                             std::make_pair(kiln.dir() / "rec.env", kiln.dir().path() + system + tools)}) {
        const std::string text = ReadFile(seen.first);
        EXPECT_NE(text.find("\nPATH=" + seen.second + "\r\n"), std::string::npos) << text;
        EXPECT_NE(text.find("\nNoDefaultCurrentDirectoryInExePath=1\r\n"), std::string::npos);
    }
}

// A compiler laid out as MSYS2 lays it out: bin\gcc.exe starts a program
// under lib\ that imports a DLL of bin\, found along PATH. A DLL of that
// name in the source's folder, the current one, would come before PATH:
// such a folder is refused, and a copy of the same DLL is no threat.
TEST(ForeignFolder, NoDllOfTheFolderLoadsInTheCompilersPlace) {
    KilnInstall kiln;  // its folder is the compiler's bin\ here
    const std::string lib = kiln.dir().MakeDir("lib\\gcc\\x"), log = lib + "\\dll_user.log",
                      dll = kiln.dir() / "probe_dll.dll", planted = kiln.dir().MakeDir("src") + "\\probe_dll.dll";
    CopyFileTo(BinDir() + "\\probe_dll.dll", dll);
    CopyFileTo(BinDir() + "\\dll_user.exe", lib + "\\cc1.exe");
    kiln.Script("spawn " + KilnInstall::ScriptText("\"" + lib + "\\cc1.exe\"") +
                "\r\nwait lib\\gcc\\x\\dll_user.log 10000\r\ncreate\r\nlog calls.log\r\n");
    Process p;
    HWND window = NULL;
    for (const char* beside : {"", "the same DLL", "another"}) {  // the source
        SCOPED_TRACE(beside);
        const bool refused = *beside == 'a';
        DeleteFileA(planted.c_str());
        DeleteFileA(log.c_str());
        if (*beside) WriteFile(planted, ReadFile(dll) + (refused ? "x" : ""));
        int calls = kiln.Calls();
        Process handOff;
        ASSERT_TRUE(Request(kiln, p, handOff, window, kiln.Source("src\\hello.c")));
        if (refused) {
            EXPECT_EQ(RefusalText(), "コンパイラのDLLと同じ名前のファイルがソースファイルのフォルダにあります\n" + planted +
                                         "\nこのファイルを削除するか、ソースファイルを別のフォルダに移してください");
            PumpMessages(1000);
            EXPECT_FALSE(Exists(log) || kiln.Calls() != calls);
            continue;
        }
        ASSERT_TRUE(WaitUntil([&] { return kiln.Calls() == calls + 1; }, 15000));
        const std::string loaded = ReadFile(log);  // along PATH when nothing is planted
        EXPECT_TRUE(*beside ? loaded.find("loaded=") == 0 : loaded == "loaded=" + dll + "\r\n") << loaded;
    }
}

// Names as a Unicode program hands them over: compiled where they are (by
// the short name), never as the look-alike beside them, or refused by name.
TEST(ForeignFolder, SourceNamesArriveExactlyOrAreRefused) {
    KilnInstall kiln;
    const std::wstring dir = Wide(kiln.dir().path());
    for (const char* decoy : {"src\\evil\\a.c", "cafe\\a.c", "src\\x\\a.c"}) kiln.Source(decoy);
    struct {
        std::wstring folder;  // created with a.c in it, unless refused
        const char* refusal;  // the box's first words; null: compiled there
    } const cases[] = {
        {L"src\\x\u00a5..\u00a5evil", nullptr}, {L"caf\u00e9", nullptr},
        {L"src\\\ud55c\uad6d", nullptr},         {L"src\\\U0001F600", nullptr},
        {L"src\\gone\u00e9", "ソースファイルのパスに、Kilnが扱えない文字"},
        {L"src\\x.", "ソースファイルのパスに、末尾がピリオドか空白の名前があります"},
    };
    Process first;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.refusal ? c.refusal : "compiled");
        const std::wstring source = dir + L"\\" + c.folder + L"\\a.c";
        if (!c.refusal || c.folder.back() == L'.') {
            CreateDirectoryW((L"\\\\?\\" + dir + L"\\" + c.folder).c_str(), NULL);
            WriteFile(source, "int main(void){return 0;}\n");
        }
        int calls = kiln.Calls();
        Process start;
        ASSERT_TRUE((first.Running() ? start : first).Start(kiln.dir() / "Kiln.exe", L"\"" + source + L"\"",
                                                            kiln.dir().path()));
        if (c.refusal) {
            MessageBoxInfo box;
            ASSERT_TRUE(AnswerMessageBox(kKilnError, IDOK, &box, 15000));
            EXPECT_EQ(box.text.find(c.refusal), 0u) << box.text;
            EXPECT_NE(box.wideText.find(L"\n" + source + L"\n"), std::wstring::npos);
            EXPECT_EQ(kiln.Calls(), calls);
            continue;
        }
        ASSERT_TRUE(WaitUntil([&] { return kiln.Calls() == calls + 1; }, 15000));
        EXPECT_TRUE(WaitUntil([&] {
            return GetFileAttributesW((dir + L"\\" + c.folder + L"\\a.exe").c_str()) != INVALID_FILE_ATTRIBUTES;
        }));
    }
    for (const char* decoy : {"src\\evil\\a.exe", "cafe\\a.exe", "src\\x\\a.exe"})
        EXPECT_FALSE(Exists(kiln.dir() / decoy)) << decoy;
}
