// The lines execute.exe writes for each sample case it has judged, and the
// summary after them. Each text ends in CR LF; the case's name comes first,
// as the file names it without ".in".
#ifndef KILN_COMMON_VERDICT_TEXT_H
#define KILN_COMMON_VERDICT_TEXT_H

#include <string>

#include "common/output_compare.h"

namespace verdict_text {

//   sample-1: AC（0.01秒）
std::string Accepted(const std::string& name, unsigned long long elapsedMs);
//   sample-2: WA（0.01秒）, then the line that differs, expected and actual.
std::string WrongAnswer(const std::string& name, unsigned long long elapsedMs,
                        const output_compare::Difference& difference);
//   sample-3: RE（終了コード3）, or the exception by its code and name.
std::string RuntimeError(const std::string& name, unsigned long code);
//   sample-4: TLE（2秒を超えました）
std::string TimeLimit(const std::string& name, unsigned seconds);
//   sample-5: 出力が多すぎます（4MBを超えました）
std::string TooMuchOutput(const std::string& name, unsigned megabytes);
// A case without its expected output: the first lines of the output, no verdict.
std::string NotJudged(const std::string& name, unsigned long long elapsedMs, const std::string& output);
// A file of the case that cannot be read, and the system's reason.
std::string Unreadable(const std::string& name, const std::string& file, const std::string& reason);
//   サンプル4件中2件AC
std::string Summary(unsigned cases, unsigned accepted);

}  // namespace verdict_text

#endif
