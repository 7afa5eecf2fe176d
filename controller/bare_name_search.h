// Where the programs Kiln starts find what they ask for by a bare name: a
// program or batch file along PATH, a DLL in the loader's folders. The
// source's folder came from elsewhere; nothing in it may stand in for a
// program's own tools.
#ifndef KILN_CONTROLLER_BARE_NAME_SEARCH_H
#define KILN_CONTROLLER_BARE_NAME_SEARCH_H

#include <string>
#include <vector>

// The PATH a program gets: its own folder, System32 and the Windows folder
// first, then the folders of `rest`; each folder once, and never the
// `unsearched` one, however it is spelt (compared on disk by volume and file
// index where the system gives them: a short name, another case).
std::string SearchPath(const std::string& ownFolder, const std::vector<std::string>& rest,
                       const std::string& unsearched);

// Windows looks for a DLL in the current folder, which is the source's,
// before PATH: a program that the compiler starts from elsewhere (cc1.exe,
// under lib\ in MSYS2's layout) and whose DLLs lie in the compiler's folder
// would take one of the same name from the source's folder. The full path of
// the first file there that is named like a DLL of one of the `searched`
// folders but is not the same file's content; empty when there is none.
std::string PlantedLibrary(const std::string& sourceFolder, const std::vector<std::string>& searched);

#endif
