// A reader of JSON text (RFC 8259) into a tree, for the small settings files
// other tools leave beside a source. Strings stay UTF-8; nesting deeper than
// kMaxDepth is refused, so that no file can exhaust the stack.
#ifndef KILN_COMMON_JSON_READER_H
#define KILN_COMMON_JSON_READER_H

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace json_reader {

const unsigned kMaxDepth = 64;

struct Value {
    enum Kind { Null, Boolean, Number, String, Array, Object } kind = Null;
    bool boolean = false;
    double number = 0;
    std::string text;  // a String's characters in UTF-8
    std::vector<Value> items;
    std::vector<std::pair<std::string, Value>> members;  // in the file's order

    // The first member named key, or null (also for a value that is no object).
    const Value* Member(const char* key) const;
};

// True with *out the text's one value; false with *line the line (from 1)
// where it stops being JSON.
bool Read(const std::string& text, Value* out, std::size_t* line);

}  // namespace json_reader

#endif
