// The jump from a line of compiler output to that line in the editor.
#ifndef KILN_CONTROLLER_ERROR_LINE_JUMP_H
#define KILN_CONTROLLER_ERROR_LINE_JUMP_H

#include <windows.h>

// The line number the compiler of `compilerPath` reports in `text`, cutting
// the text to its file part; 0 for none. A compiler whose output form is not
// known gets an apology box, whatever the line says.
int ParseErrorLine(char* text, const char* compilerPath);

// Shows the parameters in a box captioned with the editor's path, then
// starts the editor with them.
void LaunchEditorAtLine(HWND owner, const char* editorPath, const char* parameters);

// Moves the caret of the editor window that shows `sourcePath` to line n;
// 1 when done, 0 when no editor window shows the file.
int JumpInRunningEditor(const char* sourcePath, int n);

// The whole jump for one pane line (the double-click's work).
void JumpToErrorLine(HWND pane, char* line);

#endif
