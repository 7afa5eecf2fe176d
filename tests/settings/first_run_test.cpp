// First-run defaults, written into real INI files in a temporary folder and
// compared whole, key order included.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "settings/settings_file.h"
#include "support/test_files.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {

// The file's lines without blank ones (how sections are separated is the
// profile functions' business, not Kiln's).
std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::string line;
    for (char c : text) {
        if (c == '\r') continue;
        if (c == '\n') {
            if (!line.empty()) lines.push_back(line);
            line.clear();
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    return lines;
}

struct Profile {
    std::string path, option, type, aid;
};

std::vector<std::string> ExpectedFile(const std::vector<Profile>& profiles, const std::string& editor,
                                      const std::string& jump, bool messages) {
    std::vector<std::string> l = {"[Compiler]", "CompilerNo=0"};
    for (int i = 0; i < 10; ++i) {
        Profile p = i < static_cast<int>(profiles.size()) ? profiles[i] : Profile();
        std::string s = "Compiler" + std::to_string(i + 1);
        l.push_back("[" + s + "]");
        l.push_back("CompilerName=" + s);
        l.push_back("Path=" + p.path);
        l.push_back("CompileOption=");
        l.push_back("OutputFileOption=" + p.option);
        l.push_back("OutputFileType=" + p.type);
        l.push_back("AidExecute=1");
        l.push_back("AidProgramPath=" + p.aid);
        l.push_back("ExecuteCommandLine=");
    }
    for (const char* line : {"[Editor]"}) l.push_back(line);
    l.push_back("Path=" + editor);
    l.push_back("JumpType=1");
    l.push_back("JumpOption=" + jump);
    for (const char* line : {"[Window]", "Magnet=1", "Fix=", "Size=", "Width=", "Height=", "Position=", "X=", "Y="})
        l.push_back(line);
    if (messages) {
        for (const char* line : {"[Message]", "Custom=0", "Interval=300", "0=", "1=", "2=", "3=", "4=", "5=",
                                 "6=", "7=", "8=", "9="})
            l.push_back(line);
    }
    return l;
}

// A folder with the executables' files: an optional KilnOp.ini, and empty
// stand-ins for the compilers it lists.
struct Install {
    TempDir dir{"kiln-first"};
    std::string Touch(const std::string& relative) {
        std::string full = dir / relative;
        std::string::size_type slash = relative.rfind('\\');
        if (slash != std::string::npos) dir.MakeDir(relative.substr(0, slash));
        WriteFile(full, "");
        return full;
    }
    std::vector<std::string> WrittenByKiln() {
        KilnSettingsFile s;
        s.ConstructIn(dir.path().c_str());
        return Lines(ReadFile(dir / "Kiln.ini"));
    }
};

}  // namespace

TEST(FirstRun, WithoutKilnOpIniEverythingIsEmpty) {
    Install in;
    EXPECT_EQ(in.WrittenByKiln(), ExpectedFile({}, "", "", false));
}

TEST(FirstRun, KilnOpWritesTheSameFileWithMessages) {
    Install in;
    std::string gcc = in.Touch("MinGW\\bin\\gcc.exe");
    WriteFile(in.dir / "KilnOp.ini", "[Compiler]\r\n1=" + gcc + "\r\n");
    KilnOpSettingsFile s;
    s.ConstructIn(in.dir.path().c_str());
    EXPECT_EQ(Lines(ReadFile(in.dir / "Kiln.ini")), ExpectedFile({{gcc, "-o", "exe", ""}}, "", "", true));
    EXPECT_EQ(s.Custom, 0);
    EXPECT_EQ(s.Interval, 300);
    EXPECT_STREQ(s.Path, gcc.c_str());
    EXPECT_STREQ(s.CompilerName[3], "Compiler4");
}

