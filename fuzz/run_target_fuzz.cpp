// What the run offer would start, on arbitrary output and compiler paths,
// against the index model: the extension is the text from the last dot that
// stands at a character boundary, and the Java runner loses exactly the last
// character, whole, before the dot of the compiler's file name (after the
// last backslash or slash).
#include "common/run_target.h"
#include "model.h"

namespace {

OutputKind ExpectedKind(const std::string& name, std::string* className) {
    std::size_t dot = model::LastChar(name, '.');
    if (dot == std::string::npos) return kNothingToRun;
    std::string extension = name.substr(dot);
    if (model::EqualFolded(extension, ".exe") || model::EqualFolded(extension, ".gb")) return kRunnableFile;
    if (!model::EqualFolded(extension, ".class")) return kNothingToRun;
    *className = name.substr(0, dot);
    return kJavaClass;
}

// Empty when the compiler's file name gives no runner.
std::string ExpectedRunner(const std::string& compiler) {
    std::size_t slash = model::LastSeparator(compiler);
    std::size_t name = slash == std::string::npos ? 0 : slash + 1;
    std::size_t dot = model::LastChar(compiler.substr(name), '.');
    if (dot == std::string::npos || dot == 0) return "";
    std::size_t last = name;
    for (std::size_t i = name; i < name + dot; i = model::Step(compiler, i)) last = i;
    return compiler.substr(0, last) + ".exe";
}

}  // namespace

// Input: the output file's name and the compiler's path, separated by a NUL.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    model::Pieces pieces(data, size);
    std::string output = pieces.Next();
    std::string compiler = pieces.Next();
    model::Text outputText(output), compilerText(compiler);

    std::string className = "(untouched)", expectedClass = "(untouched)";
    FUZZ_CHECK(ClassifyOutput(outputText.get(), &className) == ExpectedKind(output, &expectedClass));
    FUZZ_CHECK(className == expectedClass);
    FUZZ_CHECK(ClassifyOutput(outputText.get(), nullptr) == ExpectedKind(output, &expectedClass));

    std::string runner = "(untouched)", command = "(untouched)";
    std::string expected = ExpectedRunner(compiler);
    FUZZ_CHECK(JavaRunnerPath(&runner, compilerText.get()) == (expected.empty() ? 0 : 1));
    FUZZ_CHECK(ComposeJavaCommand(&command, outputText.get(), compilerText.get()) == (expected.empty() ? 0 : 1));
    if (!expected.empty()) {
        FUZZ_CHECK(runner == expected);
        FUZZ_CHECK(command == "\"" + expected + "\" " + output);
    } else {
        FUZZ_CHECK(runner == "(untouched)");
        FUZZ_CHECK(command == "(untouched)");
    }
    return 0;
}
