// The record of the outputs Kiln built itself: its text, one output a line,
// and its entries. An output newer than its source is taken as up to date
// only when it is in the record as it was written and was made the way Kiln
// would make it now: the same compiler, the same command line and the same
// headers. A program that came with the source's folder never is. No
// windows.h here.
#ifndef KILN_COMMON_BUILD_RECORD_H
#define KILN_COMMON_BUILD_RECORD_H

#include <cstddef>
#include <string>
#include <vector>

namespace build_record {

// A file as it was: its full path, its last-write time (a FILETIME as one
// number) and its size in bytes.
struct Stamp {
    std::string path;
    unsigned long long writeTime;
    unsigned long long size;
};

// What made an output: the compiler's full path, the whole command line as
// it was started, and the headers the source took in, as they were just
// before the compile. Empty in a line of an older Kiln, which said none of it.
struct Made {
    std::string compiler;
    std::string command;
    std::vector<Stamp> headers;
};

struct Entry {
    std::string path;               // the output's full path, unquoted
    unsigned long long writeTime;   // its last-write time, a FILETIME as one number
    unsigned long long size;        // its size in bytes
    Made made;
};

// Outputs kept, the newest first; an older one goes when a new one comes,
// and the oldest ones go while the text would pass kMaxTextBytes.
enum { kMaxEntries = 300, kMaxHeaders = 64 };
const std::size_t kMaxTextBytes = 4u << 20;

// The entries of a record's text, ended by CR LF or LF. A line is
// "WRITETIME<TAB>SIZE<TAB>PATH<TAB>COMPILER<TAB>COMMAND<TAB>N" and N times
// "<TAB>WRITETIME<TAB>SIZE<TAB>PATH" for the headers, numbers in decimal; in
// the texts every control character and '%' is written %XX (two hex digits),
// so that no tab or line break of a path or an option can frame a line.
// "WRITETIME<TAB>SIZE<TAB>PATH" alone is an older Kiln's line: read, kept,
// but never taken as up to date. A line that is not one of these is left
// out, and an entry past the cap with it.
std::vector<Entry> Parse(const char* text, std::size_t length);

// The text that Parse reads back as the same entries.
std::string Format(const std::vector<Entry>& entries);

// The entry of the path (ASCII letter case ignored, by character), or null.
const Entry* Find(const std::vector<Entry>& entries, const std::string& path);

// True when the record holds the path (ASCII letter case ignored, by
// character) with that write time and size, made by the same compiler path
// and the same command line, byte for byte, from the same headers.
bool Holds(const std::vector<Entry>& entries, const Entry& entry);

// The entry goes first and any entry of the same path goes; the oldest ones
// past the caps go too. A path holding a control character is no file's, so
// it is not recorded, nor is an entry with more headers than kMaxHeaders.
void Put(std::vector<Entry>* entries, const Entry& entry);

}  // namespace build_record

#endif
