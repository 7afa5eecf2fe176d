#include "command_tail.h"

#include "cp932.h"

namespace cmdline {

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

const char* Tail(const char* commandLine) {
    const char* p = commandLine;
    while (IsBlank(*p)) ++p;
    if (*p == '"') {
        ++p;
        while (*p && *p != '"') p = cp932::Next(p);
        if (*p == '"') ++p;
    } else {
        while (*p && !IsBlank(*p)) p = cp932::Next(p);
    }
    while (IsBlank(*p)) ++p;
    return p;
}

static bool IsBlank(wchar_t c) { return c == L' ' || c == L'\t'; }

const wchar_t* Tail(const wchar_t* commandLine) {
    const wchar_t* p = commandLine;
    while (IsBlank(*p)) ++p;
    if (*p == L'"') {
        ++p;
        while (*p && *p != L'"') ++p;
        if (*p == L'"') ++p;
    } else {
        while (*p && !IsBlank(*p)) ++p;
    }
    while (IsBlank(*p)) ++p;
    return p;
}

}  // namespace cmdline
