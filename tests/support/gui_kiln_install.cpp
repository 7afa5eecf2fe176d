// A Kiln installation in a temporary folder; see gui_kiln_install.h.
#include "support/gui_kiln_install.h"

#include <cstdio>

#include "common/cp932.h"
#include "resources/shared_names.h"

namespace testing_support {

const char kFinished[] = "Kiln:コンパイル終了";
const char kUnchanged[] = "Kiln:ソースファイルが変更されていません";
const char kKilnError[] = "Kiln 実行エラー";

KilnInstall::KilnInstall(const std::string& extraIni) : dir_("kiln-e2e") {
    CopyFileTo(BinDir() + "\\Kiln.exe", dir_ / "Kiln.exe");
    CopyFileTo(BinDir() + "\\script_compiler.exe", dir_ / "gcc.exe");
    CopyFileTo(BinDir() + "\\run_recorder_gui.exe", AidProgram());
    // What was built is run without a question through the recording aid
    // program, so that a compile ends without a box; tests of the run offer
    // write their own profile.
    WriteFile(dir_ / "Kiln.ini", "[Compiler]\r\nCompilerNo=0\r\n[Compiler1]\r\nCompilerName=GNU C\r\nPath=" +
                                     Compiler() +
                                     "\r\nOutputFileOption=-o\r\nOutputFileType=exe\r\n"
                                     "CheckExecute=1\r\nAidExecute=1\r\nAidProgramPath=" +
                                     AidProgram() + "\r\n"
                                     "[Compiler3]\r\nCompilerName=Third\r\nPath=" +
                                     Compiler() + "\r\n" + extraIni);
    Script("create\r\nlog calls.log\r\n");
}

KilnInstall::~KilnInstall() { EndProgramsIn(dir_.path()); }

void KilnInstall::Script(const std::string& commands) { WriteFile(dir_ / "gcc.script", commands); }

std::string KilnInstall::ScriptText(const std::string& text) {
    std::string escaped;
    for (const char* p = text.c_str(); *p;) {
        const char* next = cp932::Next(p);
        if (*p == '\\') escaped += '\\';
        escaped.append(p, next);
        p = next;
    }
    return escaped;
}

std::string KilnInstall::Utf8ScriptText(const std::string& cp932Text) {
    std::wstring wide(cp932Text.size(), L'\0');
    wide.resize(MultiByteToWideChar(932, 0, cp932Text.data(), static_cast<int>(cp932Text.size()), &wide[0],
                                    static_cast<int>(wide.size())));
    std::string utf8(wide.size() * 3, '\0');
    utf8.resize(WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(wide.size()), &utf8[0],
                                    static_cast<int>(utf8.size()), NULL, NULL));
    std::string escaped;
    for (unsigned char c : utf8) {
        char hex[8];
        std::snprintf(hex, sizeof hex, "\\x%02X", c);
        escaped += c >= 0x80 || c == '\\' ? std::string(hex) : std::string(1, static_cast<char>(c));
    }
    return escaped;
}

int KilnInstall::Calls() const {
    std::string log = CallsLog();
    int n = 0;
    for (std::string::size_type p = log.find("[run]"); p != std::string::npos; p = log.find("[run]", p + 1)) ++n;
    return n;
}

std::string KilnInstall::Source(const std::string& relative, const std::string& text) {
    std::string::size_type slash = relative.rfind('\\');
    if (slash != std::string::npos) dir_.MakeDir(relative.substr(0, slash));
    WriteFile(dir_ / relative, text);
    return dir_ / relative;
}

bool KilnInstall::Start(Process& kiln, const std::string& arguments) {
    return kiln.Start(dir_ / "Kiln.exe", arguments, dir_.path());
}

HWND KilnInstall::Open(Process& kiln, const std::string& arguments) {
    if (!Start(kiln, arguments)) return NULL;
    return WaitForTopLevelWindow(KILN_WINDOW_CLASS, kiln.Id(), 15000);
}

HWND KilnInstall::OpenFinished(Process& kiln, const std::string& arguments) {
    HWND window = Open(kiln, arguments);
    return window && WaitForPane(window, kFinished) ? window : NULL;
}

bool KilnInstall::WaitForPane(HWND kiln, const std::string& text, DWORD ms) {
    return WaitUntil([&] { return WindowText(Pane(kiln)).find(text) != std::string::npos; }, ms);
}

}  // namespace testing_support
