// What Kiln built itself. An output that came with the source's folder (a
// program unpacked beside it, newer than the source, perhaps read-only so
// that no compile can replace it) is never taken for Kiln's: it is neither
// up to date nor offered to run. The record of the outputs Kiln wrote lives
// in KilnBuilt.txt beside Kiln.ini.
#ifndef KILN_CONTROLLER_BUILT_OUTPUTS_H
#define KILN_CONTROLLER_BUILT_OUTPUTS_H

#include <windows.h>

#include "common/build_record.h"
#include "settings/settings_file.h"

// Whether the (possibly quoted) output's last write is not before `start`,
// within the coarseness of file times: the compile that began then wrote it.
bool WrittenSince(const char* output, const FILETIME& start);

// True when the record holds the output with its present write time and
// size, made by `made`'s compiler and command line, and every header the
// record names has its recorded write time and size still (`made`'s own
// headers are not looked at: only a compile follows the includes). A missing
// or unreadable record holds nothing.
bool IsRecordedBuild(const SettingsFile& settings, const char* output, const build_record::Made& made);

// Puts the output, as it is now, into the record, made as `made` says.
void RecordBuild(const SettingsFile& settings, const char* output, const build_record::Made& made);

#endif
