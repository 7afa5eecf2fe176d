// Every message box Kiln shows goes through here: its own error boxes
// ("Kiln 実行エラー") and, through ShowBox, the other captions of the
// modules that ask or report.
#ifndef KILN_CONTROLLER_KILN_BOXES_H
#define KILN_CONTROLLER_KILN_BOXES_H

#include <windows.h>

#include <string>

class SettingsFile;

// MessageBoxA, and the one place Kiln calls it.
int ShowBox(HWND owner, const char* text, const char* caption, UINT flags);

enum { kNoSourceMessage = 0, kNoCompilerMessage = 1 };

// Shows start-up message `index` when text is null or empty; true when shown.
bool ReportIfEmpty(const char* text, int index);

// A refusal: the request ends with nothing deleted and nothing started.
void ShowKilnError(const char* text);

// A name that code page 932 cannot hold, shown as Windows holds it under
// the first line of text, and the text's other lines after it.
void ShowNameError(const char* text, const std::wstring& name);

// Names the first value among `mask` (OverlongBits) that Kiln.ini holds
// longer than its field, and returns true; false when all of them fitted.
bool ReportOverlongSetting(const SettingsFile& settings, unsigned mask);

// When the first-run defaults did not reach Kiln.ini (Kiln in a folder its
// user may not write to): names the file in an error box and returns true;
// false when every write went through.
bool ReportUnsavedDefaults(const SettingsFile& settings);

extern const char kKilnErrorCaption[];
extern const char kSourcePathTooLong[];
extern const char kInexactSourceName[];

#endif
