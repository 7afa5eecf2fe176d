// Today's compilers under their own names, gcc 8's bare quotes, and one Kiln
// has never heard of: the real Kiln.exe reads the lines each prints
// (recorded from the real compilers, MSVC's from its documentation, gcc 8's
// from its form), counts them in the status bar,
// and F4, the double-click and Enter put the stand-in editor's caret at the
// line and column they name.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "resources/shared_names.h"
#include "support/gui_kiln_install.h"

using namespace testing_support;

namespace {

const char kC[] = "#include <stdio.h>\nint main(void)\n{\n\tint total = 1\n\tprintf(\"%d\\n\", total);\n"
                  "\treturn 0;\n}\n";
// gcc 8 and older quote the source bare, a blank before it, and a line of
// carets under it: the quote names no place, though it reads like one.
const char kQuoted[] = "int main(void)\n{\n    int a = 1, x\n    x = a ? 1:2;\n    return x;\n}\n";
// fpc counts bytes: the kanji before y is two of them, and one position of
// the edit's under Wine.
const char kPascal[] = "program h;\nvar x: integer;\nbegin\n\twriteln('表', y);\nend.\n";

struct Step {
    int paneLine;
    const char* caret;  // the editor's log line
};

struct Case {
    const char* compiler;
    const char* source;
    const char* text;
    std::vector<const char*> output;  // CP932; the compiler writes it in UTF-8
    const char* counts;
    std::vector<Step> steps;  // F4 presses from the top
    int nothingLine;          // a line that names no place
};

const Case kCases[] = {
    {"x86_64-w64-mingw32-gcc.exe", "b.c", kC,
     {"b.c: 関数 ‘main’ 内:", "b.c:5:9: エラー: expected ‘,’ or ‘;’ before ‘printf’",
      "    5 |         printf(\"%d\\n\", total);", "      |         ^~~~~~",
      "b.c:4:13: 警告: 使用されない変数 ‘total’ です [-Wunused-variable]"},
     "エラー1　警告1　",
     {{1, "caret 5 before printf(\"%d\\n\", total);"}, {4, "caret 4 before total = 1"}},
     2},
    {"mingw32-gcc.exe", "b.c", kQuoted,
     {"b.c: In function 'main':", "b.c:4:5: error: expected ',' or ';' before 'x'", "     x = a ? 1:2;",
      "     ^", "b.c:3:9: warning: variable 'a' set but not used [-Wunused-but-set-variable]"},
     "エラー1　警告1　", {{1, "caret 4 before x = a ? 1:2;"}, {4, "caret 3 before a = 1, x"}}, 2},
    {"clang.exe", "b.c", kC,
     {"b.c:4:15: error: expected ';' at end of declaration", "        int total = 1", "                     ^",
      "                     ;", "1 error generated."},
     "エラー1　警告0　", {{0, "caret 4 before "}}, 4},
    {"tcc.exe", "b.c", kC, {"b.c:5: error: ';' expected (got \"printf\")"}, "エラー1　警告0　",
     {{0, "caret 5"}}, -1},
    {"cl.exe", "b.c", kC,
     {"b.c", "1>b.c(5): error C2146: syntax error: missing ';' before identifier 'printf'",
      "b.c(4,6): warning C4189: 'total': local variable is initialized but not referenced",
      "b.obj : error LNK2019: unresolved external symbol _f referenced in function _main"},
     "エラー2　警告1　", {{1, "caret 5"}, {2, "caret 4 before total = 1"}}, 3},
    {"fpc.exe", "h.pas", kPascal,
     {"Hint: Start of reading config file C:\\FPC\\bin\\fpc.cfg", "Compiling h.pas",
      "h.pas(4,16) Error: Identifier not found \"y\"", "h.pas(6) Fatal: There were 1 errors compiling module, stopping",
      "Fatal: Compilation aborted"},
     "エラー3　警告0　", {{2, "caret 4 before y);"}, {3, "caret 6"}}, 4},
    // Any other name: the colon, parenthesis and space forms, columns in bytes.
    {"mycc.exe", "b.c", kC,
     {"In file included from b.c:2:", "b.c:5:9: error: x", "b.c(4,12): warning C4189: 'total'",
      "Error E2451 b.c 6: Undefined symbol 'y'", "1 error generated."},
     "エラー1　警告1　",
     {{1, "caret 5 before \"%d\\n\", total);"}, {2, "caret 4 before = 1"}, {3, "caret 6"}}, 4},
};

}  // namespace

