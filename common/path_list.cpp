#include "common/path_list.h"

#include "common/cp932.h"

namespace path_list {

namespace {

// The entry as a folder: no quotes, no backslash at its end, so that
// "C:\src\" and "C:\src" are one folder.
std::string Bare(const std::string& entry) {
    std::string bare;
    std::size_t trailing = 0;  // where the backslashes that end it begin
    for (const char* p = entry.c_str(); *p;) {
        const char* next = cp932::Next(p);
        if (*p != '"') {
            if (*p != '\\') trailing = bare.size() + static_cast<std::size_t>(next - p);
            bare.append(p, next);
        }
        p = next;
    }
    bare.resize(trailing);
    return bare;
}

}  // namespace

std::string WithoutFolder(const char* list, const char* folder) {
    const std::string unwanted = Bare(folder);
    std::string kept, entry;
    bool quoted = false;
    for (const char* p = list;; p = cp932::Next(p)) {
        if (*p == '"') quoted = !quoted;
        if (*p != '\0' && (*p != ';' || quoted)) {
            entry.append(p, cp932::Next(p));
            continue;
        }
        if (!entry.empty() && !cp932::EqualNoCase(Bare(entry).c_str(), unwanted.c_str())) {
            if (!kept.empty()) kept += ';';
            kept += entry;
        }
        entry.clear();
        if (*p == '\0') return kept;
    }
}

}  // namespace path_list
