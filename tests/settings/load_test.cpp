// Loading and saving Kiln.ini through the settings record, on real files.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "settings/settings_file.h"
#include "settings/profile_io.h"
#include "support/test_files.h"

using testing_support::ReadFile;
using testing_support::TempDir;
using testing_support::WriteFile;

namespace {
struct Loaded {
    TempDir dir;
    KilnSettingsFile s;
    explicit Loaded(const std::string& ini) {
        if (!ini.empty()) WriteFile(dir / "Kiln.ini", ini);
        s.SetDirectory(dir.path().c_str());
        s.Load();
    }
};
}  // namespace

TEST(SettingsLoad, MissingFileGivesSchemaDefaults) {
    Loaded l("");
    EXPECT_EQ(l.s.CompilerNo, 0);
    EXPECT_STREQ(l.s.CompilerName[9], "");
    EXPECT_STREQ(l.s.Path, "");
    EXPECT_EQ(l.s.AidExecute, 1);
    EXPECT_EQ(l.s.CheckExecute, 0);
    EXPECT_EQ(l.s.JumpType, 1);
    EXPECT_STREQ(l.s.JumpOption, "");
    EXPECT_EQ(l.s.Magnet, 1);
    EXPECT_EQ(l.s.Fix, 0);
    EXPECT_EQ(l.s.Width, 0);
}

TEST(SettingsLoad, CompilerNoOutOfRangeSelectsFirstProfile) {
    for (const char* value : {"12", "-1", "10", "abc"}) {
        Loaded l(std::string("[Compiler]\r\nCompilerNo=") + value +
                 "\r\n[Compiler1]\r\nPath=C:\\one\\gcc.exe\r\n[Compiler3]\r\nPath=C:\\three\\gcc.exe\r\n");
        EXPECT_EQ(l.s.CompilerNo, 0) << value;
        EXPECT_STREQ(l.s.Path, "C:\\one\\gcc.exe") << value;
    }
    Loaded nine("[Compiler]\r\nCompilerNo=9\r\n[Compiler10]\r\nPath=ten\r\nCompilerName=Last\r\n");
    EXPECT_EQ(nine.s.CompilerNo, 9);
    EXPECT_STREQ(nine.s.Path, "ten");
    EXPECT_STREQ(nine.s.CompilerName[9], "Last");
}

TEST(SettingsLoad, SelectedProfileIsReadWhole) {
    Loaded l("[Compiler]\r\nCompilerNo=2\r\n"
             "[Compiler3]\r\nCompilerName=Borland\r\nPath=C:\\bcc\\Bin\\bcc32.exe\r\nCompileOption=-w -v\r\n"
             "OutputFileOption=-e\r\nOutputFileType=exe\r\nAidExecute=0\r\nAidProgramPath=C:\\k\\execute.exe\r\n"
             "ExecuteCommandLine=-x 1\r\nCheckExecute=1\r\nCompileAfterShow=1\r\n"
             "[Compiler1]\r\nCompilerName=First\r\nPath=C:\\gcc.exe\r\n");
    EXPECT_EQ(l.s.CompilerNo, 2);
    EXPECT_STREQ(l.s.CompilerName[0], "First");
    EXPECT_STREQ(l.s.CompilerName[2], "Borland");
    EXPECT_STREQ(l.s.Path, "C:\\bcc\\Bin\\bcc32.exe");
    EXPECT_STREQ(l.s.CompileOption, "-w -v");
    EXPECT_STREQ(l.s.OutputFileOption, "-e");
    EXPECT_STREQ(l.s.OutputFileType, "exe");
    EXPECT_EQ(l.s.AidExecute, 0);
    EXPECT_STREQ(l.s.AidProgramPath, "C:\\k\\execute.exe");
    EXPECT_STREQ(l.s.ExecuteCommandLine, "-x 1");
    EXPECT_EQ(l.s.CheckExecute, 1);
    EXPECT_EQ(l.s.CompileAfterShow, 1);
}

TEST(SettingsLoad, EmptyIntegerValuesGiveTheirDefaults) {
    Loaded l("[Compiler1]\r\nAidExecute=\r\nCheckExecute=\r\n[Window]\r\nFix=\r\nMagnet=\r\n[Editor]\r\nJumpType=\r\n");
    EXPECT_EQ(l.s.AidExecute, 1);
    EXPECT_EQ(l.s.CheckExecute, 0);
    EXPECT_EQ(l.s.Fix, 0);
    EXPECT_EQ(l.s.Magnet, 1);
    EXPECT_EQ(l.s.JumpType, 1);
}

