// Build preparation: the output path, the current directory and PATH, and the
// compiler's command line. The compiler runs in the source's own directory
// and is given bare file names, so the directory and PATH must be exactly
// right, and no name may reach it shortened.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/command_words.h"
#include "common/cp932.h"
#include "common/known_compilers.h"
#include "common/path_kind.h"
#include "controller/build_preparation.h"
#include "controller/bare_name_search.h"
#include "controller/kiln_boxes.h"
#include "controller/pane_text.h"
#include "controller/path_operations.h"
#include "controller/program_launch.h"
#include "controller/program_path.h"
#include "resources/batch_environment.h"

namespace {

const char kSourceUnresolved[] =
    "ソースファイルのパスを確定できませんでした\nソースファイルをフルパスで指定してください";
const char kSourceTooLong[] =
    "ソースファイルのパスが長すぎます\n短いパスのフォルダに置いて実行してください";
const char kSourceWithoutDirectory[] =
    "ソースファイルのパスにフォルダがありません\nソースファイルをフルパスで指定してください";
const char kNameWindowsChanges[] =
    "ソースファイルのパスに、末尾がピリオドか空白の名前があります\n%s\n"
    "Windowsは別のファイルとして開いてしまうため、その名前を変えてください";
const char kNoExtension[] =
    "ソースファイル名に拡張子がありません\n拡張子の付いたファイルを指定してください";
const char kOutputTooLong[] =
    "出力ファイルのパスが長すぎます\n短いパスのフォルダに置いて実行してください";
const char kCompilerWithoutDirectory[] =
    "コンパイラのパスにフォルダがありません\nコンパイラパスをフルパスで設定し直してください";
const char kKilnDirectoryUnknown[] = "Kilnのフォルダを取得できませんでした";
const char kCommandLineTooLong[] =
    "コマンドラインが長すぎます\nコンパイルオプションを短くしてください";

// A piece of the command line: a file-name part as FileNamePart takes it,
// but of any length, so that nothing is cut before the whole line is measured.
struct Piece {
    const char* text;
    std::size_t length;
};

Piece NameAfter(const char* path, const char* slash) {
    if (!slash) return Piece{path, std::strlen(path)};
    const char* name = slash + 1;
    const char* quote = cp932::FindLast(name, '"');
    return Piece{name, quote ? static_cast<std::size_t>(quote - name) : std::strlen(name)};
}

Piece NamePiece(const char* path) { return NameAfter(path, path_kind::LastSeparator(path)); }

// cl's "/Fe" is an option, not a folder: only a backslash cuts the output
// option, as it always did.
Piece OptionPiece(const char* option) { return NameAfter(option, cp932::FindLast(option, '\\')); }

}  // namespace

bool MakeSourcePathFull(char* source, std::size_t size) {
    std::string stripped(source);
    stripped.push_back('\0');
    StripQuotes(&stripped[0]);
    // Checked before anything resolves the path: that would already have
    // dropped the ending and named the other file.
    if (path_kind::NameWindowsChanges(stripped.c_str())) {
        std::string text(sizeof kNameWindowsChanges + stripped.size(), '\0');
        std::snprintf(&text[0], text.size(), kNameWindowsChanges, stripped.c_str());
        ShowKilnError(text.c_str());
        return false;
    }
    // A relative path would point elsewhere once the current directory has
    // become the source's directory; resolve it while it still means what
    // the user typed.
    if (path_kind::IsFull(path_kind::Classify(stripped.c_str())) && !cp932::FindFirst(stripped.c_str(), '/'))
        return true;
    const std::string full = FullPath(stripped.c_str());
    if (full.empty()) {
        ShowKilnError(kSourceUnresolved);
        return false;
    }
    if (full.size() >= size) {
        ShowKilnError(kSourceTooLong);
        return false;
    }
    std::memcpy(source, full.c_str(), full.size() + 1);
    return true;
}

