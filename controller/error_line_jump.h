// The jump from a line of compiler output to that line in the editor.
#ifndef KILN_CONTROLLER_ERROR_LINE_JUMP_H
#define KILN_CONTROLLER_ERROR_LINE_JUMP_H

#include <windows.h>

#include <string>

#include "common/line_place.h"
#include "settings/settings_file.h"

// Shows the parameters in a box captioned with the editor's path, then
// starts the editor with them in its own folder, the source's folder out of
// its PATH.
void LaunchEditorAtLine(HWND owner, const char* editorPath, const char* parameters, const char* sourcePath);

// The editor window that shows the file a line names: `filePart` taken
// relative to the compiled source's folder (where the compiler ran), or the
// source itself when the line names it. Null when no editor shows the file.
HWND EditorShowingFile(const char* sourcePath, const char* filePart);

// Moves the editor's caret to line n, at the compiler's column (counted by
// `rules`) of the text the editor shows; with `bringForward` the editor then
// becomes the foreground window with the focus. False when the editor does
// not answer.
bool MoveEditorCaret(HWND editor, int n, int column, const LineRules& rules, bool bringForward);

// Whether the file a line names is one the editor can be taken to: a file
// (no folder) that is there, `filePart` taken against the source's folder,
// and one the jump may hand on; a share or a device is not even looked at.
bool LineFileExists(const char* sourcePath, const char* filePart);

// The whole jump for one pane line (the double-click's and Enter's work):
// the place the line names, read by the rules of the compile that filled the
// pane, the editor that shows the line's file, boxes over `owner`. A line
// whose file is not there does nothing.
void JumpToErrorLine(HWND owner, const SettingsFile& settings, const LineRules& rules, const char* sourcePath,
                     const std::string& line, const LinePlace& place);

#endif
