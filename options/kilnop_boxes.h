// Every message box KilnOp shows goes through here.
#ifndef KILN_OPTIONS_KILNOP_BOXES_H
#define KILN_OPTIONS_KILNOP_BOXES_H

#include <windows.h>

#include <string>

// MessageBoxA, and the one place KilnOp calls it.
int ShowBox(HWND owner, const char* text, const char* caption, UINT flags);

// A text that code page 932 cannot hold, shown as Windows holds it on the
// line after `before`'s first, with `before`'s other lines after it, in the
// error box "KilnOp 入力エラー".
void ShowInexactText(HWND owner, const char* before, const std::wstring& text);

// Its texts for a path and for any other text.
extern const char kInexactPath[];
extern const char kInexactText[];

#endif
