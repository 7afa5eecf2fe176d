// The compilers whose output Kiln reads, known by their file names: the
// form of their location lines and the words of their messages. No
// windows.h here.
#ifndef KILN_COMMON_KNOWN_COMPILERS_H
#define KILN_COMMON_KNOWN_COMPILERS_H

#include "common/compiler_messages.h"
#include "common/error_line.h"

struct KnownCompiler {
    const char* name;
    LineForm form;
    MessageDialect dialect;
};

// The entry for the compiler of this path, by its file name (ASCII letter
// case ignored); null for a compiler not in the table.
const KnownCompiler* FindKnownCompiler(const char* compilerPath);

#endif
