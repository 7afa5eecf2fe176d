#include "run_target.h"

#include <cstring>

#include "command_words.h"
#include "cp932.h"
#include "path_kind.h"

OutputKind ClassifyOutput(const char* fileName, std::string* className) {
    const char* dot = cp932::FindLast(fileName, '.');
    if (!dot) return kNothingToRun;
    if (cp932::EqualNoCase(dot, ".exe") || cp932::EqualNoCase(dot, ".gb")) return kRunnableFile;
    if (cp932::EqualNoCase(dot, ".class")) {
        if (className) className->assign(fileName, static_cast<std::size_t>(dot - fileName));
        return kJavaClass;
    }
    return kNothingToRun;
}

int JavaRunnerPath(std::string* runner, const char* compilerPath) {
    // Only a dot of the file name counts: in C:\jdk1.8\bin\javac the dot of
    // the folder would give a runner path that names nothing.
    const char* name = path_kind::FileName(compilerPath);
    const char* dot = cp932::FindLast(name, '.');
    if (!dot || dot == name) return 0;
    // The last character before the dot goes too, double-byte or not.
    const char* last = name;
    for (const char* p = name; p < dot; p = cp932::Next(p)) last = p;
    runner->assign(compilerPath, static_cast<std::size_t>(last - compilerPath));
    runner->append(".exe");
    return 1;
}

int ComposeJavaCommand(std::string* destination, const char* className, const char* compilerPath) {
    std::string runner;
    if (!JavaRunnerPath(&runner, compilerPath)) return 0;
    *destination = command_words::Quoted(runner) + " " + className;
    return 1;
}

namespace {

bool IsJavaLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_' || c == '$';
}

// A lead byte and a trail byte that code page 932 can have: with another
// byte after the lead, Windows may make the second byte a character of its
// own, a blank perhaps, when the command line becomes wide text.
bool IsWholeDoubleByte(const char* p) {
    unsigned char trail = static_cast<unsigned char>(p[1]);
    return cp932::IsLeadByte(static_cast<unsigned char>(*p)) && trail >= 0x40 && trail != 0x7F && trail <= 0xFC;
}

}  // namespace

bool IsJavaClassName(const char* className) {
    if (*className == '\0' || cp932::IsDigit(*className)) return false;
    for (const char* p = className; *p; p = cp932::Next(p)) {
        if (!IsJavaLetter(*p) && !cp932::IsDigit(*p) && !IsWholeDoubleByte(p)) return false;
    }
    return true;
}
