#include "controller/run_offer.h"

#include <cstring>
#include <string>

#include "common/command_words.h"
#include "common/run_target.h"
#include "controller/kiln_boxes.h"
#include "controller/path_operations.h"
#include "controller/program_path.h"
#include "controller/program_launch.h"

namespace {

const char kQuestion[] = "プログラムを実行しますか？";
const char kQuestionCaption[] = "実行確認";

// What is started: the file and its parameters, built whole.
struct Offered {
    std::string file;
    std::string parameters;
    bool throughAid;
};

void ReportStartFailure(HWND mainWindow, const Offered& launch) {
    std::string text = launch.throughAid
                           ? "実行環境プログラム「" + launch.file +
                                 "」を起動できませんでした\n実行環境プログラムのパスを設定し直してください"
                           : "「" + launch.file + "」を起動できませんでした\n実行するファイルがあるか確かめてください";
    ShowBox(mainWindow, text.c_str(), kKilnErrorCaption, MB_OK | MB_ICONERROR);
}

// The runner would take such a name for an options file (@opts), an option
// (-x) or two words (My Prog).
void ReportUnrunnableClass(HWND mainWindow, const std::string& className) {
    std::string text = "「" + className +
                       "」はJavaのクラス名として使えないため実行できません\n"
                       "ソースファイル名は英字で始め、空白や記号（_と$を除く）を含めないでください";
    ShowBox(mainWindow, text.c_str(), kKilnErrorCaption, MB_OK | MB_ICONERROR);
}

}  // namespace

bool RunBuiltProgram(const SettingsFile& settings, HWND mainWindow, const char* outputPath, bool writesUtf8) {
    if (!FileExists(outputPath)) return false;
    char name[kPathSize];
    FileNamePart(name, outputPath);

    std::string className;
    std::string target;       // what the aid program is given first
    Offered launch;           // what starts without an aid program
    // Every program by its full path: the source's folder is the current
    // one, and whatever it holds under a program's name must not run.
    const std::string compiler = ConfiguredProgramPath(settings.Path);
    switch (ClassifyOutput(name, &className)) {
    case kRunnableFile:
        // One word for the aid program, whatever blanks or cmd.exe's
        // characters the source's name brought along; an aid program that
        // is a batch file to Windows (`rec.bat.` is `rec.bat`) takes it in cmd.exe's
        // quotes, or not at all.
        if (settings.AidExecute != 0 && IsBatchFile(ConfiguredProgramPath(settings.AidProgramPath).c_str())) {
            if (!BatchWordOrRefuse(name, &target)) return false;
        } else {
            target = command_words::AidTarget(name);
        }
        launch.file = UnquotedPath(outputPath);
        launch.parameters = settings.ExecuteCommandLine;
        break;
    case kJavaClass: {
        if (!IsJavaClassName(className.c_str())) {
            ReportUnrunnableClass(mainWindow, className);
            return false;
        }
        // The quoted runner command is no file the shell could open: without
        // an aid program the runner itself is started with the class.
        if (!ComposeJavaCommand(&target, className.c_str(), compiler.c_str())) return false;
        JavaRunnerPath(&launch.file, compiler.c_str());
        launch.parameters = className + " " + settings.ExecuteCommandLine;
        break;
    }
    default:
        return false;
    }

    // Settled before the question: a reload while it is open must not change
    // what the answer starts.
    launch.throughAid = settings.AidExecute != 0;
    if (launch.throughAid) {
        launch.file = ConfiguredProgramPath(settings.AidProgramPath);
        launch.parameters = target + " " + settings.ExecuteCommandLine;
    }
    int answer = IDOK;
    if (settings.CheckExecute == 0) {
        answer = ShowBox(mainWindow, kQuestion, kQuestionCaption, MB_OKCANCEL | MB_ICONQUESTION);
    }
    if (answer != IDOK) return true;

    // In the source's folder, where the program's data files are.
    Launch start;
    start.program = launch.file;
    start.parameters = launch.parameters;
    start.folder = FolderOf(outputPath);
    start.unsearched = start.folder;
    start.tellsCodePage = launch.throughAid;
    start.writesUtf8 = writesUtf8;
    if (StartLaunch(mainWindow, start) == kLaunchFailed) ReportStartFailure(mainWindow, launch);
    return true;
}
