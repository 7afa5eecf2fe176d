#include "common/command_words.h"

#include "common/cp932.h"

namespace command_words {

namespace {

const char kShellSpecials[] = " \t&|<>^%(),;=!";

}  // namespace

bool WellFormed(const char* text) {
    for (const unsigned char* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (!cp932::IsLeadByte(*p)) continue;
        ++p;
        if (*p < 0x40 || *p == 0x7F || *p > 0xFC) return false;
    }
    return true;
}

bool HasShellSpecial(const char* text) { return cp932::FindFirstOf(text, kShellSpecials) != NULL; }

std::string Quoted(const std::string& word) {
    // A 0x5C trail byte is no backslash: only whole characters are counted.
    std::size_t slashes = 0;
    for (const char* p = word.c_str(); *p; p = cp932::Next(p)) slashes = *p == '\\' ? slashes + 1 : 0;
    return "\"" + word + std::string(slashes, '\\') + "\"";
}

bool KeptFromShell(const char* text) {
    // cmd.exe expands %NAME% even between quotes, and a quote of the text's
    // own would end ours; a line break ends the command.
    return !cp932::FindFirstOf(text, "\"%\r\n") && WellFormed(text);
}

bool BatchWord(const std::string& word, std::string* out) {
    if (!KeptFromShell(word.c_str())) return false;
    *out = word.empty() || HasShellSpecial(word.c_str()) ? Quoted(word) : word;
    return true;
}

std::string BatchCommandLine(const std::string& interpreter, const std::string& script, const std::string& tail) {
    // The outer quotes are /s's own, taken off whole by cmd.exe.
    return Quoted(interpreter) + " /d /v:off /s /c \"" + Quoted(script) + (tail.empty() ? "" : " " + tail) + "\"";
}

std::string CompilerArgument(const char* name, std::size_t length) {
    std::string bare(name, length);
    std::string word;
    if (!bare.empty() && (bare[0] == '-' || bare[0] == '@')) word = ".\\";
    word += bare;
    if (cp932::FindFirstOf(bare.c_str(), " \t")) word = Quoted(word);
    return word;
}

std::string AidTarget(const std::string& name) {
    if (!HasShellSpecial(name.c_str())) return name;
    return Quoted(name);
}

std::vector<std::string> SplitArguments(const char* tail) {
    std::vector<std::string> arguments;
    const char* p = tail;
    for (;;) {
        while (*p == ' ' || *p == '\t') ++p;
        if (!*p) return arguments;
        std::string argument;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '\\') {
                std::size_t slashes = 0;
                while (p[slashes] == '\\') ++slashes;
                if (p[slashes] == '"') {
                    argument.append(slashes / 2, '\\');
                    p += slashes;
                    if (slashes % 2) {
                        argument += '"';
                        ++p;
                    }
                } else {
                    argument.append(slashes, '\\');
                    p += slashes;
                }
            } else if (*p == '"') {
                if (quoted && p[1] == '"') {
                    argument += '"';
                    p += 2;
                } else {
                    quoted = !quoted;
                    ++p;
                }
            } else {
                const char* next = cp932::Next(p);
                argument.append(p, next);
                p = next;
            }
        }
        arguments.push_back(argument);
    }
}

bool BatchTail(const std::vector<std::string>& arguments, std::string* tail, std::string* refused) {
    tail->clear();
    for (const std::string& argument : arguments) {
        std::string word;
        if (!BatchWord(argument, &word)) {
            *refused = argument;
            return false;
        }
        if (!tail->empty()) *tail += ' ';
        *tail += word;
    }
    return true;
}

}  // namespace command_words
