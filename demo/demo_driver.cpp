// The hands and eyes of scripts/demo: one step per start, acting on the
// windows of Kiln, the stand-in editor and their message boxes as a person
// would, and printing (CP932) what that person would see.
//
//   demo_driver wait-compiling SECONDS   until Kiln's pane shows progress;
//                                        prints the bounds as `bounds` does
//   demo_driver wait-pane [TEXT] SECONDS until a compile request has ended
//                                        (with TEXT in the pane); prints the
//                                        title and the pane
//   demo_driver box CAPTION SECONDS      waits for a message box; prints it
//                                        and leaves it open, on top
//   demo_driver press CAPTION ok|cancel  answers that box
//   demo_driver dblclick TEXT            double-clicks the first pane line
//                                        holding TEXT, with the mouse
//   demo_driver key F4|shift-F4|Enter    presses the key in Kiln's window;
//                                        prints the pane's selected line and
//                                        the status bar
//   demo_driver caret LINE SECONDS       waits for the editor's caret to be
//                                        on LINE; prints where it is
//   demo_driver bounds                   the rectangle around every visible
//                                        window, as WxH+X+Y for a screenshot
//   demo_driver raise CLASS              brings that window to the top
//   demo_driver sheet-page N             shows page N (from 0) of KilnOp
//   demo_driver sheet-click ID           clicks button ID on the page shown
//   demo_driver sheet-close              cancels KilnOp's sheet
//   demo_driver close [CLASS]            closes Kiln and the editors (or
//                                        the windows of that class)
//   demo_driver console-wait TEXT SECONDS
//                                        until the console of execute.exe
//                                        shows TEXT; prints its lines
//   demo_driver console-type TEXT        types TEXT and Enter into it
//   demo_driver console-key              presses one key (Space) in it
// Exit status 0 when the step was done, 1 when it timed out.
#include <windows.h>
#include <commctrl.h>
#include <prsht.h>
#include <tlhelp32.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "resources/shared_names.h"
#include "support/gui_message_boxes.h"
#include "support/gui_windows.h"

using namespace testing_support;

namespace {

const char kFinished[] = "Kiln:コンパイル終了";
const char kUnchanged[] = "Kiln:ソースファイルが変更されていません";

HWND Kiln() { return FindTopLevelWindow(KILN_WINDOW_CLASS); }
HWND Pane() {
    HWND kiln = Kiln();
    return kiln ? FindChild(kiln, "EDIT") : NULL;
}

// Windows line breaks as the console shows them.
void Print(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != '\r') out += c;
    std::printf("%s\n", out.c_str());
    std::fflush(stdout);
}

int WaitPane(DWORD seconds, const std::string& needle) {
    std::string text;
    bool done = WaitUntil(
        [&] {
            text = WindowText(Pane());
            if (text.find(needle) == std::string::npos) return false;
            return text.find(kFinished) != std::string::npos || text.find(kUnchanged) != std::string::npos;
        },
        seconds * 1000, 100);
    if (!done) {
        Print("(Kiln did not finish)");
        return 1;
    }
    Print("title: " + WindowText(Kiln()));
    Print("pane:\n" + text);
    Print("status bar: " + WindowText(FindChild(Kiln(), "msctls_statusbar32")));
    return 0;
}

int Key(const std::string& name) {
    HWND kiln = Kiln(), pane = Pane();
    if (!pane) return 1;
    WORD key = name == "Enter" ? VK_RETURN : VK_F4;
    if (!SendKeyPress(kiln, key, 3000, name == "shift-F4" ? VK_SHIFT : 0)) return 1;
    PumpMessages(600);
    DWORD both = static_cast<DWORD>(SendMessageA(pane, EM_GETSEL, 0, 0));
    LRESULT line = SendMessageA(pane, EM_LINEFROMCHAR, LOWORD(both), 0);
    std::string text = WindowText(pane);
    std::string::size_type start = 0;
    for (LRESULT i = 0; i < line && start != std::string::npos; ++i) {
        start = text.find("\r\n", start);
        if (start != std::string::npos) start += 2;
    }
    std::string shown = start == std::string::npos ? "" : text.substr(start, text.find("\r\n", start) - start);
    Print(name + ": " + (LOWORD(both) != HIWORD(both) ? "selected " + shown : "(nothing selected)"));
    Print("status bar: " + WindowText(FindChild(kiln, "msctls_statusbar32")));
    return 0;
}

