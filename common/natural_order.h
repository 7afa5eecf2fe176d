// The order people expect of numbered file names: "sample-2" before
// "sample-10". Runs of digits compare by value, ASCII letters without their
// case, and double-byte characters of code page 932 whole, byte by byte.
#ifndef KILN_COMMON_NATURAL_ORDER_H
#define KILN_COMMON_NATURAL_ORDER_H

namespace natural_order {

// <0, 0 or >0. Names that differ only where this order sees no difference
// ("a01" and "a1", "A" and "a") are ordered by their bytes, so that the
// order is total and the same on every run.
int Compare(const char* a, const char* b);
inline bool Less(const char* a, const char* b) { return Compare(a, b) < 0; }

}  // namespace natural_order

#endif
