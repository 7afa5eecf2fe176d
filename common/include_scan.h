// The headers a C or C++ source takes in with #include "…", found as the
// compiler looks for them first: beside the including file, then beside the
// source. Only headers in the source's folder or below it are followed; the
// <…> form, -I folders and the system's headers never are. The files come
// through an interface, so that the scan itself is pure. No windows.h here.
#ifndef KILN_COMMON_INCLUDE_SCAN_H
#define KILN_COMMON_INCLUDE_SCAN_H

#include <cstddef>
#include <string>
#include <vector>

#include "common/build_record.h"

namespace include_scan {

// At most this many headers and this many bytes read, the source's included.
enum { kMaxHeaders = build_record::kMaxHeaders };
const std::size_t kMaxBytesRead = 1u << 20;

// True for a source the compiler reads as C or C++, by its extension
// (.c, .cc, .cp, .cpp, .cxx, .c++, ASCII letter case aside).
bool IsCFamilySource(const char* path);

// The names of the text's #include "…" lines in order, as written between
// the quotes; none from inside a comment or an #if 0 block (up to its #else,
// #elif or #endif). Stepped by CP932 character: a trail byte 0x5C in a name
// or a string is no backslash.
std::vector<std::string> QuotedIncludes(const char* text, std::size_t length);

// The path, relative to the source's folder, of `name` included from a
// file in `from` (relative to that folder too, "" for the folder itself;
// backslashes only). Empty when it would lie outside the folder, names a
// drive, a share, a device or a stream, or has a part Windows would read as
// another (trailing dots or blanks).
std::string Resolve(const std::string& from, const std::string& name);

enum ReadResult { kRead, kMissing, kUnreadable };

class Files {
public:
    virtual ~Files() {}
    // The whole file with its stamp when it has at most maxBytes bytes;
    // kMissing when there is no such file; kUnreadable for one that cannot
    // be read or is larger.
    virtual ReadResult Read(const std::string& path, std::size_t maxBytes, std::string* text,
                            build_record::Stamp* stamp) = 0;
};

struct Result {
    std::vector<build_record::Stamp> headers;  // each followed header once, in the order found
    // False when the source or a header could not be read or a limit was
    // reached: the output must count as made from other headers.
    bool complete;
};

// Follows the quoted includes of the source (a full path) and of each
// header found, recursively.
Result Follow(const std::string& source, Files& files);

}  // namespace include_scan

#endif
