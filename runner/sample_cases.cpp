#include "runner/sample_cases.h"

#include <windows.h>

#include <algorithm>

#include "common/cp932.h"
#include "common/natural_order.h"

namespace runner {

namespace {

std::vector<SampleCase> CasesIn(const std::string& folder) {
    std::vector<SampleCase> cases;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.in").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return cases;
    do {
        std::string file = found.cFileName;
        // The pattern also matches "x.ini" by its short name: only a name
        // that really ends in ".in" (in any case) is a case. A dot is never
        // a trail byte, so the end starts a character.
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) || file.size() <= 3 ||
            !cp932::EqualNoCase(file.c_str() + file.size() - 3, ".in"))
            continue;
        std::string name = file.substr(0, file.size() - 3);
        cases.push_back({name, folder + "\\" + file, folder + "\\" + name + ".out"});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(cases.begin(), cases.end(), [](const SampleCase& a, const SampleCase& b) {
        return natural_order::Less(a.name.c_str(), b.name.c_str());
    });
    return cases;
}

}  // namespace

std::vector<SampleCase> FindSampleCases() {
    for (const char* folder : {"test", "tests"}) {
        std::vector<SampleCase> cases = CasesIn(folder);
        if (!cases.empty()) return cases;
    }
    return std::vector<SampleCase>();
}

}  // namespace runner
