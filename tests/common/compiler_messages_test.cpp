#include "common/compiler_messages.h"

#include <gtest/gtest.h>

#include <string>

#include "common/status_text.h"

namespace {

struct KindCase {
    const char* compiler;
    const char* line;
    MessageKind kind;
};

// Lines as each compiler prints them; CP932 for the Japanese ones.
const KindCase kKinds[] = {
    {"gcc.exe", "hello.c:5:3: error: expected ';' before 'printf'", kErrorLine},
    {"gcc.exe", "hello.c:7:12: error: 'total' undeclared (first use in this function)", kErrorLine},
    {"gcc.exe", "hello.c:1:10: fatal error: nothere.h: No such file or directory", kErrorLine},
    {"gcc.exe", "collect2.exe: error: ld returned 1 exit status", kErrorLine},
    {"gcc.exe", "error: unrecognized command-line option '-q'", kErrorLine},
    {"gcc.exe", "hello.c:4:9: warning: unused variable 'n' [-Wunused-variable]", kWarningLine},
    {"gcc.exe", "hello.c:7:12: note: each undeclared identifier is reported only once", kNoteLine},
    {"g++.exe", "C:\\ソース\\表.cpp:3:1: エラー: 'x' was not declared", kErrorLine},
    {"g++.exe", "C:\\ソース\\表.cpp:3:1: 警告: unused", kWarningLine},
    {"g++.exe", "C:\\ソース\\表.cpp:3:1: 備考: here", kNoteLine},
    {"g++.exe", "a.c:1:10: 致命的エラー: x.h: No such file", kErrorLine},
    // The first word decides; words inside the message or the source do not.
    {"gcc.exe", "a.c:2:1: warning: 'error:' in a string", kWarningLine},
    {"gcc.exe", "    3 |     puts(\"error: x\");", kPlainLine},
    {"gcc.exe", "    3 | error: x", kPlainLine},
    {"gcc.exe", "hello.c: In function 'main':", kPlainLine},
    {"gcc.exe", "In file included from hello.c:2:", kPlainLine},
    {"gcc.exe", "a.c:1:1: errors: none", kPlainLine},
    // A trail byte 0x5C or ':' is not the colon before a word.
    {"gcc.exe", "\x83\x5C error: x", kPlainLine},
    {"javac.exe", "Hello.java:3: error: ';' expected", kErrorLine},
    {"javac.exe", "warning: [options] bootstrap class path not set", kWarningLine},
    {"javac.exe", "1 error", kPlainLine},
    {"bcc32.exe", "Error E2451 hello.c 5: Undefined symbol 'x' in function main", kErrorLine},
    {"bcc32.exe", "Warning W8004 hello.c 7: 'x' is assigned a value that is never used", kWarningLine},
    {"bcc32.exe", "Fatal F1003 hello.c 1: Error directive: stop", kErrorLine},
    {"bcc32.exe", "Error: Unresolved external '_foo' referenced from C:\\A.OBJ", kErrorLine},
    {"bcc32.exe", "hello.c:", kPlainLine},
    {"bcc32.exe", "Errors.c 3: x", kPlainLine},
    {"bcc32.exe", "hello.c 3: error: x", kPlainLine},
    {"lcc.exe", "Error hello.c 12: syntax error; found 'int' expecting ';'", kErrorLine},
    {"lcc.exe", "Warning hello.c 3: missing prototype", kWarningLine},
    {"lcc.exe", "hello.c:3: error: x", kErrorLine},
    {"lcc.exe", "Fatal hello.c 3: x", kPlainLine},
    {"dcc32.exe", "Unit1.pas(30) Error: Undeclared identifier: 'x'", kErrorLine},
    {"dcc32.exe", "Hello.dpr(5) Fatal: File not found: 'Foo.dcu'", kErrorLine},
    {"dcc32.exe", "Unit1.pas(9) Warning: Variable 'i' might not have been initialized", kWarningLine},
    {"dcc32.exe", "Unit1.pas(12) Hint: Value assigned to 'x' never used", kWarningLine},
    {"dcc32.exe", "Fatal: F1026 File not found: 'x.dpr'", kErrorLine},
    {"dcc32.exe", "Unit1.pas(30) MyError: x", kPlainLine},
    {"tcc.exe", "a.c:1: error: x", kErrorLine},
    {"cl.exe", "a.c(5): error C2065: 'x': undeclared identifier", kErrorLine},
    {"cl.exe", "LINK : fatal error LNK1120: 1 unresolved externals", kErrorLine},
    {"cl.exe", "a.obj : error LNK2019: unresolved external symbol _f", kErrorLine},
    {"cl.exe", "a.c(7): warning C4996: 'strcpy': This function may be unsafe", kWarningLine},
    {"cl.exe", "cl : Command line warning D9002 : ignoring unknown option '/q'", kWarningLine},
    {"cl.exe", "a.c(3): note: see declaration of 'f'", kNoteLine},
    {"cl.exe", "a.c(5): error 'x'", kPlainLine},   // no code: not MSVC's word
    {"cl.exe", "a.c", kPlainLine},
    {"fpc.exe", "h.pas(4,10) Error: Identifier not found \"y\"", kErrorLine},
    {"fpc.exe", "Fatal: Compilation aborted", kErrorLine},
    {"fpc.exe", "h.pas(3,1) Warning: Variable \"x\" does not seem to be initialized", kWarningLine},
    {"fpc.exe", "h.pas(2,5) Note: Local variable \"i\" not used", kNoteLine},
    {"fpc.exe", "Hint: Start of reading config file", kNoteLine},
    // Any other compiler: gcc's words and MSVC's.
    {"mycc.exe", "b.c:5:9: エラー: x", kErrorLine},
    {"mycc.exe", "a.c(5,1): warning C4013: 'f' undefined", kWarningLine},
    {"mycc.exe", "Error E2451 hello.c 5: x", kPlainLine},
};

}  // namespace

TEST(CompilerMessages, EachCompilerNamesItsKinds) {
    for (const KindCase& c : kKinds) {
        std::string line = c.line;
        EXPECT_EQ(ClassifyLine(DialectForCompiler(c.compiler), line.data(), line.size()), c.kind)
            << c.compiler << ": " << c.line;
    }
    EXPECT_EQ(DialectForCompiler("C:\\表\\GCC.EXE"), kGnuDialect);
    EXPECT_EQ(DialectForCompiler("x86_64-w64-mingw32-clang.exe"), kGnuDialect);
    EXPECT_EQ(DialectForCompiler("C:\\gcc.exe\\mycc.exe"), kAnyDialect);
}

TEST(StatusText, SummaryCompilingAndStopped) {
    MessageCounts counts = {2, 1};
    EXPECT_EQ(SummaryStatus(counts, 1, 1234), "エラー2　警告1　終了コード1　1.23秒");
    EXPECT_EQ(SummaryStatus(counts, 0xFFFFFFFFUL, 5), "エラー2　警告1　終了コード-1　0.01秒");
    EXPECT_EQ(SummaryStatus(counts, 0xC0000005UL, 999995), "エラー2　警告1　終了コード-1073741819　1000.00秒");
    EXPECT_EQ(CompilingStatus(0), "コンパイル中…　0.0秒");
    EXPECT_EQ(CompilingStatus(2960), "コンパイル中…　3.0秒");
    EXPECT_EQ(StoppedStatus(60004), "中止　60.00秒");
}
