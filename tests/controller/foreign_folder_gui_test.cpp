// Sample code from elsewhere: a folder whose file names and neighbours
// someone else chose, and compiler output that its code controls. Only the
// configured programs run, each name reaches them as one word, and the
// jump hands the editor nothing but files.
#include <gtest/gtest.h>

#include <string>

#include "support/gui_kiln_install.h"

using namespace testing_support;

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
        Process start;
        std::string source = kiln.Source(std::string("src\\") + c.source), argument = c.argument;
        int calls = kiln.Calls();
        if (window) ASSERT_TRUE(BringToForeground(window) && kiln.Start(start, source));
        else ASSERT_NE(window = kiln.Open(p, source), nullptr);
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
    const char* lines[] = {
        "x\" /evil \"y:12: error: a",    // #line 12 "x\" /evil \"y"
        "\\\\host\\share\\a.c:5: error: b",  // a share, the source not on one
        "/evil=1:3: error: c",
        "-x.c:4: error: d",
        "a&rr.exe:5: error: e",            // the editor is a batch file
    };
    std::string script;
    for (const char* line : lines) script += "out " + KilnInstall::ScriptText(line) + "\\n\r\n";
    kiln.Script(script + "out hello.c:2: error: f\\n\r\n");
    CopyFileTo(BinDir() + "\\console_target.exe", kiln.dir() / "src\\rr.exe");
    const std::string editor = kiln.dir() / "editor.bat";
    WriteFile(editor, "@exit /b 0\r\n");
    WriteFile(kiln.dir() / "Kiln.ini", ReadFile(kiln.dir() / "Kiln.ini") + "[Editor]\r\nJumpType=0\r\nJumpOption=/jl=%N\r\n"
                                                                           "Path=" + editor + "\r\n");
    Process p;
    HWND window = kiln.OpenFinished(p, source);
    ASSERT_NE(window, nullptr);
    HWND pane = KilnInstall::Pane(window);
    MessageBoxInfo box;
    for (int i = 0; i < 5; ++i) {
        SCOPED_TRACE(lines[i]);
        ASSERT_TRUE(DoubleClickEditLine(pane, i));
        ASSERT_TRUE(AnswerMessageBox("エラー", IDOK, &box));
        EXPECT_EQ(box.text, std::string("このファイル名はエディタに渡せません\n") + lines[i]);
    }
    // A plain file is still handed to the batch file.
    ASSERT_TRUE(DoubleClickEditLine(pane, 5));
    ASSERT_TRUE(AnswerMessageBox(editor.c_str(), IDOK, &box));
    EXPECT_EQ(box.text, "hello.c /jl=2");
    PumpMessages(1000);
    EXPECT_FALSE(Exists(kiln.dir() / "src\\runs.log"));
}
