// Building each program's settings object at process start.
#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

#include "common/command_words.h"

#include "settings/settings_file.h"

void KilnSettingsFile::Construct() {
    char directory[kPathSize];
    ModuleDirectory(directory);
    ConstructIn(directory);
}

void KilnSettingsFile::ConstructIn(const char* directory) {
    if (SetDirectory(directory) && !PathExists(IniPath)) {
        char options[kPathSize];
        int n = std::snprintf(options, sizeof options, "%s\\KilnOp.exe", directory);
        if (n > 0 && n < static_cast<int>(sizeof options) && PathExists(options)) {
            // KilnOp writes the defaults and lets the user set up the profiles;
            // Kiln goes on only once it has been closed.
            std::string line = command_words::Quoted(options);
            std::vector<char> commandLine(line.begin(), line.end());
            commandLine.push_back('\0');
            STARTUPINFOA startup = {};
            startup.cb = sizeof startup;
            PROCESS_INFORMATION process = {};
            if (CreateProcessA(options, commandLine.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup,
                               &process)) {
                WaitForSingleObject(process.hProcess, INFINITE);
                CloseHandle(process.hThread);
                CloseHandle(process.hProcess);
            }
        } else {
            WriteDefaults();
        }
    }
    Load();
}


void KilnOpSettingsFile::Construct() {
    char directory[kPathSize];
    ModuleDirectory(directory);
    ConstructIn(directory);
}

void KilnOpSettingsFile::ConstructIn(const char* directory) {
    if (SetDirectory(directory) && !PathExists(IniPath)) {
        WriteDefaults();
        WriteMessageDefaults();
    }
    Load();
    ReadMessageSettings();
}
