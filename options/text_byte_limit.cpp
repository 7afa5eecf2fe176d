#include "options/text_byte_limit.h"

#include <string>
#include <vector>

#include "resources/exact_names.h"

namespace {

// The bytes that the field is read as (see ReadItemText).
int AnsiBytes(const wchar_t* text, int length) {
    if (length <= 0) return 0;
    return static_cast<int>(exact_names::Shown(std::wstring(text, static_cast<std::size_t>(length))).size());
}

// The start of the fewest whole characters before `end` that hold at least
// `excess` bytes, or 0 when all of them hold fewer.
int CutStart(const std::vector<wchar_t>& text, int end, int excess) {
    int start = end, cut = 0;
    while (start > 0 && cut < excess) {
        --start;
        if (start > 0 && IS_SURROGATE_PAIR(text[start - 1], text[start])) --start;
        cut = AnsiBytes(&text[start], end - start);
    }
    return start;
}

}  // namespace

void LimitTextBytes(HWND dialog, int id, int bytes) {
    SendDlgItemMessageW(dialog, id, EM_LIMITTEXT, static_cast<WPARAM>(bytes), 0);
}

void KeepWithinByteLimit(HWND edit) {
    // Wide throughout: the control keeps UTF-16, and its positions count it.
    int limit = static_cast<int>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
    int length = GetWindowTextLengthW(edit);
    std::vector<wchar_t> text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
    length = GetWindowTextW(edit, text.data(), static_cast<int>(text.size()));
    int excess = AnsiBytes(text.data(), length) - limit;
    if (excess <= 0) return;
    DWORD caret = 0;
    SendMessageW(edit, EM_GETSEL, 0, reinterpret_cast<LPARAM>(&caret));
    int end = static_cast<int>(caret) < length ? static_cast<int>(caret) : length;
    if (AnsiBytes(text.data(), end) < excess) end = length;
    SendMessageW(edit, EM_SETSEL, static_cast<WPARAM>(CutStart(text, end, excess)), end);
    SendMessageW(edit, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    MessageBeep(MB_OK);
}
