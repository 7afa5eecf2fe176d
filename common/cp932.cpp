#include "cp932.h"

#include <cstring>

namespace cp932 {

bool IsLeadByte(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

const char* Next(const char* p) {
    if (*p == '\0') return p;
    if (IsLeadByte(static_cast<unsigned char>(*p)) && p[1] != '\0') return p + 2;
    return p + 1;
}

const char* FindFirst(const char* s, char ch) {
    for (const char* p = s; *p; p = Next(p)) {
        if (*p == ch) return p;
    }
    return nullptr;
}

const char* FindLast(const char* s, char ch) {
    const char* found = nullptr;
    for (const char* p = s; *p; p = Next(p)) {
        if (*p == ch) found = p;
    }
    return found;
}

const char* FindFirstOf(const char* s, const char* set) {
    for (const char* p = s; *p; p = Next(p)) {
        if (!IsLeadByte(static_cast<unsigned char>(*p)) && std::strchr(set, *p)) return p;
    }
    return nullptr;
}

static unsigned char FoldAscii(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<unsigned char>(c - 'a' + 'A') : c;
}

int CompareNoCase(const char* a, const char* b) {
    const unsigned char* x = reinterpret_cast<const unsigned char*>(a);
    const unsigned char* y = reinterpret_cast<const unsigned char*>(b);
    for (;;) {
        if (IsLeadByte(*x) || IsLeadByte(*y)) {
            // Compare the whole double-byte character exactly.
            if (*x != *y) return *x < *y ? -1 : 1;
            ++x;
            ++y;
            if (*x != *y) return *x < *y ? -1 : 1;
            if (*x == 0) return 0;
            ++x;
            ++y;
            continue;
        }
        unsigned char cx = FoldAscii(*x), cy = FoldAscii(*y);
        if (cx != cy) return cx < cy ? -1 : 1;
        if (cx == 0) return 0;
        ++x;
        ++y;
    }
}

std::size_t FittingLength(const char* s, std::size_t maxBytes) {
    std::size_t len = 0;
    const char* p = s;
    while (*p) {
        const char* n = Next(p);
        std::size_t step = static_cast<std::size_t>(n - p);
        if (len + step > maxBytes) break;
        len += step;
        p = n;
    }
    return len;
}

bool CopyFitting(char* dst, std::size_t dstSize, const char* src) {
    std::size_t len = FittingLength(src, dstSize - 1);
    std::memmove(dst, src, len);
    dst[len] = '\0';
    return src[len] == '\0';
}

std::size_t WholeCharactersLength(const char* s, std::size_t n) {
    std::size_t leads = 0;
    while (leads < n && IsLeadByte(static_cast<unsigned char>(s[n - 1 - leads]))) ++leads;
    return leads % 2 == 1 ? n - 1 : n;
}

void CutToFit(char* s, std::size_t maxBytes) {
    s[FittingLength(s, maxBytes)] = '\0';
}

}  // namespace cp932
