#ifndef KILN_OPTIONS_CONTROL_TEXT_H
#define KILN_OPTIONS_CONTROL_TEXT_H

#include <windows.h>

#include <cstddef>

// Reads a control's text into a settings field of fieldSize bytes, with '?'
// for a character that code page 932 does not hold (see HeldExactly). A
// longer text is cut before the first character that does not fit whole,
// never in the middle of a double-byte character.
void ReadItemText(HWND dialog, int id, char* field, std::size_t fieldSize);

// True when code page 932 holds the control's text exactly. A path's text
// that it does not hold is replaced in the control by the short name
// Windows keeps for the file, when there is one. Otherwise the error box
// shows the text as the control holds it, the control takes the focus,
// and false: nothing is to be saved.
bool HeldExactly(HWND dialog, int id, bool path);

// The same for a field that may have been loaded cut (`bit` set in
// *overlong): while the control still shows the cut text the field and the
// mark stay, and the key is not to be written; any other text is taken and
// clears the mark.
void ReadFieldText(HWND dialog, int id, char* field, std::size_t fieldSize, unsigned* overlong, unsigned bit);

#endif