TEST(FirstRun, MissingCandidatesAreSkippedAndAGapEndsAProbe) {
    Install in;
    std::string gcc = in.Touch("gcc\\bin\\gcc.exe");
    std::string javac = in.Touch("jdk\\bin\\javac.exe");
    std::string bcc = in.Touch("bcc\\Bin\\bcc32.exe");
    std::string lcc = in.Touch("lcc\\bin\\lcc.exe");
    // 1 exists, 2 missing, 3 exists, 4 exists, 5 absent (gap), 6 exists.
    WriteFile(in.dir / "KilnOp.ini", "[Compiler]\r\n1=" + gcc + "\r\n2=C:\\nowhere\\g++.exe\r\n3=" + javac +
                                         "\r\n4=" + bcc + "\r\n6=" + lcc + "\r\n");
    std::vector<Profile> expected = {
        {gcc, "-o", "exe", ""}, {javac, "", "class", ""}, {bcc, "-e", "exe", ""}, {}, {lcc, "-o", "exe", ""}};
    EXPECT_EQ(in.WrittenByKiln(), ExpectedFile(expected, "", "", false));
}

TEST(FirstRun, FileNamesDecideTheDerivedDefaults) {
    Install in;
    std::string upperGcc = in.Touch("a\\GCC.EXE");
    std::string upperBcc = in.Touch("b\\BCC32.EXE");
    std::string upperJavac = in.Touch("c\\JAVAC.EXE");
    std::string gxx = in.Touch("d\\G++.Exe");
    std::string tcc = in.Touch("e\\tcc.exe");
    // CP932 folder whose name ends in a 0x5C trail byte.
    std::string cp932Gcc = in.Touch("ソース\\表\\gcc.exe");
    std::string cl = in.Touch("VC\\bin\\CL.EXE");
    std::string fpc = in.Touch("FPC\\bin\\i386-win32\\fpc.exe");
    std::string cross = in.Touch("msys64\\ucrt64\\bin\\x86_64-w64-mingw32-clang++.exe");
    std::string editor = in.Touch("Wren\\WRENLET.EXE");
    WriteFile(in.dir / "KilnOp.ini", "[Compiler]\r\n1=" + upperGcc + "\r\n2=" + upperBcc + "\r\n3=" + upperJavac +
                                         "\r\n4=" + gxx + "\r\n5=" + tcc + "\r\n6=" + cp932Gcc + "\r\n7=" + cl +
                                         "\r\n8=" + fpc + "\r\n9=" + cross +
                                         "\r\n[Editor]\r\n1=C:\\missing\\Wrenlet.exe\r\n2=" + editor + "\r\n");
    std::vector<Profile> expected = {{upperGcc, "-o", "exe", ""}, {upperBcc, "", "exe", ""},
                                     {upperJavac, "", "exe", ""}, {gxx, "-o", "exe", ""},
                                     {tcc, "-o", "exe", ""},      {cp932Gcc, "-o", "exe", ""},
                                     {cl, "/Fe", "exe", ""},      {fpc, "-o", "exe", ""},
                                     {cross, "-o", "exe", ""}};
    EXPECT_EQ(in.WrittenByKiln(), ExpectedFile(expected, editor, "/jl=%N", false));
}

TEST(FirstRun, EditorOfAnotherNameGetsNoJumpOption) {
    Install in;
    std::string editor = in.Touch("Tools\\Wrenlet2.exe");
    // A directory under a candidate's name counts as existing.
    std::string folder = in.dir.MakeDir("gcc.exe");
    WriteFile(in.dir / "KilnOp.ini", "[Editor]\r\n1=" + editor + "\r\n[Compiler]\r\n1=" + folder + "\r\n");
    EXPECT_EQ(in.WrittenByKiln(), ExpectedFile({{folder, "-o", "exe", ""}}, editor, "", false));
}

TEST(FirstRun, AidProgramBesideTheExecutablesOnlyForProfilesWithACompiler) {
    Install in;
    std::string aid = in.Touch("execute.exe");
    std::string gcc = in.Touch("bin\\gcc.exe");
    WriteFile(in.dir / "KilnOp.ini", "[Compiler]\r\n1=" + gcc + "\r\n");
    EXPECT_EQ(in.WrittenByKiln(), ExpectedFile({{gcc, "-o", "exe", aid}}, "", "", false));
}

