#include "common/jump_file_check.h"

#include "common/command_words.h"
#include "common/cp932.h"
#include "common/path_kind.h"

namespace {

// A share is reached with the user's own credentials as soon as the editor
// opens it; a device is no file at all.
bool Reachable(const char* path, bool sourceOnShare) {
    path_kind::Kind kind = path_kind::Classify(path);
    if (kind == path_kind::Kind::Device) return false;
    return kind != path_kind::Kind::Share || sourceOnShare;
}

}  // namespace

bool JumpFileAllowed(const char* file, const char* full, bool sourceOnShare) {
    while (*file == ' ' || *file == '\t') ++file;
    // A lead byte with no valid trail byte would step over the byte after
    // it, a quote perhaps, in every scan here and in the editor's.
    if (!command_words::WellFormed(file) || cp932::FindFirst(file, '"')) return false;
    // Options to editors: "-x", "/x", and "+command" to those that run one.
    if (file[0] == '-' || file[0] == '/' || file[0] == '+') return false;
    return Reachable(file, sourceOnShare) && (full[0] == '\0' || Reachable(full, sourceOnShare));
}
