#include "common/build_record.h"

#include "common/cp932.h"

namespace build_record {

namespace {

// A decimal number up to the tab at the end of its field; false for an empty
// field, anything but digits, or a value past 64 bits.
bool ReadNumber(const char*& p, const char* end, unsigned long long* value) {
    const char* start = p;
    unsigned long long v = 0;
    for (; p < end && cp932::IsDigit(*p); ++p) {
        unsigned digit = static_cast<unsigned>(*p - '0');
        if (v > (~0ULL - digit) / 10) return false;
        v = v * 10 + digit;
    }
    if (p == start || p == end || *p != '\t') return false;
    ++p;
    *value = v;
    return true;
}

// Control characters are never part of a double-byte character, so a byte
// scan finds them.
bool HasControl(const char* p, const char* end) {
    for (; p < end; ++p) {
        if (static_cast<unsigned char>(*p) < 0x20 || *p == 0x7F) return true;
    }
    return false;
}

bool ParseLine(const char* p, const char* end, Entry* entry) {
    if (!ReadNumber(p, end, &entry->writeTime) || !ReadNumber(p, end, &entry->size)) return false;
    if (p == end || HasControl(p, end)) return false;
    entry->path.assign(p, end);
    return true;
}

}  // namespace

std::vector<Entry> Parse(const char* text, std::size_t length) {
    std::vector<Entry> entries;
    const char* end = text + length;
    for (const char* line = text; line < end && entries.size() < kMaxEntries;) {
        const char* stop = line;
        while (stop < end && *stop != '\n') ++stop;
        const char* next = stop < end ? stop + 1 : stop;
        if (stop > line && stop[-1] == '\r') --stop;
        Entry entry;
        if (ParseLine(line, stop, &entry)) entries.push_back(entry);
        line = next;
    }
    return entries;
}

std::string Format(const std::vector<Entry>& entries) {
    std::string text;
    for (const Entry& e : entries) {
        text += std::to_string(e.writeTime) + '\t' + std::to_string(e.size) + '\t' + e.path + "\r\n";
    }
    return text;
}

bool Holds(const std::vector<Entry>& entries, const Entry& entry) {
    for (const Entry& e : entries) {
        if (cp932::EqualNoCase(e.path.c_str(), entry.path.c_str())) {
            return e.writeTime == entry.writeTime && e.size == entry.size;
        }
    }
    return false;
}

void Put(std::vector<Entry>* entries, const Entry& entry) {
    const char* path = entry.path.c_str();
    if (entry.path.empty() || HasControl(path, path + entry.path.size())) return;
    std::vector<Entry> kept(1, entry);
    for (const Entry& e : *entries) {
        if (kept.size() == kMaxEntries) break;
        if (!cp932::EqualNoCase(e.path.c_str(), path)) kept.push_back(e);
    }
    entries->swap(kept);
}

}  // namespace build_record
