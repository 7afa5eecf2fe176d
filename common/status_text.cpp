#include "common/status_text.h"

#include <cstdio>

const char kUnchangedStatus[] = "変更なし";

namespace {

// The bar's font is proportional: two half-width blanks look like one, and
// 「終了コード 1 0.41 秒」 would read as one number.
const char kGap[] = "　";

// Rounded to the shown digits: 0.125 s with two decimals is "0.13".
std::string Seconds(unsigned long milliseconds, int decimals) {
    unsigned long unit = decimals == 1 ? 100 : 10;
    unsigned long shown = milliseconds / unit + (milliseconds % unit >= unit / 2 ? 1 : 0);
    unsigned long perSecond = 1000 / unit;
    char text[40];
    std::snprintf(text, sizeof text, "%lu.%0*lu秒", shown / perSecond, decimals, shown % perSecond);
    return text;
}

}  // namespace

std::string SummaryStatus(const MessageCounts& counts, unsigned long exitCode, unsigned long milliseconds) {
    // Bit for bit the exit status a program gives: 0xFFFFFFFF is its -1.
    long long code = static_cast<long long>(exitCode & 0xFFFFFFFFUL);
    if (code > 0x7FFFFFFFLL) code -= 0x100000000LL;
    char text[120];
    std::snprintf(text, sizeof text, "エラー%lu%s警告%lu%s終了コード%lld%s", counts.errors, kGap, counts.warnings, kGap,
                  code, kGap);
    return text + Seconds(milliseconds, 2);
}

std::string CompilingStatus(unsigned long milliseconds) { return std::string("コンパイル中…") + kGap + Seconds(milliseconds, 1); }

std::string StoppedStatus(unsigned long milliseconds) { return std::string("中止") + kGap + Seconds(milliseconds, 2); }
