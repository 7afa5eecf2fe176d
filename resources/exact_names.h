// Names that come from outside (a command line, a typed or pasted field, a
// folder's listing) arrive as Windows holds them, in UTF-16. The programs
// work in code page 932, and Windows' own conversion maps what that code
// page lacks onto look-alikes: ¥ (U+00A5) becomes a backslash and é an e,
// so another file would be named. Every such name goes through here and is
// taken only when code page 932 holds it exactly.
#ifndef KILN_RESOURCES_EXACT_NAMES_H
#define KILN_RESOURCES_EXACT_NAMES_H

#include <windows.h>

#include <cstddef>
#include <string>

namespace exact_names {

// The text in code page 932 when every character converts and converts
// back to the same UTF-16; false otherwise (out is then left empty).
bool ToCodePage(const wchar_t* text, std::size_t length, std::string* out);
inline bool ToCodePage(const std::wstring& text, std::string* out) {
    return ToCodePage(text.data(), text.size(), out);
}

// A file's or folder's name: as code page 932 holds it, else the short name
// Windows keeps for the file when that name is held exactly (one pair of
// surrounding quotes is dropped for the look-up). False when neither: the
// file is missing or has no such short name.
bool NameInCodePage(const std::wstring& path, std::string* out);

// Code page 932 text in UTF-16, for a box that shows a name as it is.
std::wstring Widened(const std::string& text);

// A box's text: text's first line, the name on the next, then text's
// other lines.
std::wstring UnderFirstLine(const char* text, const std::wstring& name);

// For a line that cannot be written in UTF-16: what code page 932 holds,
// every other character as '?', never a look-alike.
std::string Shown(const std::wstring& text);

}  // namespace exact_names

#endif
