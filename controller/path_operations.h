// The small path operations shared by build preparation, the run offer, the
// window search and KilnOp. Paths may arrive quoted or not; quotes are
// removed only where a path is used. Every scan steps by CP932 character.
#ifndef KILN_CONTROLLER_PATH_OPERATIONS_H
#define KILN_CONTROLLER_PATH_OPERATIONS_H

#include <string>

#include "resources/full_path.h"

// In place: drops one leading double quote and ends the text at the next one.
char* StripQuotes(char* path);
// A copy of the whole path, unquoted as StripQuotes does it, however long.
std::string UnquotedPath(const char* path);
// In place: ends the text at its last backslash or slash (the directory part).
void CutAtLastBackslash(char* path);
// The folder of a possibly quoted path, without its last backslash (or
// slash) except for a drive's root: "C:" alone would mean the drive's
// current folder, which is the source's while Kiln compiles. Empty without
// a separator.
std::string FolderOf(const char* path);
// The part after the last backslash or slash, cut at its last quote (260 bytes).
// A name too long for 260 bytes gives an empty text, never a shortened name.
void FileNamePart(char* destination, const char* path);
// True when a file or directory of the (unquoted) path exists.
bool FileExists(const char* path);

#endif