bool ComposeOutputPath(char* destination, const char* source, const char* extension) {
    // Only a dot of the file name counts: C:\my.dir\prog must not become C:\my.exe.
    const char* dot = cp932::FindLast(path_kind::FileName(source), '.');
    if (!dot) {
        ShowKilnError(kNoExtension);
        return false;
    }
    std::size_t stem = static_cast<std::size_t>(dot - source) + 1;
    std::size_t extensionLength = std::strlen(extension);
    if (stem + extensionLength + 1 >= kPathSize) {
        ShowKilnError(kOutputTooLong);
        return false;
    }
    // The trailing quote closes a quoted source's quoting; after an unquoted
    // source it is dropped wherever the path is used.
    std::memcpy(destination, source, stem);
    std::memcpy(destination + stem, extension, extensionLength);
    destination[stem + extensionLength] = '"';
    destination[stem + extensionLength + 1] = '\0';
    return true;
}

bool PrepareEnvironment(const SettingsFile& settings, HWND mainWindow, HWND pane, const char* source) {
    // Every refusal comes before the directory or PATH is touched.
    // The folder of the compiler that will run: a relative Path is Kiln's
    // folder's, never the source's.
    const std::string compilerDirectory =
        path_kind::LastSeparator(settings.Path) ? FolderOf(ConfiguredProgramPath(settings.Path).c_str()) : "";
    if (compilerDirectory.empty()) {
        ShowKilnError(kCompilerWithoutDirectory);
        return false;
    }
    const std::string sourceDirectory = FolderOf(source);
    if (sourceDirectory.empty()) {
        ShowKilnError(kSourceWithoutDirectory);
        return false;
    }
    char module[kLongTextSize];
    DWORD moduleLength = GetModuleFileNameA(NULL, module, sizeof module);
    const std::string kilnDirectory = moduleLength > 0 && moduleLength < sizeof module ? FolderOf(module) : "";
    if (kilnDirectory.empty()) {
        ShowKilnError(kKilnDirectoryUnknown);
        return false;
    }

    if (!SetCurrentDirectoryA(sourceDirectory.c_str())) {
        ShowBox(NULL, sourceDirectory.c_str(), "カレントディレクトリ変更エラー", MB_ICONERROR);
        return false;
    }
    // Nothing of the inherited PATH survives: the compiler's own directory
    // comes first, so its tools are the ones found, then the system's, so
    // that a batch file's "timeout" is Windows' own. The source's folder is
    // not on it: a batch compiler's bare "helper" must not be the folder's.
    std::string path = SearchPath(compilerDirectory, {kilnDirectory}, sourceDirectory);
    if (SetEnvironmentVariableA("PATH", path.c_str())) return true;
    if (ShowBox(mainWindow, "環境変数が変更できませんでした\n続けますか？", "環境変数設定エラー",
                    MB_OKCANCEL | MB_ICONQUESTION) == IDCANCEL) {
        ReplacePaneText(pane, "環境変数設定エラー：環境変数が変更できませんでした");
        return false;
    }
    return true;
}

bool RefusePlantedLibrary(const SettingsFile& settings, const char* source) {
    char kilnFolder[kPathSize];
    std::vector<std::string> searched = {FolderOf(ConfiguredProgramPath(settings.Path).c_str())};
    if (ModuleDirectory(kilnFolder)) searched.push_back(kilnFolder);
    const std::string planted = PlantedLibrary(FolderOf(source), searched);
    if (planted.empty()) return false;
    ShowKilnError(("コンパイラのDLLと同じ名前のファイルがソースファイルのフォルダにあります\n" + planted +
                   "\nこのファイルを削除するか、ソースファイルを別のフォルダに移してください")
                      .c_str());
    return true;
}

namespace {

// A source or output name as one word: in a batch file's quotes for a
// compiler that is one (false after the refusal box), else as the compiler
// takes it.
bool NameWord(const Piece& name, bool batch, std::string* word) {
    if (!batch) {
        *word = command_words::CompilerArgument(name.text, name.length);
        return true;
    }
    std::string bare(name.text, name.length);
    if (!bare.empty() && (bare[0] == '-' || bare[0] == '@')) bare = ".\\" + bare;
    return BatchWordOrRefuse(bare, word);
}

}  // namespace

