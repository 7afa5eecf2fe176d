#include "controller/error_line_jump.h"

#include <cstring>
#include <string>
#include <vector>

#include "common/command_words.h"
#include "common/cp932.h"
#include "common/error_line.h"
#include "common/jump_file_check.h"
#include "common/line_place.h"
#include "common/path_kind.h"
#include "controller/kiln_boxes.h"
#include "controller/locate_window.h"
#include "controller/path_operations.h"
#include "controller/program_launch.h"
#include "controller/program_path.h"
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

}  // namespace

void LaunchEditorAtLine(HWND owner, const char* editorPath, const char* parameters, const char* sourcePath) {
    ShowBox(owner, parameters, editorPath, MB_OK);
    // In its own folder and with a PATH without the source's, so that a
    // batch file's bare names are not looked for among the sample's files.
    Launch launch;
    launch.program = editorPath;
    launch.parameters = parameters;
    launch.folder = FolderOf(editorPath);
    launch.unsearched = FolderOf(sourcePath);
    launch.console = false;
    StartLaunch(owner, launch);  // a failed start is not reported
}

namespace {

std::string FullPathOfLineFile(const char* sourcePath, const char* filePart) {
    if (!*filePart) return std::string();
    std::string named = filePart;
    // Where the compiler ran; a path with a root or a drive of its own is
    // made full as Windows makes it.
    if (path_kind::Classify(filePart) == path_kind::Kind::Relative) {
        std::string folder = FolderOf(sourcePath);
        if (!folder.empty() && folder[folder.size() - 1] != '\\') folder += '\\';
        named = folder + named;
    }
    return FullPath(named);
}

bool SourceOnShare(const char* sourcePath) {
    return path_kind::Classify(UnquotedPath(sourcePath).c_str()) == path_kind::Kind::Share;
}

}  // namespace

bool LineFileExists(const char* sourcePath, const char* filePart) {
    const std::string full = FullPathOfLineFile(sourcePath, filePart);
    if (full.empty() || !JumpFileAllowed(filePart, full.c_str(), SourceOnShare(sourcePath))) return false;
    DWORD attributes = GetFileAttributesA(full.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

HWND EditorShowingFile(const char* sourcePath, const char* filePart) {
    std::string full = FullPathOfLineFile(sourcePath, filePart);
    // The source is looked for by its path as Kiln has it, as always; a
    // line that names no file Kiln can make out is taken to be about it.
    const char* wanted = sourcePath;
    if (!full.empty() && !cp932::EqualNoCase(full.c_str(), FullPath(UnquotedPath(sourcePath)).c_str()))
        wanted = full.c_str();
    HWND editor = NULL;
    if (!LocateWindow(WRENLET_WINDOW_CLASS, wanted, &editor)) return NULL;
    return editor;
}

namespace {

// How far into line `index` (its first position `start`) the compiler's
// column lies, in the edit's own positions. An ANSI edit counts bytes on
// Windows and characters under Wine: the line's bytes against its length
// tell which, so a double-byte character before the column is counted right.
LRESULT ColumnPositions(HWND edit, LRESULT index, LRESULT start, int column, const LineRules& rules) {
    LRESULT units = SendToEditor(edit, EM_LINELENGTH, static_cast<WPARAM>(start), 0);
    // EM_GETLINE's size word bounds what can be read; a longer line keeps
    // the caret at its start.
    if (column <= 1 || units <= 0 || units > 30000) return 0;
    std::vector<char> buffer(static_cast<std::size_t>(units) * 2 + 2, '\0');
    *reinterpret_cast<WORD*>(buffer.data()) = static_cast<WORD>(buffer.size() - 1);
    LRESULT got = SendToEditor(edit, EM_GETLINE, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(buffer.data()));
    if (got <= 0 || static_cast<std::size_t>(got) >= buffer.size()) return 0;
    const std::size_t length = static_cast<std::size_t>(got);
    std::size_t offset = ColumnOffset(rules, buffer.data(), length, column);
    if (got == units) return static_cast<LRESULT>(offset);
    LRESULT characters = 0;
    for (const char* p = buffer.data(); p < buffer.data() + offset; p = cp932::Next(p)) ++characters;
    return characters < units ? characters : units;
}

}  // namespace

bool MoveEditorCaret(HWND editor, int n, int column, const LineRules& rules, bool bringForward) {
    HWND edit = reinterpret_cast<HWND>(SendToEditor(editor, WM_WRENLET_GETEDIT, 0, 0));
    if (edit == NULL || edit == reinterpret_cast<HWND>(-1)) return false;
    LRESULT p = SendToEditor(edit, EM_LINEINDEX, static_cast<WPARAM>(n - 1), 0);
    if (p >= 0) p += ColumnPositions(edit, n - 1, p, column, rules);
    SendToEditor(edit, EM_SETSEL, static_cast<WPARAM>(p), p);
    SendToEditor(edit, EM_SCROLLCARET, 0, 0);
    if (bringForward) {
        SetForegroundWindow(editor);
        SetFocus(editor);
    }
    return true;
}

void JumpToErrorLine(HWND owner, const SettingsFile& settings, const LineRules& rules, const char* sourcePath,
                     const std::string& line, const LinePlace& place) {
    // The editor's values start it; the pane's rules came with its text.
    if (ReportOverlongSetting(settings, kOverlongEditor)) return;
    // Copies of what was checked: the editor is asked with a timeout, and a
    // reload during it may bring in other values, or values cut short.
    const std::string editor = ConfiguredProgramPath(settings.EditorPath);
    char option[kJumpOptionBufferSize];
    cp932::CopyFitting(option, sizeof option, settings.JumpOption);
    const int jumpType = settings.JumpType;
    if (place.line <= 0) return;
    if (jumpType != 0 && jumpType != 1) {
        ShowBox(owner, "ジャンプタイプが不正です", "エラー", MB_ICONQUESTION);
        return;
    }
    const char* file = place.file.c_str();
    // Judged by the place Windows makes of it, and handed on as that place:
    // the editor runs in its own folder.
    const std::string full = FullPathOfLineFile(sourcePath, file);
    std::string word;
    bool allowed = JumpFileAllowed(file, full.c_str(), SourceOnShare(sourcePath));
    if (allowed && IsBatchFile(editor.c_str())) {
        allowed = command_words::BatchWord(full.empty() ? file : full, &word);
    } else if (allowed) {
        const std::string& named = full.empty() ? std::string(file) : full;
        word = cp932::FindFirstOf(named.c_str(), " \t") ? command_words::Quoted(named) : named;
    }
    if (!allowed) {
        std::string text = kRefusedFileName + line;
        ShowBox(owner, text.c_str(), "エラー", MB_ICONERROR);
        return;
    }
    // Source text that reads like a place ("x = a ? 1:2;" under clang's
    // message), or a file the compiler named but the folder does not hold:
    // no editor is started on a name that is no file.
    if (!LineFileExists(sourcePath, file)) return;
    if (jumpType == 1) {
        HWND shown = EditorShowingFile(sourcePath, file);
        if (shown && MoveEditorCaret(shown, place.line, place.column, rules, true)) return;
    }
    FillJumpOption(option, place.line);
    std::string parameters = word + " " + option;
    LaunchEditorAtLine(owner, editor.c_str(), parameters.c_str(), sourcePath);
}
