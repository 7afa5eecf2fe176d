// Between a compile request and the compiler's start: the output path, the
// current directory and PATH, the up-to-date test, the stale output's removal
// and the compiler's command line. Every scan steps by CP932 character.
#ifndef KILN_CONTROLLER_BUILD_PREPARATION_H
#define KILN_CONTROLLER_BUILD_PREPARATION_H

#include <windows.h>

#include <cstddef>
#include <string>

#include "settings/settings_file.h"

// Longest command line CreateProcessA accepts, terminator included.
enum { kCommandLineSize = 32768 };

// 1 source newer, 0 equal, -1 output newer; 0 after an error box.
int CompareFileTimes(const char* source, const char* output);

// A source path without a directory part becomes a full path against the
// current directory. False (after a message box) when the result does not
// fit `size` bytes.
// Any other relative path (sub\a.c, ..\a.c) is made full as well, since it
// would point elsewhere once the source's directory is current. The result
// is unquoted; a path that is already full is left as it is, quotes and all.
bool MakeSourcePathFull(char* source, std::size_t size);
// The output path (260 bytes) from the source path and the extension;
// false after a refusal box (no dot in the file name, or too long).
bool ComposeOutputPath(char* destination, const char* source, const char* extension);
// Sets Kiln's current directory and PATH; true to go on, false to stop.
// A drive's root stays C:\ (a bare C: would be the drive's current directory).
// A compiler path without a directory is refused before anything changes.
bool PrepareEnvironment(const SettingsFile& settings, HWND mainWindow, HWND pane, const char* source);
// True after the box that names a file in the source's folder named like a
// DLL of the compiler's folder (or Kiln's, also on PATH) but not the same:
// the programs the compiler starts would load it ("Kiln 実行エラー").
bool RefusePlantedLibrary(const SettingsFile& settings, const char* source);
// The compiler's command line into destination (size bytes, kCommandLineSize
// in the compile request); false after a refusal box when a piece does not fit.
// charsetOptions (Kiln's own words for the source's encoding) go before
// CompileOption; empty, the line is what it always was.
bool ComposeCommandLine(const SettingsFile& settings, char* destination, std::size_t size,
                       const char* source, const char* output, const std::string& charsetOptions = std::string());

#endif
