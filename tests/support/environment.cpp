#include "environment.h"

#include <windows.h>

namespace testing_support {

std::string CurrentDirectory() {
    char buffer[1024] = "";
    GetCurrentDirectoryA(sizeof buffer, buffer);
    return buffer;
}

std::string PathVariable() {
    static wchar_t wide[32768];
    static char buffer[65536];
    wide[0] = L'\0';
    GetEnvironmentVariableW(L"PATH", wide, 32768);
    buffer[0] = '\0';
    WideCharToMultiByte(CP_ACP, 0, wide, -1, buffer, sizeof buffer, NULL, NULL);
    return buffer;
}

std::string SystemFolders() {
    char system[MAX_PATH] = "", windows[MAX_PATH] = "";
    GetSystemDirectoryA(system, sizeof system);
    GetSystemWindowsDirectoryA(windows, sizeof windows);
    return std::string(system) + ";" + windows;
}

EnvironmentGuard::~EnvironmentGuard() {
    SetCurrentDirectoryA(directory.c_str());
    SetEnvironmentVariableA("PATH", path.c_str());
}

}  // namespace testing_support
