#include "common/jump_file_check.h"

#include "common/command_words.h"
#include "common/cp932.h"

bool JumpFileAllowed(const char* file, bool sourceOnShare, bool editorThroughShell) {
    while (*file == ' ' || *file == '\t') ++file;
    if (cp932::FindFirst(file, '"')) return false;
    if (file[0] == '-' || file[0] == '/') return false;
    // A share is reached with the user's own credentials as soon as the
    // editor opens it.
    if (file[0] == '\\' && file[1] == '\\' && !sourceOnShare) return false;
    if (editorThroughShell && (cp932::FindFirstOf(file, "&|<>^%") || !command_words::WellFormed(file))) return false;
    return true;
}
