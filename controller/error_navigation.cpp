#include "controller/error_navigation.h"

#include <cstdlib>
#include <string>

#include "common/line_place.h"
#include "controller/error_line_jump.h"
#include "controller/output_pane.h"

namespace {

// Whether F4 stops at a line that names this place. A note explains the
// error before it, and an include chain leads up to the error after it: the
// error itself is where the user wants to be. A name that is no file there
// (source text that reads like one, a linker's object) is nowhere to go.
bool IsStep(const LinePlace& place, const char* source) {
    return place.line > 0 && !place.includeStep && place.kind != kNoteLine && LineFileExists(source, place.file.c_str());
}

bool LineText(HWND pane, LRESULT line, std::string* text) {
    char* got = PaneLineText(pane, line);
    if (!got) return false;
    *text = got;
    std::free(got);
    return true;
}

// The place pane line `line` (of `count`) names. False when the text
// cannot be had.
bool ReadPanePlace(HWND pane, LRESULT line, LRESULT count, const LineRules& rules, std::string* text,
                   LinePlace* place) {
    if (!LineText(pane, line, text)) return false;
    *place = ReadLinePlace(rules, text->c_str(), text->size(), nullptr);
    // Only a line that reads as a place needs the one after it, whose
    // carets may make it a quote of the source: F4 over a long output reads
    // each line once.
    std::string next;
    if (place->line > 0 && line + 1 < count && LineText(pane, line + 1, &next))
        *place = ReadLinePlace(rules, text->c_str(), text->size(), next.c_str());
    return true;
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
    // The pane is read as the compile that filled it wrote, whatever profile
    // has been chosen since.
    const LineRules& rules = state.paneRules;
    const int jumpType = state.settings.JumpType;
    HWND pane = state.pane;
    LRESULT count = SendMessageA(pane, EM_GETLINECOUNT, 0, 0);
    for (LRESULT line = FirstCandidate(pane, count, forward); line >= 0 && line < count;
         line += forward ? 1 : -1) {
        std::string text;
        LinePlace place;
        if (!ReadPanePlace(pane, line, count, rules, &text, &place)) break;
        if (IsStep(place, state.source)) {
            SelectPaneLine(pane, line);
            HWND editor = jumpType == 1 ? EditorShowingFile(state.source, place.file.c_str()) : NULL;
            if (editor) MoveEditorCaret(editor, place.line, place.column, rules, false);
            return;
        }
    }
    MessageBeep(MB_OK);
}

void JumpFromCaretLine(const MainWindowState& state) {
    HWND pane = state.pane;
    LRESULT line = SendMessageA(pane, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
    LRESULT count = SendMessageA(pane, EM_GETLINECOUNT, 0, 0);
    std::string text;
    LinePlace place;
    if (!ReadPanePlace(pane, line, count, state.paneRules, &text, &place)) return;
    JumpToErrorLine(pane, state.settings, state.paneRules, state.source, text, place);
}
