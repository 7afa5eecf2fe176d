#include "controller/error_navigation.h"

#include <cstdlib>
#include <cstring>

#include "common/compiler_messages.h"
#include "common/error_line.h"
#include "controller/error_line_jump.h"
#include "controller/kiln_boxes.h"
#include "controller/output_pane.h"

namespace {

// The line number F4 stops at for this pane line, 0 for a line it passes
// over; the text is cut to its file part as the jump cuts it.
int StepTarget(char* text, LineForm form, MessageDialect dialect) {
    // A note explains the error before it, and an include chain leads up to
    // the error after it: the error itself is where the user wants to be.
    if (IsIncludeChainLine(text)) return 0;
    if (dialect == kGnuDialect && ClassifyLine(dialect, text, std::strlen(text)) == kNoteLine) return 0;
    return ParseLineOfForm(form, text);
}

LRESULT LineOfChar(HWND pane, DWORD at) { return SendMessageA(pane, EM_LINEFROMCHAR, at, 0); }

// The first of the pane's `count` lines to look at, or -1 for none.
LRESULT FirstCandidate(HWND pane, LRESULT count, bool forward) {
    DWORD start = 0, end = 0;
    SendMessageA(pane, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    LRESULT first = LineOfChar(pane, start);
    if (start == end) {
        if (forward) return first;
        return first > 0 ? first : count - 1;
    }
    LRESULT last = LineOfChar(pane, end);
    // A selection that ends at the start of a line does not take that line in.
    if (last > first && SendMessageA(pane, EM_LINEINDEX, last, 0) == static_cast<LRESULT>(end)) --last;
    return forward ? last + 1 : first - 1;
}

void SelectPaneLine(HWND pane, LRESULT line) {
    LRESULT start = SendMessageA(pane, EM_LINEINDEX, line, 0);
    LRESULT length = SendMessageA(pane, EM_LINELENGTH, start, 0);
    SendMessageA(pane, EM_SETSEL, start, start + length);
    SendMessageA(pane, EM_SCROLLCARET, 0, 0);
    // The selection shows only while the pane has the focus.
    if (GetFocus() != pane) SetFocus(pane);
}

}  // namespace

void StepToLocatedLine(const MainWindowState& state, bool forward) {
    const SettingsFile& settings = state.settings;
    if (ReportOverlongSetting(settings, kOverlongPath)) return;
    const LineForm form = FormForCompiler(settings.Path);
    const MessageDialect dialect = DialectForCompiler(settings.Path);
    const int jumpType = settings.JumpType;
    HWND pane = state.pane;
    LRESULT count = SendMessageA(pane, EM_GETLINECOUNT, 0, 0);
    for (LRESULT line = FirstCandidate(pane, count, forward); form != kUnsupportedForm && line >= 0 && line < count;
         line += forward ? 1 : -1) {
        char* text = PaneLineText(pane, line);
        if (!text) break;
        int n = StepTarget(text, form, dialect);
        if (n > 0) {
            SelectPaneLine(pane, line);
            HWND editor = jumpType == 1 ? EditorShowingFile(state.source, LineFilePart(text, form)) : NULL;
            if (editor) MoveEditorCaret(editor, n, false);
            std::free(text);
            return;
        }
        std::free(text);
    }
    MessageBeep(MB_OK);
}

void JumpFromCaretLine(const MainWindowState& state) {
    char* line = PaneCaretLineText(state.pane);
    if (!line) return;
    JumpToErrorLine(state.pane, state.settings, state.source, line);
    std::free(line);
}
