// Edit controls whose text goes into a settings field of a fixed number of
// bytes. The version-6 edit control counts its limit in characters, and a
// kanji takes two bytes of the field: the control would take twice what
// the field keeps, and saving would drop the rest without a word.
#ifndef KILN_OPTIONS_TEXT_BYTE_LIMIT_H
#define KILN_OPTIONS_TEXT_BYTE_LIMIT_H

#include <windows.h>

// Lets the control take at most `bytes` bytes of CP932 text. The control's
// own limit is set to as many characters: it refuses plain ASCII keys as
// before, and KeepWithinByteLimit reads the figure back.
void LimitTextBytes(HWND dialog, int id, int bytes);

// For the control's EN_CHANGE: when its text has grown past the limit, the
// characters just typed or pasted before the caret that do not fit are
// taken out again with a beep, as the control refuses a key past its limit.
// A text set by a program has nothing typed before the caret; it loses its
// end instead.
void KeepWithinByteLimit(HWND edit);

#endif