TEST(TodaysCompilers, EachReadsItsLinesCountsThemAndPutsTheCaretAtTheColumn) {
    for (const Case& c : kCases) {
        SCOPED_TRACE(c.compiler);
        KilnInstall kiln;
        CopyFileTo(kiln.Compiler(), kiln.dir() / c.compiler);
        std::string source = kiln.Source(c.source, c.text);
        std::string script;
        for (const char* line : c.output) script += "err " + KilnInstall::Utf8ScriptText(line) + "\\n\r\n";
        // The stand-in reads NAME.script for its own NAME.
        std::string name = c.compiler;
        WriteFile(kiln.dir() / (name.substr(0, name.size() - 4) + ".script"), script + "exit 1\r\n");
        StandinEditor editor;
        ASSERT_TRUE(editor.Start("\"" + source + "\" /rect=640,0,380,300"));
        WriteFile(kiln.dir() / "Kiln.ini", "[Compiler1]\r\nCompilerName=C\r\nPath=" + (kiln.dir() / c.compiler) +
                                               "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n[Editor]\r\nPath=" +
                                               editor.ExePath() +
                                               "\r\nJumpOption=/jl=%N\r\nJumpType=1\r\n[Window]\r\nMagnet=0\r\n");
        Process p;
        HWND window = kiln.OpenFinished(p, source);
        ASSERT_NE(window, nullptr);
        HWND pane = KilnInstall::Pane(window);
        EXPECT_EQ(KilnInstall::Status(window).rfind(c.counts, 0), 0u) << KilnInstall::Status(window);

        for (const Step& step : c.steps) {
            std::string before = editor.Log();
            ASSERT_TRUE(SendKeyPress(window, VK_F4));
            EXPECT_TRUE(WaitForFileText(editor.LogPath(), before + step.caret + "\r\n", 5000)) << editor.Log();
            DWORD both = static_cast<DWORD>(SendMessageA(pane, EM_GETSEL, 0, 0));
            EXPECT_EQ(SendMessageA(pane, EM_LINEFROMCHAR, LOWORD(both), 0), step.paneLine) << step.caret;
        }
        // Enter on the last line F4 chose: the same place, the editor forward.
        std::string before = editor.Log();
        ASSERT_TRUE(SendKeyPress(window, VK_RETURN));
        EXPECT_TRUE(WaitForFileText(editor.LogPath(), before + c.steps.back().caret + "\r\nforeground\r\n"));

        // A double-click on the first error line does the same; one on a
        // line that names nothing starts nothing.
        ASSERT_TRUE(BringToForeground(window));
        before = editor.Log();
        ASSERT_TRUE(DoubleClickEditLine(pane, c.steps.front().paneLine));
        EXPECT_TRUE(WaitForFileText(editor.LogPath(), before + c.steps.front().caret + "\r\n"));
        if (c.nothingLine >= 0) {
            ASSERT_TRUE(BringToForeground(window));
            before = editor.Log();
            ASSERT_TRUE(DoubleClickEditLine(pane, c.nothingLine));
            EXPECT_TRUE(NoMessageBox(editor.ExePath(), 800));
            EXPECT_EQ(editor.Log().find("caret", before.size()), std::string::npos);
        }
        EXPECT_TRUE(p.Running());
    }
}
