#include "common/end_report_text.h"

#include <gtest/gtest.h>

TEST(EndReportText, ExitCodesExceptionsAndTimes) {
    struct {
        unsigned long code;
        unsigned long long ms;
        const char* text;
        unsigned long long peak;
    } const cases[] = {
        {0, 1234, "終了コード0（実行時間1.23秒）", 0},
        {3, 5, "終了コード3（実行時間0.01秒）", 0},  // rounded, not cut
        {0xFFFFFFFFUL, 0, "終了コード-1（実行時間0.00秒）", 0},
        {0x80000000UL, 99995, "終了コード-2147483648（実行時間100.00秒）", 0},
        {0xC0000005UL, 20, "例外で終了しました（0xC0000005 アクセス違反、実行時間0.02秒）", 0},
        {0, 10, "終了コード0（実行時間0.01秒、メモリ3MB）", 3u << 20},
        {0, 10, "終了コード0（実行時間0.01秒、メモリ1MB）", 1000},  // never "0MB" for some memory
        {0xC0000017UL, 10, "例外で終了しました（0xC0000017 メモリ不足、実行時間0.01秒、メモリ1024MB）", (1024u << 20) + (1u << 18)},
        {0xC00000FDUL, 0, "例外で終了しました（0xC00000FD スタック オーバーフロー、実行時間0.00秒）", 0},
        {0xC000013AUL, 0, "例外で終了しました（0xC000013A Ctrl+Cによる中断、実行時間0.00秒）", 0},
        {0xC0001234UL, 0, "例外で終了しました（0xC0001234、実行時間0.00秒）", 0},
        {0x80000003UL, 0, "例外で終了しました（0x80000003 ブレークポイント、実行時間0.00秒）", 0},
    };
    for (const auto& c : cases) {
        char text[128];
        end_report::Format(text, sizeof text, c.code, c.ms, c.peak);
        EXPECT_STREQ(text, c.text) << std::hex << c.code;
    }
    for (unsigned long code : {0xC0000094UL, 0xC000008EUL, 0xC0000409UL, 0xC000001DUL, 0xC0000135UL})
        EXPECT_NE(end_report::ExceptionName(code), nullptr) << std::hex << code;
    EXPECT_FALSE(end_report::IsException(0xE06D7363UL));
}

TEST(EndReportText, ShortBufferCutsAtACharacter) {
    char text[10];
    end_report::Format(text, sizeof text, 0, 0);
    EXPECT_STREQ(text, "終了コー");  // ド would end in the terminator's place
}
