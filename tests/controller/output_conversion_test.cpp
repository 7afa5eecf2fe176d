// The pane's conversion with the system's code page 932 over a small corpus
// derived from gcc's and binutils' Japanese catalogs (tests/fixtures/
// conversion_corpus.txt, written by scripts/measure-conversion --fixture):
// code-page-932 catalog lines, the same with half-width katakana, half-width
// katakana words, code-page-932 file names before UTF-8 messages, and the
// real gcc's #pragma message notes around code-page-932 words.
#include "controller/output_conversion.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>

#include "common/output_text.h"
#include "support/test_files.h"

using namespace testing_support;

TEST(OutputConversion, CatalogCorpusComesOutAsWritten) {
    std::istringstream corpus(ReadFile(BinDir() + "\\conversion_corpus.txt"));
    std::map<char, int> kinds;
    std::string record;
    while (std::getline(corpus, record)) {
        std::size_t tab1 = record.find('\t'), tab2 = record.find('\t', tab1 + 1);
        ASSERT_NE(tab2, std::string::npos) << record;
        std::string given = record.substr(tab1 + 1, tab2 - tab1 - 1), expected = record.substr(tab2 + 1);
        std::string shown = given;
        shown.resize(ConvertOutputForPane(&shown[0], shown.size()));
        ++kinds[record[0]];
        // A half-width katakana word that is UTF-8 as a whole cannot be told
        // from UTF-8; any other line must come out as written.
        if (record[0] == 'K' && outputtext::IsMultiByteUtf8(given.data(), given.size())) continue;
        EXPECT_EQ(shown, expected) << record[0] << " record " << kinds[record[0]];
    }
    EXPECT_EQ(kinds.size(), 5u);
}