int Bounds();

// Prints the bounds as soon as the progress shows, so that the picture can
// be taken before a small compile is over.
int WaitCompiling(DWORD seconds) {
    if (!WaitUntil([] { return WindowText(Pane()).find("Kiln:コンパイル中") != std::string::npos; },
                   seconds * 1000, 10)) {
        return 1;
    }
    return Bounds();
}

int ShowBox(const std::string& caption, DWORD seconds) {
    MessageBoxInfo info;
    if (!AnswerMessageBox(caption, 0, &info, seconds * 1000)) return 1;
    SetWindowPos(info.box, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    Print("[" + caption + "] " + info.text);
    return 0;
}

int Press(const std::string& caption, const std::string& button) {
    return AnswerMessageBox(caption, button == "cancel" ? IDCANCEL : IDOK, NULL, 5000) ? 0 : 1;
}

void Click(int x, int y, int times) {
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    INPUT move = {};
    move.type = INPUT_MOUSE;
    move.mi.dx = (x * 65535) / (width - 1);
    move.mi.dy = (y * 65535) / (height - 1);
    move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &move, sizeof move);
    PumpMessages(50);
    for (int i = 0; i < times; ++i) {
        INPUT press[2] = {};
        press[0].type = press[1].type = INPUT_MOUSE;
        press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
        press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
        SendInput(2, press, sizeof(INPUT));
        PumpMessages(60);
    }
}

// A person clicks into the pane first and double-clicks the line then.
int DoubleClickLine(const std::string& needle) {
    HWND kiln = Kiln(), pane = Pane();
    if (!pane) return 1;
    std::string text = WindowText(pane);
    std::string::size_type at = text.find(needle);
    if (at == std::string::npos) {
        Print("(no pane line holds " + needle + ")");
        return 1;
    }
    BringToForeground(kiln, 3000);
    // The pane counts characters, the text here is bytes: the line is
    // found by its line breaks, which both count alike.
    std::string::size_type begin = text.rfind("\r\n", at);
    begin = begin == std::string::npos ? 0 : begin + 2;
    LRESULT line = 0;
    for (std::string::size_type p = text.find("\r\n"); p != std::string::npos && p < begin; p = text.find("\r\n", p + 2))
        ++line;
    LRESULT start = SendMessageA(pane, EM_LINEINDEX, line, 0);
    SendMessageA(pane, EM_LINESCROLL, 0, line - SendMessageA(pane, EM_GETFIRSTVISIBLELINE, 0, 0));
    LRESULT position = SendMessageA(pane, EM_POSFROMCHAR, start + 2, 0);
    POINT point = {static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position)) + 4};
    ClientToScreen(pane, &point);
    Click(point.x, point.y, 1);
    PumpMessages(600);
    Click(point.x, point.y, 2);
    std::string::size_type end = text.find("\r\n", begin);
    Print("double-click: " + text.substr(begin, end == std::string::npos ? std::string::npos : end - begin));
    return 0;
}

// Where the editor's caret is, waiting for it to reach `line` (from 1).
int Caret(int line, DWORD seconds) {
    HWND editor = FindTopLevelWindow(WRENLET_WINDOW_CLASS);
    if (!editor) return 1;
    HWND edit = reinterpret_cast<HWND>(SendMessageA(editor, WM_WRENLET_GETEDIT, 0, 0));
    int now = 0;
    WaitUntil(
        [&] {
            DWORD start = 0;
            SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
            now = static_cast<int>(SendMessageA(edit, EM_LINEFROMCHAR, start, 0)) + 1;
            return now == line;
        },
        seconds * 1000, 50);
    Print("editor: " + WindowText(FindChild(editor, WRENLET_PATH_CHILD)) + ", caret on line " + std::to_string(now));
    return now == line ? 0 : 1;
}

