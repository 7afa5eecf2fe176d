// A PATH value as a list of folders. No windows.h here.
#ifndef KILN_COMMON_PATH_LIST_H
#define KILN_COMMON_PATH_LIST_H

#include <string>

namespace path_list {

// The list without the entries that name this folder (quotes, a trailing
// backslash and ASCII letter case aside); the rest in its order.
std::string WithoutFolder(const char* list, const char* folder);

}  // namespace path_list

#endif
