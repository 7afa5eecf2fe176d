// Values of Kiln.ini longer than KilnOp's fields: the page shows what fits,
// says so, and does not write the cut text back over the whole one.
#ifndef KILN_OPTIONS_CUT_VALUE_NOTICE_H
#define KILN_OPTIONS_CUT_VALUE_NOTICE_H

#include <windows.h>

#include "settings/settings_file.h"

// The box "KilnOp 注意" over `owner`, naming each value among `mask`
// (OverlongBits) that was loaded cut. Nothing when none was.
void ReportCutValues(HWND owner, const SettingsFile& settings, unsigned mask);

#endif
