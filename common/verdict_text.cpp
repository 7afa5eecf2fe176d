#include "verdict_text.h"

#include "cp932.h"
#include "end_report_text.h"

namespace verdict_text {

namespace {

// A line of the program's output is shown at most this long, cut at a
// character, so that one long line cannot push the verdicts off the screen.
const std::size_t kShownBytes = 160;
const unsigned kShownLines = 10;

bool IsTrailByte(unsigned char c) { return c >= 0x40 && c <= 0xFC && c != 0x7F; }

// A byte that no console may take as a command or join to what follows:
// a control character but tab, and a byte that is no whole character.
bool ShownAsCode(unsigned char c) {
    return c < 0x20 ? c != '\t' : c == 0x7F || c == 0x80 || c == 0xA0 || c >= 0xFD;
}

// A line as the program wrote it, but every byte that a terminal would act
// on (an escape sequence clears the screen or fakes a verdict) written as
// \xNN, and a lead byte without its trail byte too, so that it cannot take
// the next character into it. Cut, at a character, past kShownBytes.
std::string Shown(const std::string& line) {
    static const char kHex[] = "0123456789ABCDEF";
    std::string shown;
    for (std::size_t i = 0; i < line.size();) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        std::size_t length = 1;
        std::string piece(1, line[i]);
        if (cp932::IsLeadByte(c) && i + 1 < line.size() && IsTrailByte(static_cast<unsigned char>(line[i + 1]))) {
            length = 2;
            piece += line[i + 1];
        } else if (ShownAsCode(c) || cp932::IsLeadByte(c)) {
            piece = std::string("\\x") + kHex[c >> 4] + kHex[c & 15];
        }
        if (shown.size() + piece.size() > kShownBytes) return shown + "…";
        shown += piece;
        i += length;
    }
    return shown;
}

std::string Side(const char* label, bool present, const std::string& line) {
    return std::string("  ") + label + (present ? Shown(line) : "（行がありません）") + "\r\n";
}

}  // namespace

std::string Accepted(const std::string& name, unsigned long long elapsedMs) {
    return name + ": AC（" + end_report::Seconds(elapsedMs) + "）\r\n";
}

std::string WrongAnswer(const std::string& name, unsigned long long elapsedMs,
                        const output_compare::Difference& difference) {
    return name + ": WA（" + end_report::Seconds(elapsedMs) + "）\r\n  " + std::to_string(difference.line) + "行目が違います\r\n" +
           Side("期待: ", difference.expectedPresent, difference.expected) +
           Side("出力: ", difference.actualPresent, difference.actual);
}

std::string RuntimeError(const std::string& name, unsigned long code) {
    return name + ": RE（" + end_report::EndStatus(code) + "）\r\n";
}

std::string TimeLimit(const std::string& name, unsigned seconds) {
    return name + ": TLE（" + std::to_string(seconds) + "秒を超えました）\r\n";
}

std::string TooMuchOutput(const std::string& name, unsigned megabytes) {
    return name + ": 出力が多すぎます（" + std::to_string(megabytes) + "MBを超えました）\r\n";
}

std::string NotJudged(const std::string& name, unsigned long long elapsedMs, const std::string& output) {
    std::string text = name + ": 判定なし、.outがありません（" + end_report::Seconds(elapsedMs) + "）\r\n";
    std::size_t start = 0;
    for (unsigned shown = 0; start < output.size(); ++shown) {
        if (shown == kShownLines) return text + "  …\r\n";
        std::size_t end = output.find('\n', start);
        if (end == std::string::npos) end = output.size();
        std::size_t last = end;
        if (last > start && output[last - 1] == '\r') --last;
        text += "  " + Shown(output.substr(start, last - start)) + "\r\n";
        start = end + 1;
    }
    return text;
}

std::string Unreadable(const std::string& name, const std::string& file, const std::string& reason) {
    return name + ": 「" + file + "」を読めませんでした\r\n  " + reason + "\r\n";
}

std::string Summary(unsigned cases, unsigned accepted) {
    return "サンプル" + std::to_string(cases) + "件中" + std::to_string(accepted) + "件AC\r\n";
}

}  // namespace verdict_text
