// Kiln.ini and KilnOp.ini access through the Win32 profile functions,
// always with full paths.
#ifndef KILN_SETTINGS_PROFILE_IO_H
#define KILN_SETTINGS_PROFILE_IO_H

#include <cstddef>

namespace ini {

// An empty path stands for a settings file that cannot be named (its folder's
// path is too long): reads give their defaults and writes do nothing, rather
// than going to a file of a shortened name.

// Reads a string value into field (fieldSize bytes). A missing key gives def.
// A value longer than the field is cut at a character boundary so that the
// field never ends in half of a double-byte character, and false is returned:
// a cut value must not be used where it would name another file or command.
bool ReadString(const char* path, const char* section, const char* key, const char* def,
                char* field, std::size_t fieldSize);

// Reads the decimal number (optional sign) at the start of the value. A missing
// key or an empty value gives def; a value not starting with a number gives 0.
int ReadInt(const char* path, const char* section, const char* key, int def);

// Writes a value; a null value deletes the key. A value that starts or ends
// with a blank, a tab or a quote is enclosed in one extra pair of double
// quotes, so that ReadString gives it back exactly. False when the file could
// not be written (a read-only file, a folder without write permission, a
// settings file that cannot be named); Kiln ignores that, KilnOp reports it.
bool WriteString(const char* path, const char* section, const char* key, const char* value);
bool WriteInt(const char* path, const char* section, const char* key, int value);

// How many writes have failed in this process so far. Operations that write
// several keys report nothing themselves; a caller that must know whether
// all of them reached the file compares the count before and after.
unsigned FailedWriteCount();

// Drops what the profile functions keep of the file, so that the next read
// sees what another process has written since. Wine keeps a file's parsed
// copy while its modification time is unchanged, and writes within one tick
// of the file system's clock leave that time as it was.
void Reread(const char* path);

// Parses an integer as ReadInt does; exposed for the window and message pages.
int ParseLeadingInt(const char* text, int defaultForEmpty);

}  // namespace ini

#endif
