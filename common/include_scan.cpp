#include "common/include_scan.h"

#include <cstring>

#include "common/cp932.h"
#include "common/device_name.h"

namespace include_scan {

namespace {

bool IsTrail(unsigned char c) { return (c >= 0x40 && c <= 0x7E) || (c >= 0x80 && c <= 0xFC); }

// The text is no C string: a lead byte counts as one only with its trail.
const char* Step(const char* p, const char* end) {
    if (cp932::IsLeadByte(static_cast<unsigned char>(*p)) && p + 1 < end && IsTrail(static_cast<unsigned char>(p[1])))
        return p + 2;
    return p + 1;
}

bool StartsComment(const char* p, const char* end, char second) {
    return end - p >= 2 && p[0] == '/' && p[1] == second;
}

// Neither '*' nor '/' is ever a trail byte, so the comment's end is found
// byte by byte.
const char* PastCommentEnd(const char* p, const char* end, bool* inComment) {
    for (; end - p >= 2; ++p) {
        if (p[0] == '*' && p[1] == '/') {
            *inComment = false;
            return p + 2;
        }
    }
    return end;
}

// Past blanks and comments; a comment left open ends the line.
const char* SkipBlanks(const char* p, const char* end, bool* inComment) {
    for (;;) {
        if (*inComment) {
            p = PastCommentEnd(p, end, inComment);
            if (*inComment) return end;
        } else if (p < end && (*p == ' ' || *p == '\t' || *p == '\f' || *p == '\v')) {
            ++p;
        } else if (StartsComment(p, end, '*')) {
            *inComment = true;
            p += 2;
        } else if (StartsComment(p, end, '/')) {
            return end;
        } else {
            return p;
        }
    }
}

// The rest of a line, for the comments it opens or closes: a "/*" inside a
// string or a character constant opens none. A literal ends at the line's
// end at the latest, as in an #if 0 block's prose ("don't").
void ScanRest(const char* p, const char* end, bool* inComment) {
    while (p < end) {
        if (*inComment) {
            p = PastCommentEnd(p, end, inComment);
        } else if (*p == '"' || *p == '\'') {
            char quote = *p++;
            while (p < end && *p != quote) p = (*p == '\\' && p + 1 < end) ? Step(p + 1, end) : Step(p, end);
            if (p < end) ++p;
        } else if (StartsComment(p, end, '/')) {
            return;
        } else if (StartsComment(p, end, '*')) {
            *inComment = true;
            p += 2;
        } else {
            p = Step(p, end);
        }
    }
}

bool IsWordByte(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || cp932::IsDigit(c) || c == '_';
}

struct LineState {
    bool inComment;
    int skipDepth;  // inside an #if 0 block: how many #if levels deep
};

// One directive line from just after its '#'; returns where its words end.
const char* Directive(const char* p, const char* end, LineState* state, std::vector<std::string>* names) {
    p = SkipBlanks(p, end, &state->inComment);
    const char* word = p;
    while (p < end && IsWordByte(*p)) ++p;
    std::string name(word, p);
    bool conditional = name == "if" || name == "ifdef" || name == "ifndef";
    if (state->skipDepth > 0) {
        if (conditional) ++state->skipDepth;
        if (name == "endif") --state->skipDepth;
        if ((name == "else" || name == "elif") && state->skipDepth == 1) state->skipDepth = 0;
        return p;
    }
    bool probe = state->inComment;
    const char* q = SkipBlanks(p, end, &probe);
    if (name == "if" && q < end && *q == '0' && (q + 1 == end || !IsWordByte(q[1]))) {
        state->skipDepth = 1;
    } else if (name == "include" && q < end && *q == '"') {
        // Between the quotes nothing is an escape: "sub\表.h" is taken as written.
        const char* close = q + 1;
        while (close < end && *close != '"') close = Step(close, end);
        if (close < end && close > q + 1) names->push_back(std::string(q + 1, close));
    }
    return p;
}

// Device names are ASCII: every other character stands as one that is none.
bool IsDeviceName(const std::string& part) {
    std::wstring wide;
    for (unsigned char c : part) wide += c < 0x80 ? static_cast<wchar_t>(c) : L'\xFFFD';
    return device_name::IsDevice(wide.c_str());
}

// Splits at '\' and '/' by character.
std::vector<std::string> Parts(const std::string& path) {
    std::vector<std::string> parts(1);
    for (const char* p = path.c_str(); *p;) {
        const char* next = cp932::Next(p);
        if (*p == '\\' || *p == '/') {
            parts.push_back(std::string());
        } else {
            parts.back().append(p, next);
        }
        p = next;
    }
    return parts;
}

std::string FolderPart(const std::string& relative) {
    const char* slash = cp932::FindLast(relative.c_str(), '\\');
    return slash ? relative.substr(0, static_cast<std::size_t>(slash - relative.c_str())) : std::string();
}

bool Listed(const std::vector<std::string>& list, const std::string& path) {
    for (const std::string& p : list) {
        if (cp932::EqualNoCase(p.c_str(), path.c_str())) return true;
    }
    return false;
}

}  // namespace

bool IsCFamilySource(const char* path) {
    const char* slash = cp932::FindLast(path, '\\');
    const char* dot = cp932::FindLast(slash ? slash + 1 : path, '.');
    if (!dot) return false;
    static const char* const kExtensions[] = {".c", ".cc", ".cp", ".cpp", ".cxx", ".c++"};
    for (const char* extension : kExtensions) {
        if (cp932::EqualNoCase(dot, extension)) return true;
    }
    return false;
}

std::vector<std::string> QuotedIncludes(const char* text, std::size_t length) {
    std::vector<std::string> names;
    LineState state = {false, 0};
    const char* end = text + length;
    for (const char* line = text; line < end;) {
        const char* stop = static_cast<const char*>(std::memchr(line, '\n', static_cast<std::size_t>(end - line)));
        if (!stop) stop = end;
        const char* p = SkipBlanks(line, stop, &state.inComment);
        if (p < stop && *p == '#') p = Directive(p + 1, stop, &state, &names);
        ScanRest(p, stop, &state.inComment);
        line = stop < end ? stop + 1 : end;
    }
    return names;
}

std::string Resolve(const std::string& from, const std::string& name) {
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7F) return std::string();
    }
    if (name.empty() || name[0] == '\\' || name[0] == '/' || cp932::FindFirstOf(name.c_str(), ":*?\"<>|"))
        return std::string();
    std::vector<std::string> kept;
    if (!from.empty()) kept = Parts(from);
    for (const std::string& part : Parts(name)) {
        if (part.empty() || part == ".") continue;
        if (part == "..") {
            if (kept.empty()) return std::string();
            kept.pop_back();
            continue;
        }
        // A trailing dot or blank is dropped by Windows: "x.h." is x.h, and
        // "..." is no folder of the source's. Neither byte is a trail byte.
        char last = part[part.size() - 1];
        if (last == '.' || last == ' ' || IsDeviceName(part)) return std::string();
        kept.push_back(part);
    }
    std::string path;
    for (const std::string& part : kept) path += (path.empty() ? "" : "\\") + part;
    return path;
}

