// How every program here starts a batch file: through the system's cmd.exe,
// by its full path, with NoDefaultCurrentDirectoryInExePath in the batch
// file's environment, so that Windows' cmd.exe looks for a bare name along
// PATH only and not first in the current folder (the source's, or whatever
// it holds). Made for each start rather than set in the program's own
// environment, which a built program gets as it is.
#ifndef KILN_RESOURCES_BATCH_ENVIRONMENT_H
#define KILN_RESOURCES_BATCH_ENVIRONMENT_H

#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

// A block for CreateProcess with CREATE_UNICODE_ENVIRONMENT: the program's
// own environment with the setting in it.
inline std::vector<wchar_t> BatchEnvironment() {
    static const wchar_t kSetting[] = L"NoDefaultCurrentDirectoryInExePath=1";
    const std::size_t nameLength = static_cast<std::size_t>(std::wcschr(kSetting, L'=') - kSetting) + 1;
    std::vector<wchar_t> block;
    wchar_t* strings = GetEnvironmentStringsW();
    if (strings) {
        for (const wchar_t* p = strings; *p; p += wcslen(p) + 1) {
            if (_wcsnicmp(p, kSetting, nameLength) != 0) block.insert(block.end(), p, p + wcslen(p) + 1);
        }
        FreeEnvironmentStringsW(strings);
    }
    block.insert(block.end(), kSetting, kSetting + wcslen(kSetting) + 1);
    block.push_back(L'\0');
    return block;
}

// The system's cmd.exe, by its full path; empty when the system folder is
// not known.
inline std::string CommandInterpreter() {
    char system[MAX_PATH] = "";
    UINT n = GetSystemDirectoryA(system, sizeof system);
    if (n == 0 || n >= sizeof system) return std::string();
    return std::string(system) + "\\cmd.exe";
}

#endif
