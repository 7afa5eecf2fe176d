#include "end_report_text.h"

#include <cstdio>

#include "cp932.h"

namespace end_report {

namespace {

struct Named {
    unsigned long code;
    const char* name;
};

// The names a Windows user meets in the system's own crash reports.
const Named kNames[] = {
    {0x80000002UL, "データ型の境界違反"},
    {0x80000003UL, "ブレークポイント"},
    {0xC0000005UL, "アクセス違反"},
    {0xC0000006UL, "ページ内エラー"},
    {0xC0000017UL, "メモリ不足"},
    {0xC000001DUL, "不正な命令"},
    {0xC0000025UL, "継続できない例外"},
    {0xC000007BUL, "不正なイメージ形式"},
    {0xC000008CUL, "配列の範囲外アクセス"},
    {0xC000008DUL, "浮動小数点の非正規化オペランド"},
    {0xC000008EUL, "浮動小数点の0除算"},
    {0xC000008FUL, "浮動小数点の不正確な結果"},
    {0xC0000090UL, "浮動小数点の無効な演算"},
    {0xC0000091UL, "浮動小数点のオーバーフロー"},
    {0xC0000092UL, "浮動小数点のスタック チェック"},
    {0xC0000093UL, "浮動小数点のアンダーフロー"},
    {0xC0000094UL, "整数の0除算"},
    {0xC0000095UL, "整数のオーバーフロー"},
    {0xC0000096UL, "特権命令"},
    {0xC00000FDUL, "スタック オーバーフロー"},
    {0xC0000135UL, "DLLが見つかりません"},
    {0xC0000139UL, "エントリ ポイントが見つかりません"},
    {0xC0000142UL, "DLLの初期化エラー"},
    {0xC000013AUL, "Ctrl+Cによる中断"},
    {0xC0000374UL, "ヒープの破損"},
    {0xC0000409UL, "スタック バッファ オーバーラン"},
};

}  // namespace

const char* ExceptionName(unsigned long code) {
    for (const Named& n : kNames)
        if (n.code == code) return n.name;
    return nullptr;
}

bool IsException(unsigned long code) { return (code & 0xF0000000UL) == 0xC0000000UL || ExceptionName(code); }

std::string EndStatus(unsigned long code) {
    code &= 0xFFFFFFFFUL;
    char text[96];
    if (IsException(code)) {
        const char* name = ExceptionName(code);
        std::snprintf(text, sizeof text, "0x%08lX%s%s", code, name ? " " : "", name ? name : "");
    } else {
        long value = code >= 0x80000000UL ? -static_cast<long>(0xFFFFFFFFUL - code) - 1 : static_cast<long>(code);
        std::snprintf(text, sizeof text, "終了コード%ld", value);
    }
    return text;
}

std::string Seconds(unsigned long long elapsedMs) {
    unsigned long long hundredths = (elapsedMs + 5) / 10;
    char text[48];
    std::snprintf(text, sizeof text, "%llu.%02u秒", hundredths / 100, static_cast<unsigned>(hundredths % 100));
    return text;
}

std::string Megabytes(unsigned long long bytes) {
    unsigned long long megabytes = (bytes + (1u << 19)) >> 20;
    return std::to_string(megabytes || !bytes ? megabytes : 1) + "MB";
}

void Format(char* out, std::size_t size, unsigned long code, unsigned long long elapsedMs,
            unsigned long long peakBytes) {
    if (!size) return;
    const std::string time = "実行時間" + Seconds(elapsedMs) + (peakBytes ? "、メモリ" + Megabytes(peakBytes) : "");
    const std::string text = IsException(code) ? "例外で終了しました（" + EndStatus(code) + "、" + time + "）"
                                               : EndStatus(code) + "（" + time + "）";
    cp932::CopyFitting(out, size, text.c_str());
}

}  // namespace end_report
