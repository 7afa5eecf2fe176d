#include "support/gui_message_boxes.h"

#include <cstring>
#include <vector>

namespace testing_support {

namespace {

const DWORD kPollMs = 20;
const DWORD kTextTimeoutMs = 2000;

struct Search {
    const std::string* caption;
    HWND found;
};

// Reads a window's text through WM_GETTEXT, which is carried across
// processes, with a time limit in case the owning thread is stuck.
std::string TextOf(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, kTextTimeoutMs, &length))
        return std::string();
    std::vector<char> buffer(length + 2, '\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutA(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                             SMTO_ABORTIFHUNG, kTextTimeoutMs, &copied))
        return std::string();
    return std::string(buffer.data());
}

bool IsDialogClass(HWND window) {
    char name[16] = "";
    GetClassNameA(window, name, sizeof name);
    return std::strcmp(name, "#32770") == 0;
}

BOOL CALLBACK MatchBox(HWND window, LPARAM lParam) {
    Search* search = reinterpret_cast<Search*>(lParam);
    if (!IsWindowVisible(window) || !IsDialogClass(window)) return TRUE;
    char caption[512] = "";
    GetWindowTextA(window, caption, sizeof caption);
    if (*search->caption != caption) return TRUE;
    search->found = window;
    return FALSE;
}

HWND FindBox(const std::string& caption) {
    Search search = {&caption, NULL};
    EnumWindows(MatchBox, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

bool IsTextStatic(HWND child) {
    char name[16] = "";
    GetClassNameA(child, name, sizeof name);
    if (lstrcmpiA(name, "Static") != 0) return false;
    LONG style = GetWindowLongA(child, GWL_STYLE);
    return (style & SS_TYPEMASK) != SS_ICON;
}

BOOL CALLBACK FirstTextStatic(HWND child, LPARAM lParam) {
    if (!IsTextStatic(child)) return TRUE;
    *reinterpret_cast<HWND*>(lParam) = child;
    return FALSE;
}

HWND MessageTextOf(HWND box) {
    HWND text = GetDlgItem(box, 0xFFFF);
    if (!text || !IsTextStatic(text)) {
        text = NULL;
        EnumChildWindows(box, FirstTextStatic, reinterpret_cast<LPARAM>(&text));
    }
    return text;
}

}  // namespace

bool AnswerMessageBox(const std::string& caption, int button, MessageBoxInfo* info, DWORD ms) {
    DWORD start = GetTickCount();
    HWND box = NULL;
    for (;;) {
        box = FindBox(caption);
        if (box) break;
        if (GetTickCount() - start >= ms) return false;
        Sleep(kPollMs);
    }
    if (info) {
        info->caption = caption;
        info->box = box;
        info->owner = GetWindow(box, GW_OWNER);
        HWND text = MessageTextOf(box);
        info->text = text ? TextOf(text) : std::string();
        wchar_t wide[2048] = L"";
        if (text) GetWindowTextW(text, wide, 2048);  // another process's control: its text as Windows keeps it
        info->wideText = wide;
    }
    if (button != 0) {
        PostMessageA(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                     reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
        // Wait for the box to go, so that the next search does not find it.
        DWORD pressed = GetTickCount();
        while (IsWindow(box) && IsWindowVisible(box) && GetTickCount() - pressed < 5000) Sleep(kPollMs);
    }
    return true;
}

MessageBoxAnswerer::MessageBoxAnswerer(const std::string& caption, int button, DWORD ms)
    : thread_([this, caption, button, ms] { answered_ = AnswerMessageBox(caption, button, &info_, ms); }) {}

MessageBoxAnswerer::~MessageBoxAnswerer() {
    if (thread_.joinable()) thread_.join();
}

bool MessageBoxAnswerer::Wait() {
    if (thread_.joinable()) thread_.join();
    return answered_;
}

bool NoMessageBox(const std::string& caption, DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        if (FindBox(caption)) return false;
        if (GetTickCount() - start >= ms) return true;
        Sleep(kPollMs);
    }
}

}  // namespace testing_support
