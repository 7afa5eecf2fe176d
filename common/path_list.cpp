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

std::vector<std::string> Entries(const char* list) {
    std::vector<std::string> entries;
    std::string entry;
    bool quoted = false;
    for (const char* p = list;; p = cp932::Next(p)) {
        if (*p == '"') {
            quoted = !quoted;
            continue;
        }
        if (*p != '\0' && (*p != ';' || quoted)) {
            entry.append(p, cp932::Next(p));
            continue;
        }
        if (!entry.empty()) entries.push_back(entry);
        entry.clear();
        if (*p == '\0') return entries;
    }
}

bool SameEntry(const std::string& a, const std::string& b) {
    return cp932::EqualNoCase(Bare(a).c_str(), Bare(b).c_str());
}

std::string Joined(const std::vector<std::string>& entries) {
    std::string list;
    for (const std::string& entry : entries) {
        if (!list.empty()) list += ';';
        list += cp932::FindFirst(entry.c_str(), ';') ? "\"" + entry + "\"" : entry;
    }
    return list;
}

}  // namespace path_list
