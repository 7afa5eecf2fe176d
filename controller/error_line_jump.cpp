#include "controller/error_line_jump.h"

#include <cstring>
#include <string>

#include "common/cp932.h"
#include "common/error_line.h"
#include "controller/kiln_boxes.h"
#include "controller/locate_window.h"
#include "controller/shell_open.h"
#include "resources/shared_names.h"

namespace {

// The editor answers in a moment; one that hangs must not hang Kiln.
const UINT kEditorTimeoutMs = 2000;

LRESULT SendToEditor(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutA(window, message, wParam, lParam, SMTO_ABORTIFHUNG, kEditorTimeoutMs, &result)) {
        return -1;
    }
    return static_cast<LRESULT>(result);
}

}  // namespace

int ParseErrorLine(char* text, const char* compilerPath) {
    LineForm form = FormForCompiler(compilerPath);
    if (form == kUnsupportedForm) {
        std::string apology = std::string("ごめんなさい\n「 ") + cp932::FileNamePart(compilerPath) +
                              " 」はサポートしていないコンパイラです";
        ShowBox(NULL, apology.c_str(), "ごめんなさい", MB_ICONERROR);
        return 0;
    }
    return ParseLineOfForm(form, text);
}

void LaunchEditorAtLine(HWND owner, const char* editorPath, const char* parameters) {
    ShowBox(owner, parameters, editorPath, MB_OK);
    ShellOpen(owner, editorPath, parameters);  // a failed start is not reported
}

bool JumpInRunningEditor(const char* sourcePath, int n) {
    HWND editor = NULL;
    if (!LocateWindow(WRENLET_WINDOW_CLASS, sourcePath, &editor)) return false;
    HWND edit = reinterpret_cast<HWND>(SendToEditor(editor, WM_WRENLET_GETEDIT, 0, 0));
    if (edit == NULL || edit == reinterpret_cast<HWND>(-1)) return false;
    LRESULT p = SendToEditor(edit, EM_LINEINDEX, static_cast<WPARAM>(n - 1), 0);
    SendToEditor(edit, EM_SETSEL, static_cast<WPARAM>(p), p);
    SendToEditor(edit, EM_SCROLLCARET, 0, 0);
    SetForegroundWindow(editor);
    SetFocus(editor);
    return true;
}

void JumpToErrorLine(HWND owner, const SettingsFile& settings, const char* sourcePath, char* line) {
    // The compiler's name picks the line form; the editor's values start it.
    if (ReportOverlongSetting(settings, kOverlongPath | kOverlongEditor)) return;
    // Copies of what was checked: the editor is asked with a timeout, and a
    // reload during it may bring in other values, or values cut short.
    const std::string editor = settings.EditorPath;
    char option[kJumpOptionBufferSize];
    cp932::CopyFitting(option, sizeof option, settings.JumpOption);
    const LineForm form = FormForCompiler(settings.Path);
    int n = ParseErrorLine(line, settings.Path);
    if (n <= 0) return;
    switch (settings.JumpType) {
    case 1:
        if (JumpInRunningEditor(sourcePath, n)) return;
        break;
    case 0:
        break;
    default:
        ShowBox(owner, "ジャンプタイプが不正です", "エラー", MB_ICONQUESTION);
        return;
    }
    FillJumpOption(option, n);
    std::string parameters = JumpParameters(line, option, form);
    LaunchEditorAtLine(owner, editor.c_str(), parameters.c_str());
}
