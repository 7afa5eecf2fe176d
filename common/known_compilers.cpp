#include "common/known_compilers.h"

#include <cstring>
#include <string>

#include "common/cp932.h"
#include "common/path_kind.h"

namespace {

// clang-cl before cl: "clang-" would read as a target part of cl.
const KnownCompiler kCompilers[] = {
    {"gcc", true, kColonForm, kGnuDialect, kDisplayColumns, "-o", false, false},
    {"g++", true, kColonForm, kGnuDialect, kDisplayColumns, "-o", false, false},
    {"javac", false, kColonForm, kGnuDialect, kByteColumns, "", false, false},
    {"bcc32", false, kSpaceForm, kBorlandDialect, kByteColumns, "-e", true, true},
    {"lcc", false, kSpaceForm, kLccDialect, kByteColumns, "-o", false, false},
    {"dcc32", false, kParenForm, kDelphiDialect, kByteColumns, "", false, false},
    {"c++", true, kColonForm, kGnuDialect, kDisplayColumns, "-o", false, false},
    {"cc", true, kColonForm, kGnuDialect, kDisplayColumns, "-o", false, false},
    {"gfortran", true, kColonForm, kGnuDialect, kDisplayColumns, "-o", false, false},
    {"clang", true, kColonForm, kGnuDialect, kByteColumns, "-o", false, false},
    {"clang++", true, kColonForm, kGnuDialect, kByteColumns, "-o", false, false},
    {"tcc", true, kColonForm, kGnuDialect, kByteColumns, "-o", false, false},
    {"clang-cl", true, kParenForm, kMsvcDialect, kByteColumns, "/Fe", false, true},
    {"cl", true, kParenForm, kMsvcDialect, kByteColumns, "/Fe", false, true},
    {"fpc", true, kParenForm, kPascalDialect, kByteColumns, "-o", false, true},
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool EndsWith(const std::string& text, const char* tail) {
    std::size_t n = std::strlen(tail);
    return text.size() >= n && text.compare(text.size() - n, n, tail) == 0;
}

// The name without a trailing version ("-13", "-12.2") or thread model
// ("-posix", "-win32"), as cross toolchains and distributions name them.
std::string WithoutVersion(std::string name) {
    for (const char* model : {"-posix", "-win32"}) {
        if (EndsWith(name, model)) name.resize(name.size() - std::strlen(model));
    }
    std::size_t dash = name.rfind('-');
    if (dash != std::string::npos && dash + 1 < name.size() && cp932::IsDigit(name[dash + 1])) {
        bool version = true;
        for (std::size_t i = dash + 1; i < name.size(); ++i) version = version && (cp932::IsDigit(name[i]) || name[i] == '.');
        if (version) name.resize(dash);
    }
    return name;
}

bool NamesFamily(const std::string& name, const char* family) {
    std::string base = WithoutVersion(name);
    if (base == family) return true;
    // A target part before the name: x86_64-w64-mingw32-gcc.
    std::string tail = std::string("-") + family;
    return EndsWith(base, tail.c_str()) && base.size() > tail.size();
}

}  // namespace

const KnownCompiler* FindKnownCompiler(const char* compilerPath) {
    // Letters folded byte by byte is safe here: every name in the table is
    // ASCII, so a double-byte name can only fail to match.
    // The name after the last \ or /, which Windows takes alike; the dots
    // and blanks it drops at the end are dropped too (gcc.exe. is gcc.exe).
    std::string name;
    for (const char* p = path_kind::FileName(compilerPath); *p; p = cp932::Next(p)) {
        name.append(p, static_cast<std::size_t>(cp932::Next(p) - p));
        if (!cp932::IsLeadByte(static_cast<unsigned char>(*p))) name.back() = Lower(name.back());
    }
    while (!name.empty() && (name.back() == '.' || name.back() == ' ')) name.pop_back();
    if (EndsWith(name, ".exe")) name.resize(name.size() - 4);
    for (const KnownCompiler& compiler : kCompilers) {
        if (compiler.family ? NamesFamily(name, compiler.name) : name == compiler.name) return &compiler;
    }
    return nullptr;
}
