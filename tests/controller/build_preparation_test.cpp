// Build preparation on real files, real file times, the real current
// directory and PATH, and a real child process that reports what it inherited.
// Cases here show no message box; those with boxes are in the GUI test.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "controller/build_preparation.h"
#include "controller/built_outputs.h"
#include "controller/path_operations.h"
#include "controller/program_path.h"
#include "support/processes.h"
#include "support/environment.h"
#include "support/test_files.h"

using namespace testing_support;

namespace {

void SetProfile(SettingsFile* s, const std::string& path, const std::string& option,
                const std::string& outputOption, const std::string& outputType) {
    std::strcpy(s->Path, path.c_str());
    std::strcpy(s->CompileOption, option.c_str());
    std::strcpy(s->OutputFileOption, outputOption.c_str());
    std::strcpy(s->OutputFileType, outputType.c_str());
}

std::string OutputPath(const std::string& source, const char* extension) {
    char output[kPathSize] = "(untouched)";
    EXPECT_EQ(ComposeOutputPath(output, source.c_str(), extension), 1) << source;
    return output;
}

std::string CommandLine(const SettingsFile& s, const std::string& source, const std::string& output) {
    static char line[kCommandLineSize];
    EXPECT_EQ(ComposeCommandLine(s, line, sizeof line, source.c_str(), output.c_str()), 1);
    return line;
}

std::string NamePart(const char* path) {
    char name[kPathSize] = "(untouched)";
    FileNamePart(name, path);
    return name;
}

}  // namespace

TEST(PathOperations, QuotesDirectoriesAndNamesStepByCharacter) {
    char both[] = "\"C:\\ソース\\表.c\"";
    EXPECT_STREQ(StripQuotes(both), "C:\\ソース\\表.c");
    char trailing[] = "C:\\work\\hello.exe\"";
    EXPECT_STREQ(StripQuotes(trailing), "C:\\work\\hello.exe");
    char plain[] = "C:\\work\\hello.c";
    EXPECT_STREQ(StripQuotes(plain), "C:\\work\\hello.c");

    // ソ and 表 end in the byte of a backslash; neither may be cut.
    char nested[] = "C:\\ソース\\表\\表.c";
    CutAtLastBackslash(nested);
    EXPECT_STREQ(nested, "C:\\ソース\\表");
    CutAtLastBackslash(nested);
    EXPECT_STREQ(nested, "C:\\ソース");

    EXPECT_EQ(NamePart("C:\\ソース\\表\\表.c"), "表.c");
    EXPECT_EQ(NamePart("C:\\ソース\\表"), "表");
    EXPECT_EQ(NamePart("\"C:\\work\\hello.exe\""), "hello.exe");
    EXPECT_EQ(NamePart("C:\\work\\hello.exe\""), "hello.exe");
    // Without a backslash the text is taken whole, quotes included.
    EXPECT_EQ(NamePart("-o"), "-o");
    EXPECT_EQ(NamePart("\"-e\""), "\"-e\"");
    // A name that would not fit is not handed on shortened.
    EXPECT_EQ(NamePart(("C:\\" + std::string(300, 'n') + ".c").c_str()), "");
}

TEST(PathOperations, ExistenceOnRealFiles) {
    TempDir dir;
    std::string folder = dir.MakeDir("ソース\\表");
    std::string exe = folder + "\\表.exe";
    WriteFile(exe, "stale");

    EXPECT_EQ(FileExists((exe + "\"").c_str()), 1);
    EXPECT_EQ(FileExists(("\"" + exe + "\"").c_str()), 1);
    EXPECT_EQ(FileExists(folder.c_str()), 1) << "a directory counts as existing";
    EXPECT_EQ(FileExists((folder + "\\表.c\"").c_str()), 0);

    EXPECT_TRUE(Exists(folder));
}

