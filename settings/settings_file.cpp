#include "settings/settings_file.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "../common/cp932.h"
#include "settings/profile_io.h"

SettingsFile::SettingsFile() {
    std::memset(static_cast<void*>(this), 0, sizeof(SettingsFile));
}

void SettingsFile::ProfileSection(int i, char* section) {
    std::sprintf(section, "Compiler%d", i + 1);
}

bool SettingsFile::SetDirectory(const char* directory) {
    // No folder is no place for the settings: "\Kiln.ini" would be the
    // current drive's root.
    if (directory[0] == '\0') {
        IniPath[0] = '\0';
        OpIniPath[0] = '\0';
        return false;
    }
    int a = std::snprintf(IniPath, sizeof IniPath, "%s\\Kiln.ini", directory);
    int b = std::snprintf(OpIniPath, sizeof OpIniPath, "%s\\KilnOp.ini", directory);
    if (a > 0 && a < static_cast<int>(sizeof IniPath) && b > 0 && b < static_cast<int>(sizeof OpIniPath)) return true;
    IniPath[0] = '\0';
    OpIniPath[0] = '\0';
    return false;
}

namespace {

struct FileStamp {
    unsigned long long size;
    unsigned long long writeTime;  // 100 ns units
    bool settled;                  // written at least a few seconds before it was looked at
};

bool ReadStamp(const char* path, FileStamp* stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (path[0] == '\0' || !GetFileAttributesExA(path, GetFileExInfoStandard, &data)) return false;
    stamp->size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    stamp->writeTime = (static_cast<unsigned long long>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                       data.ftLastWriteTime.dwLowDateTime;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    unsigned long long current = (static_cast<unsigned long long>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
    // FAT keeps write times in steps of two seconds.
    const unsigned long long kSettle = 3ULL * 10000000ULL;
    stamp->settled = current >= stamp->writeTime && current - stamp->writeTime >= kSettle;
    return true;
}

}  // namespace

void SettingsFile::Load() {
    FileStamp stamp = {0, 0, false};
    bool stamped = reuseUnchangedFile && ReadStamp(IniPath, &stamp);
    if (stamped && loadedValid && stamp.size == loadedSize && stamp.writeTime == loadedWriteTime) return;
    loadedValid = false;
    char section[16];
    CutNames = 0;
    for (int n = 0; n < kProfileCount; ++n) {
        ProfileSection(n, section);
        if (!ini::ReadString(IniPath, section, "CompilerName", "", CompilerName[n], kPathSize)) CutNames |= 1u << n;
    }
    CompilerNo = ini::ReadInt(IniPath, "Compiler", "CompilerNo", 0);
    if (CompilerNo < 0 || CompilerNo > 9) CompilerNo = 0;
    LoadProfile();
    Overlong &= ~static_cast<unsigned>(kOverlongEditor);
    if (!ini::ReadString(IniPath, "Editor", "Path", "", EditorPath, sizeof EditorPath)) {
        Overlong |= kOverlongEditorPath;
    }
    if (!ini::ReadString(IniPath, "Editor", "JumpOption", "", JumpOption, sizeof JumpOption)) {
        Overlong |= kOverlongJumpOption;
    }
    JumpType = ini::ReadInt(IniPath, "Editor", "JumpType", 1);
    Magnet = ini::ReadInt(IniPath, "Window", "Magnet", 1);
    Fix = ini::ReadInt(IniPath, "Window", "Fix", 0);
    Size = ini::ReadInt(IniPath, "Window", "Size", 0);
    Width = ini::ReadInt(IniPath, "Window", "Width", 0);
    Height = ini::ReadInt(IniPath, "Window", "Height", 0);
    Position = ini::ReadInt(IniPath, "Window", "Position", 0);
    X = ini::ReadInt(IniPath, "Window", "X", 0);
    Y = ini::ReadInt(IniPath, "Window", "Y", 0);
    // The stamp was taken before the reading: a write during it shows as a
    // change next time.
    if (stamped && stamp.settled) {
        loadedValid = true;
        loadedSize = stamp.size;
        loadedWriteTime = stamp.writeTime;
    }
}

void SettingsFile::LoadProfile() {
    char s[16];
    ProfileSection(CompilerNo, s);
    unsigned overlong = 0;
    if (!ini::ReadString(IniPath, s, "Path", "", Path, sizeof Path)) overlong |= kOverlongPath;
    if (!ini::ReadString(IniPath, s, "CompileOption", "", CompileOption, sizeof CompileOption)) {
        overlong |= kOverlongCompileOption;
    }
    if (!ini::ReadString(IniPath, s, "OutputFileOption", "", OutputFileOption, sizeof OutputFileOption)) {
        overlong |= kOverlongOutputFileOption;
    }
    if (!ini::ReadString(IniPath, s, "OutputFileType", "", OutputFileType, sizeof OutputFileType)) {
        overlong |= kOverlongOutputFileType;
    }
    AidExecute = ini::ReadInt(IniPath, s, "AidExecute", 1);
    if (!ini::ReadString(IniPath, s, "AidProgramPath", "", AidProgramPath, sizeof AidProgramPath)) {
        overlong |= kOverlongAidProgramPath;
    }
    if (!ini::ReadString(IniPath, s, "ExecuteCommandLine", "", ExecuteCommandLine, sizeof ExecuteCommandLine)) {
        overlong |= kOverlongExecuteCommandLine;
    }
    if (CutNames & (1u << CompilerNo)) overlong |= kOverlongCompilerName;
    Overlong = (Overlong & ~static_cast<unsigned>(kOverlongProfile | kOverlongCompilerName)) | overlong;
    CheckExecute = ini::ReadInt(IniPath, s, "CheckExecute", 0);
    CompileAfterShow = ini::ReadInt(IniPath, s, "CompileAfterShow", 0);
    OutputCode = ini::ReadInt(IniPath, s, "OutputCode", 0);
}

void SettingsFile::SaveCompilerNo() {
    loadedValid = false;  // the record now holds what the file may not
    ini::WriteInt(IniPath, "Compiler", "CompilerNo", CompilerNo);
}

void SettingsFile::SaveEditor() {
    loadedValid = false;
    // A value still held cut leaves the whole one in the file.
    if ((Overlong & kOverlongEditorPath) == 0) ini::WriteString(IniPath, "Editor", "Path", EditorPath);
    if ((Overlong & kOverlongJumpOption) == 0) ini::WriteString(IniPath, "Editor", "JumpOption", JumpOption);
    ini::WriteInt(IniPath, "Editor", "JumpType", JumpType);
}

bool SettingsFile::FirstOverlong(unsigned mask, OverlongValue* value) const {
    static const struct {
        unsigned bit;
        bool inProfile;
        const char* key;
        int size;
    } kValues[] = {
        {kOverlongCompilerName, true, "CompilerName", kPathSize},
        {kOverlongPath, true, "Path", kPathSize},
        {kOverlongCompileOption, true, "CompileOption", kLongTextSize},
        {kOverlongOutputFileOption, true, "OutputFileOption", kShortTextSize},
        {kOverlongOutputFileType, true, "OutputFileType", kShortTextSize},
        {kOverlongAidProgramPath, true, "AidProgramPath", kPathSize},
        {kOverlongExecuteCommandLine, true, "ExecuteCommandLine", kLongTextSize},
        {kOverlongEditorPath, false, "Path", kPathSize},
        {kOverlongJumpOption, false, "JumpOption", kShortTextSize},
    };
    static const char* const kMessageKeys[kMessageCount] = {"0", "1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (int k = 0; k < kMessageCount; ++k) {
        if ((Overlong & mask & (kOverlongMessageFirst << k)) == 0) continue;
        std::strcpy(value->section, "Message");
        value->key = kMessageKeys[k];
        value->limit = kMessageReadSize - 1;
        return true;
    }
    for (const auto& v : kValues) {
        if ((Overlong & mask & v.bit) == 0) continue;
        if (v.inProfile) {
            ProfileSection(CompilerNo, value->section);
        } else {
            std::strcpy(value->section, "Editor");
        }
        value->key = v.key;
        value->limit = v.size - 1;
        return true;
    }
    return false;
}

bool ModuleDirectory(char* directory) {
    // Read whole, however deep the folder: a module path cut to MAX_PATH would
    // name another folder, or none, and "\Kiln.ini" would then be the root
    // of the current drive.
    const DWORD size = 32768;
    char* path = static_cast<char*>(std::malloc(size));
    directory[0] = '\0';
    if (!path) return false;
    DWORD n = GetModuleFileNameA(NULL, path, size);
    bool named = false;
    if (n > 0 && n < size) {
        char* slash = cp932::FindLast(path, '\\');
        if (slash && slash != path) {
            *slash = '\0';
            named = cp932::CopyFitting(directory, kPathSize, path);
            if (!named) directory[0] = '\0';
        }
    }
    std::free(path);
    return named;
}

bool PathExists(const char* path) {
    return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES;
}
