// The jump from a line of compiler output to that line in the editor.
#ifndef KILN_CONTROLLER_ERROR_LINE_JUMP_H
#define KILN_CONTROLLER_ERROR_LINE_JUMP_H

#include <windows.h>

#include "settings/settings_file.h"

// The line number the compiler of `compilerPath` reports in `text`, cutting
// the text to its file part; 0 for none. A compiler whose output form is not
// known gets an apology box, whatever the line says.
int ParseErrorLine(char* text, const char* compilerPath);

// Shows the parameters in a box captioned with the editor's path, then
// starts the editor with them.
void LaunchEditorAtLine(HWND owner, const char* editorPath, const char* parameters);

// Moves the caret of the editor window that shows `sourcePath` to line n;
// false when no editor window shows the file.
bool JumpInRunningEditor(const char* sourcePath, int n);

// The whole jump for one pane line (the double-click's work): the line form
// of the compiler in `settings`, the editor that shows `sourcePath`, boxes
// over `owner`.
void JumpToErrorLine(HWND owner, const SettingsFile& settings, const char* sourcePath, char* line);

#endif
