// metadata.json's reading and the decimal comparison on arbitrary bytes:
// no read past the text and no deep recursion whatever the nesting, a
// usable file's patterns plain names, and the comparison reflexive and,
// for an absolute error, symmetric.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "common/decimal_compare.h"
#include "common/judge_metadata.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string text(reinterpret_cast<const char*>(data), size);
    judge_metadata::Metadata metadata;
    std::string problem;
    if (judge_metadata::Parse(text, &metadata, &problem)) {
        for (const std::string* pattern : {&metadata.inPattern, &metadata.outPattern})
            if (pattern->find('*') == std::string::npos || pattern->find('\\') != std::string::npos) std::abort();
        std::string star;
        if (!judge_metadata::Match(metadata.inPattern, "x" + metadata.inPattern, &star) &&
            metadata.inPattern[0] == '*')
            std::abort();
    } else if (problem.empty()) {
        std::abort();
    }

    std::size_t half = text.find('\0');
    if (half == std::string::npos) half = size / 2;
    std::string a = text.substr(0, half), b = half < size ? text.substr(half + 1) : std::string();
    using decimal_compare::ErrorType;
    decimal_compare::Difference d;
    for (ErrorType type : {ErrorType::Absolute, ErrorType::Relative, ErrorType::AbsoluteOrRelative})
        if (!decimal_compare::Same(a, a, type, 0)) std::abort();
    bool same = decimal_compare::Same(a, b, ErrorType::Absolute, 1e-6, &d);
    if (same != decimal_compare::Same(b, a, ErrorType::Absolute, 1e-6)) std::abort();
    if (!same && d.token == 0 && d.expectedCount == d.actualCount) std::abort();
    return 0;
}
