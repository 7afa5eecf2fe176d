// The record of the outputs Kiln built itself: its text, one output a line,
// and its entries. An output newer than its source is taken as up to date
// only when it is in the record as it was written; a program that came with
// the source's folder never is. No windows.h here.
#ifndef KILN_COMMON_BUILD_RECORD_H
#define KILN_COMMON_BUILD_RECORD_H

#include <cstddef>
#include <string>
#include <vector>

namespace build_record {

struct Entry {
    std::string path;               // the output's full path, unquoted
    unsigned long long writeTime;   // its last-write time, a FILETIME as one number
    unsigned long long size;        // its size in bytes
};

// Outputs kept, the newest first; an older one goes when a new one comes.
enum { kMaxEntries = 300 };

// The entries of a record's text, lines "WRITETIME<TAB>SIZE<TAB>PATH" in
// decimal, ended by CR LF or LF. A line that is not one is left out, and an
// entry past the cap with it.
std::vector<Entry> Parse(const char* text, std::size_t length);

// The text that Parse reads back as the same entries.
std::string Format(const std::vector<Entry>& entries);

// True when the record holds the path (ASCII letter case ignored, by
// character) with that write time and that size.
bool Holds(const std::vector<Entry>& entries, const Entry& entry);

// The entry goes first and any entry of the same path goes; the oldest ones
// past the cap go too. A path holding a control character has no line of
// its own, so it is not recorded.
void Put(std::vector<Entry>* entries, const Entry& entry);

}  // namespace build_record

#endif
