// The pane's output conversion over a corpus of compiler lines (made by
// bench/conversion_corpus.py): for each kind of line, how many come out other
// than expected, with the conversion by pieces and with the former rule that
// converted a line only when all of it was UTF-8. Built natively; the
// code-page step is the C library's iconv in place of the system's tables.
//
// usage: conversion_measure CORPUS
#include <iconv.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <map>
#include <sstream>
#include <string>

#include "common/output_text.h"

namespace {

std::size_t IconvStep(const char* utf8, std::size_t length, char* out, void* context) {
    iconv_t cd = *static_cast<iconv_t*>(context);
    std::string in(utf8, length), result(length, '\0');
    char* from = &in[0];
    std::size_t fromLeft = length;
    char* to = &result[0];
    std::size_t toLeft = length;
    iconv(cd, NULL, NULL, NULL, NULL);
    while (fromLeft > 0) {
        if (iconv(cd, &from, &fromLeft, &to, &toLeft) != static_cast<std::size_t>(-1)) break;
        if (errno != EILSEQ || toLeft == 0) return outputtext::kStepFailed;
        // No code-page-932 form: one "?" for the character, as the pane's step does.
        *to++ = '?';
        --toLeft;
        do {
            ++from;
            --fromLeft;
        } while (fromLeft > 0 && (static_cast<unsigned char>(*from) & 0xC0) == 0x80);
    }
    std::size_t written = length - toLeft;
    std::memcpy(out, result.data(), written);
    return written;
}

// The rule before the conversion by pieces: a line goes through the step
// only when it is UTF-8 as a whole.
std::string FormerRule(const std::string& line, iconv_t* cd) {
    if (!outputtext::IsMultiByteUtf8(line.data(), line.size())) return line;
    std::string copy = line;
    std::size_t n = IconvStep(copy.data(), copy.size(), &copy[0], cd);
    return n == outputtext::kStepFailed ? line : copy.substr(0, n);
}

std::string ByPieces(const std::string& line, iconv_t* cd) {
    std::string copy = line;
    outputtext::CodePageStep step = {IconvStep, cd};
    return copy.substr(0, outputtext::ConvertInPlace(&copy[0], copy.size(), step));
}

struct Tally {
    unsigned long lines = 0, wrongNow = 0, wrongBefore = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: conversion_measure CORPUS\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 2;
    }
    iconv_t cd = iconv_open("CP932", "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        std::fprintf(stderr, "no CP932 in iconv\n");
        return 2;
    }
    std::map<std::string, Tally> tallies;
    std::string record;
    while (std::getline(in, record)) {
        std::size_t tab1 = record.find('\t'), tab2 = record.find('\t', tab1 + 1);
        if (tab1 == std::string::npos || tab2 == std::string::npos) continue;
        std::string given = record.substr(tab1 + 1, tab2 - tab1 - 1), expected = record.substr(tab2 + 1);
        Tally& t = tallies[record.substr(0, tab1)];
        ++t.lines;
        if (ByPieces(given, &cd) != expected) ++t.wrongNow;
        if (FormerRule(given, &cd) != expected) ++t.wrongBefore;
    }
    iconv_close(cd);
    static const char* const kNames[][2] = {
        {"M", "catalog lines in code page 932"},
        {"H", "the same with half-width katakana"},
        {"K", "half-width katakana words"},
        {"X", "code-page-932 file name before a UTF-8 message"},
        {"P", "gcc's #pragma message note around a code-page-932 word"},
    };
    std::printf("| lines | count | wrong by pieces | wrong whole-line rule |\n|---|---|---|---|\n");
    for (const auto& name : kNames) {
        const Tally& t = tallies[name[0]];
        double share = t.lines ? 100.0 * t.wrongNow / t.lines : 0, before = t.lines ? 100.0 * t.wrongBefore / t.lines : 0;
        std::printf("| %s | %lu | %lu (%.2f%%) | %lu (%.2f%%) |\n", name[1], t.lines, t.wrongNow, share,
                    t.wrongBefore, before);
    }
    return 0;
}
