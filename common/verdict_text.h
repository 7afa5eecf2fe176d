// The lines execute.exe writes for each sample case it has judged, and the
// summary after them. Each text ends in CR LF; the case's name comes first,
// as the file names it without ".in".
#ifndef KILN_COMMON_VERDICT_TEXT_H
#define KILN_COMMON_VERDICT_TEXT_H

#include <string>

#include "common/decimal_compare.h"
#include "common/output_compare.h"

namespace verdict_text {

// The figures of a case that ran: "0.01秒、3MB" (the memory only when
// the system told it; peakBytes 0 when it did not).
std::string Figures(unsigned long long elapsedMs, unsigned long long peakBytes);

//   sample-1: AC（0.01秒、3MB）
std::string Accepted(const std::string& name, const std::string& figures);
//   sample-2: WA（0.01秒、3MB）, then the line that differs, expected and actual.
std::string WrongAnswer(const std::string& name, const std::string& figures,
                        const output_compare::Difference& difference);
//   sample-2: WA（0.01秒、3MB）, then the value out of bounds, or the counts.
std::string WrongDecimal(const std::string& name, const std::string& figures,
                         const decimal_compare::Difference& difference);
//   sample-6: MLE（1024MBを超えました）
std::string MemoryLimit(const std::string& name, unsigned megabytes);
//   sample-3: RE（終了コード3）, or the exception by its code and name.
std::string RuntimeError(const std::string& name, unsigned long code);
//   sample-4: TLE（2秒を超えました）
std::string TimeLimit(const std::string& name, unsigned seconds);
//   sample-5: 出力が多すぎます（4MBを超えました）
std::string TooMuchOutput(const std::string& name, unsigned megabytes);
// A case without its expected output: the first lines of the output, no verdict.
//   sample-7: 判定なし（.outファイルがありません、0.01秒）
std::string NotJudged(const std::string& name, unsigned long long elapsedMs, const std::string& output);
// A case of a problem no comparison can judge: its expected output and the
// program's, no verdict.
//   sample-1: 判定なし（0.01秒）
std::string Unjudgeable(const std::string& name, unsigned long long elapsedMs, const std::string& expected,
                        const std::string& output);
// Said once before the cases of a problem whose answers no comparison can
// judge (several answers, or a conversation with the judge).
std::string NoComparison(bool interactive);
//   metadata.jsonを使えません（3行目がJSONとして読めません）
std::string MetadataUnusable(const std::string& problem);
// Said once when the cases run without a job that would end what they start.
std::string WithoutJob();
// What the program wrote to standard error, added to its case's verdict: a
// failed case shows its first lines, any other says there were some.
std::string WithErrors(const std::string& verdict, const std::string& errors, bool failed);
// A file of the case that cannot be read, and the system's reason.
std::string Unreadable(const std::string& name, const std::string& file, const std::string& reason);
//   サンプル4件中2件AC
std::string Summary(unsigned cases, unsigned accepted);

}  // namespace verdict_text

#endif
