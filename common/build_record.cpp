#include "common/build_record.h"

#include "common/cp932.h"

namespace build_record {

namespace {

// A field up to the next tab or the line's end.
struct Field {
    const char* text;
    std::size_t length;
};

bool NextField(const char*& p, const char* end, Field* field) {
    if (p == NULL) return false;
    const char* start = p;
    while (p < end && *p != '\t') ++p;
    field->text = start;
    field->length = static_cast<std::size_t>(p - start);
    p = p < end ? p + 1 : NULL;  // no tab: this was the last field
    return true;
}

// A decimal number; false for an empty field, anything but digits, or a
// value past 64 bits.
bool ReadNumber(const Field& field, unsigned long long* value) {
    unsigned long long v = 0;
    if (field.length == 0) return false;
    for (std::size_t i = 0; i < field.length; ++i) {
        char c = field.text[i];
        if (!cp932::IsDigit(c)) return false;
        unsigned digit = static_cast<unsigned>(c - '0');
        if (v > (~0ULL - digit) / 10) return false;
        v = v * 10 + digit;
    }
    *value = v;
    return true;
}

// Control characters and '%' are never part of a double-byte character, so
// byte scans find them.
bool IsControl(unsigned char c) { return c < 0x20 || c == 0x7F; }

bool HasControl(const std::string& text) {
    for (unsigned char c : text) {
        if (IsControl(c)) return true;
    }
    return false;
}

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    return -1;
}

void AppendEscaped(std::string* line, const std::string& text) {
    static const char kHex[] = "0123456789ABCDEF";
    for (unsigned char c : text) {
        if (IsControl(c) || c == '%') {
            *line += '%';
            *line += kHex[c >> 4];
            *line += kHex[c & 15];
        } else {
            *line += static_cast<char>(c);
        }
    }
}

bool ReadEscaped(const Field& field, std::string* text) {
    text->clear();
    for (std::size_t i = 0; i < field.length; ++i) {
        if (field.text[i] != '%') {
            *text += field.text[i];
            continue;
        }
        if (i + 2 >= field.length) return false;
        int high = HexValue(field.text[i + 1]), low = HexValue(field.text[i + 2]);
        if (high < 0 || low < 0) return false;
        *text += static_cast<char>(high * 16 + low);
        i += 2;
    }
    return true;
}

bool ReadStamp(const char*& p, const char* end, Stamp* stamp, bool escaped) {
    Field time, size, path;
    if (!NextField(p, end, &time) || !NextField(p, end, &size) || !NextField(p, end, &path)) return false;
    if (!ReadNumber(time, &stamp->writeTime) || !ReadNumber(size, &stamp->size) || path.length == 0) return false;
    if (!escaped) {
        stamp->path.assign(path.text, path.length);
        return true;
    }
    return ReadEscaped(path, &stamp->path) && !stamp->path.empty();
}

bool ParseLine(const char* p, const char* end, Entry* entry) {
    Stamp output;
    const char* rest = p;
    Field first, second;
    // An older Kiln's line ends at its path: two tabs and no more.
    NextField(rest, end, &first);
    NextField(rest, end, &second);
    bool older = rest != NULL && std::string(rest, end).find('\t') == std::string::npos;
    if (!ReadStamp(p, end, &output, !older)) return false;
    entry->path = output.path;
    entry->writeTime = output.writeTime;
    entry->size = output.size;
    entry->made = Made();
    if (older) return !HasControl(entry->path);
    Field compiler, command, count;
    unsigned long long headers = 0;
    if (!NextField(p, end, &compiler) || !NextField(p, end, &command) || !NextField(p, end, &count)) return false;
    if (!ReadEscaped(compiler, &entry->made.compiler) || !ReadEscaped(command, &entry->made.command)) return false;
    if (!ReadNumber(count, &headers) || headers > kMaxHeaders) return false;
    entry->made.headers.resize(static_cast<std::size_t>(headers));
    for (Stamp& header : entry->made.headers) {
        if (!ReadStamp(p, end, &header, true)) return false;
    }
    // The count said how many headers follow, and nothing may.
    return p == NULL && !HasControl(entry->path);
}

void AppendStamp(std::string* line, const Stamp& stamp) {
    *line += std::to_string(stamp.writeTime) + '\t' + std::to_string(stamp.size) + '\t';
    AppendEscaped(line, stamp.path);
}

std::string FormatLine(const Entry& e) {
    std::string line;
    AppendStamp(&line, Stamp{e.path, e.writeTime, e.size});
    line += '\t';
    AppendEscaped(&line, e.made.compiler);
    line += '\t';
    AppendEscaped(&line, e.made.command);
    line += '\t' + std::to_string(e.made.headers.size());
    for (const Stamp& header : e.made.headers) {
        line += '\t';
        AppendStamp(&line, header);
    }
    return line + "\r\n";
}

bool SameHeaders(const std::vector<Stamp>& a, const std::vector<Stamp>& b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i].writeTime != b[i].writeTime || a[i].size != b[i].size ||
            !cp932::EqualNoCase(a[i].path.c_str(), b[i].path.c_str()))
            return false;
    }
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
    for (const Entry& e : entries) text += FormatLine(e);
    return text;
}

const Entry* Find(const std::vector<Entry>& entries, const std::string& path) {
    for (const Entry& e : entries) {
        if (cp932::EqualNoCase(e.path.c_str(), path.c_str())) return &e;
    }
    return NULL;
}

bool Holds(const std::vector<Entry>& entries, const Entry& entry) {
    const Entry* e = Find(entries, entry.path);
    // An older Kiln's line says nothing of how the output was made.
    return e && e->writeTime == entry.writeTime && e->size == entry.size && !e->made.command.empty() &&
           e->made.compiler == entry.made.compiler && e->made.command == entry.made.command &&
           SameHeaders(e->made.headers, entry.made.headers);
}

void Put(std::vector<Entry>* entries, const Entry& entry) {
    if (entry.path.empty() || HasControl(entry.path) || entry.made.headers.size() > kMaxHeaders) return;
    std::vector<Entry> kept(1, entry);
    std::size_t bytes = FormatLine(entry).size();
    for (const Entry& e : *entries) {
        if (kept.size() == kMaxEntries) break;
        if (cp932::EqualNoCase(e.path.c_str(), entry.path.c_str())) continue;
        bytes += FormatLine(e).size();
        if (bytes > kMaxTextBytes) break;
        kept.push_back(e);
    }
    entries->swap(kept);
}

}  // namespace build_record
