// The metadata.json that atcoder-tools writes beside a source: how the
// problem is judged and which files beside it are the sample cases.
//   {"judge": {"judge_type": "decimal", "error_type": "absolute_or_relative",
//    "diff": 1e-06}, "sample_in_pattern": "in_*.txt", ...}
#ifndef KILN_COMMON_JUDGE_METADATA_H
#define KILN_COMMON_JUDGE_METADATA_H

#include <cstddef>
#include <string>

#include "common/decimal_compare.h"

namespace judge_metadata {

// Larger than any file atcoder-tools writes by far; a larger one is not read.
const std::size_t kMaxBytes = 1u << 20;

enum class JudgeType { Normal, Decimal, MultiSolution, Interactive };

struct Metadata {
    JudgeType judge = JudgeType::Normal;
    decimal_compare::ErrorType errorType = decimal_compare::ErrorType::AbsoluteOrRelative;
    double diff = 0;
    std::string inPattern = "in_*.txt", outPattern = "out_*.txt";
};

// True with *out; false with *problem saying what is wrong, in Japanese
// ("3行目がJSONとして読めません"). Keys atcoder-tools writes but that do
// not change the judging are not looked at.
bool Parse(const std::string& text, Metadata* out, std::string* problem);

// True when name (code page 932) fits pattern, whose one '*' stands for
// any run of characters, letters compared without case; *star is that run.
bool Match(const std::string& pattern, const std::string& name, std::string* star);

}  // namespace judge_metadata

#endif
