// Whether the file that a line of compiler output names may be handed to
// the editor. The output is written by code the user got from elsewhere
// (#line sets any name), so the name must stay a file: no option for the
// editor, no second argument, no share on another machine and, for an
// editor started through cmd.exe, nothing that cmd.exe acts on.
// No windows.h here.
#ifndef KILN_COMMON_JUMP_FILE_CHECK_H
#define KILN_COMMON_JUMP_FILE_CHECK_H

// sourceOnShare: the compiled source is itself on a network path, where
// its neighbours' names begin with "\\" too. editorThroughShell: the
// editor's path is a .bat or .cmd file.
bool JumpFileAllowed(const char* file, bool sourceOnShare, bool editorThroughShell);

#endif
