// gcc.exe for running Kiln under Wine with this machine's real cross
// compiler: a Windows console program that hands its command line to
// /usr/bin/i686-w64-mingw32-gcc (or -g++, clang or javac, after its own
// name) and passes on the compiler's standard output, standard error and
// exit status.
//
// A Unix program started from a Windows process neither writes into the
// Windows pipes it was given nor reports its exit status, so a shell runs
// the compiler with its output and status sent to files in a folder of our
// own, and we copy them once the status file is there. Paths are handed over
// as Unix paths in UTF-8 (the current folder and every argument that is an
// absolute Windows path). The compiler runs in the desktop's Japanese UTF-8
// locale and its text, file names included, is passed on in UTF-8, as gcc
// writes it for a Japanese user of MSYS2: Kiln converts it for its pane.
#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <cwctype>
#include <string>
#include <utility>
#include <vector>

namespace {

// How long a compile may take before we give up on the shell.
const DWORD kCompileLimitMs = 10 * 60 * 1000;

typedef char*(CDECL* UnixFileNameFn)(const WCHAR*);

// Unix paths that we made from Windows paths, with the Windows path (UTF-8)
// each came from, so that the compiler's messages name files as the user
// wrote them.
std::vector<std::pair<std::string, std::string>> translated;

std::string Utf8(const std::wstring& text) {
    if (text.empty()) return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), NULL, 0, NULL, NULL);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), &out[0], n, NULL, NULL);
    return out;
}

// The Unix path Wine maps a Windows path to; empty outside Wine.
std::string UnixPath(const std::wstring& windowsPath) {
    static UnixFileNameFn toUnix = reinterpret_cast<UnixFileNameFn>(reinterpret_cast<void*>(
        GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (!toUnix) return std::string();
    char* unix = toUnix(windowsPath.c_str());
    if (!unix) return std::string();
    std::string result(unix);
    HeapFree(GetProcessHeap(), 0, unix);
    return result;
}

bool IsAbsoluteWindowsPath(const std::wstring& text) {
    if (text.size() >= 3 && text[1] == L':' && (text[2] == L'\\' || text[2] == L'/')) return true;
    return text.size() >= 2 && text[0] == L'\\' && text[1] == L'\\';
}

// One argument for the Unix compiler: absolute paths, also when glued to an
// option such as -I or -o, become Unix paths; in relative ones the
// backslashes become slashes.
std::string TranslateArgument(const std::wstring& argument) {
    static const wchar_t* const kGlued[] = {L"-I", L"-L", L"-o", L"-B", L"-iquote", L"-isystem"};
    for (const wchar_t* option : kGlued) {
        std::wstring prefix(option);
        if (argument.size() > prefix.size() && argument.compare(0, prefix.size(), prefix) == 0 &&
            IsAbsoluteWindowsPath(argument.substr(prefix.size()))) {
            std::string unix = UnixPath(argument.substr(prefix.size()));
            if (!unix.empty()) {
                translated.emplace_back(unix, Utf8(argument.substr(prefix.size())));
                return Utf8(prefix) + unix;
            }
        }
    }
    if (IsAbsoluteWindowsPath(argument)) {
        std::string unix = UnixPath(argument);
        if (!unix.empty()) {
            translated.emplace_back(unix, Utf8(argument));
            return unix;
        }
    }
    if (!argument.empty() && argument[0] != L'-') {
        std::wstring slashed = argument;
        for (wchar_t& c : slashed)
            if (c == L'\\') c = L'/';
        return Utf8(slashed);
    }
    return Utf8(argument);
}

std::string ShellQuote(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        if (c == '\'')
            out += "'\\''";
        else
            out += c;
    }
    return out + "'";
}

std::string ReadWhole(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string text;
    char buffer[8192];
    DWORD got = 0;
    while (ReadFile(file, buffer, sizeof buffer, &got, NULL) && got) text.append(buffer, got);
    CloseHandle(file);
    return text;
}

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
    return ok && written == bytes.size();
}

// The compiler joins names to the folders it was given with "/": the rest
// of such a path, up to the ":" before its line number or the quote that
// closes it (gcc's UTF-8 one in a Japanese locale), gets backslashes.
std::string WindowsNames(std::string text) {
    static const char kClosingQuote[] = "\xE2\x80\x99";
    for (const auto& pair : translated) {
        for (std::string::size_type at = text.find(pair.first); at != std::string::npos;) {
            text.replace(at, pair.first.size(), pair.second);
            at += pair.second.size();
            for (; at < text.size() && std::string(" :'\"\r\n").find(text[at]) == std::string::npos &&
                   text.compare(at, 3, kClosingQuote) != 0;
                 ++at)
                if (text[at] == '/') text[at] = '\\';
            at = text.find(pair.first, at);
        }
    }
    return text;
}

void Pass(DWORD which, const std::string& compilerText) {
    // Line breaks as a Windows compiler writes them.
    std::string bytes = WindowsNames(compilerText);
    std::string text;
    for (std::string::size_type i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\n' && (i == 0 || bytes[i - 1] != '\r')) text += '\r';
        text += bytes[i];
    }
    HANDLE out = GetStdHandle(which);
    DWORD written = 0;
    if (out && out != INVALID_HANDLE_VALUE && !text.empty())
        WriteFile(out, text.data(), static_cast<DWORD>(text.size()), &written, NULL);
}

