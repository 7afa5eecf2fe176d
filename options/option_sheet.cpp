#include "option_sheet.h"

#include <commctrl.h>
#include <prsht.h>

#include <cstddef>

#include "resources/option_ids.h"

namespace {
// The structures with the header-title and watermark fields, as the sheet
// was built for; newer fields stay unknown to it.
const UINT kPageSize = offsetof(PROPSHEETPAGEA, pszHeaderSubTitle) + sizeof(LPCSTR);
const UINT kHeaderSize = offsetof(PROPSHEETHEADERA, hbmHeader) + sizeof(HBITMAP);
#ifndef _WIN64
static_assert(kPageSize == 48 && kHeaderSize == 52, "32-bit sheet structures");
#endif
}  // namespace

HINSTANCE OptionInstance() { return GetModuleHandleA(NULL); }

int CALLBACK PropSheetCallback(HWND sheet, UINT message, LPARAM) {
    if (message != PSCB_INITIALIZED) return 0;
    // No help button: the program has no help to offer.
    LONG exStyle = GetWindowLongA(sheet, GWL_EXSTYLE);
    SetWindowLongA(sheet, GWL_EXSTYLE, exStyle & ~WS_EX_CONTEXTHELP);
    return 1;
}

void ShowOptionSheet(HWND owner) {
    // The window page's up-downs need their class before its template is made.
    INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_UPDOWN_CLASS | ICC_TAB_CLASSES};
    InitCommonControlsEx(&classes);

    struct PageKind {
        int templateId;
        DLGPROC procedure;
    };
    static const PageKind kinds[3] = {
        {IDD_COMPILER_PAGE, CompilerPageProc},
        {IDD_EDITOR_PAGE, EditorPageProc},
        {IDD_WINDOW_PAGE, WindowPageProc},
    };
    HPROPSHEETPAGE pages[3];
    for (int i = 0; i < 3; ++i) {
        PROPSHEETPAGEA page = {};
        page.dwSize = kPageSize;
        page.dwFlags = PSP_DEFAULT;
        page.hInstance = OptionInstance();
        page.pszTemplate = MAKEINTRESOURCEA(kinds[i].templateId);
        page.pfnDlgProc = kinds[i].procedure;
        pages[i] = CreatePropertySheetPageA(&page);
    }

    PROPSHEETHEADERA header = {};
    header.dwSize = kHeaderSize;
    header.dwFlags = PSH_USECALLBACK;
    header.hwndParent = owner;
    header.hInstance = OptionInstance();
    header.pszCaption = "Kiln Set Option";
    header.nPages = 3;
    header.nStartPage = 0;
    header.phpage = pages;
    header.pfnCallback = PropSheetCallback;
    PropertySheetA(&header);
}

void ReportChanged(HWND page) {
    SendMessageA(GetParent(page), PSM_CHANGED, reinterpret_cast<WPARAM>(page), 0);
}
