#ifndef KILN_OPTIONS_CONTROL_TEXT_H
#define KILN_OPTIONS_CONTROL_TEXT_H

#include <windows.h>

#include <cstddef>

// Reads a control's text into a settings field of fieldSize bytes. A longer
// text is cut before the first character that does not fit whole, never in
// the middle of a double-byte character.
void ReadItemText(HWND dialog, int id, char* field, std::size_t fieldSize);

// The same for a field that may have been loaded cut (`bit` set in
// *overlong): while the control still shows the cut text the field and the
// mark stay, and the key is not to be written; any other text is taken and
// clears the mark.
void ReadFieldText(HWND dialog, int id, char* field, std::size_t fieldSize, unsigned* overlong, unsigned bit);

#endif
