#include "controller/error_line_jump.h"

#include <cstring>
#include <string>

#include "common/cp932.h"
#include "common/error_line.h"
#include "common/jump_file_check.h"
#include "controller/kiln_boxes.h"
#include "controller/locate_window.h"
#include "controller/path_operations.h"
#include "controller/program_path.h"
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

const char kRefusedFileName[] = "このファイル名はエディタに渡せません\n";

bool IsShare(const char* path) {
    std::string unquoted = UnquotedPath(path);
    return unquoted.compare(0, 2, "\\\\") == 0;
}

// A drive, a share or the current drive's root: not below the source's folder.
bool IsAbsolute(const char* path) {
    bool drive = ((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) && path[1] == ':';
    return drive || path[0] == '\\' || path[0] == '/';
}

// The full form of a path, slashes turned into backslashes; empty when the
// system cannot make one.
std::string FullPath(const std::string& path) {
    char full[MAX_PATH * 2];
    DWORD n = GetFullPathNameA(path.c_str(), sizeof full, full, NULL);
    if (n == 0 || n >= sizeof full) return std::string();
    return full;
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

HWND EditorShowingFile(const char* sourcePath, const char* filePart) {
    std::string source = UnquotedPath(sourcePath);
    std::string named = filePart;
    if (!named.empty() && !IsAbsolute(named.c_str())) {
        std::string folder = source;
        CutAtLastBackslash(&folder[0]);
        named = folder.c_str() + std::string("\\") + named;
    }
    std::string full = named.empty() ? std::string() : FullPath(named);
    // The source is looked for by its path as Kiln has it, as always; a
    // line that names no file Kiln can make out is taken to be about it.
    const char* wanted = sourcePath;
    if (!full.empty() && !cp932::EqualNoCase(full.c_str(), FullPath(source).c_str())) wanted = full.c_str();
    HWND editor = NULL;
    if (!LocateWindow(WRENLET_WINDOW_CLASS, wanted, &editor)) return NULL;
    return editor;
}

bool MoveEditorCaret(HWND editor, int n, bool bringForward) {
    HWND edit = reinterpret_cast<HWND>(SendToEditor(editor, WM_WRENLET_GETEDIT, 0, 0));
    if (edit == NULL || edit == reinterpret_cast<HWND>(-1)) return false;
    LRESULT p = SendToEditor(edit, EM_LINEINDEX, static_cast<WPARAM>(n - 1), 0);
    SendToEditor(edit, EM_SETSEL, static_cast<WPARAM>(p), p);
    SendToEditor(edit, EM_SCROLLCARET, 0, 0);
    if (bringForward) {
        SetForegroundWindow(editor);
        SetFocus(editor);
    }
    return true;
}

void JumpToErrorLine(HWND owner, const SettingsFile& settings, const char* sourcePath, char* line) {
    // The compiler's name picks the line form; the editor's values start it.
    if (ReportOverlongSetting(settings, kOverlongPath | kOverlongEditor)) return;
    // Copies of what was checked: the editor is asked with a timeout, and a
    // reload during it may bring in other values, or values cut short.
    const std::string editor = ConfiguredProgramPath(settings.EditorPath);
    char option[kJumpOptionBufferSize];
    cp932::CopyFitting(option, sizeof option, settings.JumpOption);
    const LineForm form = FormForCompiler(settings.Path);
    const std::string whole = line;  // the parser cuts the line to its file part
    int n = ParseErrorLine(line, settings.Path);
    if (n <= 0) return;
    if ((settings.JumpType == 0 || settings.JumpType == 1) &&
        !JumpFileAllowed(LineFilePart(line, form), IsShare(sourcePath), IsBatchFile(editor.c_str()))) {
        std::string text = kRefusedFileName + whole;
        ShowBox(owner, text.c_str(), "エラー", MB_ICONERROR);
        return;
    }
    switch (settings.JumpType) {
    case 1: {
        HWND shown = EditorShowingFile(sourcePath, LineFilePart(line, form));
        if (shown && MoveEditorCaret(shown, n, true)) return;
        break;
    }
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
