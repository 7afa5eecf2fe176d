// Finding and answering message boxes from tests, in this process or in a
// program the test started. Every wait has a time limit, so a box that never
// comes fails the test instead of hanging it.
#ifndef KILN_TESTS_SUPPORT_GUI_MESSAGE_BOXES_H
#define KILN_TESTS_SUPPORT_GUI_MESSAGE_BOXES_H

#include <windows.h>

#include <string>
#include <thread>

namespace testing_support {

struct MessageBoxInfo {
    std::string caption;
    std::string text;
    std::wstring wideText;  // as the box holds it
    HWND owner = NULL;
    HWND box = NULL;  // no longer valid once the box has been answered
};

// Waits up to ms for a visible top-level dialog (class "#32770") with this
// exact caption, in any process; reads its message text (the static control,
// id 0xFFFF, or the first STATIC child that is not the icon) and its owner;
// then presses `button` (IDOK, IDCANCEL, ...; 0 = leave it open) and waits
// briefly for the box to go, so that a following search cannot find it
// again. False on timeout. info may be null.
bool AnswerMessageBox(const std::string& caption, int button, MessageBoxInfo* info, DWORD ms = 10000);

// Answers one box with the given caption from a background thread while the
// test's own thread is blocked in code that shows it. The destructor joins
// the thread (the wait has its own timeout).
class MessageBoxAnswerer {
public:
    MessageBoxAnswerer(const std::string& caption, int button, DWORD ms = 10000);
    ~MessageBoxAnswerer();
    // Joins; true when the box was found and answered.
    bool Wait();
    const MessageBoxInfo& Info() const { return info_; }

private:
    MessageBoxInfo info_;
    bool answered_ = false;
    std::thread thread_;
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;
};

// True when no box with this caption appears within ms (for "no message is
// shown" checks). A box that does appear is left open.
bool NoMessageBox(const std::string& caption, DWORD ms);

}  // namespace testing_support

#endif
