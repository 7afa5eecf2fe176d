// The source's encoding, read once per request, and what follows from it:
// the charset options the compiler gets, whether the program will write
// UTF-8, and the line Kiln writes before the compiler's output where
// nothing can make a code-page-932 source right.
#ifndef KILN_CONTROLLER_SOURCE_CHARSET_H
#define KILN_CONTROLLER_SOURCE_CHARSET_H

#include <string>

#include "common/source_encoding.h"
#include "settings/settings_file.h"

struct SourceCharset {
    source_encoding::Encoding encoding = source_encoding::kAscii;
    std::string options;  // put before CompileOption
    bool writesUtf8 = false;
    std::string notice;  // a "Kiln:" line with its CR LF, or empty
};

// A source that cannot be read is taken as ASCII: its line stays as it was.
SourceCharset ReadSourceCharset(const SettingsFile& settings, const char* source);

// After a compiler that refused the options was run once more without them.
extern const char kRetriedWithoutCharset[];

#endif
