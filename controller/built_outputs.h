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

// The output as a compile found it before it began: what it was, and whether
// it could be cleared away. An output that stays (read-only, held by a
// running program) is an old one whatever happens to it afterwards.
struct OutputBefore {
    bool existed = false;
    bool identified = false;  // the volume and file index below are known
    DWORD volume = 0;
    DWORD indexHigh = 0, indexLow = 0;
    unsigned long long writeTime = 0, size = 0;
    bool kept = false;  // there, and not deleted
    FILETIME start = {0, 0};
};

// Notes the (possibly quoted) output, deletes it and notes when the compile
// began. Called only once the compile is sure to start: a refused request
// leaves the old output as it was.
OutputBefore ClearOutputForCompile(const char* output);

// Whether the output is one the compile wrote: not an old one it could not
// delete; new or changed (write time, size or file ID); and dated from a
// little before the compile began to a little after `end`, so that a program
// unpacked with a date from a wrong clock is never taken for the compile's.
bool CompileWrote(const char* output, const OutputBefore& before, const FILETIME& end);

// True when the record holds the output with its present write time and
// size, made by `made`'s compiler and command line, and every header the
// record names has its recorded write time and size still (`made`'s own
// headers are not looked at: only a compile follows the includes). A missing
// or unreadable record holds nothing.
bool IsRecordedBuild(const SettingsFile& settings, const char* output, const build_record::Made& made);

// Puts the output, as it is now, into the record, made as `made` says.
void RecordBuild(const SettingsFile& settings, const char* output, const build_record::Made& made);

#endif
