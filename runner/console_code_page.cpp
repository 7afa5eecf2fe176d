#include "runner/console_code_page.h"

#include <climits>
#include <string>
#include <vector>

namespace runner {

namespace {

const UINT kUtf8 = 65001;

bool ToCp932(const std::string& utf8, std::string* cp932, void*) {
    cp932->clear();
    if (utf8.empty()) return true;
    if (utf8.size() > INT_MAX) return false;
    int length = static_cast<int>(utf8.size());
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, NULL, 0);
    if (units <= 0) return false;
    std::vector<wchar_t> wide(static_cast<std::size_t>(units));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, wide.data(), units);
    BOOL lost = FALSE;
    int bytes = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), units, NULL, 0, "?", &lost);
    if (bytes <= 0) return false;
    cp932->resize(static_cast<std::size_t>(bytes));
    WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), units, &(*cp932)[0], bytes, "?", &lost);
    return !lost;
}

}  // namespace

bool KilnSaysUtf8() {
    wchar_t value[16];
    DWORD n = GetEnvironmentVariableW(L"KILN_PROGRAM_CODE_PAGE", value, 16);
    SetEnvironmentVariableW(L"KILN_PROGRAM_CODE_PAGE", NULL);
    return n > 0 && n < 16 && std::wstring(value) == L"65001";
}

void UseUtf8CodePages() {
    if (!GetConsoleCP() || !GetConsoleOutputCP()) return;
    SetConsoleCP(kUtf8);
    SetConsoleOutputCP(kUtf8);
}

output_compare::Cp932Step Cp932Conversion() { return output_compare::Cp932Step{ToCp932, nullptr}; }

}  // namespace runner
