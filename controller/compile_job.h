// One compile: a capture thread runs the compiler through the job's
// ChildProcess part while a progress thread animates the output pane; the
// progress thread then hands the job back to the main window with
// WM_KILN_COMPILE_DONE (lParam = the job), whose handler calls ShowResult and
// deletes the job.
#ifndef KILN_CONTROLLER_COMPILE_JOB_H
#define KILN_CONTROLLER_COMPILE_JOB_H

#include <windows.h>

#include <atomic>
#include <string>

#include "common/line_place.h"
#include "controller/child_process.h"
#include "settings/settings_file.h"

// How the compile's output is read, taken from the settings once, when the
// compile starts: a profile chosen or a reload while it runs changes neither
// what its output shows nor what is counted in it.
struct OutputRules {
    bool toCodePage = true;  // OutputCode 0: UTF-8 turned into code page 932
    LineRules lines = {kAnyForm, kAnyDialect, kByteColumns, 8};  // how errors and warnings read
};

// What the source's encoding adds to a compile: Kiln's own line before the
// compiler's output, and the command line without Kiln's charset options,
// run once more when the compiler refuses them (a gcc without iconv).
struct CharsetNotes {
    std::string notice;
    std::string plainCommandLine;  // empty: no second run
};

class CompileJob : public ChildProcess {
public:
    // Heap copy of the whole command line (null when it could not be copied;
    // the compile then ends with the start error).
    char* commandLine;
    // The compiler's full path: the program that runs is the configured one,
    // not one that the source's folder or Kiln's offers under its name.
    std::string application;
    // Kiln.ini, whose [Message] section chooses the progress display.
    char settingsPath[kPathSize];
    // 0 while the compile runs; set to 1 once, by the capture thread, after
    // its last write to text (release; the progress thread loads with acquire).
    std::atomic<int> done;
    // Signalled by the capture thread just before it sets done, so that the
    // progress thread wakes at the compiler's end instead of at the end of
    // its frame interval. Null when it could not be made: frames then wait
    // the whole interval.
    HANDLE finished;
    int Custom;
    char Messages[kMessageCount][kMessageSize];
    int Interval;  // milliseconds between frames, never negative here
    HWND mainWindow;
    HWND pane;
    // Shows the seconds so far with each progress frame; may be null.
    HWND statusBar;

    const OutputRules rules;
    const CharsetNotes notes;

    // Starts the compile and returns at once. iniPath names the settings file
    // to read [Message] from; null means Kiln.ini beside the running program.
    CompileJob(HWND mainWindow, HWND pane, const char* commandLine, const char* iniPath = NULL,
               const OutputRules& rules = OutputRules(), HWND statusBar = NULL, const char* application = NULL,
               const CharsetNotes& notes = CharsetNotes());
    ~CompileJob();

    void ReadMessageSettings();
    void Start();
    // Returns false when the progress thread could not be started.
    bool StartProgress();

    static unsigned __stdcall DotProgressThread(void* job);
    static unsigned __stdcall CustomProgressThread(void* job);
    static unsigned __stdcall CaptureThread(void* job);

    // Puts the collected output followed by "Kiln:コンパイル終了" into the
    // pane, or by "Kiln:コンパイル中止" after a stop. The output's escapes
    // are removed and (by the rules) its UTF-8 converted first, in place.
    void ShowResult();

    // Starts a detached thread; returns false when it could not be started.
    // Replaceable so that tests can make a thread start fail.
    typedef bool (*ThreadStarter)(unsigned(__stdcall* body)(void*), void* argument);
    static ThreadStarter startThread;
    static bool StartDetachedThread(unsigned(__stdcall* body)(void*), void* argument);

    // Once done: the compile was run again without Kiln's charset options.
    bool RetriedWithoutCharset() const { return retried; }

private:
    // Set before the capture thread starts: without a progress thread, the
    // capture thread sends the completion itself.
    bool progressRunning;
    // Cleared when the text is Kiln's own start error, not the compiler's.
    bool convertOutput;

    bool retried;

    // When the job began, for the seconds shown while it runs.
    DWORD startTick;

    void Capture();
    void RetryWithoutCharset();
    void Complete();
    void ShowProgressStatus();
    void MarkDone();
    // Waits one frame interval or until the compile has ended; true at the end.
    bool WaitFrame();

    CompileJob(const CompileJob&);
    CompileJob& operator=(const CompileJob&);
};

#endif
