// Whether the file that a line of compiler output names may be handed to
// the editor. The output is written by code the user got from elsewhere
// (#line sets any name), so the name must stay a file: no option for the
// editor, no second argument, nothing on another machine and no device.
// No windows.h here.
#ifndef KILN_COMMON_JUMP_FILE_CHECK_H
#define KILN_COMMON_JUMP_FILE_CHECK_H

// file: the file part as the line gives it. full: what Windows makes of it
// against the source's folder (GetFullPathName), empty when it made
// nothing. sourceOnShare: the compiled source is itself on a share, where
// its neighbours are too. An editor that is a batch file takes the name
// through cmd.exe's quotes (command_words::BatchWord), which refuse more.
bool JumpFileAllowed(const char* file, const char* full, bool sourceOnShare);

#endif
