#include "options/control_text.h"

#include <cstring>
#include <vector>

#include "common/cp932.h"

namespace {

// The control's whole text, however long.
std::vector<char> ControlText(HWND dialog, int id) {
    HWND control = GetDlgItem(dialog, id);
    int length = GetWindowTextLengthA(control);
    std::vector<char> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, '\0');
    GetWindowTextA(control, text.data(), static_cast<int>(text.size()));
    return text;
}

}  // namespace

void ReadItemText(HWND dialog, int id, char* field, std::size_t fieldSize) {
    cp932::CopyFitting(field, fieldSize, ControlText(dialog, id).data());
}

void ReadFieldText(HWND dialog, int id, char* field, std::size_t fieldSize, unsigned* overlong, unsigned bit) {
    if (*overlong & bit) {
        if (std::strcmp(ControlText(dialog, id).data(), field) == 0) return;
        *overlong &= ~bit;
    }
    ReadItemText(dialog, id, field, fieldSize);
}
