// The words Kiln and execute.exe put on command lines, on arbitrary text:
// a compiler argument never starts an option and holds a blank only inside
// its one pair of quotes; a batch tail, read by cmd.exe's quote rule, has no
// special character outside quotes and as many words as arguments; and a
// file that the jump lets through holds no quote and starts no option, and
// is one inert word in cmd.exe's quotes; a quoted word reads back whole.
#include "common/command_words.h"
#include "common/jump_file_check.h"
#include "model.h"

namespace {

// The next character as cmd.exe sees it after its conversion to UTF-16: a
// lead byte takes the byte after it only when that is a valid trail byte.
std::size_t CmdStep(const std::string& s, std::size_t i) {
    if (!model::Lead(s[i]) || i + 1 >= s.size()) return i + 1;
    unsigned char t = static_cast<unsigned char>(s[i + 1]);
    return t >= 0x40 && t != 0x7F && t <= 0xFC ? i + 2 : i + 1;
}

// cmd.exe's reading: a quote toggles; outside quotes a blank ends a word and
// any other special character would act.
bool InertForCmd(const std::string& tail, std::size_t* words) {
    bool quoted = false, inWord = false;
    *words = 0;
    for (std::size_t i = 0; i < tail.size(); i = CmdStep(tail, i)) {
        char c = tail[i];
        if (model::Lead(c) && CmdStep(tail, i) == i + 2) {
            if (!inWord) ++*words;
            inWord = true;
            continue;
        }
        if (c == '"') quoted = !quoted;
        bool blank = !quoted && (c == ' ' || c == '\t');
        if (!quoted && !blank && std::string("&|<>^%(),;=!\r\n").find(c) != std::string::npos)
            return false;
        if (!blank && !inWord) ++*words;
        inWord = !blank;
    }
    return !quoted;
}

}  // namespace

// Input: a file name, then a command tail, separated by a NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    model::Pieces pieces(data, size);
    std::string name = pieces.Next();
    std::string tail = pieces.Next();
    model::Text nameText(name), tailText(tail);

    std::string word = command_words::CompilerArgument(nameText.get(), nameText.length());
    FUZZ_CHECK(!word.empty() || name.empty());
    FUZZ_CHECK(word.empty() || (word[0] != '-' && word[0] != '@'));
    bool quoted = word.size() >= 2 && word.front() == '"' && word.back() == '"';
    std::string inner = quoted ? word.substr(1, word.size() - 2) : word;
    for (std::size_t i = 0; i < inner.size(); i = model::Step(inner, i))
        FUZZ_CHECK(quoted || (inner[i] != ' ' && inner[i] != '\t'));

    std::vector<std::string> arguments = command_words::SplitArguments(tailText.get());
    std::string batch, refused;
    if (command_words::BatchTail(arguments, &batch, &refused)) {
        std::size_t words = 0;
        FUZZ_CHECK(InertForCmd(batch, &words));
        FUZZ_CHECK(words == arguments.size());
    }

    // The C runtime gives back the very word that was quoted, whatever
    // backslashes end it.
    if (model::LastChar(name, '"') == std::string::npos && command_words::WellFormed(name.c_str())) {
        std::vector<std::string> back = command_words::SplitArguments(command_words::Quoted(name).c_str());
        FUZZ_CHECK(back.size() == 1 && back[0] == name);
    }

    if (JumpFileAllowed(nameText.get(), "", false)) {
        FUZZ_CHECK(model::LastChar(name, '"') == std::string::npos);
        std::size_t start = name.find_first_not_of(" \t");
        FUZZ_CHECK(start == std::string::npos || std::string("-/+").find(name[start]) == std::string::npos);
        std::string word;
        std::size_t words = 0;
        if (command_words::BatchWord(name, &word)) FUZZ_CHECK(InertForCmd(word, &words) && words == 1);
    }
    return 0;
}
