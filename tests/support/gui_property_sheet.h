// Driving a property sheet and its common dialogs in another process: the
// pages, their controls, the combo-box items and tab texts (read across the
// process boundary), and the open-file dialog.
#ifndef KILN_TESTS_SUPPORT_GUI_PROPERTY_SHEET_H
#define KILN_TESTS_SUPPORT_GUI_PROPERTY_SHEET_H

#include <windows.h>

#include <string>
#include <vector>

namespace testing_support {

// Items of a list or combo box, read with the wide messages (the only ones
// whose texts cross processes) and given back in CP932.
std::vector<std::string> ComboItems(HWND combo);

class SheetDriver {
public:
    // Waits for a visible dialog with this caption, of any process.
    bool Find(const std::string& caption, DWORD timeoutMs = 15000);
    HWND handle() const { return sheet_; }

    std::vector<std::string> TabTexts() const;
    void ShowPage(int index);    // as a click on its tab
    HWND Page() const;           // the page on show
    HWND Item(int id) const { return GetDlgItem(Page(), id); }
    std::string Text(int id) const;
    bool Enabled(int id) const { return IsWindowEnabled(Item(id)) != FALSE; }
    bool Visible(int id) const { return IsWindowVisible(Item(id)) != FALSE; }
    bool Checked(int id) const;

    // WM_SETTEXT: an edit sends EN_CHANGE as after typing.
    void Type(int id, const std::string& text);
    // A mouse click (BM_CLICK); returns once it has been handled.
    void Click(int id);
    // The same, posted, for a button that opens a modal window: returns at
    // once, and the test answers the window.
    void ClickOpening(int id);
    // Picks an item of a drop-down list as the user does (CBN_SELCHANGE).
    void Choose(int id, int index);
    // The sheet's own buttons, posted: IDOK, IDCANCEL (which may close the
    // sheet or bring up a box), and kApply.
    void Press(int button);
    // Apply, returning once every page has handled it.
    void Apply();
    bool ButtonEnabled(int button) const { return IsWindowEnabled(GetDlgItem(sheet_, button)) != FALSE; }
    static const int kApply = 0x3021;

private:
    HWND sheet_ = NULL;
};

// Waits for the open-file dialog with this caption, types `name` (a full
// path, or a name that the dialog resolves in the folder it shows) and
// presses its Open button. `filters`, when given, gets the file-type list.
bool AnswerFileDialog(const std::string& caption, const std::string& name,
                      std::vector<std::string>* filters = nullptr, DWORD timeoutMs = 15000);

}  // namespace testing_support

#endif
