#include "controller/program_launch.h"

#include <vector>

#include "common/command_words.h"
#include "common/path_list.h"
#include "controller/bare_name_search.h"
#include "controller/kiln_boxes.h"
#include "controller/path_operations.h"
#include "controller/program_path.h"
#include "controller/shell_open.h"
#include "resources/batch_environment.h"
#include "resources/exact_names.h"

namespace {

const char kBatchRefusal[] = "引数に含まれる文字をバッチファイルに安全に渡せません\n";

// An environment variable set for one start and put back afterwards, read
// and restored as UTF-16: Wine's ANSI reading drops what follows a
// double-byte character.
class VariableForStart {
public:
    // A null value takes the variable out for the start.
    VariableForStart(const wchar_t* wideName, const char* name, const char* value, bool wanted)
        : name_(wideName), had_(false), wanted_(wanted) {
        if (!wanted_) return;
        DWORD n = GetEnvironmentVariableW(wideName, NULL, 0);
        had_ = n != 0;
        if (had_) {
            saved_.resize(n);
            had_ = GetEnvironmentVariableW(wideName, &saved_[0], n) < n;
        }
        SetEnvironmentVariableA(name, value);
    }
    ~VariableForStart() {
        if (wanted_) SetEnvironmentVariableW(name_, had_ ? saved_.data() : NULL);
    }
    VariableForStart(const VariableForStart&) = delete;
    VariableForStart& operator=(const VariableForStart&) = delete;

private:
    const wchar_t* name_;
    std::vector<wchar_t> saved_;
    bool had_;
    bool wanted_;
};

std::string CurrentPath() {
    DWORD n = GetEnvironmentVariableW(L"PATH", NULL, 0);
    if (n == 0) return std::string();
    std::vector<wchar_t> wide(n);
    if (GetEnvironmentVariableW(L"PATH", wide.data(), n) >= n) return std::string();
    // Never a look-alike of a folder that code page 932 lacks: such a
    // folder is one that no search reaches.
    return exact_names::Shown(wide.data());
}

bool StartBatchFile(const Launch& launch) {
    std::vector<wchar_t> environment = BatchEnvironment();
    std::string interpreter = CommandInterpreter();
    std::string line = command_words::BatchCommandLine(interpreter, launch.program, launch.parameters);
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessA(interpreter.c_str(), writable.data(), NULL, NULL, FALSE,
                        (launch.console ? CREATE_NEW_CONSOLE : CREATE_NO_WINDOW) | CREATE_UNICODE_ENVIRONMENT,
                        environment.data(),
                        launch.folder.empty() ? NULL : launch.folder.c_str(), &startup, &info))
        return false;
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    return true;
}

}  // namespace

const wchar_t kProgramCodePageVariable[] = L"KILN_PROGRAM_CODE_PAGE";

void RefuseForBatchFile(const std::string& word) { ShowKilnError((kBatchRefusal + word).c_str()); }

void RefuseBatchPath(const std::string& path) {
    ShowKilnError(("バッチファイルのパスに安全に扱えない文字（%など）があります\n" + path).c_str());
}

bool BatchWordOrRefuse(const std::string& word, std::string* out) {
    if (command_words::BatchWord(word, out)) return true;
    RefuseForBatchFile(word);
    return false;
}

LaunchResult StartLaunch(HWND owner, const Launch& launch) {
    const bool batch = IsBatchFile(launch.program.c_str());
    if (batch && !command_words::KeptFromShell(launch.program.c_str())) {
        RefuseBatchPath(launch.program);
        return kLaunchRefused;
    }
    // A bare name in the program (a batch editor's "notepad", an aid
    // program's "timeout") is its own folder's or the system's first.
    const std::string path = SearchPath(FolderOf(launch.program.c_str()), path_list::Entries(CurrentPath().c_str()),
                                        launch.unsearched);
    VariableForStart searched(L"PATH", "PATH", path.c_str(), true);
    VariableForStart codePage(kProgramCodePageVariable, "KILN_PROGRAM_CODE_PAGE",
                              launch.writesUtf8 ? "65001" : NULL, launch.tellsCodePage);
    bool started = batch ? StartBatchFile(launch)
                         : ShellOpen(owner, launch.program.c_str(), launch.parameters.c_str(),
                                     launch.folder.empty() ? NULL : launch.folder.c_str()) > 32;
    return started ? kLaunchStarted : kLaunchFailed;
}
