#include "natural_order.h"

#include <cstring>

#include "cp932.h"

namespace natural_order {

namespace {

char Folded(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Compares the runs of digits at *a and *b by value and moves both past them.
int CompareNumbers(const char** a, const char** b) {
    while (**a == '0') ++*a;
    while (**b == '0') ++*b;
    const char* startA = *a;
    const char* startB = *b;
    while (cp932::IsDigit(**a)) ++*a;
    while (cp932::IsDigit(**b)) ++*b;
    std::size_t lengthA = static_cast<std::size_t>(*a - startA), lengthB = static_cast<std::size_t>(*b - startB);
    if (lengthA != lengthB) return lengthA < lengthB ? -1 : 1;
    return std::memcmp(startA, startB, lengthA);
}

// Compares the characters at *a and *b (one or two bytes each) and moves
// both past them.
int CompareCharacters(const char** a, const char** b) {
    const char* nextA = cp932::Next(*a);
    const char* nextB = cp932::Next(*b);
    std::size_t lengthA = static_cast<std::size_t>(nextA - *a), lengthB = static_cast<std::size_t>(nextB - *b);
    int result = 0;
    if (lengthA == 1 && lengthB == 1) {
        unsigned char x = static_cast<unsigned char>(Folded(**a)), y = static_cast<unsigned char>(Folded(**b));
        result = x == y ? 0 : (x < y ? -1 : 1);
    } else {
        result = std::memcmp(*a, *b, lengthA < lengthB ? lengthA : lengthB);
        if (!result && lengthA != lengthB) result = lengthA < lengthB ? -1 : 1;
    }
    *a = nextA;
    *b = nextB;
    return result;
}

}  // namespace

int Compare(const char* a, const char* b) {
    const char* p = a;
    const char* q = b;
    while (*p && *q) {
        int result = cp932::IsDigit(*p) && cp932::IsDigit(*q) ? CompareNumbers(&p, &q) : CompareCharacters(&p, &q);
        if (result) return result < 0 ? -1 : 1;
    }
    if (*p || *q) return *p ? 1 : -1;
    int bytes = std::strcmp(a, b);
    return bytes < 0 ? -1 : (bytes > 0 ? 1 : 0);
}

}  // namespace natural_order
