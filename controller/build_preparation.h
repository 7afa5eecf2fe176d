// Between a compile request and the compiler's start: the output path, the
// current directory and PATH, the up-to-date test, the stale output's removal
// and the compiler's command line. Every scan steps by CP932 character.
#ifndef KILN_CONTROLLER_BUILD_PREPARATION_H
#define KILN_CONTROLLER_BUILD_PREPARATION_H

#include <windows.h>

#include <cstddef>
#include <string>

#include "settings/initial_file.h"

// Longest command line CreateProcessA accepts, terminator included.
enum { kCommandLineSize = 32768 };

// In place: drops one leading double quote and ends the text at the next one.
char* StripQuotes(char* path);
// A copy of the whole path, unquoted as StripQuotes does it, however long.
std::string UnquotedPath(const char* path);
// In place: ends the text at its last backslash (the directory part).
void CutAtLastBackslash(char* path);
// The part after the last backslash, cut at its last quote (260 bytes).
// A name too long for 260 bytes gives an empty text, never a shortened name.
void FileNamePart(char* destination, const char* path);
// 1 when a file or directory of the (unquoted) path exists.
int FileExists(const char* path);
// Deletes the file when it exists (stripping the caller's quotes in place);
// 1 when it existed.
int DeleteIfExists(char* path);
// 1 source newer, 0 equal, -1 output newer; 0 after an error box.
int CompareFileTimes(const char* source, const char* output);

// A source path without a directory part becomes a full path against the
// current directory. 0 (after a message box) when the result does not fit
// `size` bytes.
// Any other relative path (sub\a.c, ..\a.c) is made full as well, since it
// would point elsewhere once the source's directory is current. The result
// is unquoted; a path that is already full is left as it is, quotes and all.
int MakeSourcePathFull(char* source, std::size_t size);
// The output path (260 bytes) from the source path and the extension;
// 0 after a refusal box (no dot in the file name, or too long).
int ComposeOutputPath(char* destination, const char* source, const char* extension);
// Sets Kiln's current directory and PATH; 1 to go on, 0 to stop.
// A drive's root stays C:\ (a bare C: would be the drive's current directory).
// A compiler path without a directory is refused before anything changes.
int PrepareEnvironment(const SettingsFile& settings, HWND mainWindow, HWND pane, const char* source);
// The compiler's command line into destination (size bytes, kCommandLineSize
// in the compile request); 0 after a refusal box when a piece does not fit.
int ComposeCommandLine(const SettingsFile& settings, char* destination, std::size_t size,
                       const char* source, const char* output);

#endif
