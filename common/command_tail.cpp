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

}  // namespace cmdline