TEST(FirstRun, ExistingFileIsNeverCompleted) {
    Install in;
    WriteFile(in.dir / "Kiln.ini", "[Window]\r\nMagnet=0\r\n");
    WriteFile(in.dir / "KilnOp.ini", "[Compiler]\r\n1=" + in.Touch("gcc.exe") + "\r\n");
    KilnSettingsFile s;
    s.ConstructIn(in.dir.path().c_str());
    EXPECT_EQ(ReadFile(in.dir / "Kiln.ini"), "[Window]\r\nMagnet=0\r\n");
    EXPECT_EQ(s.Magnet, 0);
    EXPECT_STREQ(s.Path, "");
}

TEST(FirstRun, ProbesContinueAcrossCallsUntilRestarted) {
    Install in;
    std::string one = in.Touch("1\\gcc.exe");
    std::string two = in.Touch("2\\gcc.exe");
    WriteFile(in.dir / "KilnOp.ini", "[Compiler]\r\n1=" + one + "\r\n2=" + two + "\r\n");
    KilnSettingsFile s;
    s.SetDirectory(in.dir.path().c_str());
    s.FindCandidate("T1", "Compiler", true);
    s.FindCandidate("T2", "Compiler", false);
    s.FindCandidate("T3", "Compiler", false);
    s.FindCandidate("T4", "Compiler", true);
    std::vector<std::string> expected = {"[T1]", "Path=" + one, "[T2]", "Path=" + two, "[T3]", "Path=",
                                         "[T4]", "Path=" + one};
    EXPECT_EQ(Lines(ReadFile(in.dir / "Kiln.ini")), expected);
}

TEST(FirstRun, DerivedDefaultsFollowABrowsedCompiler) {
    Install in;
    KilnSettingsFile s;
    s.SetDirectory(in.dir.path().c_str());
    std::snprintf(s.Path, sizeof s.Path, "%s", "C:\\Borland\\BCC55\\Bin\\bcc32.exe");
    s.DeriveCompilerDefaults(4);
    EXPECT_STREQ(s.OutputFileOption, "-e");
    EXPECT_STREQ(s.OutputFileType, "exe");
    EXPECT_STREQ(s.AidProgramPath, "");
    s.Path[0] = '\0';
    s.AidExecute = 0;
    s.DeriveCompilerDefaults(5);
    EXPECT_STREQ(s.OutputFileType, "");
    EXPECT_EQ(s.AidExecute, 0);  // the field is left alone, only the key is written
    std::vector<std::string> expected = {"[Compiler5]", "OutputFileOption=-e", "OutputFileType=exe", "AidExecute=1",
                                         "AidProgramPath=", "[Compiler6]", "OutputFileOption=", "OutputFileType=",
                                         "AidExecute=1", "AidProgramPath="};
    EXPECT_EQ(Lines(ReadFile(in.dir / "Kiln.ini")), expected);
}

TEST(FirstRun, FolderTooLongForTheSettingsPathWritesNothing) {
    TempDir dir;
    // A folder of 250 bytes holds "\\Kiln.ini" within 259 bytes but not
    // "\\KilnOp.ini": the candidates would be read from a file of a shortened
    // name. Nothing is read or written then; the defaults apply.
    std::string folder = dir.MakeDir(std::string(250 - dir.path().size() - 1, 'k'));
    ASSERT_TRUE(testing_support::Exists(folder));
    KilnOpSettingsFile s;
    s.ConstructIn(folder.c_str());
    EXPECT_STREQ(s.IniPath, "");
    EXPECT_EQ(s.Magnet, 1);
    EXPECT_EQ(s.AidExecute, 1);
    EXPECT_EQ(s.Interval, 300);
    EXPECT_STREQ(s.CompilerName[0], "");
    EXPECT_FALSE(testing_support::Exists(folder + "\\Kiln.ini"));
}