BOOL CALLBACK AddToBounds(HWND window, LPARAM data) {
    RECT* all = reinterpret_cast<RECT*>(data);
    RECT r;
    if (!IsWindowVisible(window) || !GetWindowRect(window, &r) || r.right - r.left < 8) return TRUE;
    if (all->right == 0)
        *all = r;
    else
        UnionRect(all, all, &r);
    return TRUE;
}

int Bounds() {
    RECT all = {0, 0, 0, 0};
    EnumWindows(AddToBounds, reinterpret_cast<LPARAM>(&all));
    int width = GetSystemMetrics(SM_CXSCREEN), height = GetSystemMetrics(SM_CYSCREEN);
    int left = std::max(0L, all.left - 8), top = std::max(0L, all.top - 8);
    int right = std::min<long>(width, all.right + 8), bottom = std::min<long>(height, all.bottom + 8);
    std::printf("%dx%d+%d+%d\n", right - left, bottom - top, left, top);
    return 0;
}

// KilnOp's property sheet: the dialog with the tabs.
HWND Sheet() {
    HWND found = NULL;
    WaitUntil(
        [&] {
            for (HWND w = FindWindowExA(NULL, NULL, "#32770", NULL); w; w = FindWindowExA(NULL, w, "#32770", NULL))
                if (IsWindowVisible(w) && FindChild(w, WC_TABCONTROLA)) return (found = w) != NULL;
            return false;
        },
        10000, 50);
    return found;
}

int SheetPage(int index) {
    HWND sheet = Sheet();
    if (!sheet) return 1;
    SetWindowPos(sheet, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    SendMessageA(sheet, PSM_SETCURSEL, index, 0);
    PumpMessages(300);
    Print("KilnOp: " + WindowText(sheet) + ", page " + std::to_string(index + 1));
    return 0;
}

// Posted: the button may open a modal dialog.
int SheetClick(int id) {
    HWND sheet = Sheet();
    HWND page = sheet ? reinterpret_cast<HWND>(SendMessageA(sheet, PSM_GETCURRENTPAGEHWND, 0, 0)) : NULL;
    if (!page) return 1;
    PostMessageA(page, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(page, id)));
    return 0;
}

int SheetClose() {
    HWND sheet = Sheet();
    if (!sheet) return 1;
    PostMessageA(sheet, PSM_PRESSBUTTON, PSBTN_CANCEL, 0);
    return WaitForWindowGone(sheet, 5000) ? 0 : 1;
}

int Raise(const char* className) {
    HWND window = FindTopLevelWindow(className);
    if (!window) return 1;
    BringToForeground(window, 2000);
    return 0;
}

int Close(const char* only) {
    for (const char* name : {KILN_WINDOW_CLASS, WRENLET_WINDOW_CLASS}) {
        if (only && std::strcmp(only, name) != 0) continue;
        while (HWND window = FindTopLevelWindow(name)) {
            PostMessageA(window, WM_CLOSE, 0, 0);
            if (!WaitForWindowGone(window, 5000)) return 1;
        }
    }
    return 0;
}

// Joins the console of the running execute.exe, as a second window on the
// same console would; the driver's own output stays where it was.
bool JoinRunnerConsole() {
    DWORD id = 0;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (lstrcmpiA(entry.szExeFile, "execute.exe") == 0) id = entry.th32ProcessID;
    CloseHandle(snapshot);
    if (!id) return false;
    FreeConsole();
    return AttachConsole(id) != 0;
}