// What a compile wrote, judged by what the output was before it: an old
// program it could not delete is never its, nor one dated after its end.
TEST(BuiltOutputs, OnlyWhatTheCompileWroteCounts) {
    TempDir dir;
    const std::string exe = dir.MakeDir("ソース") + "\\表.exe", quoted = exe + "\"";
    const long long kNow = -1, k2020 = 0, k2031 = 11LL * 365 * 86400;
    const struct {
        DWORD old;        // the attributes of the output before; 0: none
        bool written;     // by the "compile"
        long long dated;  // its write time: now, or seconds after 2020-01-01
        bool wrote;
    } cases[] = {{0, true, kNow, true},    {FILE_ATTRIBUTE_NORMAL, true, kNow, true},
                 {0, true, k2031, false},  {FILE_ATTRIBUTE_NORMAL, false, kNow, false},
                 {0, true, k2020, false},  {FILE_ATTRIBUTE_READONLY, false, kNow, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.old << c.written << c.dated);
        SetFileAttributesA(exe.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(exe.c_str());
        if (c.old) WriteFile(exe, "old");
        SetFileAttributesA(exe.c_str(), c.old);
        OutputBefore before = ClearOutputForCompile(quoted.c_str());
        if (c.written) WriteFile(exe, "new");
        if (c.dated != kNow) SetFileTimeSeconds(exe, c.dated);
        FILETIME end;
        GetSystemTimeAsFileTime(&end);
        EXPECT_EQ(CompileWrote(quoted.c_str(), before, end), c.wrote);
    }
    SetFileAttributesA(exe.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileTimes, NewerOlderAndEqualOnRealFiles) {
    TempDir dir;
    std::string folder = dir.MakeDir("ソース");
    std::string source = folder + "\\表.c";
    std::string output = folder + "\\表.exe";
    WriteFile(source, "int main(){}");
    WriteFile(output, "MZ");
    std::string quotedOutput = output + "\"";  // as ComposeOutputPath writes it

    SetFileTimeSeconds(source, 100);
    SetFileTimeSeconds(output, 100);
    EXPECT_EQ(CompareFileTimes(source.c_str(), quotedOutput.c_str()), 0);
    SetFileTimeSeconds(output, 101);
    EXPECT_EQ(CompareFileTimes(source.c_str(), quotedOutput.c_str()), -1);
    SetFileTimeSeconds(source, 102);
    EXPECT_EQ(CompareFileTimes(("\"" + source + "\"").c_str(), quotedOutput.c_str()), 1);

    // 429 s is just under 2^32 ticks: the source's high half is larger while
    // its low half is smaller, so only a high-first comparison gets it right.
    SetFileTimeSeconds(output, 0);
    SetFileTimeSeconds(source, 429);
    WIN32_FILE_ATTRIBUTE_DATA a, b;
    ASSERT_TRUE(GetFileAttributesExA(source.c_str(), GetFileExInfoStandard, &a));
    ASSERT_TRUE(GetFileAttributesExA(output.c_str(), GetFileExInfoStandard, &b));
    ASSERT_GT(a.ftLastWriteTime.dwHighDateTime, b.ftLastWriteTime.dwHighDateTime);
    ASSERT_LT(a.ftLastWriteTime.dwLowDateTime, b.ftLastWriteTime.dwLowDateTime);
    EXPECT_EQ(CompareFileTimes(source.c_str(), quotedOutput.c_str()), 1);
    EXPECT_EQ(CompareFileTimes(output.c_str(), source.c_str()), -1);
}

TEST(OutputPath, ExtensionReplacesTheLastDotOfTheFileName) {
    EXPECT_EQ(OutputPath("C:\\work\\hello.c", "exe"), "C:\\work\\hello.exe\"");
    EXPECT_EQ(OutputPath("\"C:\\work\\hello.c\"", "exe"), "\"C:\\work\\hello.exe\"");
    EXPECT_EQ(OutputPath("C:\\work\\a.b.c", "exe"), "C:\\work\\a.b.exe\"");
    EXPECT_EQ(OutputPath("C:\\my.dir\\prog.c", "exe"), "C:\\my.dir\\prog.exe\"");
    EXPECT_EQ(OutputPath("C:\\ソース\\表\\表.c", "exe"), "C:\\ソース\\表\\表.exe\"");
    // The extension 表 ends in a backslash byte; the file name is ver.表.
    EXPECT_EQ(OutputPath("C:\\ソース\\ver.表", "exe"), "C:\\ソース\\ver.exe\"");
    EXPECT_EQ(OutputPath("C:\\work\\Hello.java", "class"), "C:\\work\\Hello.class\"");
    EXPECT_EQ(OutputPath("C:\\work\\hello.c", ""), "C:\\work\\hello.\"");

    // Longest that fits: 258 bytes of path and the closing quote.
    std::string stem = "C:\\" + std::string(251, 's') + ".";
    ASSERT_EQ(stem.size() + 3, 258u);
    EXPECT_EQ(OutputPath(stem + "c", "exe"), stem + "exe\"");

    // Whichever way the source came, the output is seen as the same file.
    TempDir dir;
    std::string folder = dir.MakeDir("ソース");
    WriteFile(folder + "\\hello.exe", "MZ");
    for (const std::string& source : {folder + "\\hello.c", "\"" + folder + "\\hello.c\""}) {
        std::string output = OutputPath(source, "exe");
        EXPECT_EQ(FileExists(output.c_str()), 1) << output;
        EXPECT_EQ(NamePart(output.c_str()), "hello.exe");
    }
}

TEST(CommandLine, CompilerSourceAndOutputByBareName) {
    SettingsFile s;
    // bcc32 (in any letters), cl and fpc take the output name joined.
    struct {
        const char *compiler, *options, *outputOption, *type, *source, *output, *line;
    } cases[] = {
        {"C:\\MinGW\\bin\\gcc.exe", "-Wall", "-o", "exe", "hello.c", "hello.exe", "gcc.exe -Wall hello.c -o hello.exe"},
        {"C:\\Borland\\BCC55\\Bin\\bcc32.exe", "", "-e", "exe", "hello.c", "hello.exe", "bcc32.exe hello.c -ehello.exe"},
        {"C:\\BORLAND\\BIN\\BCC32.EXE", "", "-e", "exe", "hello.c", "hello.exe", "BCC32.EXE hello.c -ehello.exe"},
        {"C:\\VS\\bin\\CL.EXE", "/nologo", "/Fe", "exe", "hello.c", "hello.exe", "CL.EXE /nologo hello.c /Fehello.exe"},
        {"C:\\FPC\\bin\\i386-win32\\fpc.exe", "", "-o", "exe", "h.pas", "h.exe", "fpc.exe h.pas -oh.exe"},
        {"C:\\msys64\\clang64\\bin\\clang.exe", "", "-o", "exe", "hello.c", "hello.exe", "clang.exe hello.c -o hello.exe"},
        {"C:\\jdk\\bin\\javac.exe", "", "", "class", "Hello.java", "Hello.class", "javac.exe Hello.java "},
        // The form MSYS2 prints: its slashes are folders as backslashes are.
        {"C:/msys64/ucrt64/bin/gcc.exe", "", "-o", "exe", "hello.c", "hello.exe", "gcc.exe hello.c -o hello.exe"},
    };
    for (const auto& c : cases) {
        SetProfile(&s, c.compiler, c.options, c.outputOption, c.type);
        EXPECT_EQ(CommandLine(s, std::string("C:\\work\\") + c.source, std::string("C:\\work\\") + c.output + "\""), c.line);
    }

    // Quoted paths, a quoted compiler path, CP932 names and several options.
    SetProfile(&s, "\"C:\\ソース\\表\\g++.exe\"", "-O2 -Wall  -DX=1", "-o", "exe");
    EXPECT_EQ(CommandLine(s, "\"C:\\ソース\\表\\表.cpp\"", "\"C:\\ソース\\表\\表.exe\""),
              "g++.exe -O2 -Wall  -DX=1 表.cpp -o 表.exe");
    // An output path without its quotes gives the same line.
    EXPECT_EQ(CommandLine(s, "C:\\ソース\\表\\表.cpp", "C:\\ソース\\表\\表.exe"),
              "g++.exe -O2 -Wall  -DX=1 表.cpp -o 表.exe");
}

TEST(CommandLine, TheCompilerStartedIsTheConfiguredPathMadeFull) {
    // Old settings name a compiler without ".exe": only the file name's dot
    // counts, not one of a folder such as Kiln-1.0.0.
    struct {
        std::string configured, started;
    } const cases[] = {
        {"C:\\x.y\\bin\\gcc", "C:\\x.y\\bin\\gcc.exe"},
        {"C:/x.y/bin/gcc", "C:\\x.y\\bin\\gcc.exe"},
        {"\"C:\\ソ\\表\\gcc.exe\"", "C:\\ソ\\表\\gcc.exe"},
        {"Kiln-1.0.0\\cc\\gcc", BinDir() + "\\Kiln-1.0.0\\cc\\gcc.exe"},  // from Kiln's folder
        {"C:\\cc\\build.bat", "C:\\cc\\build.bat"},
    };
    for (const auto& c : cases) EXPECT_EQ(ConfiguredProgramPath(c.configured.c_str()), c.started) << c.configured;
}

TEST(CommandLine, LongestCompileOptionPassesWhole) {
    SettingsFile s;
    std::string option = "-DLONG=";
    while (option.size() < kLongTextSize - 1) option += static_cast<char>('a' + option.size() % 26);
    ASSERT_EQ(option.size(), 511u);
    SetProfile(&s, "C:\\MinGW\\bin\\gcc.exe", option, "-o", "exe");
    std::string line = CommandLine(s, "C:\\work\\hello.c", "C:\\work\\hello.exe\"");
    EXPECT_EQ(line, "gcc.exe " + option + " hello.c -o hello.exe");
    EXPECT_GT(line.size(), 511u) << "longer than the old 512-byte line";
}

TEST(SourcePath, RelativePathsBecomeFullBeforeTheDirectoryChanges) {
    EnvironmentGuard guard;
    TempDir dir;
    std::string folder = dir.MakeDir("ソース\\表");
    ASSERT_TRUE(SetCurrentDirectoryA(folder.c_str()));
    char source[kLongTextSize];

    std::strcpy(source, "表.c");
    EXPECT_EQ(MakeSourcePathFull(source, sizeof source), 1);
    EXPECT_EQ(std::string(source), folder + "\\表.c");

    std::strcpy(source, "\"hello world.c\"");
    EXPECT_EQ(MakeSourcePathFull(source, sizeof source), 1);
    EXPECT_EQ(std::string(source), folder + "\\hello world.c");

    std::strcpy(source, "sub\\hello.c");
    EXPECT_EQ(MakeSourcePathFull(source, sizeof source), 1);
    EXPECT_EQ(std::string(source), folder + "\\sub\\hello.c");

    std::strcpy(source, "..\\hello.c");
    EXPECT_EQ(MakeSourcePathFull(source, sizeof source), 1);
    EXPECT_EQ(std::string(source), dir.path() + "\\ソース\\hello.c");

    // A full path keeps its form, quotes included.
    std::strcpy(source, "\"C:\\work dir\\hello.c\"");
    EXPECT_EQ(MakeSourcePathFull(source, sizeof source), 1);
    EXPECT_STREQ(source, "\"C:\\work dir\\hello.c\"");
    EXPECT_EQ(CurrentDirectory(), folder) << "only resolved, not changed";
}

TEST(Environment, SourceDirectoryIsCurrentAndPathHoldsTheCompilersAndTheSystemsNotTheSources) {
    EnvironmentGuard guard;
    TempDir dir;
    std::string compilerFolder = dir.MakeDir("コンパイラ\\表\\bin");
    std::string sourceFolder = dir.MakeDir("ソース\\表");
    SettingsFile s;
    SetProfile(&s, "\"" + compilerFolder + "\\gcc.exe\"", "", "-o", "exe");

    std::string source = "\"" + sourceFolder + "\\表.c\"";
    EXPECT_EQ(PrepareEnvironment(s, NULL, NULL, source.c_str()), 1);
    EXPECT_EQ(CurrentDirectory(), sourceFolder);
    EXPECT_EQ(PathVariable(), compilerFolder + ";" + SystemFolders() + ";" + BinDir());

    // The same compiler named with slashes, as MSYS2 prints it.
    std::string slashed = dir.path();
    for (char& c : slashed) c = c == '\\' ? '/' : c;  // an ASCII path: no trail byte to spoil
    SetProfile(&s, slashed + "/コンパイラ/表/bin/gcc.exe", "", "-o", "exe");
    SetEnvironmentVariableA("PATH", "C:\\before");
    EXPECT_EQ(PrepareEnvironment(s, NULL, NULL, source.c_str()), 1);
    EXPECT_EQ(PathVariable(), compilerFolder + ";" + SystemFolders() + ";" + BinDir());
}

TEST(Environment, ChildFindsTheCompilerThroughPathAndSeesTheSameEnvironment) {
    EnvironmentGuard guard;
    TempDir dir;
    std::string compilerFolder = dir.MakeDir("コンパイラ\\表");
    std::string sourceFolder = dir.MakeDir("ソース");
    // Named unlike anything beside the test program, so only PATH finds it.
    CopyFileTo(BinDir() + "\\print_environment.exe", compilerFolder + "\\kilncc.exe");
    WriteFile(sourceFolder + "\\hello.c", "int main(){return 0;}");
    SettingsFile s;
    SetProfile(&s, compilerFolder + "\\kilncc.exe", "", "", "exe");

    std::string source = sourceFolder + "\\hello.c";
    ASSERT_EQ(PrepareEnvironment(s, NULL, NULL, source.c_str()), 1);
    char line[kCommandLineSize];
    std::strcpy(line, "kilncc.exe seen.txt");
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    ASSERT_TRUE(CreateProcessA(NULL, line, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &child));
    DWORD waited = WaitForSingleObject(child.hProcess, 20000);
    if (waited != WAIT_OBJECT_0) TerminateProcess(child.hProcess, 1);
    CloseHandle(child.hProcess);
    CloseHandle(child.hThread);
    ASSERT_EQ(waited, WAIT_OBJECT_0);

    std::string seen = ReadFile(sourceFolder + "\\seen.txt");
    EXPECT_EQ(seen, compilerFolder + ";" + SystemFolders() + ";" + BinDir() + "\n" + sourceFolder + "\n");
}

TEST(Environment, SourceInADriveRootMakesTheRootCurrent) {
    EnvironmentGuard guard;
    TempDir dir;
    // A bare "C:" would keep this folder, the drive's current directory.
    ASSERT_TRUE(SetCurrentDirectoryA(dir.path().c_str()));
    ASSERT_EQ(dir.path().substr(0, 2), "C:");
    SettingsFile s;
    SetProfile(&s, "C:\\gcc.exe", "", "-o", "exe");

    EXPECT_EQ(PrepareEnvironment(s, NULL, NULL, "C:\\hello.c"), 1);
    EXPECT_EQ(CurrentDirectory(), "C:\\");
    // The compiler's folder is the source's, so it is not on PATH either.
    EXPECT_EQ(PathVariable(), SystemFolders() + ";" + BinDir());
}
