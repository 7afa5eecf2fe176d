// Kiln.exe with this machine's real i686-w64-mingw32-gcc behind the demo's
// gcc.exe bridge: real C compiled in a folder with a Japanese name, the real
// compiler's error lines in the pane, and a built program that runs.
#include <gtest/gtest.h>

#include <string>

#include "resources/shared_names.h"
#include "support/gui_message_boxes.h"
#include "support/gui_windows.h"
#include "support/processes.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

const char kFinished[] = "Kiln:コンパイル終了";

class RealGcc : public ::testing::Test {
protected:
    RealGcc() : dir_("kiln-gcc") {
        CopyFileTo(BinDir() + "\\Kiln.exe", dir_ / "Kiln.exe");
        for (const char* name : {"gcc.exe", "clang.exe", "javac.exe"}) CopyFileTo(BinDir() + "\\gcc_bridge.exe", dir_ / name);
        folder_ = dir_.MakeDir("ソース");
        include_ = dir_.MakeDir("ソース\\include");
    }

    std::string Source(const std::string& name, const std::string& text) {
        WriteFile(folder_ + "\\" + name, text);
        return folder_ + "\\" + name;
    }

    // Compiles through Kiln.exe with the options and returns the pane once
    // the compile has ended (empty when it did not end in time).
    std::string CompileInKiln(const std::string& source, const std::string& options = std::string(),
                              const std::string& compiler = "gcc.exe") {
        const bool java = compiler == "javac.exe";
        WriteFile(dir_ / "Kiln.ini", "[Compiler]\r\nCompilerNo=0\r\n[Compiler1]\r\nCompilerName=GNU C\r\nPath=" +
                                         (dir_ / compiler) + "\r\nCompileOption=" + options +
                                         (java ? "\r\nOutputFileType=class" : "\r\nOutputFileOption=-o\r\nOutputFileType=exe") +
                                         "\r\n[Window]\r\nMagnet=0\r\n");
        Process kiln;
        if (!kiln.Start(dir_ / "Kiln.exe", "\"" + source + "\"", dir_.path())) return std::string();
        HWND window = WaitForTopLevelWindow(KILN_WINDOW_CLASS, kiln.Id(), 15000);
        if (!window) return std::string();
        HWND pane = FindChild(window, "EDIT");
        std::string text;
        WaitUntil([&] { return (text = WindowText(pane)).find(kFinished) != std::string::npos; }, 60000, 100);
        status_ = WindowText(FindChild(window, "msctls_statusbar32"));
        offered_ = AnswerMessageBox("実行確認", IDCANCEL, NULL, 2000);
        PostMessageA(window, WM_CLOSE, 0, 0);
        kiln.WaitForExit(10000);
        return text;
    }

    bool offered_ = false;  // the run offer came (and was declined)
    std::string status_;
    TempDir dir_;
    std::string folder_;
    std::string include_;
};

}  // namespace

TEST_F(RealGcc, WorkingProgramIsBuiltOfferedAndRuns) {
    std::string source = Source("hello.c", "#include <stdio.h>\nint main(void)\n{\n    int n;\n"
                                           "    if (scanf(\"%d\", &n) != 1) {\n        puts(\"hello\");\n"
                                           "        return 42;\n    }\n    printf(\"%d\\n\", n * 2);\n    return 0;\n}\n");
    // A compile without messages leaves only Kiln's own end text, then the
    // run offer (declined here: the program is run below, with its status).
    EXPECT_EQ(CompileInKiln(source), kFinished);
    EXPECT_TRUE(offered_);
    ASSERT_TRUE(Exists(folder_ + "\\hello.exe"));
    std::string output;
    EXPECT_EQ(RunToEndCapturing(folder_ + "\\hello.exe", "", folder_, &output), 42);
    EXPECT_EQ(output, "hello\r\n");

    // execute.exe judges the real program on the sample cases beside it.
    dir_.MakeDir("ソース\\test");
    const char* files[][2] = {{"sample-1.in", "2\n"}, {"sample-1.out", "4\n"}, {"sample-2.in", "3 \r\n"},
                              {"sample-2.out", "5\r\n"}, {"sample-10.in", ""}, {"sample-10.out", "hello\n"}};
    for (const auto& file : files) WriteFile(folder_ + "\\test\\" + file[0], file[1]);
    output.clear();
    EXPECT_EQ(RunToEndCapturing(BinDir() + "\\execute.exe", "hello.exe", folder_, &output), 1);
    const char* const lines[] = {"sample-1: AC（", "sample-2: WA（", "  1行目が違います\r\n  正解: 5\r\n  出力: 6\r\n",
                                 "sample-10: RE（終了コード42）\r\n", "サンプル3件中1件AC\r\n"};
    std::size_t at = 0;
    for (const char* line : lines) {
        at = output.find(line, at);
        ASSERT_NE(at, std::string::npos) << line << "\n" << output;
    }
}

TEST_F(RealGcc, ErrorLinesReachThePaneWithWindowsNames) {
    // One error in the source, one in a header found through an absolute
    // include folder: the header's name comes back as a Windows path.
    WriteFile(include_ + "\\defs.h", "#define LIMIT = 3\n");
    std::string source = Source("broken.c",
                                "#include \"defs.h\"\nint main(void)\n{\n    return missing + LIMIT;\n}\n");
    std::string pane = CompileInKiln(source, "-I" + include_);
    // gcc speaks Japanese here (scripts/setup installs its catalog; the tests
    // run under ja_JP.UTF-8): its UTF-8 words beside the names it got.
    for (const std::string& line : {std::string("broken.c: 関数 ‘main’ 内:"),
                                    std::string("broken.c:4:12: エラー: ‘missing’ が宣言されていません"
                                                " (この関数内での最初の使用)"),
                                    std::string("次のファイルから読み込み:  broken.c:1:"),
                                    include_ + "\\defs.h:1:15: エラー: expected expression before ‘=’ token"}) {
        EXPECT_NE(pane.find(line + "\r\n"), std::string::npos) << line << "\n" << pane;
    }
    EXPECT_EQ(pane.find("/"), std::string::npos) << pane;
    EXPECT_EQ(pane.size() - pane.rfind(kFinished), sizeof kFinished - 1) << pane;
    EXPECT_FALSE(Exists(folder_ + "\\broken.exe"));
    EXPECT_FALSE(offered_);
}

