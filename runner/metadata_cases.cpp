#include "runner/metadata_cases.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/natural_order.h"
#include "runner/end_report.h"

namespace runner {

namespace {

// The file's bytes, at most limit + 1 of them, so that a larger one is
// known for what it is without being read whole.
bool ReadUpTo(const char* path, std::size_t limit, std::string* text, DWORD* error) {
    HANDLE file = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) {
        *error = GetLastError();
        return false;
    }
    char buffer[64 * 1024];
    DWORD read = 0;
    bool ok = true;
    while (text->size() <= limit) {
        if (!ReadFile(file, buffer, sizeof buffer, &read, NULL)) {
            *error = GetLastError();
            ok = false;
            break;
        }
        if (!read) break;
        text->append(buffer, read);
    }
    CloseHandle(file);
    return ok;
}

// A name from the system in code page 932, only when it holds the name
// exactly: a best-fit stand-in would name another file.
bool Narrow(const wchar_t* wide, std::string* out) {
    BOOL lost = FALSE;
    int bytes = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, -1, NULL, 0, NULL, &lost);
    if (bytes <= 0 || lost) return false;
    std::vector<char> text(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, -1, text.data(), bytes, NULL, &lost);
    *out = text.data();
    return !lost;
}

}  // namespace

MetadataFile ReadMetadata() {
    MetadataFile file;
    std::string text;
    DWORD error = 0;
    if (!ReadUpTo("metadata.json", judge_metadata::kMaxBytes, &text, &error)) {
        if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND) file.problem = SystemReason(error);
        return file;
    }
    file.usable = judge_metadata::Parse(text, &file.metadata, &file.problem);
    if (!file.usable) file.metadata = judge_metadata::Metadata();
    return file;
}

std::vector<SampleCase> CasesByPattern(const judge_metadata::Metadata& metadata) {
    std::vector<SampleCase> cases;
    std::wstring wide(metadata.inPattern.begin(), metadata.inPattern.end());  // ASCII, as it was read
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW(wide.c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return cases;
    const std::string& out = metadata.outPattern;
    const std::size_t star = out.find('*');
    do {
        std::string file, part;
        // The pattern also matches by the short name: only a name that fits
        // it itself is a case.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !Narrow(found.cFileName, &file) ||
            !judge_metadata::Match(metadata.inPattern, file, &part))
            continue;
        std::string name = file.substr(0, metadata.inPattern.find('*') + part.size());
        cases.push_back({name, file, out.substr(0, star) + part + out.substr(star + 1)});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(cases.begin(), cases.end(), [](const SampleCase& a, const SampleCase& b) {
        return natural_order::Less(a.name.c_str(), b.name.c_str());
    });
    return cases;
}

}  // namespace runner
