// Starting the editor and the aid program: a batch file through cmd.exe
// with its words already in cmd.exe's quotes, anything else through the
// shell, each in the folder it is meant to run in.
#ifndef KILN_CONTROLLER_PROGRAM_LAUNCH_H
#define KILN_CONTROLLER_PROGRAM_LAUNCH_H

#include <windows.h>

#include <string>

struct Launch {
    std::string program;     // full path
    std::string parameters;  // for a batch file: made of command_words::BatchWord words
    std::string folder;      // its current folder
    // The folder that must not be searched for a bare name: taken out of
    // the PATH the program gets, which begins with its own folder and the
    // system's.
    std::string unsearched;
    // A batch file gets a console window of its own; a wrapper that only
    // starts a windowed program (an editor) is better without one.
    bool console = true;
    // For execute.exe: told whether the program writes UTF-8 (its console
    // then set to UTF-8 while it runs), never left to what Kiln inherited.
    bool tellsCodePage = false;
    bool writesUtf8 = false;
};

// How Kiln tells execute.exe that the program writes UTF-8: this variable,
// "65001", in execute.exe's environment.
extern const wchar_t kProgramCodePageVariable[];

enum LaunchResult { kLaunchStarted, kLaunchFailed, kLaunchRefused };

// kLaunchRefused after the box that names a batch file whose own path no
// quoting keeps from cmd.exe (a "%" in it).
LaunchResult StartLaunch(HWND owner, const Launch& launch);

// The box that names a word no quoting keeps from cmd.exe.
void RefuseForBatchFile(const std::string& word);
// The box that names a batch file whose own path cmd.exe would read as its
// own (a "%" in it).
void RefuseBatchPath(const std::string& path);

// The word in a batch file's quotes, or false after the box that names it
// ("Kiln 実行エラー"), when no quoting keeps it from cmd.exe.
bool BatchWordOrRefuse(const std::string& word, std::string* out);

#endif
