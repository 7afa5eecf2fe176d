// Character-aware operations on code page 932 (Shift-JIS) text.
//
// A double-byte character's trail byte may be 0x5C ('\') or an ASCII letter,
// so every scan for a delimiter and every case-insensitive comparison has to
// step by character, never by byte. Nothing here includes windows.h, so the
// same code is tested natively under sanitizers.
#ifndef KILN_COMMON_CP932_H
#define KILN_COMMON_CP932_H

#include <cstddef>

namespace cp932 {

// An ASCII decimal digit. No trail byte is one (they start at 0x40), so a
// byte may be tested alone.
inline bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// True for a byte that starts a double-byte character (0x81-0x9F, 0xE0-0xFC).
bool IsLeadByte(unsigned char c);

// The character after the one at p. A lead byte followed by the terminator
// counts as a single byte, so a scan never runs past the end of the text.
const char* Next(const char* p);
inline char* Next(char* p) { return const_cast<char*>(Next(static_cast<const char*>(p))); }

// First / last single-byte character ch in s, or null. Trail bytes never match.
const char* FindFirst(const char* s, char ch);
const char* FindLast(const char* s, char ch);
inline char* FindFirst(char* s, char ch) { return const_cast<char*>(FindFirst(static_cast<const char*>(s), ch)); }
inline char* FindLast(char* s, char ch) { return const_cast<char*>(FindLast(static_cast<const char*>(s), ch)); }

// First single-byte character of s that is one of the bytes in set, or null.
const char* FindFirstOf(const char* s, const char* set);

// Compares two texts with the case of ASCII letters folded; double-byte
// characters (trail bytes included) compare exactly. Returns <0, 0 or >0.
int CompareNoCase(const char* a, const char* b);
inline bool EqualNoCase(const char* a, const char* b) { return CompareNoCase(a, b) == 0; }

// Length of the longest prefix of s that has at most maxBytes bytes and does
// not end inside a double-byte character.
std::size_t FittingLength(const char* s, std::size_t maxBytes);

// Copies src into dst (dstSize bytes, dstSize >= 1), always terminating it.
// A text that does not fit is cut before the first character that would not
// fit whole. Returns true when src fitted completely.
bool CopyFitting(char* dst, std::size_t dstSize, const char* src);

// n, or n - 1 when the n bytes at s end in a lead byte whose trail byte is
// missing. Reads backwards only over the bytes that might be lead bytes: a
// byte outside that range always ends a character.
std::size_t WholeCharactersLength(const char* s, std::size_t n);

// Ends s at a character boundary so that it holds at most maxBytes bytes.
void CutToFit(char* s, std::size_t maxBytes);

}  // namespace cp932

#endif
