#include "runner/metadata_cases.h"

#include <windows.h>

#include <algorithm>
#include <vector>

#include "common/natural_order.h"
#include "resources/exact_names.h"
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
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ||
            !exact_names::ToCodePage(found.cFileName, &file) || !judge_metadata::Match(metadata.inPattern, file, &part))
            continue;
        std::string name = file.substr(0, metadata.inPattern.find('*') + part.size());
        cases.push_back({name, file, out.substr(0, star) + part + out.substr(star + 1), std::wstring(), true});
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(cases.begin(), cases.end(), [](const SampleCase& a, const SampleCase& b) {
        return natural_order::Less(a.name.c_str(), b.name.c_str());
    });
    return cases;
}

}  // namespace runner
