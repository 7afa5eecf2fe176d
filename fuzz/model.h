// What the fuzz targets share: a check that aborts (so that libFuzzer keeps
// the input), exact-size copies of the input (so that AddressSanitizer sees
// any read past the terminator), and a model of CP932 character stepping
// written over indices, apart from the pointer code under test.
#ifndef KILN_FUZZ_MODEL_H
#define KILN_FUZZ_MODEL_H

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#define FUZZ_CHECK(condition)                                                                  \
    do {                                                                                       \
        if (!(condition)) {                                                                    \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                      \
        }                                                                                      \
    } while (0)

namespace model {

// A NUL-terminated copy in a heap block of exactly its size.
class Text {
public:
    explicit Text(const std::string& s) : size_(s.size() + 1), bytes_(new char[s.size() + 1]) {
        std::memcpy(bytes_.get(), s.c_str(), size_);
    }
    char* get() { return bytes_.get(); }
    std::size_t length() const { return size_ - 1; }
    std::string str() const { return std::string(bytes_.get()); }

private:
    std::size_t size_;
    std::unique_ptr<char[]> bytes_;
};

// Splits fuzz input at NUL bytes: each call gives the next piece.
class Pieces {
public:
    Pieces(const std::uint8_t* data, std::size_t size) : p_(reinterpret_cast<const char*>(data)), end_(p_ + size) {}
    std::string Next() {
        const char* nul = static_cast<const char*>(std::memchr(p_, '\0', static_cast<std::size_t>(end_ - p_)));
        const char* stop = nul ? nul : end_;
        std::string piece(p_, stop);
        p_ = nul ? nul + 1 : end_;
        return piece;
    }
    unsigned char Byte() { return p_ < end_ ? static_cast<unsigned char>(*p_++) : 0; }

private:
    const char* p_;
    const char* end_;
};

inline bool Lead(char c) {
    unsigned char u = static_cast<unsigned char>(c);
    return (u >= 0x81 && u <= 0x9F) || (u >= 0xE0 && u <= 0xFC);
}

// Index of the character after the one at i in a text without NUL bytes; a
// lead byte at the very end stands alone.
inline std::size_t Step(const std::string& s, std::size_t i) {
    return Lead(s[i]) && i + 1 < s.size() ? i + 2 : i + 1;
}

inline bool IsBoundary(const std::string& s, std::size_t offset) {
    std::size_t i = 0;
    while (i < offset) i = Step(s, i);
    return i == offset;
}

// Offset of the last single-byte ch at a character boundary, or npos.
inline std::size_t LastChar(const std::string& s, char ch) {
    std::size_t found = std::string::npos;
    for (std::size_t i = 0; i < s.size(); i = Step(s, i)) {
        if (s[i] == ch) found = i;
    }
    return found;
}

// Offset of the last "\\" or "/" at a character boundary, or npos.
inline std::size_t LastSeparator(const std::string& s) {
    std::size_t back = LastChar(s, '\\'), forward = LastChar(s, '/');
    if (back == std::string::npos) return forward;
    return forward == std::string::npos || back > forward ? back : forward;
}

inline bool Digit(char c) { return c >= '0' && c <= '9'; }

// The value of the decimal digits at s[i...], held at INT_MAX when larger.
inline long long DigitsValue(const std::string& s, std::size_t i) {
    long long value = 0;
    for (; i < s.size() && Digit(s[i]); ++i) value = std::min(value * 10 + (s[i] - '0'), 2147483647LL);
    return value;
}

inline char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

// Same text with single-byte letters folded; double-byte characters exact.
inline bool EqualFolded(const std::string& a, const std::string& b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        std::size_t ni = Step(a, i), nj = Step(b, j);
        if (ni - i != nj - j) return false;
        if (ni - i == 1 ? Upper(a[i]) != Upper(b[j]) : a.compare(i, 2, b, j, 2) != 0) return false;
        i = ni;
        j = nj;
    }
    return i == a.size() && j == b.size();
}

}  // namespace model

#endif
