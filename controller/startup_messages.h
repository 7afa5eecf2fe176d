// Kiln's own error boxes ("Kiln 実行エラー").
#ifndef KILN_CONTROLLER_STARTUP_MESSAGES_H
#define KILN_CONTROLLER_STARTUP_MESSAGES_H

enum { kNoSourceMessage = 0, kNoCompilerMessage = 1 };

// Shows start-up message `index` when text is null or empty; 1 when shown.
int ReportIfEmpty(const char* text, int index);

// A refusal: the request ends with nothing deleted and nothing started.
void ShowKilnError(const char* text);

class SettingsFile;
// Names the first value among `mask` (OverlongBits) that Kiln.ini holds
// longer than its field, and returns 1; 0 when all of them fitted.
int ReportOverlongSetting(const SettingsFile& settings, unsigned mask);

// When the first-run defaults did not reach Kiln.ini (Kiln in a folder its
// user may not write to): names the file in an error box and returns 1; 0
// when every write went through.
int ReportUnsavedDefaults(const SettingsFile& settings);

extern const char kKilnErrorCaption[];
extern const char kSourcePathTooLong[];

#endif
