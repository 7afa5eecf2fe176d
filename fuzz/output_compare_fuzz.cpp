// The judge's comparison and the cases' order on arbitrary bytes: no read
// past either text, the comparison symmetric and blind to added line
// breaks at the end, the order total and consistent.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/natural_order.h"
#include "common/output_compare.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t half = text.find('\0');
    if (half == std::string::npos) half = size / 2;
    std::string a = text.substr(0, half), b = half < size ? text.substr(half + 1) : std::string();

    output_compare::Difference d;
    bool same = output_compare::Same(a, b, &d);
    if (same != output_compare::Same(b, a)) std::abort();
    if (!same && (d.line == 0 || (!d.expectedPresent && !d.actualPresent))) std::abort();
    if (!output_compare::Same(a, a + "\r\n \n")) std::abort();

    // Names hold no NUL: the order sees each side up to its first one.
    const char* x = a.c_str();
    const char* y = b.c_str();
    int xy = natural_order::Compare(x, y), yx = natural_order::Compare(y, x);
    if (xy != -yx) std::abort();
    if ((xy == 0) != (std::strcmp(x, y) == 0)) std::abort();
    return 0;
}
