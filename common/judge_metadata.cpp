#include "judge_metadata.h"

#include <cmath>

#include "cp932.h"
#include "json_reader.h"

namespace judge_metadata {

namespace {

using json_reader::Value;

// A string member, or the default when it is missing; false for any other kind.
bool Text(const Value& object, const char* key, std::string* out, std::string* problem) {
    const Value* value = object.Member(key);
    if (!value) return true;
    if (value->kind == Value::String) {
        *out = value->text;
        return true;
    }
    *problem = std::string(key) + "が文字列ではありません";
    return false;
}

// A file name of this folder with exactly one '*': no folder, drive or
// device can be reached through it, and its ASCII is the same bytes in
// code page 932.
bool PlainPattern(const std::string& pattern) {
    std::size_t stars = 0;
    for (char c : pattern) {
        unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u >= 0x80 || c == '\\' || c == '/' || c == ':' || c == '?' || c == '"' || c == '<' ||
            c == '>' || c == '|')
            return false;
        if (c == '*') ++stars;
    }
    return stars == 1 && pattern != "*" && pattern.find_first_not_of(". *") != std::string::npos;
}

bool Pattern(const Value& root, const char* key, std::string* out, std::string* problem) {
    if (!Text(root, key, out, problem)) return false;
    if (PlainPattern(*out)) return true;
    *problem = std::string(key) + "の「" + *out + "」は*を一つ含むこのフォルダのファイル名ではありません";
    return false;
}

bool Judge(const Value& judge, Metadata* out, std::string* problem) {
    if (judge.kind != Value::Object) return *problem = "judgeがオブジェクトではありません", false;
    std::string type;
    if (!Text(judge, "judge_type", &type, problem)) return false;
    if (type == "normal") {
        out->judge = JudgeType::Normal;
    } else if (type == "multisolution") {
        out->judge = JudgeType::MultiSolution;
    } else if (type == "interactive") {
        out->judge = JudgeType::Interactive;
    } else if (type == "decimal") {
        out->judge = JudgeType::Decimal;
    } else {
        *problem = type.empty() ? "judge_typeがありません" : "judge_typeの「" + type + "」は判定の種類ではありません";
        return false;
    }
    if (out->judge != JudgeType::Decimal) return true;
    std::string error;
    if (!Text(judge, "error_type", &error, problem)) return false;
    if (error == "absolute") {
        out->errorType = decimal_compare::ErrorType::Absolute;
    } else if (error == "relative") {
        out->errorType = decimal_compare::ErrorType::Relative;
    } else if (error == "absolute_or_relative") {
        out->errorType = decimal_compare::ErrorType::AbsoluteOrRelative;
    } else {
        *problem = error.empty() ? "error_typeがありません" : "error_typeの「" + error + "」は誤差の種類ではありません";
        return false;
    }
    const Value* diff = judge.Member("diff");
    if (!diff || diff->kind != Value::Number || !std::isfinite(diff->number) || diff->number < 0)
        return *problem = "diffが0以上の数ではありません", false;
    out->diff = diff->number;
    return true;
}

}  // namespace

bool Parse(const std::string& text, Metadata* out, std::string* problem) {
    *out = Metadata();
    if (text.size() > kMaxBytes) return *problem = "1MBを超えています", false;
    Value root;
    std::size_t line = 0;
    if (!json_reader::Read(text, &root, &line))
        return *problem = std::to_string(line) + "行目がJSONとして読めません", false;
    if (root.kind != Value::Object) return *problem = "全体がオブジェクトではありません", false;
    const Value* judge = root.Member("judge");
    if (judge && !Judge(*judge, out, problem)) return false;
    if (!Pattern(root, "sample_in_pattern", &out->inPattern, problem) ||
        !Pattern(root, "sample_out_pattern", &out->outPattern, problem))
        return false;
    if (cp932::EqualNoCase(out->inPattern.c_str(), out->outPattern.c_str()))
        return *problem = "sample_in_patternとsample_out_patternが同じです", false;
    return true;
}

bool Match(const std::string& pattern, const std::string& name, std::string* star) {
    std::size_t at = pattern.find('*');
    if (at == std::string::npos) return false;
    std::string head = pattern.substr(0, at), tail = pattern.substr(at + 1);
    if (name.size() < head.size() + tail.size()) return false;
    // The head is ASCII, so its length in name ends at a character; the
    // tail must begin at one.
    const char* begin = name.c_str();
    const char* tailStart = begin + name.size() - tail.size();
    const char* p = begin;
    while (p < tailStart) p = cp932::Next(p);
    if (p != tailStart) return false;
    if (!cp932::EqualNoCase(name.substr(0, head.size()).c_str(), head.c_str()) ||
        !cp932::EqualNoCase(tailStart, tail.c_str()))
        return false;
    *star = name.substr(head.size(), name.size() - head.size() - tail.size());
    return true;
}

}  // namespace judge_metadata
