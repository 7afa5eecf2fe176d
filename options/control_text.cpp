#include "options/control_text.h"

#include <cstring>
#include <vector>

#include "common/cp932.h"
#include "options/kilnop_boxes.h"
#include "resources/exact_names.h"

namespace {

// The control's whole text as it holds it, however long. Read wide: the
// ANSI read would convert it with look-alikes.
std::wstring WideText(HWND control) {
    int length = GetWindowTextLengthW(control);
    std::vector<wchar_t> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    length = GetWindowTextW(control, text.data(), static_cast<int>(text.size()));
    return std::wstring(text.data(), static_cast<std::size_t>(length > 0 ? length : 0));
}

std::vector<char> ControlText(HWND dialog, int id) {
    std::wstring wide = WideText(GetDlgItem(dialog, id));
    std::string text;
    if (!exact_names::ToCodePage(wide, &text)) text = exact_names::Shown(wide);
    return std::vector<char>(text.c_str(), text.c_str() + text.size() + 1);
}

}  // namespace

bool HeldExactly(HWND dialog, int id, bool path) {
    HWND control = GetDlgItem(dialog, id);
    std::wstring wide = WideText(control);
    std::string text;
    if (exact_names::ToCodePage(wide, &text)) return true;
    if (path && exact_names::NameInCodePage(wide, &text)) {
        SetWindowTextW(control, exact_names::Widened(text).c_str());
        return true;
    }
    // Over the sheet for a page, over the dialog itself for a dialog of its own.
    HWND owner = (GetWindowLongPtrW(dialog, GWL_STYLE) & WS_CHILD) ? GetParent(dialog) : dialog;
    ShowInexactText(owner, path ? kInexactPath : kInexactText, wide);
    SetFocus(control);
    return false;
}

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
