// The judge's comparison and the cases' order on arbitrary bytes: no read
// past either text, the comparison symmetric and blind to added line
// breaks at the end, the order total and consistent. The text comparison,
// with the C library's CP932 tables for the system's: symmetric, blind to a
// byte order mark, and a code-page-932 text equal to its own UTF-8 form.
#include <iconv.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "common/natural_order.h"
#include "common/output_compare.h"
#include "common/source_encoding.h"

namespace {

bool Convert(const char* to, const char* from, const std::string& text, std::string* out) {
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1)) std::abort();
    out->assign(text.size() * 4 + 4, '\0');
    char* in = const_cast<char*>(text.data());
    char* at = &(*out)[0];
    std::size_t inLeft = text.size(), outLeft = out->size();
    bool whole = iconv(cd, &in, &inLeft, &at, &outLeft) != static_cast<std::size_t>(-1) && inLeft == 0;
    iconv_close(cd);
    out->resize(out->size() - outLeft);
    return whole;
}

bool ToCp932(const std::string& utf8, std::string* cp932, void*) { return Convert("CP932", "UTF-8", utf8, cp932); }

}  // namespace

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

    const output_compare::Cp932Step step = {ToCp932, nullptr};
    bool asText = output_compare::SameText(a, b, step, &d);
    if (asText != output_compare::SameText(b, a, step)) std::abort();
    if (same && !asText && a.compare(0, 3, "\xEF\xBB\xBF") != 0 && b.compare(0, 3, "\xEF\xBB\xBF") != 0) std::abort();
    // One mark goes, not a second one that is part of the text.
    if (a.compare(0, 3, "\xEF\xBB\xBF") != 0 && !output_compare::SameText("\xEF\xBB\xBF" + a, a + "\n", step))
        std::abort();
    std::string utf8, back;
    if (source_encoding::Classify(a.data(), a.size()) == source_encoding::kCp932 && Convert("UTF-8", "CP932", a, &utf8) &&
        source_encoding::Classify(utf8.data(), utf8.size()) == source_encoding::kUtf8 && ToCp932(utf8, &back, nullptr) &&
        back == a && !output_compare::SameText(utf8, a, step))
        std::abort();

    // Names hold no NUL: the order sees each side up to its first one.
    const char* x = a.c_str();
    const char* y = b.c_str();
    int xy = natural_order::Compare(x, y), yx = natural_order::Compare(y, x);
    if (xy != -yx) std::abort();
    if ((xy == 0) != (std::strcmp(x, y) == 0)) std::abort();
    return 0;
}