TEST(SettingsLoad, IntegersTakeTheLeadingNumber) {
    Loaded l("[Window]\r\nX=-8\r\nY=-8\r\nWidth=640px\r\nHeight=abc\r\nMagnet=0\r\n[Editor]\r\nJumpType=7\r\n");
    EXPECT_EQ(l.s.X, -8);
    EXPECT_EQ(l.s.Y, -8);
    EXPECT_EQ(l.s.Width, 640);
    EXPECT_EQ(l.s.Height, 0);
    EXPECT_EQ(l.s.Magnet, 0);
    EXPECT_EQ(l.s.JumpType, 7);  // not clamped: refused when jumping
}

TEST(SettingsLoad, LongValuesAreCutToTheirFields) {
    std::string jump(30, 'j');
    std::string option(600, 'o');
    std::string path(300, 'p');
    Loaded l("[Editor]\r\nJumpOption=" + jump + "\r\n[Compiler1]\r\nCompileOption=" + option +
             "\r\nPath=" + path + "\r\n");
    EXPECT_EQ(std::string(l.s.JumpOption), jump.substr(0, 19));
    EXPECT_EQ(std::string(l.s.CompileOption), option.substr(0, 511));
    EXPECT_EQ(std::string(l.s.Path), path.substr(0, 259));
}

TEST(SettingsLoad, ValuesLongerThanTheirFieldsAreMarked) {
    struct Case {
        const char* section;
        const char* key;
        unsigned bit;
        int limit;
    } cases[] = {
        {"Compiler3", "Path", kOverlongPath, 259},
        {"Compiler3", "CompileOption", kOverlongCompileOption, 511},
        {"Compiler3", "OutputFileOption", kOverlongOutputFileOption, 19},
        {"Compiler3", "OutputFileType", kOverlongOutputFileType, 19},
        {"Compiler3", "AidProgramPath", kOverlongAidProgramPath, 259},
        {"Compiler3", "ExecuteCommandLine", kOverlongExecuteCommandLine, 511},
        {"Editor", "Path", kOverlongEditorPath, 259},
        {"Editor", "JumpOption", kOverlongJumpOption, 19},
    };
    for (const Case& c : cases) {
        std::string head = std::string("[Compiler]\r\nCompilerNo=2\r\n[") + c.section + "]\r\n" + c.key + "=";
        // Exactly the field's text fits; one byte more, a double-byte
        // character across the end, or 64 KB do not.
        for (const std::string& value :
             {std::string(c.limit, 'v'), std::string(c.limit + 1, 'v'), std::string(c.limit - 1, 'v') + "ソ",
              std::string(65536, 'v')}) {
            Loaded l(head + value + "\r\n");
            bool fits = static_cast<int>(value.size()) <= c.limit;
            EXPECT_EQ((l.s.Overlong & c.bit) != 0, !fits) << c.key << " " << value.size();
            EXPECT_EQ(l.s.Overlong & ~c.bit, 0u) << c.key;
            OverlongValue found;
            ASSERT_EQ(l.s.FirstOverlong(kOverlongProfile | kOverlongEditor, &found), !fits) << c.key;
            if (fits) continue;
            EXPECT_STREQ(found.section, c.section);
            EXPECT_STREQ(found.key, c.key);
            EXPECT_EQ(found.limit, c.limit);
        }
    }
}

TEST(SettingsLoad, OverlongMarkFollowsTheFile) {
    std::string option = "[Compiler1]\r\nCompileOption=" + std::string(512, 'o') + "\r\n";
    Loaded l(option + "[Compiler2]\r\nCompileOption=-O2\r\n[Editor]\r\nJumpOption=" + std::string(20, 'j') +
             "\r\n");
    EXPECT_EQ(l.s.Overlong, static_cast<unsigned>(kOverlongCompileOption | kOverlongJumpOption));
    // Another profile clears the profile's mark and keeps the editor's.
    l.s.CompilerNo = 1;
    l.s.LoadProfile();
    EXPECT_EQ(l.s.Overlong, static_cast<unsigned>(kOverlongJumpOption));
    OverlongValue found;
    EXPECT_FALSE(l.s.FirstOverlong(kOverlongProfile, &found));
    // The file corrected: a reload clears everything.
    WriteFile(l.dir / "Kiln.ini", "[Compiler1]\r\nCompileOption=" + std::string(511, 'o') + "\r\n");
    l.s.Load();
    EXPECT_EQ(l.s.Overlong, 0u);
    EXPECT_EQ(std::string(l.s.CompileOption), std::string(511, 'o'));
}

TEST(SettingsLoad, CutNeverLeavesHalfACharacter) {
    // 18 ASCII bytes then ソ: the field holds 19 bytes, so ソ must go whole.
    std::string jump = std::string(18, 'a') + "ソ";
    std::string name = std::string(258, 'n') + "表示";
    Loaded l("[Editor]\r\nJumpOption=" + jump + "\r\n[Compiler1]\r\nCompilerName=" + name + "\r\n");
    EXPECT_EQ(std::string(l.s.JumpOption), std::string(18, 'a'));
    EXPECT_EQ(std::string(l.s.CompilerName[0]), std::string(258, 'n'));
    Loaded fits("[Editor]\r\nJumpOption=" + std::string(17, 'a') + "ソ\r\n");
    EXPECT_EQ(std::string(fits.s.JumpOption), std::string(17, 'a') + "ソ");
}

