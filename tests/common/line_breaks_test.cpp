#include "common/line_breaks.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::string Convert(const std::string& chunk) {
    std::vector<char> out(linebreaks::MaxConvertedLength(chunk.size()) + 1);
    std::size_t n = linebreaks::Convert(chunk.data(), chunk.size(), out.data());
    return std::string(out.data(), n);
}
}  // namespace

TEST(LineBreaks, WorkedExamples) {
    EXPECT_EQ(Convert("a\nb"), "a\r\nb");
    EXPECT_EQ(Convert("a\r\nb\r\n"), "a\r\nb\r\n");
    EXPECT_EQ(Convert("\n\n"), "\r\n\r\n");
    EXPECT_EQ(Convert("50%\r100%\r\n"), "100%\r\n");
    EXPECT_EQ(Convert("a\r\r\n"), "\r\n");
    EXPECT_EQ(Convert("x\r"), "");
}

TEST(LineBreaks, NulEndsTheChunk) {
    EXPECT_EQ(Convert(std::string("ab\0cd\n", 6)), "ab");
    EXPECT_EQ(Convert(std::string("\0\n", 2)), "");
}

TEST(LineBreaks, WorstCaseFitsTheBound) {
    std::string lfs(1000, '\n');
    EXPECT_EQ(Convert(lfs).size(), 2000u);
    EXPECT_EQ(Convert(""), "");
    EXPECT_EQ(Convert("no break"), "no break");
}

TEST(LineBreaks, DoubleByteTextPassesUnchanged) {
    EXPECT_EQ(Convert("表示\nソース\r\n"), "表示\r\nソース\r\n");
}
