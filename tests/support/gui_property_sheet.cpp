#include "support/gui_property_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include "support/gui_message_boxes.h"
#include "support/gui_windows.h"

namespace testing_support {

namespace {

const DWORD kAnswerMs = 10000;

LRESULT SendTimed(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(window, message, wParam, lParam, SMTO_NORMAL, kAnswerMs, &result);
    return static_cast<LRESULT>(result);
}

std::string FromWide(const std::wstring& text) {
    int n = WideCharToMultiByte(932, 0, text.c_str(), -1, NULL, 0, NULL, NULL);
    std::string out(n > 0 ? n : 1, '\0');
    WideCharToMultiByte(932, 0, text.c_str(), -1, &out[0], n, NULL, NULL);
    return std::string(out.c_str());
}

}  // namespace

std::vector<std::string> ComboItems(HWND combo) {
    std::vector<std::string> items;
    LRESULT count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, i, 0);
        std::wstring text(length > 0 ? length + 1 : 1, L'\0');
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(&text[0]));
        items.push_back(FromWide(text.c_str()));
    }
    return items;
}

bool SheetDriver::Find(const std::string& caption, DWORD timeoutMs) {
    MessageBoxInfo info;
    if (!AnswerMessageBox(caption, 0, &info, timeoutMs)) return false;
    sheet_ = info.box;
    // Raised and made foreground: the window searches walk down from it.
    BringToForeground(sheet_);
    return true;
}

std::vector<std::string> SheetDriver::TabTexts() const {
    // Tab texts do not cross processes by message: the item is read through
    // memory lent in the sheet's process.
    std::vector<std::string> texts;
    HWND tab = reinterpret_cast<HWND>(SendTimed(sheet_, PSM_GETTABCONTROL, 0, 0));
    DWORD processId = 0;
    GetWindowThreadProcessId(sheet_, &processId);
    HANDLE process = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId);
    if (!process) return texts;
    const SIZE_T textSize = 256;
    char* remote = static_cast<char*>(VirtualAllocEx(process, NULL, sizeof(TCITEMA) + textSize, MEM_COMMIT,
                                                     PAGE_READWRITE));
    LRESULT count = SendTimed(tab, TCM_GETITEMCOUNT, 0, 0);
    for (LRESULT i = 0; remote && i < count; ++i) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = remote + sizeof(TCITEMA);
        item.cchTextMax = textSize;
        char text[textSize] = "";
        WriteProcessMemory(process, remote, &item, sizeof item, NULL);
        WriteProcessMemory(process, remote + sizeof(TCITEMA), text, textSize, NULL);
        SendTimed(tab, TCM_GETITEMA, i, reinterpret_cast<LPARAM>(remote));
        ReadProcessMemory(process, remote + sizeof(TCITEMA), text, textSize, NULL);
        text[textSize - 1] = '\0';
        texts.push_back(text);
    }
    if (remote) VirtualFreeEx(process, remote, 0, MEM_RELEASE);
    CloseHandle(process);
    return texts;
}

void SheetDriver::ShowPage(int index) { SendTimed(sheet_, PSM_SETCURSEL, index, 0); }

HWND SheetDriver::Page() const {
    return reinterpret_cast<HWND>(SendTimed(sheet_, PSM_GETCURRENTPAGEHWND, 0, 0));
}

std::string SheetDriver::Text(int id) const { return WindowText(Item(id)); }

bool SheetDriver::Checked(int id) const { return SendTimed(Item(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void SheetDriver::Type(int id, const std::string& text) {
    SendTimed(Item(id), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void SheetDriver::Click(int id) { SendTimed(Item(id), BM_CLICK, 0, 0); }

void SheetDriver::ClickOpening(int id) { PostMessageA(Item(id), BM_CLICK, 0, 0); }

void SheetDriver::Choose(int id, int index) {
    HWND combo = Item(id);
    SendTimed(combo, CB_SETCURSEL, index, 0);
    // Posted: a switch that cannot save brings up a box.
    PostMessageA(Page(), WM_COMMAND, MAKEWPARAM(id, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
}

void SheetDriver::Press(int button) { PostMessageA(GetDlgItem(sheet_, button), BM_CLICK, 0, 0); }

void SheetDriver::Apply() { SendTimed(GetDlgItem(sheet_, kApply), BM_CLICK, 0, 0); }

bool AnswerFileDialog(const std::string& caption, const std::string& name, std::vector<std::string>* filters,
                      DWORD timeoutMs) {
    MessageBoxInfo info;
    if (!AnswerMessageBox(caption, 0, &info, timeoutMs)) return false;
    HWND dialog = info.box;
    const int kFileTypes = 0x470, kFileNameCombo = 0x47C, kFileNameEdit = 0x480;
    if (filters) *filters = ComboItems(GetDlgItem(dialog, kFileTypes));
    HWND field = GetDlgItem(dialog, kFileNameCombo);
    if (!field) field = GetDlgItem(dialog, kFileNameEdit);
    if (!field) return false;
    SendTimed(field, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(name.c_str()));
    PostMessageA(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDOK)));
    return WaitForWindowGone(dialog, timeoutMs);
}

}  // namespace testing_support
