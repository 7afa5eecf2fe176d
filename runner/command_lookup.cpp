#include "runner/command_lookup.h"

#include <windows.h>

#include <vector>

#include "common/cp932.h"
#include "common/program_command.h"
#include "resources/exact_names.h"
#include "resources/full_path.h"

namespace runner {

namespace {

// Read wide and converted: Wine's GetEnvironmentVariableA ends a value with
// double-byte characters early, and Windows' own conversion takes look-alikes.
std::string Variable(const wchar_t* name) {
    DWORD size = GetEnvironmentVariableW(name, NULL, 0);
    if (!size) return std::string();
    std::vector<wchar_t> wide(size + 1, L'\0');
    GetEnvironmentVariableW(name, wide.data(), size + 1);
    // A folder that code page 932 lacks is searched nowhere: its look-alike
    // (C:\a\b for C:\a¥b) would be another folder.
    return exact_names::Shown(wide.data());
}

// The parts of a list separated by semicolons, empty ones left out.
// (A quoted part is cut at its semicolon too; the system does the same.)
std::vector<std::string> SplitList(const std::string& list) {
    std::vector<std::string> parts;
    const char* p = list.c_str();
    while (*p) {
        const char* end = cp932::FindFirst(p, ';');
        std::string part(p, end ? end : p + std::char_traits<char>::length(p));
        // A folder with a semicolon in its name is written in quotes.
        if (part.size() >= 2 && part.front() == '"' && part.back() == '"') part = part.substr(1, part.size() - 2);
        if (!part.empty()) parts.push_back(part);
        if (!end) break;
        p = end + 1;
    }
    return parts;
}

bool IsFile(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// path itself when it has an extension, else path with the first of the
// program extensions that names a file.
std::string WithExtension(const std::string& path) {
    if (program_command::KindOf(path.c_str()) != program_command::Kind::NoExtension)
        return IsFile(path) ? path : std::string();
    std::string extensions = Variable(L"PATHEXT");
    if (extensions.empty()) extensions = ".COM;.EXE;.BAT;.CMD";
    for (const std::string& extension : SplitList(extensions)) {
        std::string candidate = path + extension;
        if (program_command::KindOf(candidate.c_str()) != program_command::Kind::Document && IsFile(candidate))
            return candidate;
    }
    return std::string();
}

// The path as Windows makes it, which drops a last name's trailing blanks
// and dots: "a.bat " is a.bat, and must be started as the batch file it is.
std::string AsWindowsNamesIt(const std::string& path) {
    std::string full = FullPath(path);
    return full.empty() ? path : full;
}

std::string InFolder(const std::string& folder, const std::string& name) {
    const char* last = cp932::FindLast(folder.c_str(), '\\');
    bool endsInSeparator = last && last[1] == '\0';
    return folder + (endsInSeparator ? "" : "\\") + name;
}

}  // namespace

std::string FindProgram(const std::string& word) {
    if (program_command::HasFolder(word.c_str())) return WithExtension(AsWindowsNamesIt(word));
    char current[MAX_PATH * 2] = "";
    GetCurrentDirectoryA(sizeof current, current);
    std::vector<std::string> folders{current};
    for (const std::string& folder : SplitList(Variable(L"PATH"))) folders.push_back(folder);
    for (const std::string& folder : folders) {
        std::string found = WithExtension(AsWindowsNamesIt(InFolder(folder, word)));
        if (!found.empty()) return found;
    }
    return std::string();
}

}  // namespace runner
