// First-run defaults: what a new Kiln.ini holds, discovered from the
// candidate install paths listed in KilnOp.ini.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include <string>

#include "../common/cp932.h"
#include "../common/known_compilers.h"
#include "../common/path_kind.h"
#include "../resources/shared_names.h"
#include "settings/settings_file.h"
#include "settings/profile_io.h"

namespace {
// The next KilnOp.ini key to probe; lives for the whole process so that each
// profile continues the probe where the previous one stopped.
int candidateCounter = 1;

// Directory of the executables, taken from IniPath (both INI files and the
// aid program sit beside the executables).
void ExecutableDirectory(const char* iniPath, char* directory) {
    std::strcpy(directory, iniPath);
    char* slash = cp932::FindLast(directory, '\\');
    if (slash) slash[1] = '\0'; else directory[0] = '\0';
}
}  // namespace

void SettingsFile::WriteDefaults() {
    ini::WriteString(IniPath, "Compiler", "CompilerNo", "0");
    for (int i = 0; i < kProfileCount; ++i) {
        char s[16];
        ProfileSection(i, s);
        ini::WriteString(IniPath, s, "CompilerName", s);
        FindCandidate(s, "Compiler", i == 0);
        ini::WriteString(IniPath, s, "CompileOption", "");
        ini::ReadString(IniPath, s, "Path", "", Path, sizeof Path);
        DeriveCompilerDefaults(i);
        ini::WriteString(IniPath, s, "ExecuteCommandLine", "");
        ini::WriteString(IniPath, s, "CheckExecute", nullptr);
        ini::WriteString(IniPath, s, "CompileAfterShow", nullptr);
    }
    FindCandidate("Editor", "Editor", true);
    ini::WriteString(IniPath, "Editor", "JumpType", "1");
    DeriveJumpOption();
    ini::WriteString(IniPath, "Window", "Magnet", "1");
    static const char* const emptyKeys[] = {"Fix", "Size", "Width", "Height", "Position", "X", "Y"};
    for (const char* key : emptyKeys) ini::WriteString(IniPath, "Window", key, "");
}

void SettingsFile::FindCandidate(const char* target, const char* list, bool restart) {
    if (restart) candidateCounter = 1;
    char result[kPathSize] = "";
    if (PathExists(OpIniPath)) {
        int k = candidateCounter;
        for (;; ++k) {
            char key[16];
            std::sprintf(key, "%d", k);
            char value[kPathSize];
            ini::ReadString(OpIniPath, list, key, "", value, sizeof value);
            if (value[0] == '\0') break;
            if (PathExists(value)) {
                std::strcpy(result, value);
                break;
            }
        }
        candidateCounter = k + 1;
    }
    ini::WriteString(IniPath, target, "Path", result);
}

void SettingsFile::DeriveCompilerDefaults(int i) {
    char s[16];
    ProfileSection(i, s);
    const char* option = "";
    const char* type = "";
    char aid[kPathSize] = "";
    if (Path[0] != '\0') {
        const char* name = path_kind::FileName(Path);
        // bcc32's option only for the name in small letters, as it always was.
        const KnownCompiler* known = FindKnownCompiler(Path);
        if (known && (!known->optionNeedsExactName || std::string(known->name) + ".exe" == name))
            option = known->outputOption;
        type = std::strcmp(name, "javac.exe") == 0 ? "class" : "exe";
        char directory[kPathSize];
        ExecutableDirectory(IniPath, directory);
        int n = std::snprintf(aid, sizeof aid, "%sexecute.exe", directory);
        if (n <= 0 || n >= static_cast<int>(sizeof aid) || !PathExists(aid)) aid[0] = '\0';
    }
    std::strcpy(OutputFileOption, option);
    ini::WriteString(IniPath, s, "OutputFileOption", option);
    std::strcpy(OutputFileType, type);
    ini::WriteString(IniPath, s, "OutputFileType", type);
    ini::WriteString(IniPath, s, "AidExecute", "1");
    std::strcpy(AidProgramPath, aid);
    ini::WriteString(IniPath, s, "AidProgramPath", aid);
    if (i == CompilerNo) {
        Overlong &= ~static_cast<unsigned>(kOverlongOutputFileOption | kOverlongOutputFileType |
                                           kOverlongAidProgramPath);
    }
}

void SettingsFile::DeriveJumpOption() {
    char editor[kPathSize];
    ini::ReadString(IniPath, "Editor", "Path", "", editor, sizeof editor);
    const char* option = "";
    if (editor[0] != '\0' && cp932::EqualNoCase(path_kind::FileName(editor), WRENLET_EXE_NAME)) {
        option = WRENLET_JUMP_OPTION;
    }
    cp932::CopyFitting(JumpOption, sizeof JumpOption, option);
    ini::WriteString(IniPath, "Editor", "JumpOption", JumpOption);
    Overlong &= ~static_cast<unsigned>(kOverlongJumpOption);
}
