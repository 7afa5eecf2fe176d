#include "controller/batch_environment.h"

#include <cwchar>

std::vector<wchar_t> BatchEnvironment() {
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


std::string CommandInterpreter() {
    char system[MAX_PATH] = "";
    UINT n = GetSystemDirectoryA(system, sizeof system);
    if (n == 0 || n >= sizeof system) return std::string();
    return std::string(system) + "\\cmd.exe";
}
