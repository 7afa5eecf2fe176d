// The source's encoding through the real Kiln.exe and stand-ins under the compilers' names: each one's
// command line, the second compile after a gcc without iconv, the bar, and what the aid program is told.
#include <gtest/gtest.h>

#include <string>

#include "support/gui_kiln_install.h"

using namespace testing_support;

TEST(SourceCharset, EachCompilerIsToldOnlyWhatItsSourceNeeds) {
    const std::string refusal = "when -fexec-charset=CP932 err cc1.exe: error: conversion from UTF-8 to CP932 "
                                "not supported by iconv\\n\r\nwhen -fexec-charset=CP932 exit 1\r\n";
    const struct {
        const char *compiler, *name;
        std::string text, options, script, calls;  // calls: the command lines logged, one a line
        std::string kilnLine, status;
        bool utf8Program;
    } cases[] = {
        {"gcc.exe", "hello.c", "int main(void){return 0;}\n", "-Wall", "", "gcc.exe -Wall hello.c -o hello.exe\n", "", "", false},
        {"gcc.exe", "表.c", "char* s = \"表\";\n", "-Wall", "",
         "gcc.exe -finput-charset=CP932 -fexec-charset=CP932 -Wall 表.c -o 表.exe\n", "", "Shift_JIS", false},
        {"cl.exe", "u.c", u8"char* s = \"表\";\n", "", "", "cl.exe /source-charset:utf-8 u.c /Feu.exe\n", "", "UTF-8",
         false},
        {"gcc.exe", "u.c", u8"char* s = \"表\";\n", "", refusal,
         "gcc.exe -fexec-charset=CP932 u.c -o u.exe\ngcc.exe u.c -o u.exe\n",
         "Kiln:このコンパイラは文字コードを変換できないため、文字コードのオプションを付けずにコンパイルし直しました",
         "UTF-8", true},
        {"clang.exe", "表.c", "char* s = \"表\";\n", "", "", "clang.exe 表.c -o 表.exe\n",
         "Kiln:表.c 1行目の「表」は2バイト目が\\と読まれるため、このコンパイラでは文字化けします。"
         "ソースをUTF-8で保存してください",
         "Shift_JIS", false},
    };
    // Kiln's own environment says UTF-8: only what Kiln read decides.
    SetEnvironmentVariableA("KILN_PROGRAM_CODE_PAGE", "65001");
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.compiler) + " " + c.name);
        KilnInstall kiln;
        std::string name = c.compiler;
        if (name != "gcc.exe") CopyFileTo(kiln.Compiler(), kiln.dir() / name);
        WriteFile(kiln.dir() / (name.substr(0, name.size() - 4) + ".script"), "log calls.log\r\n" + c.script + "create\r\n");
        std::string source = kiln.Source(c.name, c.text);
        WriteFile(kiln.dir() / "Kiln.ini",
                  "[Compiler1]\r\nCompilerName=C\r\nPath=" + (kiln.dir() / name) + "\r\nCompileOption=" + c.options +
                      "\r\nOutputFileOption=" + (name == "cl.exe" ? "/Fe" : "-o") +
                      "\r\nOutputFileType=exe\r\nCheckExecute=1\r\nAidExecute=1\r\nAidProgramPath=" +
                      kiln.AidProgram() + "\r\n[Window]\r\nMagnet=0\r\n");
        Process p;
        HWND window = kiln.OpenFinished(p, source);
        ASSERT_NE(window, nullptr);
        std::string calls, log = kiln.CallsLog();
        for (std::size_t at = 0; (at = log.find("cmdline=", at)) != std::string::npos; at = log.find('\n', at))
            calls += log.substr(at + 8, log.find('\r', at) - at - 8) + "\n";
        EXPECT_EQ(calls, c.calls);
        std::string pane = WindowText(KilnInstall::Pane(window));
        EXPECT_EQ(pane.substr(0, pane.find("\r\n")), c.kilnLine.empty() ? kFinished : c.kilnLine) << pane;
        std::string status = KilnInstall::Status(window);
        EXPECT_EQ(status.size() - status.rfind(c.status), c.status.size()) << status;
        ASSERT_TRUE(WaitUntil([&] { return !kiln.Runs().empty(); }, 10000));
        EXPECT_EQ(kiln.Runs().find("|KILN_PROGRAM_CODE_PAGE=65001\r\n") != std::string::npos, c.utf8Program) << kiln.Runs();
    }
    SetEnvironmentVariableA("KILN_PROGRAM_CODE_PAGE", NULL);
}