TEST(SettingsLoad, SectionAndKeyNamesIgnoreCase) {
    Loaded l("[compiler]\r\ncompilerno=1\r\n[COMPILER2]\r\nPATH=C:\\ソース\\表\\gcc.exe\r\n[editor]\r\npath=C:\\w\\Wrenlet.exe\r\n");
    EXPECT_EQ(l.s.CompilerNo, 1);
    EXPECT_STREQ(l.s.Path, "C:\\ソース\\表\\gcc.exe");
    EXPECT_STREQ(l.s.EditorPath, "C:\\w\\Wrenlet.exe");
}

TEST(SettingsSave, CompilerNoAndEditorRoundTrip) {
    Loaded l("[Compiler]\r\nCompilerNo=0\r\n");
    l.s.CompilerNo = 7;
    l.s.SaveCompilerNo();
    std::strcpy(l.s.EditorPath, "C:\\エディタ\\Wrenlet.exe");
    std::strcpy(l.s.JumpOption, "/jl=%N");
    l.s.JumpType = 0;
    l.s.SaveEditor();
    KilnSettingsFile again;
    again.SetDirectory(l.dir.path().c_str());
    again.Load();
    EXPECT_EQ(again.CompilerNo, 7);
    EXPECT_STREQ(again.EditorPath, "C:\\エディタ\\Wrenlet.exe");
    EXPECT_STREQ(again.JumpOption, "/jl=%N");
    EXPECT_EQ(again.JumpType, 0);
}

TEST(SettingsSave, NegativeWindowValuesRoundTrip) {
    TempDir dir;
    std::string ini = dir / "Kiln.ini";
    ini::WriteInt(ini.c_str(), "Window", "X", -8);
    ini::WriteInt(ini.c_str(), "Window", "Y", -8);
    KilnSettingsFile s;
    s.SetDirectory(dir.path().c_str());
    s.Load();
    EXPECT_EQ(s.X, -8);
    EXPECT_EQ(s.Y, -8);
    EXPECT_NE(ReadFile(ini).find("X=-8"), std::string::npos);
}

TEST(SettingsLoad, ReloadSeesAWriteThatKeepsTheFilesSize) {
    // Kiln's record may skip reading a settled file that has not changed;
    // a rewrite of the same size must still be read.
    TempDir dir;
    std::string path = dir / "Kiln.ini";
    WriteFile(path, "[Compiler1]\r\nCompilerName=AAAA\r\n[Window]\r\nX=1\r\n");
    testing_support::SetFileTimeSeconds(path, 100);
    KilnSettingsFile s;
    ASSERT_TRUE(s.SetDirectory(dir.path().c_str()));
    s.Load();
    EXPECT_STREQ(s.CompilerName[0], "AAAA");
    s.Load();
    EXPECT_EQ(s.X, 1);
    WriteFile(path, "[Compiler1]\r\nCompilerName=BBBB\r\n[Window]\r\nX=2\r\n");
    s.Load();
    EXPECT_STREQ(s.CompilerName[0], "BBBB");
    EXPECT_EQ(s.X, 2);
    // A selection kept only in memory is given up by the next reading.
    s.CompilerNo = 4;
    s.SaveCompilerNo();
    s.Load();
    EXPECT_EQ(s.CompilerNo, 4);
}

TEST(SettingsSave, ValuesWithQuotesOrBlanksAtTheirEndsReadBackAsWritten) {
    const char* values[] = {"\"a b\" \"c d\"", "\"C:\\my data\\in.txt\"", "'x'", "\"", "'", "\"open", "close'",
                            "  -v", "-v  ", "\t-x\t", "\"\"", " 表 ", "plain"};
    TempDir dir;
    KilnSettingsFile s;
    s.SetDirectory(dir.path().c_str());
    for (const char* value : values) {
        ASSERT_TRUE(ini::WriteString(s.IniPath, "Compiler1", "ExecuteCommandLine", value));
        char field[kLongTextSize];
        EXPECT_TRUE(ini::ReadString(s.IniPath, "Compiler1", "ExecuteCommandLine", "", field, sizeof field));
        EXPECT_STREQ(field, value);
        s.LoadProfile();
        EXPECT_STREQ(s.ExecuteCommandLine, value);
    }
    // Files written before read as they always did.
    WriteFile(s.IniPath, "[Compiler1]\r\nExecuteCommandLine=\"a b\" \"c d\"\r\nCompileOption=  -v \r\n");
    s.LoadProfile();
    EXPECT_STREQ(s.ExecuteCommandLine, "a b\" \"c d");
    EXPECT_STREQ(s.CompileOption, "-v");
}
