#include "common/known_compilers.h"

#include "common/cp932.h"

namespace {

const KnownCompiler kCompilers[] = {
    {"gcc.exe", kColonForm, kGnuDialect},       {"g++.exe", kColonForm, kGnuDialect},
    {"javac.exe", kColonForm, kGnuDialect},     {"bcc32.exe", kSpaceForm, kBorlandDialect},
    {"lcc.exe", kSpaceForm, kLccDialect},       {"dcc32.exe", kParenForm, kDelphiDialect},
};

}  // namespace

const KnownCompiler* FindKnownCompiler(const char* compilerPath) {
    const char* name = cp932::FileNamePart(compilerPath);
    for (const KnownCompiler& compiler : kCompilers) {
        if (cp932::EqualNoCase(name, compiler.name)) return &compiler;
    }
    return nullptr;
}
