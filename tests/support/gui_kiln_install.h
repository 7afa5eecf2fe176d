// A Kiln installation in a temporary folder for end-to-end tests: the real
// Kiln.exe, the scriptable compiler fixture as gcc.exe, the recording
// program as execute.exe, and a Kiln.ini written by the test.
#ifndef KILN_TESTS_SUPPORT_GUI_KILN_INSTALL_H
#define KILN_TESTS_SUPPORT_GUI_KILN_INSTALL_H

#include <string>

#include "support/gui_message_boxes.h"
#include "support/gui_windows.h"
#include "support/processes.h"
#include "support/test_files.h"

namespace testing_support {

extern const char kFinished[];
extern const char kUnchanged[];
extern const char kKilnError[];

class KilnInstall {
public:
    explicit KilnInstall(const std::string& extraIni = "[Window]\r\nMagnet=0\r\n");
    // Ends every program still running from the folder (a Kiln a failed
    // case left behind would take the next case's hand-offs; under Wine a
    // leftover child also keeps the test's output open after it ends).
    ~KilnInstall();
    const TempDir& dir() const { return dir_; }
    std::string Compiler() const { return dir_ / "gcc.exe"; }
    // The run_recorder fixture; each start adds a line to runs.log beside it.
    std::string AidProgram() const { return dir_ / "execute.exe"; }
    std::string Runs() const { return ReadFile(dir_ / "runs.log"); }
    // The commands the compiler runs (see tests/fixtures/script_compiler.cpp);
    // every run is also logged to calls.log beside it.
    void Script(const std::string& commands);
    // A text put into a script as it is: the script reads backslashes as
    // escapes, so they are doubled (by character: a trail byte stays).
    static std::string ScriptText(const std::string& text);
    // The code-page-932 text in UTF-8, as gcc writes its messages, every byte
    // outside ASCII as an escape so that the script's stepping never sees it.
    static std::string Utf8ScriptText(const std::string& cp932Text);
    std::string CallsLog() const { return ReadFile(dir_ / "calls.log"); }
    int Calls() const;
    // A source file below the folder (folders created as needed).
    std::string Source(const std::string& relative, const std::string& text = "int main(void){return 0;}\n");
    bool Start(Process& kiln, const std::string& arguments);
    // Starts Kiln and waits for its main window.
    HWND Open(Process& kiln, const std::string& arguments);
    // The same, waiting until the first compile has finished.
    HWND OpenFinished(Process& kiln, const std::string& arguments);
    static HWND Pane(HWND kiln) { return FindChild(kiln, "EDIT"); }
    // The text of the status bar under the pane.
    static std::string Status(HWND kiln) { return WindowText(FindChild(kiln, "msctls_statusbar32")); }
    static bool WaitForPane(HWND kiln, const std::string& text, DWORD ms = 15000);

private:
    TempDir dir_;
};

}  // namespace testing_support

#endif  // KILN_TESTS_SUPPORT_GUI_KILN_INSTALL_H
