#include "controller/output_conversion.h"

#include <windows.h>

#include <climits>
#include <cstdlib>

#include "common/output_text.h"

namespace {

const UINT kPaneCodePage = 932;

// UTF-16 room for one line, reused from line to line.
struct WideLine {
    wchar_t* units;
    std::size_t size;
};

std::size_t ToPaneCodePage(const char* utf8, std::size_t length, char* out, void* context) {
    WideLine* wide = static_cast<WideLine*>(context);
    if (length > INT_MAX) return outputtext::kStepFailed;
    // A UTF-8 line never needs more UTF-16 units than it has bytes.
    if (wide->size < length) {
        wchar_t* larger = static_cast<wchar_t*>(std::realloc(wide->units, length * sizeof(wchar_t)));
        if (!larger) return outputtext::kStepFailed;
        wide->units = larger;
        wide->size = length;
    }
    int units = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8, static_cast<int>(length), wide->units,
                                    static_cast<int>(length));
    if (units <= 0) return outputtext::kStepFailed;
    // A character beyond U+FFFF has no code-page-932 form either; it is one
    // character and shows as one "?", not one for each of its two units.
    int kept = 0;
    for (int i = 0; i < units; ++i) {
        wchar_t unit = wide->units[i];
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < units && wide->units[i + 1] >= 0xDC00 &&
            wide->units[i + 1] <= 0xDFFF) {
            unit = 0xFFFD;
            ++i;
        }
        wide->units[kept++] = unit;
    }
    // No best fit: a character without its own form is "?", never a
    // look-alike that would read as something else.
    int written = WideCharToMultiByte(kPaneCodePage, WC_NO_BEST_FIT_CHARS, wide->units, kept, out,
                                      static_cast<int>(length), "?", NULL);
    if (written <= 0) return outputtext::kStepFailed;
    return static_cast<std::size_t>(written);
}

}  // namespace

std::size_t ConvertOutputForPane(char* text, std::size_t length, bool toCodePage) {
    WideLine wide = {NULL, 0};
    outputtext::CodePageStep step = {toCodePage ? ToPaneCodePage : NULL, &wide};
    std::size_t converted = outputtext::ConvertInPlace(text, length, step);
    std::free(wide.units);
    return converted;
}
