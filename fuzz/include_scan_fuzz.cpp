// The include scan on arbitrary text and names: every name found stands
// between two quotes of the text on one line; a resolved path is a plain
// path below the source's folder, at character boundaries, that resolves to
// itself; a scan over files that all hold the input follows each header
// once, never past the caps.
#include <map>
#include <vector>

#include "common/include_scan.h"
#include "model.h"

namespace {

bool IsPlainPart(const std::string& part) {
    return !part.empty() && part != "." && part != ".." && part.back() != '.' && part.back() != ' ';
}

void CheckResolved(const std::string& path) {
    if (path.empty()) return;
    std::size_t start = 0;
    for (std::size_t i = 0; i <= path.size(); i = i < path.size() ? model::Step(path, i) : i + 1) {
        if (i < path.size() && path[i] != '\\') {
            FUZZ_CHECK(path[i] != '/' && path[i] != ':' && static_cast<unsigned char>(path[i]) >= 0x20);
            continue;
        }
        FUZZ_CHECK(IsPlainPart(path.substr(start, i - start)));
        start = i + 1;
    }
    FUZZ_CHECK(include_scan::Resolve("", path) == path);
}

struct EchoFiles : include_scan::Files {
    std::string text;
    include_scan::ReadResult Read(const std::string& path, std::size_t maxBytes, std::string* out,
                                  build_record::Stamp* stamp) override {
        if (path.size() % 3 == 0) return include_scan::kMissing;
        if (text.size() > maxBytes) return include_scan::kUnreadable;
        *out = text;
        *stamp = build_record::Stamp{path, 1, text.size()};
        return include_scan::kRead;
    }
};

}  // namespace

// Input: the text, then the including folder and a name, NUL apart.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    model::Pieces pieces(data, size);
    std::string text = pieces.Next(), from = pieces.Next(), name = pieces.Next();
    std::unique_ptr<char[]> exact(new char[text.size() + 1]);
    std::memcpy(exact.get(), text.data(), text.size());
    std::vector<std::string> names = include_scan::QuotedIncludes(exact.get(), text.size());
    for (const std::string& found : names) {
        FUZZ_CHECK(!found.empty() && found.find('\n') == std::string::npos);
        FUZZ_CHECK(text.find("\"" + found + "\"") != std::string::npos);
        CheckResolved(include_scan::Resolve("", found));
    }
    CheckResolved(include_scan::Resolve(include_scan::Resolve("", from), name));

    EchoFiles files;
    files.text = text;
    include_scan::Result result = include_scan::Follow("C:\\s\\a.c", files);
    FUZZ_CHECK(result.headers.size() <= include_scan::kMaxHeaders);
    for (std::size_t i = 0; i < result.headers.size(); ++i) {
        FUZZ_CHECK(result.headers[i].path.compare(0, 5, "C:\\s\\") == 0);
        for (std::size_t j = 0; j < i; ++j) FUZZ_CHECK(!model::EqualFolded(result.headers[i].path, result.headers[j].path));
    }
    return 0;
}
