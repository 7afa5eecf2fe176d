#include "resources/exact_names.h"

#include <algorithm>
#include <vector>

namespace exact_names {

namespace {

const UINT kCodePage = 932;

}  // namespace

bool ToCodePage(const wchar_t* text, std::size_t length, std::string* out) {
    out->clear();
    if (length == 0) return true;
    int units = static_cast<int>(length);
    BOOL usedDefault = FALSE;
    int bytes = WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text, units, NULL, 0, NULL, &usedDefault);
    if (bytes <= 0 || usedDefault) return false;
    std::string converted(static_cast<std::size_t>(bytes), '\0');
    WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, text, units, &converted[0], bytes, NULL, &usedDefault);
    if (usedDefault) return false;
    // The flag alone is not enough: a conversion that picks a character
    // which reads back as another is a look-alike too.
    int back = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, converted.data(), bytes, NULL, 0);
    if (back != units) return false;
    std::vector<wchar_t> again(static_cast<std::size_t>(back));
    MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, converted.data(), bytes, again.data(), back);
    if (!std::equal(again.begin(), again.end(), text)) return false;
    out->swap(converted);
    return true;
}

bool NameInCodePage(const std::wstring& path, std::string* out) {
    if (ToCodePage(path, out)) return true;
    std::wstring bare = path;
    if (bare.size() >= 2 && bare.front() == L'"' && bare.back() == L'"') bare = bare.substr(1, bare.size() - 2);
    DWORD size = GetShortPathNameW(bare.c_str(), NULL, 0);
    if (size == 0) return false;
    std::vector<wchar_t> shortName(size + 1, L'\0');
    DWORD length = GetShortPathNameW(bare.c_str(), shortName.data(), size + 1);
    if (length == 0 || length > size) return false;
    return ToCodePage(shortName.data(), length, out);
}

std::wstring Widened(const std::string& text) {
    if (text.empty()) return std::wstring();
    int units = MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), NULL, 0);
    std::wstring wide(static_cast<std::size_t>(units > 0 ? units : 0), L'\0');
    if (units > 0) MultiByteToWideChar(kCodePage, 0, text.data(), static_cast<int>(text.size()), &wide[0], units);
    return wide;
}

std::wstring UnderFirstLine(const char* text, const std::wstring& name) {
    std::string lines = text;
    std::string::size_type firstBreak = lines.find('\n');
    std::wstring shown = Widened(lines.substr(0, firstBreak)) + L"\n" + name;
    return firstBreak == std::string::npos ? shown : shown + Widened(lines.substr(firstBreak));
}

std::string Shown(const std::wstring& text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t units = IS_HIGH_SURROGATE(text[i]) && i + 1 < text.size() ? 2 : 1;
        std::string piece;
        shown += ToCodePage(text.data() + i, units, &piece) ? piece : std::string("?");
        i += units - 1;
    }
    return shown;
}

}  // namespace exact_names
