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

// The first lines of a text, each indented, and "…" for the rest.
std::string FirstLines(const std::string& text, const char* indent) {
    std::string shown;
    std::size_t start = 0;
    for (unsigned count = 0; start < text.size(); ++count) {
        if (count == kShownLines) return shown + indent + "…\r\n";
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::size_t last = end;
        if (last > start && text[last - 1] == '\r') --last;
        shown += indent + Shown(text.substr(start, last - start)) + "\r\n";
        start = end + 1;
    }
    return shown;
}

}  // namespace

std::string Figures(unsigned long long elapsedMs, unsigned long long peakBytes) {
    std::string figures = end_report::Seconds(elapsedMs);
    if (peakBytes) figures += "、" + end_report::Megabytes(peakBytes);
    return figures;
}

std::string Accepted(const std::string& name, const std::string& figures) {
    return name + ": AC（" + figures + "）\r\n";
}

std::string WrongAnswer(const std::string& name, const std::string& figures,
                        const output_compare::Difference& difference) {
    return name + ": WA（" + figures + "）\r\n  " + std::to_string(difference.line) + "行目が違います\r\n" +
           Side("正解: ", difference.expectedPresent, difference.expected) +
           Side("出力: ", difference.actualPresent, difference.actual);
}

std::string WrongDecimal(const std::string& name, const std::string& figures,
                         const decimal_compare::Difference& difference) {
    std::string text = name + ": WA（" + figures + "）\r\n  ";
    if (!difference.token)
        return text + "値の数が違います（正解" + std::to_string(difference.expectedCount) + "個、出力" +
               std::to_string(difference.actualCount) + "個）\r\n";
    return text + std::to_string(difference.token) + "個目の値が違います\r\n" + Side("正解: ", true, difference.expected) +
           Side("出力: ", true, difference.actual);
}

std::string MemoryLimit(const std::string& name, unsigned megabytes) {
    return name + ": MLE（" + std::to_string(megabytes) + "MBを超えました）\r\n";
}

std::string Unjudgeable(const std::string& name, unsigned long long elapsedMs, const std::string& expected,
                        const std::string& output) {
    return name + ": 判定なし（" + end_report::Seconds(elapsedMs) + "）\r\n  正解:\r\n" + FirstLines(expected, "    ") +
           "  出力:\r\n" + FirstLines(output, "    ");
}

std::string NoComparison(bool interactive) {
    return interactive ? "対話形式の問題（interactive）なので判定せず、出力を表示します\r\n"
                       : "答えが一つに決まらない問題（multisolution）なので判定せず、出力を表示します\r\n";
}

std::string MetadataUnusable(const std::string& problem) { return "metadata.jsonを使えません（" + problem + "）\r\n"; }

std::string WithoutJob() {
    return "この環境ではジョブを使えないため、ケースのプログラムが起動したプログラムは終わらずに残ることがあります\r\n";
}

std::string WithErrors(const std::string& verdict, const std::string& errors, bool failed) {
    if (errors.empty()) return verdict;
    if (failed) return verdict + "  標準エラー出力:\r\n" + FirstLines(errors, "    ");
    std::size_t end = verdict.find("\r\n");
    return verdict.substr(0, end) + "（標準エラー出力あり）" + verdict.substr(end);
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
    return name + ": 判定なし（.outファイルがありません、" + end_report::Seconds(elapsedMs) + "）\r\n" +
           FirstLines(output, "  ");
}

std::string Unreadable(const std::string& name, const std::string& file, const std::string& reason) {
    return name + ": 「" + file + "」を読めませんでした\r\n  " + reason + "\r\n";
}

std::string Summary(unsigned cases, unsigned accepted) {
    return "サンプル" + std::to_string(cases) + "件中" + std::to_string(accepted) + "件AC\r\n";
}

}  // namespace verdict_text