int Fail(const char* message) {
    std::string text = std::string("gcc.exe (Kiln demo): ") + message + "\n";
    Pass(STD_ERROR_HANDLE, text);
    return 1;
}

// The cross compiler for the bridge's own kind of program, so that what it
// builds runs where it runs: i686, or x86_64 on a host without i386 Wine.
#ifdef _WIN64
const char kTargetPrefix[] = "/usr/bin/x86_64-w64-mingw32-";
#else
const char kTargetPrefix[] = "/usr/bin/i686-w64-mingw32-";
#endif

// The target prefix and our own base name: gcc.exe runs gcc, g++.exe g++;
// clang.exe this machine's clang for the same target, linked with the cross
// compiler's libgcc, and javac.exe its javac. A shell command line.
std::string CompilerCommand() {
    wchar_t module[MAX_PATH] = L"";
    GetModuleFileNameW(NULL, module, MAX_PATH);
    std::wstring name(module);
    std::wstring::size_type slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos) name.erase(0, slash + 1);
    std::wstring::size_type dot = name.rfind(L'.');
    if (dot != std::wstring::npos) name.erase(dot);
    for (wchar_t& c : name) c = static_cast<wchar_t>(towlower(c));
    if (name == L"javac") return "/usr/bin/javac";
    std::string gcc = ShellQuote(std::string(kTargetPrefix) + "gcc");
    if (name == L"clang")
        return "/usr/bin/clang --target=" + std::string(kTargetPrefix + 9, std::strlen(kTargetPrefix) - 10) +
               " -L\"$(dirname \"$(" + gcc + " -print-libgcc-file-name)\")\" -fdiagnostics-color=never";
    if (name != L"g++" && name != L"c++" && name != L"cpp") return gcc + " -fdiagnostics-color=never";
    return ShellQuote(kTargetPrefix + Utf8(name)) + " -fdiagnostics-color=never";
}

}  // namespace

int main() {
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv) return Fail("cannot read the command line");

    wchar_t current[MAX_PATH * 2] = L"";
    GetCurrentDirectoryW(MAX_PATH * 2, current);
    std::string unixCurrent = UnixPath(current);
    if (unixCurrent.empty()) return Fail("this bridge runs only under Wine");

    // A folder of our own for the script and what the compiler leaves.
    wchar_t temp[MAX_PATH] = L"";
    GetTempPathW(MAX_PATH, temp);
    wchar_t stamp[64];
    wsprintfW(stamp, L"kiln-gcc-%lu-%lu", GetCurrentProcessId(), GetTickCount());
    std::wstring work = std::wstring(temp) + stamp;
    if (!CreateDirectoryW(work.c_str(), NULL)) return Fail("cannot create a work folder");
    std::string unixWork = UnixPath(work);

    std::string command = CompilerCommand();
    for (int i = 1; i < argc; ++i) command += " " + ShellQuote(TranslateArgument(argv[i]));
    LocalFree(argv);
    // Longest first, so that a folder does not take the place of a file in it.
    std::sort(translated.begin(), translated.end(),
              [](const std::pair<std::string, std::string>& a, const std::pair<std::string, std::string>& b) {
                  return a.first.size() > b.first.size();
              });

    std::string script =
        "PATH=/usr/local/bin:/usr/bin:/bin\nexport PATH\nunset WINEDEBUG\n"
        "(cd " + ShellQuote(unixCurrent) + " && exec " + command + ") >" + ShellQuote(unixWork + "/out") +
        " 2>" + ShellQuote(unixWork + "/err") + " </dev/null\n"
        "echo $? >" + ShellQuote(unixWork + "/status.part") + "\n" +
        "mv " + ShellQuote(unixWork + "/status.part") + " " + ShellQuote(unixWork + "/status") + "\n";
    std::wstring scriptPath = work + L"\\run.sh";
    if (!WriteWhole(scriptPath, script)) return Fail("cannot write the compile script");

    // The shell is reached through Wine's drive for the Unix root.
    std::string unixScript = unixWork + "/run.sh";
    int n = MultiByteToWideChar(CP_UTF8, 0, unixScript.c_str(), -1, NULL, 0);
    std::wstring wideScript(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, unixScript.c_str(), -1, &wideScript[0], n);
    wideScript.resize(n - 1);
    std::wstring commandLine = L"sh \"" + wideScript + L"\"";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process = {};
    std::vector<wchar_t> writable(commandLine.begin(), commandLine.end());
    writable.push_back(L'\0');
    if (!CreateProcessW(L"Z:\\bin\\sh", writable.data(), NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return Fail("cannot start /bin/sh");
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);

    std::wstring statusPath = work + L"\\status";
    DWORD started = GetTickCount();
    while (GetFileAttributesW(statusPath.c_str()) == INVALID_FILE_ATTRIBUTES) {
        if (GetTickCount() - started > kCompileLimitMs) return Fail("the compiler did not finish in time");
        Sleep(20);
    }
    int status = std::atoi(ReadWhole(statusPath).c_str());
    Pass(STD_OUTPUT_HANDLE, ReadWhole(work + L"\\out"));
    Pass(STD_ERROR_HANDLE, ReadWhole(work + L"\\err"));

    const wchar_t* leftovers[] = {L"\\out", L"\\err", L"\\status", L"\\run.sh"};
    for (const wchar_t* name : leftovers) DeleteFileW((work + name).c_str());
    RemoveDirectoryW(work.c_str());
    return status;
}