std::string ConsoleText() {
    HANDLE screen = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                                OPEN_EXISTING, 0, NULL);
    CONSOLE_SCREEN_BUFFER_INFO info;
    std::string text;
    if (screen != INVALID_HANDLE_VALUE && GetConsoleScreenBufferInfo(screen, &info)) {
        for (SHORT y = 0; y <= info.dwCursorPosition.Y; ++y) {
            // Read wide: the narrow call converts into as many bytes as the
            // line has cells, and a line with double-byte text does not fit.
            std::wstring wide(info.dwSize.X, L' ');
            DWORD read = 0;
            COORD at = {0, y};
            ReadConsoleOutputCharacterW(screen, &wide[0], info.dwSize.X, at, &read);
            std::string line(read * 2 + 1, '\0');
            int bytes = WideCharToMultiByte(CP_ACP, 0, wide.data(), static_cast<int>(read), &line[0],
                                            static_cast<int>(line.size()), NULL, NULL);
            line.resize(bytes > 0 ? bytes : 0);
            line.erase(line.find_last_not_of(" \0") + 1);
            text += line + "\n";
        }
    }
    if (screen != INVALID_HANDLE_VALUE) CloseHandle(screen);
    return text;
}

int ConsoleWait(const std::string& needle, DWORD seconds) {
    std::string text;
    bool shown = WaitUntil(
        [&] {
            text = JoinRunnerConsole() ? ConsoleText() : std::string();
            return text.find(needle) != std::string::npos;
        },
        seconds * 1000, 200);
    Print(shown ? "console:\n" + text : "(the console does not show " + needle + ")");
    return shown ? 0 : 1;
}

void AddKey(std::vector<INPUT_RECORD>& keys, WCHAR character, WORD virtualKey) {
    INPUT_RECORD record = {};
    record.EventType = KEY_EVENT;
    record.Event.KeyEvent.wRepeatCount = 1;
    record.Event.KeyEvent.wVirtualKeyCode = virtualKey;
    record.Event.KeyEvent.uChar.UnicodeChar = character;
    record.Event.KeyEvent.bKeyDown = TRUE;
    keys.push_back(record);
    record.Event.KeyEvent.bKeyDown = FALSE;
    keys.push_back(record);
}

int ConsoleType(const std::string& text, bool enter) {
    if (!JoinRunnerConsole()) return 1;
    wchar_t wide[256] = L"";
    MultiByteToWideChar(CP_ACP, 0, text.c_str(), -1, wide, 256);
    std::vector<INPUT_RECORD> keys;
    for (const wchar_t* c = wide; *c; ++c) AddKey(keys, *c, 0);
    if (enter) AddKey(keys, L'\r', VK_RETURN);
    HANDLE input = CreateFileA("CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                               OPEN_EXISTING, 0, NULL);
    DWORD written = 0;
    bool done = input != INVALID_HANDLE_VALUE &&
                WriteConsoleInputW(input, keys.data(), static_cast<DWORD>(keys.size()), &written);
    if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
    if (done && enter) Print("typed: " + text);
    return done ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::string step = argc > 1 ? argv[1] : "";
    DWORD seconds = argc > 2 ? static_cast<DWORD>(std::atoi(argv[argc - 1])) : 0;
    if (step == "wait-compiling") return WaitCompiling(seconds);
    if (step == "wait-pane") return WaitPane(seconds, argc > 3 ? argv[2] : "");
    if (step == "box" && argc > 3) return ShowBox(argv[2], seconds);
    if (step == "press" && argc > 3) return Press(argv[2], argv[3]);
    if (step == "dblclick" && argc > 2) return DoubleClickLine(argv[2]);
    if (step == "key" && argc > 2) return Key(argv[2]);
    if (step == "caret" && argc > 3) return Caret(std::atoi(argv[2]), seconds);
    if (step == "bounds") return Bounds();
    if (step == "raise" && argc > 2) return Raise(argv[2]);
    if (step == "sheet-page" && argc > 2) return SheetPage(std::atoi(argv[2]));
    if (step == "sheet-click" && argc > 2) return SheetClick(std::atoi(argv[2]));
    if (step == "sheet-close") return SheetClose();
    if (step == "console-wait" && argc > 3) return ConsoleWait(argv[2], seconds);
    if (step == "console-type" && argc > 2) return ConsoleType(argv[2], true);
    if (step == "console-key") return ConsoleType(" ", false);
    if (step == "close") return Close(argc > 2 ? argv[2] : NULL);
    std::fprintf(stderr, "demo_driver: unknown step\n");
    return 2;
}
