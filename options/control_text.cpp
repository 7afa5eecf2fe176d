#include "options/control_text.h"

#include <cstring>
#include <vector>

#include "common/cp932.h"

void ReadItemText(HWND dialog, int id, char* field, std::size_t fieldSize) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthA(control);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    cp932::CopyFitting(field, fieldSize, text.data());
}

void ReadFieldText(HWND dialog, int id, char* field, std::size_t fieldSize, unsigned* overlong, unsigned bit) {
    if (*overlong & bit) {
        HWND control = GetDlgItem(dialog, id);
        int length = GetWindowTextLengthA(control);
        std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
        GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
        if (std::strcmp(text.data(), field) == 0) return;
        *overlong &= ~bit;
    }
    ReadItemText(dialog, id, field, fieldSize);
}
