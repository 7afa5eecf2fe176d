#include "settings/profile_io.h"

#include <windows.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/cp932.h"

namespace ini {

bool ReadString(const char* path, const char* section, const char* key, const char* def,
                char* field, std::size_t fieldSize) {
    if (path[0] == '\0') return cp932::CopyFitting(field, fieldSize, def);
    // Read the whole value first, so that cutting it to the field can respect
    // character boundaries (the profile function would cut between the bytes
    // of a double-byte character).
    DWORD size = 1024;
    for (;;) {
        char* buffer = static_cast<char*>(std::malloc(size));
        if (!buffer) return cp932::CopyFitting(field, fieldSize, def);
        DWORD got = GetPrivateProfileStringA(section, key, def, buffer, size, path);
        if (got + 2 < size || size >= (1u << 20)) {
            // A value that filled even the largest buffer is longer than any
            // field; CopyFitting reports it as not fitting.
            buffer[got < size ? got : size - 1] = '\0';
            bool whole = cp932::CopyFitting(field, fieldSize, buffer);
            std::free(buffer);
            return whole;
        }
        std::free(buffer);
        size *= 4;
    }
}

int ParseLeadingInt(const char* text, int defaultForEmpty) {
    if (*text == '\0') return defaultForEmpty;
    const char* p = text;
    while (*p == ' ' || *p == '\t') ++p;
    bool negative = false;
    if (*p == '+' || *p == '-') {
        negative = (*p == '-');
        ++p;
    }
    long long value = 0;
    while (cp932::IsDigit(*p)) {
        value = value * 10 + (*p - '0');
        if (value > static_cast<long long>(INT_MAX) + 1) value = static_cast<long long>(INT_MAX) + 1;
        ++p;
    }
    if (negative) value = -value;
    if (value > INT_MAX) value = INT_MAX;
    if (value < INT_MIN) value = INT_MIN;
    return static_cast<int>(value);
}

int ReadInt(const char* path, const char* section, const char* key, int def) {
    if (path[0] == '\0') return def;
    char buffer[64];
    GetPrivateProfileStringA(section, key, "", buffer, sizeof buffer, path);
    return ParseLeadingInt(buffer, def);
}

namespace {

unsigned failedWrites = 0;

// The profile reader trims blanks around a value and takes off one pair of
// matching quotes that enclose it. A value it would change that way goes in
// one extra pair of double quotes, which is exactly what the reader removes.
// No trail byte of CP932 lies below 0x40, so the last byte is a whole
// character whenever it is one of these.
bool IsEdgeCharacter(char c) { return c == ' ' || c == '\t' || c == '"' || c == '\''; }

bool NeedsEnclosingQuotes(const char* value) {
    std::size_t length = std::strlen(value);
    return length > 0 && (IsEdgeCharacter(value[0]) || IsEdgeCharacter(value[length - 1]));
}

}  // namespace

bool WriteString(const char* path, const char* section, const char* key, const char* value) {
    std::string enclosed;
    if (value && NeedsEnclosingQuotes(value)) {
        enclosed = std::string("\"") + value + "\"";
        value = enclosed.c_str();
    }
    if (path[0] != '\0' && WritePrivateProfileStringA(section, key, value, path)) return true;
    ++failedWrites;
    return false;
}

bool WriteInt(const char* path, const char* section, const char* key, int value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return WriteString(path, section, key, text);
}

unsigned FailedWriteCount() { return failedWrites; }

void Reread(const char* path) {
    // All three names null: the documented flush of the profile cache.
    if (path[0] != '\0') WritePrivateProfileStringA(NULL, NULL, NULL, path);
}

}  // namespace ini