Result Follow(const std::string& source, Files& files) {
    Result result;
    result.complete = true;
    const char* slash = cp932::FindLast(source.c_str(), '\\');
    if (!slash) return result;
    const std::string root = source.substr(0, static_cast<std::size_t>(slash - source.c_str()) + 1);

    struct Pending {
        std::string folder;
        std::string text;
    };
    std::vector<Pending> queue(1);
    build_record::Stamp stamp;
    if (files.Read(source, kMaxBytesRead, &queue[0].text, &stamp) != kRead) {
        result.complete = false;
        return result;
    }
    std::size_t left = kMaxBytesRead - queue[0].text.size();
    std::vector<std::string> seen, missing;
    for (std::size_t i = 0; i < queue.size(); ++i) {
        const std::string folder = queue[i].folder;
        std::string text;
        text.swap(queue[i].text);
        for (const std::string& name : QuotedIncludes(text.data(), text.size())) {
            const std::string candidates[] = {Resolve(folder, name), folder.empty() ? "" : Resolve("", name)};
            for (const std::string& relative : candidates) {
                if (relative.empty() || Listed(missing, relative)) continue;
                if (Listed(seen, relative)) break;
                if (result.headers.size() == kMaxHeaders) {
                    result.complete = false;
                    return result;
                }
                Pending header = {FolderPart(relative), std::string()};
                ReadResult read = files.Read(root + relative, left, &header.text, &stamp);
                if (read == kMissing) {
                    missing.push_back(relative);
                    continue;
                }
                if (read != kRead) {
                    result.complete = false;
                    return result;
                }
                stamp.path = root + relative;
                result.headers.push_back(stamp);
                seen.push_back(relative);
                left -= header.text.size();
                queue.push_back(header);
                break;
            }
        }
    }
    return result;
}

}  // namespace include_scan