TEST_F(RealGcc, BridgeGivesTheCompilersExitStatus) {
    std::string good = Source("good.c", "int main(void) { return 0; }\n");
    std::string bad = Source("bad.c", "int main(void) { return }\n");
    EXPECT_EQ(RunToEnd(dir_ / "gcc.exe", "\"" + good + "\" -o good.exe", folder_, 60000), 0);
    EXPECT_TRUE(Exists(folder_ + "\\good.exe"));
    EXPECT_EQ(RunToEnd(dir_ / "gcc.exe", "bad.c -o bad.exe", folder_, 60000), 1);
    EXPECT_FALSE(Exists(folder_ + "\\bad.exe"));
}

// Sources as a Japanese student saves them, through the real compilers, in
// Japanese and in English: what Kiln adds shows in the program's bytes
// (code page 932 where the compiler can be told, UTF-8 where it cannot),
// nothing else in the pane, and the bar names the encoding.
TEST_F(RealGcc, TheProgramWritesWhatTheConsoleShows) {
    const std::string cp932 = "表示\r\nソフト\r\n", utf8 = u8"表示\r\nソフト\r\n";
    const std::string body = "#include <stdio.h>\nint main(void) { printf(\"%s\\n\", \"表示\"); puts(\"ソフト\"); return 0; }\n";
    const std::string utf8Body = u8"#include <stdio.h>\nint main(void) { printf(\"%s\\n\", \"表示\"); puts(\"ソフト\"); return 0; }\n";
    const std::string java = "class Hello { public static void main(String[] a) { System.out.println(\"表示\"); } }\n";
    const std::string utf8Java = u8"class Hello { public static void main(String[] a) { System.out.println(\"表示\"); } }\n";
    const struct {
        const char *compiler, *name;
        std::string text, options;
        bool english;
        std::string status, output;  // output: the program's, or for javac the class file's literal
        std::string first;           // the pane's first line when it is Kiln's own
    } cases[] = {
        {"gcc.exe", "表.c", body, "", false, "Shift_JIS", cp932, ""}, {"gcc.exe", "u.c", utf8Body, "", true, "UTF-8", cp932, ""},
        {"gcc.exe", "b.c", "\xEF\xBB\xBF" + utf8Body, "", false, "UTF-8 BOM", cp932, ""},
        {"gcc.exe", "s.c", u8"#include <stdio.h>\nint main(void) { puts(\"寿司🍣\"); return 0; }\n", "", true, "UTF-8",
         u8"寿司🍣\r\n", ""},
        {"gcc.exe", "a.c", "#include <stdio.h>\nint main(void) { puts(\"hello\"); return 0; }\n", "", false, "", "hello\r\n", ""},
        {"gcc.exe", "e.c", utf8Body, "-fexec-charset=UTF-8", false, "UTF-8", utf8, ""},
        {"clang.exe", "表.c", body, "", false, "Shift_JIS", "",
         "Kiln:表.c 2行目の「表」は2バイト目が\\と読まれるため、このコンパイラでは文字化けします。ソースをUTF-8で保存してください"},
        {"clang.exe", "u.c", utf8Body, "", true, "UTF-8", utf8, ""},
        {"javac.exe", "Hello.java", java, "", false, "Shift_JIS", u8"表示", ""},
        {"javac.exe", "Hello.java", utf8Java, "", true, "UTF-8", u8"表示", ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.compiler) + " " + c.name + " " + c.status);
        SetEnvironmentVariableA("LC_ALL", c.english ? "C.UTF-8" : NULL);
        std::string pane = CompileInKiln(Source(c.name, c.text), c.options, c.compiler);
        SetEnvironmentVariableA("LC_ALL", NULL);
        EXPECT_EQ(c.first.empty() ? pane : pane.substr(0, pane.find("\r\n")), c.first.empty() ? kFinished : c.first);
        EXPECT_EQ(status_.size() - status_.rfind(c.status), c.status.size()) << status_;
        std::string stem = std::string(c.name).substr(0, std::string(c.name).rfind('.')), output;
        if (std::string(c.compiler) == "javac.exe")
            EXPECT_NE(ReadFile(folder_ + "\\Hello.class").find(c.output), std::string::npos);
        else if (!c.output.empty() && RunToEndCapturing(folder_ + "\\" + stem + ".exe", "", folder_, &output) == 0)
            EXPECT_EQ(output, c.output);
        else
            EXPECT_TRUE(c.output.empty()) << "did not run";
    }
    // The first program, code page 932, is AC against the UTF-8 answer oj saved.
    dir_.MakeDir("ソース\\test");
    WriteFile(folder_ + "\\test\\sample-1.in", "");
    WriteFile(folder_ + "\\test\\sample-1.out", "\xEF\xBB\xBF" + std::string(u8"表示\nソフト\n"));
    std::string output;
    CompileInKiln(Source("表.c", body));
    EXPECT_EQ(RunToEndCapturing(BinDir() + "\\execute.exe", "表.exe", folder_, &output), 0);
    EXPECT_NE(output.find("sample-1: AC（"), std::string::npos) << output;
}
