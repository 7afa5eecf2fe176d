// The build record on arbitrary text and entries: what Parse reads, Format
// writes back so that Parse reads the same; an entry put from arbitrary
// paths and command lines (tabs, line breaks, '%' included) reads back whole
// and is held, and no line of it frames another entry.
#include "common/build_record.h"
#include "model.h"

namespace {

bool Same(const build_record::Entry& a, const build_record::Entry& b) {
    if (a.path != b.path || a.writeTime != b.writeTime || a.size != b.size || a.made.compiler != b.made.compiler ||
        a.made.command != b.made.command || a.made.headers.size() != b.made.headers.size())
        return false;
    for (std::size_t i = 0; i < a.made.headers.size(); ++i) {
        const build_record::Stamp &x = a.made.headers[i], &y = b.made.headers[i];
        if (x.path != y.path || x.writeTime != y.writeTime || x.size != y.size) return false;
    }
    return true;
}

}  // namespace

// Input: a record's text, then the output path, the compiler, the command
// and header paths, NUL apart.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    model::Pieces pieces(data, size);
    std::string text = pieces.Next();
    std::unique_ptr<char[]> exact(new char[text.size()]);
    std::memcpy(exact.get(), text.data(), text.size());
    std::vector<build_record::Entry> entries = build_record::Parse(exact.get(), text.size());
    FUZZ_CHECK(entries.size() <= build_record::kMaxEntries);
    std::string again = build_record::Format(entries);
    std::vector<build_record::Entry> reread = build_record::Parse(again.data(), again.size());
    FUZZ_CHECK(reread.size() == entries.size());
    for (std::size_t i = 0; i < entries.size(); ++i) FUZZ_CHECK(Same(entries[i], reread[i]));

    build_record::Entry entry{pieces.Next(), 7, 9, {pieces.Next(), pieces.Next(), {}}};
    for (std::string header = pieces.Next(); !header.empty() && entry.made.headers.size() < 70; header = pieces.Next())
        entry.made.headers.push_back(build_record::Stamp{header, pieces.Byte(), 3});
    build_record::Put(&entries, entry);
    std::string written = build_record::Format(entries);
    reread = build_record::Parse(written.data(), written.size());
    FUZZ_CHECK(reread.size() == entries.size());
    bool recorded = !entries.empty() && Same(entries.front(), entry);
    if (recorded) FUZZ_CHECK(Same(reread.front(), entry) && (entry.made.command.empty() || build_record::Holds(reread, entry)));
    return 0;
}
