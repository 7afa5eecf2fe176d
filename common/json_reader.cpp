#include "json_reader.h"

#include <cstdlib>
#include <cstring>

#include "cp932.h"

namespace json_reader {

namespace {

class Reader {
public:
    explicit Reader(const std::string& text) : p_(text.c_str()), end_(text.c_str() + text.size()), start_(p_) {}

    bool Document(Value* out) {
        // A byte-order mark, as some editors write one.
        if (end_ - p_ >= 3 && std::memcmp(p_, "\xEF\xBB\xBF", 3) == 0) p_ += 3;
        if (!Element(out, 0)) return false;
        Blanks();
        return p_ == end_;
    }

    std::size_t Line() const {
        std::size_t line = 1;
        for (const char* q = start_; q < p_ && q < end_; ++q)
            if (*q == '\n') ++line;
        return line;
    }

private:
    void Blanks() {
        while (p_ < end_ && (*p_ == ' ' || *p_ == '\t' || *p_ == '\r' || *p_ == '\n')) ++p_;
    }

    bool Literal(const char* word) {
        std::size_t n = std::strlen(word);
        if (static_cast<std::size_t>(end_ - p_) < n || std::memcmp(p_, word, n) != 0) return false;
        p_ += n;
        return true;
    }

    bool Element(Value* out, unsigned depth) {
        Blanks();
        if (p_ == end_) return false;
        switch (*p_) {
        case '{':
            return depth < kMaxDepth && Object(out, depth + 1);
        case '[':
            return depth < kMaxDepth && Array(out, depth + 1);
        case '"':
            out->kind = Value::String;
            return String(&out->text);
        case 't':
            out->kind = Value::Boolean;
            out->boolean = true;
            return Literal("true");
        case 'f':
            out->kind = Value::Boolean;
            return Literal("false");
        case 'n':
            out->kind = Value::Null;
            return Literal("null");
        default:
            out->kind = Value::Number;
            return Number(&out->number);
        }
    }

    bool Object(Value* out, unsigned depth) {
        out->kind = Value::Object;
        ++p_;
        Blanks();
        if (p_ < end_ && *p_ == '}') return ++p_, true;
        for (;;) {
            Blanks();
            std::string key;
            if (p_ == end_ || *p_ != '"' || !String(&key)) return false;
            Blanks();
            if (p_ == end_ || *p_ != ':') return false;
            ++p_;
            out->members.emplace_back(std::move(key), Value());
            if (!Element(&out->members.back().second, depth)) return false;
            Blanks();
            if (p_ == end_) return false;
            if (*p_ == '}') return ++p_, true;
            if (*p_++ != ',') return false;
        }
    }

    bool Array(Value* out, unsigned depth) {
        out->kind = Value::Array;
        ++p_;
        Blanks();
        if (p_ < end_ && *p_ == ']') return ++p_, true;
        for (;;) {
            out->items.emplace_back();
            if (!Element(&out->items.back(), depth)) return false;
            Blanks();
            if (p_ == end_) return false;
            if (*p_ == ']') return ++p_, true;
            if (*p_++ != ',') return false;
        }
    }

    bool Digits() {
        const char* first = p_;
        while (p_ < end_ && cp932::IsDigit(*p_)) ++p_;
        return p_ > first;
    }

    // JSON's own grammar, then the C library's conversion of exactly that
    // text: strtod alone would also take "0x1p3", "inf" or " 1".
    bool Number(double* out) {
        const char* first = p_;
        if (p_ < end_ && *p_ == '-') ++p_;
        if (p_ < end_ && *p_ == '0')
            ++p_;
        else if (!Digits())
            return false;
        if (p_ < end_ && *p_ == '.' && (++p_, !Digits())) return false;
        if (p_ < end_ && (*p_ == 'e' || *p_ == 'E')) {
            ++p_;
            if (p_ < end_ && (*p_ == '+' || *p_ == '-')) ++p_;
            if (!Digits()) return false;
        }
        std::string number(first, p_);
        *out = std::strtod(number.c_str(), nullptr);
        return true;
    }

    static void Put(std::string* out, unsigned long c) {
        if (c < 0x80) {
            *out += static_cast<char>(c);
        } else if (c < 0x800) {
            *out += static_cast<char>(0xC0 | (c >> 6));
            *out += static_cast<char>(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            *out += static_cast<char>(0xE0 | (c >> 12));
            *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out += static_cast<char>(0x80 | (c & 0x3F));
        } else {
            *out += static_cast<char>(0xF0 | (c >> 18));
            *out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
            *out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
            *out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }

    bool Hex4(unsigned long* out) {
        if (end_ - p_ < 4) return false;
        *out = 0;
        for (int i = 0; i < 4; ++i, ++p_) {
            char c = *p_;
            int digit = c >= '0' && c <= '9' ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
            if (digit < 0) return false;
            *out = *out * 16 + static_cast<unsigned long>(digit);
        }
        return true;
    }

    // A \u escape; a surrogate must come in its pair.
    bool Escaped(std::string* out) {
        unsigned long c = 0;
        if (!Hex4(&c)) return false;
        if (c >= 0xDC00 && c <= 0xDFFF) return false;
        if (c >= 0xD800 && c <= 0xDBFF) {
            unsigned long low = 0;
            if (end_ - p_ < 2 || p_[0] != '\\' || p_[1] != 'u') return false;
            p_ += 2;
            if (!Hex4(&low) || low < 0xDC00 || low > 0xDFFF) return false;
            c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
        }
        Put(out, c);
        return true;
    }

    bool String(std::string* out) {
        ++p_;
        while (p_ < end_) {
            unsigned char c = static_cast<unsigned char>(*p_++);
            if (c == '"') return true;
            if (c < 0x20) return false;
            if (c != '\\') {
                *out += static_cast<char>(c);
                continue;
            }
            if (p_ == end_) return false;
            char e = *p_++;
            const char* plain = std::strchr("\"\\/bfnrt", e);
            if (e == 'u') {
                if (!Escaped(out)) return false;
            } else if (e && plain) {
                *out += "\"\\/\b\f\n\r\t"[plain - "\"\\/bfnrt"];
            } else {
                return false;
            }
        }
        return false;
    }

    const char* p_;
    const char* end_;
    const char* start_;
};

}  // namespace

const Value* Value::Member(const char* key) const {
    for (const auto& member : members)
        if (member.first == key) return &member.second;
    return nullptr;
}

bool Read(const std::string& text, Value* out, std::size_t* line) {
    *out = Value();
    Reader reader(text);
    if (reader.Document(out)) return true;
    *line = reader.Line();
    return false;
}

}  // namespace json_reader
