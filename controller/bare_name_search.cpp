#include "controller/bare_name_search.h"

#include <windows.h>

#include <cstring>

#include "common/cp932.h"
#include "common/path_list.h"

namespace {

std::string SystemFolder(UINT (WINAPI *get)(LPSTR, UINT)) {
    char folder[MAX_PATH];
    UINT n = get(folder, sizeof folder);
    return n > 0 && n < sizeof folder ? std::string(folder, n) : std::string();
}

HANDLE OpenForIdentity(const std::string& path) {
    return CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                       NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
}

bool Identity(const std::string& path, BY_HANDLE_FILE_INFORMATION* info) {
    HANDLE handle = OpenForIdentity(path);
    if (handle == INVALID_HANDLE_VALUE) return false;
    bool known = GetFileInformationByHandle(handle, info) != FALSE;
    CloseHandle(handle);
    return known;
}

// A DLL of the same content does what the compiler's own does: a copy the
// user put beside the program to run it is no threat.
bool SameContent(const std::string& a, const std::string& b) {
    HANDLE files[2];
    const std::string* paths[2] = {&a, &b};
    for (int i = 0; i < 2; ++i) {
        files[i] = CreateFileA(paths[i]->c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                               NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
    }
    bool same = files[0] != INVALID_HANDLE_VALUE && files[1] != INVALID_HANDLE_VALUE;
    LARGE_INTEGER sizes[2];
    same = same && GetFileSizeEx(files[0], &sizes[0]) && GetFileSizeEx(files[1], &sizes[1]) &&
           sizes[0].QuadPart == sizes[1].QuadPart;
    static char blocks[2][65536];
    for (DWORD got[2] = {1, 1}; same && got[0] > 0;) {
        same = ReadFile(files[0], blocks[0], sizeof blocks[0], &got[0], NULL) &&
               ReadFile(files[1], blocks[1], sizeof blocks[1], &got[1], NULL) && got[0] == got[1] &&
               std::memcmp(blocks[0], blocks[1], got[0]) == 0;
    }
    for (HANDLE file : files) {
        if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    }
    return same;
}

bool NamedAsDll(const char* name) {
    const std::size_t length = std::strlen(name);
    // ".dll" must begin on a character, not inside a double-byte one.
    for (const char* p = name; length >= 5 && *p; p = cp932::Next(p)) {
        if (p == name + length - 4) return cp932::EqualNoCase(p, ".dll");
    }
    return false;
}

// A drive's root ends in its backslash already.
std::string Inside(const std::string& folder, const char* name) {
    const char* last = NULL;
    for (const char* p = folder.c_str(); *p; p = cp932::Next(p)) last = p;
    return folder + (last && *last == '\\' ? "" : "\\") + name;
}

// Whether two folders are one on disk, whatever their spelling; by name
// where the system gives no file index.
bool SameFolder(const std::string& a, const std::string& b) {
    BY_HANDLE_FILE_INFORMATION first, second;
    if (Identity(a, &first) && Identity(b, &second)) {
        return first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
               first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
    }
    return path_list::SameEntry(a, b);
}

}  // namespace

std::string SearchPath(const std::string& ownFolder, const std::vector<std::string>& rest,
                       const std::string& unsearched) {
    std::vector<std::string> candidates = {ownFolder, SystemFolder(GetSystemDirectoryA),
                                           SystemFolder(GetSystemWindowsDirectoryA)};
    candidates.insert(candidates.end(), rest.begin(), rest.end());
    std::vector<std::string> kept;
    for (const std::string& candidate : candidates) {
        if (candidate.empty() || (!unsearched.empty() && SameFolder(candidate, unsearched))) continue;
        bool again = false;
        for (const std::string& earlier : kept) again = again || path_list::SameEntry(earlier, candidate);
        if (!again) kept.push_back(candidate);
    }
    return path_list::Joined(kept);
}

std::string PlantedLibrary(const std::string& sourceFolder, const std::vector<std::string>& searched) {
    std::vector<std::string> others;
    for (const std::string& folder : searched) {
        if (!folder.empty() && !SameFolder(folder, sourceFolder)) others.push_back(folder);
    }
    if (others.empty()) return std::string();
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(Inside(sourceFolder, "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return std::string();
    std::string planted;
    do {
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        const std::string path = Inside(sourceFolder, found.cFileName);
        // The loader finds a file by its short name too.
        for (const char* name : {found.cFileName, found.cAlternateFileName}) {
            if (!*name || !NamedAsDll(name)) continue;
            for (const std::string& folder : others) {
                const std::string own = Inside(folder, name);
                DWORD attributes = GetFileAttributesA(own.c_str());
                if (attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY) &&
                    !SameContent(own, path))
                    planted = path;
            }
        }
    } while (planted.empty() && FindNextFileA(search, &found));
    FindClose(search);
    return planted;
}
