#include "common/judge_metadata.h"

#include <gtest/gtest.h>

#include <string>

using decimal_compare::ErrorType;

TEST(DecimalCompare, TokenByTokenWithinTheError) {
    struct {
        const char *expected, *actual;
        ErrorType type;
        std::size_t token;  // 0: the same; -1: the counts differ
        const char* shown;
    } const cases[] = {
        {"3.14159265\n", "3.1415926", ErrorType::AbsoluteOrRelative, 0, ""},
        {"1 2\n3\n", "1\n2 3\r\n", ErrorType::Absolute, 0, ""},  // lines do not count, tokens do
        {"1000000", "1000000.5", ErrorType::Absolute, 1, "1000000.5"},
        {"1000000", "1000000.5", ErrorType::Relative, 0, ""},
        {"0.0000001", "5e-7", ErrorType::Relative, 1, "5e-7"},
        {"0.0000001", "5E-07", ErrorType::Absolute, 0, ""},
        {"-0", "+0.0000000001", ErrorType::Absolute, 0, ""},
        {"Yes 1.5", "yes 1.5", ErrorType::Absolute, 1, "yes"},  // words are text
        {"1.0", "1.0x", ErrorType::Absolute, 1, "1.0x"},
        {"1", "0x1", ErrorType::Absolute, 1, "0x1"},
        {"inf", "inf", ErrorType::Absolute, 0, ""},
        {"nan", "nan", ErrorType::Absolute, 0, ""},
        {"1", "nan", ErrorType::Absolute, 1, "nan"},
        {"1e999", "1e999", ErrorType::Relative, 0, ""},
        {"1e999", "-1e999", ErrorType::Relative, 1, "-1e999"},
        {"1 2", "1 2 3", ErrorType::Absolute, std::size_t(-1), ""},
        {"表 1", "表 1.0000001", ErrorType::Absolute, 0, ""},
        {"", "\r\n", ErrorType::Absolute, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.actual);
        decimal_compare::Difference d;
        EXPECT_EQ(decimal_compare::Same(c.expected, c.actual, c.type, 1e-6, &d), c.token == 0);
        if (c.token == 0) continue;
        EXPECT_EQ(d.token, c.token == std::size_t(-1) ? 0 : c.token);
        EXPECT_EQ(d.actual, c.shown);
        EXPECT_EQ(d.expectedCount == d.actualCount, c.token != std::size_t(-1));
    }
}

TEST(JudgeMetadata, WhatAtcoderToolsWritesAndWhatIsWrong) {
    const std::string decimal = "{\"judge\": {\"judge_type\": \"decimal\", \"error_type\": \"relative\", \"diff\": 1e-09},"
                                " \"sample_in_pattern\": \"IN_*.TXT\", \"sample_out_pattern\": \"*.ans\"}";
    judge_metadata::Metadata m;
    std::string problem;
    ASSERT_TRUE(judge_metadata::Parse("\xEF\xBB\xBF" + decimal, &m, &problem)) << problem;
    EXPECT_TRUE(m.judge == judge_metadata::JudgeType::Decimal && m.errorType == ErrorType::Relative);
    EXPECT_EQ(m.diff, 1e-9);
    EXPECT_EQ(m.inPattern + m.outPattern, "IN_*.TXT*.ans");
    ASSERT_TRUE(judge_metadata::Parse("{\"judge\": {\"judge_type\": \"interactive\"}, \"x\": [1, {\"\\ud83d\\ude00\": null}]}", &m, &problem));
    EXPECT_TRUE(m.judge == judge_metadata::JudgeType::Interactive && m.inPattern == "in_*.txt");
    struct {
        std::string text;
        const char* problem;
    } const wrong[] = {
        {"{\n\"judge\": {\"judge_type\": \"normal\"},\n}", "3行目がJSONとして読めません"},
        {"{\"a\": \"\\ud800\"}", "1行目がJSONとして読めません"},
        {"{\"a\": 01}", "1行目がJSONとして読めません"},
        {std::string(100000, '[') + std::string(100000, ']'), "1行目がJSONとして読めません"},
        {"[]", "全体がオブジェクトではありません"},
        {"{\"judge\": {\"judge_type\": \"special\"}}", "judge_typeの「special」は判定の種類ではありません"},
        {"{\"judge\": {\"judge_type\": \"decimal\", \"error_type\": \"relative\"}}", "diffが0以上の数ではありません"},
        {"{\"judge\": {\"judge_type\": \"decimal\", \"error_type\": \"x\", \"diff\": 1}}", "error_typeの「x」は誤差の種類ではありません"},
        {"{\"sample_in_pattern\": \"..\\\\*.txt\"}", "sample_in_patternの「..\\*.txt」は*を一つ含むこのフォルダのファイル名ではありません"},
        {"{\"sample_out_pattern\": \"in_*.txt\"}", "sample_in_patternとsample_out_patternが同じです"},
        {"{\"sample_in_pattern\": 3}", "sample_in_patternが文字列ではありません"},
        {"{\"a\": \"" + std::string(judge_metadata::kMaxBytes, 'a') + "\"}", "1MBを超えています"},
    };
    for (const auto& w : wrong) {
        EXPECT_FALSE(judge_metadata::Parse(w.text, &m, &problem));
        EXPECT_EQ(problem, w.problem);
    }
    std::string star;
    EXPECT_TRUE(judge_metadata::Match("in_*.txt", "IN_表1.Txt", &star) && star == "表1");
    EXPECT_FALSE(judge_metadata::Match("in_*.txt", "in_1.txt.bak", &star));
    EXPECT_FALSE(judge_metadata::Match("*\\.txt", "\x95\\.txt", &star));  // 表's trail byte is no '\'
}
