// A PATH value as a list of folders. No windows.h here.
#ifndef KILN_COMMON_PATH_LIST_H
#define KILN_COMMON_PATH_LIST_H

#include <string>
#include <vector>

namespace path_list {

// The list's entries in their order, without their quotes (a quoted entry
// may hold a ';'); empty ones are left out.
std::vector<std::string> Entries(const char* list);

// Whether two entries name one folder as they are written: quotes, the
// backslashes at the end and ASCII letter case aside ("C:\src\" is "c:\SRC").
bool SameEntry(const std::string& a, const std::string& b);

// The entries as one list, in double quotes where one holds a ';'.
std::string Joined(const std::vector<std::string>& entries);

}  // namespace path_list

#endif