bool ComposeCommandLine(const SettingsFile& settings, char* destination, std::size_t size,
                       const char* source, const char* output, const std::string& charsetOptions) {
    Piece compiler = NamePiece(settings.Path);
    Piece options = Piece{settings.CompileOption, std::strlen(settings.CompileOption)};
    Piece outputOption = OptionPiece(settings.OutputFileOption);
    if (size) destination[0] = '\0';
    const std::string script = ConfiguredProgramPath(settings.Path);
    const bool batch = IsBatchFile(script.c_str());
    if (batch && !command_words::KeptFromShell(script.c_str())) {
        RefuseBatchPath(script);
        return false;
    }
    std::string sourceWord, outputWord;
    if (!NameWord(NamePiece(source), batch, &sourceWord) || !NameWord(NamePiece(output), batch, &outputWord))
        return false;

    // bcc32, cl and fpc take the output name joined to the option:
    // -ehello.exe, /Fehello.exe, -ohello.exe.
    const KnownCompiler* known = FindKnownCompiler(std::string(compiler.text, compiler.length).c_str());
    bool joined = known && known->outputJoined;

    // Each name is one word, however it was spelt in the folder it came from;
    // the compiler's own name is no argument of its, so it is only quoted.
    // A batch file is run by cmd.exe, which is given its full path.
    std::string line;
    if (!charsetOptions.empty()) line = charsetOptions + ' ';
    if (options.length) {
        line.append(options.text, options.length);
        line += ' ';
    }
    line += sourceWord;
    line += ' ';
    if (outputOption.length) {
        line.append(outputOption.text, outputOption.length);
        if (!joined) line += ' ';
        line += outputWord;
    }
    if (batch) {
        line = command_words::BatchCommandLine(CommandInterpreter(), script, line);
    } else {
        std::string name(compiler.text, compiler.length);
        line = (cp932::FindFirstOf(name.c_str(), " \t") ? command_words::Quoted(name) : name) + " " + line;
    }
    if (line.size() >= size) {
        ShowKilnError(kCommandLineTooLong);
        return false;
    }
    std::memcpy(destination, line.c_str(), line.size() + 1);
    return true;
}

namespace {

// Opened for its times only, shared with whatever writes it.
HANDLE OpenForTime(const char* path) {
    return CreateFileA(UnquotedPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

void CloseIfOpen(HANDLE handle) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

}  // namespace

int CompareFileTimes(const char* source, const char* output) {
    HANDLE sourceFile = OpenForTime(source);
    HANDLE outputFile = OpenForTime(output);
    if (sourceFile == INVALID_HANDLE_VALUE || outputFile == INVALID_HANDLE_VALUE) {
        ShowBox(NULL, "タイムスタンプを比較するための\nファイルを開けませんでした", "エラー", MB_ICONERROR);
        CloseIfOpen(sourceFile);
        CloseIfOpen(outputFile);
        return 0;
    }
    FILETIME sourceTime, outputTime;
    if (!GetFileTime(sourceFile, NULL, NULL, &sourceTime) || !GetFileTime(outputFile, NULL, NULL, &outputTime)) {
        ShowBox(NULL, "タイムスタンプを取得出来ませんでした", "エラー", MB_ICONERROR);
        CloseHandle(sourceFile);
        CloseHandle(outputFile);
        return 0;
    }
    CloseHandle(sourceFile);
    CloseHandle(outputFile);
    if (sourceTime.dwHighDateTime != outputTime.dwHighDateTime)
        return sourceTime.dwHighDateTime > outputTime.dwHighDateTime ? 1 : -1;
    if (sourceTime.dwLowDateTime != outputTime.dwLowDateTime)
        return sourceTime.dwLowDateTime > outputTime.dwLowDateTime ? 1 : -1;
    return 0;
}
