#include "runner/sample_cases.h"

#include <windows.h>

#include <algorithm>

#include "common/device_name.h"
#include "common/natural_order.h"
#include "resources/exact_names.h"

namespace runner {

namespace {

bool EndsInIn(const std::wstring& file) {
    if (file.size() <= 3) return false;
    const wchar_t* end = file.c_str() + file.size() - 3;
    return end[0] == L'.' && (end[1] == L'i' || end[1] == L'I') && (end[2] == L'n' || end[2] == L'N');
}

std::wstring UnreadableLine(const std::wstring& name, const std::wstring& file) {
    return name + L": 「" + file +
           L"」を読めませんでした\r\n  名前にShift_JISで表せない文字があります（ファイル名を変えてください）\r\n";
}

// One .in file of the folder. Names reach the program's files only as code
// page 932 holds them: exactly, or by the short names Windows keeps.
SampleCase CaseOf(const std::wstring& folder, const std::wstring& file) {
    SampleCase sample;
    const std::wstring stem = file.substr(0, file.size() - 3), path = folder + L"\\" + file;
    sample.name = exact_names::Shown(stem);
    // A device's name: opened, it would hand a case the console or a port.
    if (device_name::IsDevice(file.c_str())) {
        sample.skipped = DeviceLine(stem, path);
        sample.counted = false;
        return sample;
    }
    const std::wstring out = folder + L"\\" + stem + L".out";
    bool hasOut = GetFileAttributesW(out.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!exact_names::NameInCodePage(path, &sample.input) ||
        (hasOut && !exact_names::NameInCodePage(out, &sample.expected))) {
        sample.skipped = UnreadableLine(stem, path);
        return sample;
    }
    std::string exact;
    if (!exact_names::ToCodePage(stem, &exact)) {
        // Shown by the short name it is read by.
        std::string::size_type slash = sample.input.rfind('\\'), dot = sample.input.rfind('.');
        sample.name = sample.input.substr(slash + 1, dot - slash - 1);
    }
    return sample;
}

std::vector<SampleCase> CasesIn(const wchar_t* folder) {
    std::vector<SampleCase> cases;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((std::wstring(folder) + L"\\*.in").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return cases;
    do {
        // The pattern also matches "x.ini" by its short name: only a name
        // that really ends in ".in" (in any case) is a case.
        std::wstring file = found.cFileName;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || !EndsInIn(file)) continue;
        cases.push_back(CaseOf(folder, file));
    } while (FindNextFileW(search, &found));
    FindClose(search);
    std::sort(cases.begin(), cases.end(), [](const SampleCase& a, const SampleCase& b) {
        return natural_order::Less(a.name.c_str(), b.name.c_str());
    });
    return cases;
}

}  // namespace

std::wstring DeviceLine(const std::wstring& name, const std::wstring& file) {
    return name + L": 判定なし（「" + file + L"」はファイルではなくデバイスです）\r\n";
}

std::vector<SampleCase> FindSampleCases() {
    for (const wchar_t* folder : {L"test", L"tests"}) {
        std::vector<SampleCase> cases = CasesIn(folder);
        if (!cases.empty()) return cases;
    }
    return std::vector<SampleCase>();
}

}  // namespace runner
