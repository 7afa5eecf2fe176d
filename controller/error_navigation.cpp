#include "controller/error_navigation.h"

#include <cstdlib>
#include <cstring>

#include "common/line_place.h"
#include "controller/error_line_jump.h"
#include "controller/kiln_boxes.h"
#include "controller/output_pane.h"

namespace {

// Whether F4 stops at a line that names this place. A note explains the
// error before it, and an include chain leads up to the error after it: the
// error itself is where the user wants to be.
bool IsStep(const LinePlace& place) { return place.line > 0 && !place.includeStep && place.kind != kNoteLine; }

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
    const LineRules rules = RulesForCompiler(settings.Path, settings.CompileOption);
    const int jumpType = settings.JumpType;
    HWND pane = state.pane;
    LRESULT count = SendMessageA(pane, EM_GETLINECOUNT, 0, 0);
    for (LRESULT line = FirstCandidate(pane, count, forward); line >= 0 && line < count;
         line += forward ? 1 : -1) {
        char* text = PaneLineText(pane, line);
        if (!text) break;
        const LinePlace place = ReadLinePlace(rules, text, std::strlen(text));
        std::free(text);
        if (IsStep(place)) {
            SelectPaneLine(pane, line);
            HWND editor = jumpType == 1 ? EditorShowingFile(state.source, place.file.c_str()) : NULL;
            if (editor) MoveEditorCaret(editor, place.line, place.column, rules, false);
            return;
        }
    }
    MessageBeep(MB_OK);
}

void JumpFromCaretLine(const MainWindowState& state) {
    char* line = PaneCaretLineText(state.pane);
    if (!line) return;
    JumpToErrorLine(state.pane, state.settings, state.source, line);
    std::free(line);
}
