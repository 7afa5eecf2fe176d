// Everything Kiln's main window holds, in one place: WinMain makes it,
// CreateWindowExA hands it to the window procedure (WM_NCCREATE), and the
// handlers get it from there. Only the compile request changes the source
// path, the output path and the request queue.
#ifndef KILN_CONTROLLER_MAIN_WINDOW_STATE_H
#define KILN_CONTROLLER_MAIN_WINDOW_STATE_H

#include <windows.h>

#include "common/build_record.h"
#include "common/line_place.h"
#include "controller/build_preparation.h"
#include "controller/built_outputs.h"
#include "controller/source_charset.h"
#include "settings/settings_file.h"

class CompileJob;

enum { kSourcePathSize = 512 };

// A request that arrives while another one is busy (a compile job running,
// or a message box of a request or of a run offer open) is kept rather than
// started into the same pane; a newer one replaces an older one.
struct RequestQueue {
    int busyDepth;
    CompileJob* runningJob;
    char* pendingPath;  // the kept request, on the heap
    char commandLine[kCommandLineSize];
    // What the running compile was started with, for the build record.
    build_record::Made made;
    // The output as the running compile found it: after the compile, only
    // what it wrote is recorded, offered or, after a stop, discarded.
    OutputBefore outputBefore;
    bool outputWritten;
    // Set just before the window sends itself WM_KILN_RUN: a run offer
    // follows only a request of this window, never a message from elsewhere.
    bool runOfferDue;
    // The offer follows a compile: it runs only what that compile wrote.
    bool offerAfterCompile;
    // Set while the run offer's own WM_CLOSE waits in the queue: a request
    // kept during the question, or handed off before the close comes round,
    // is carried out first, and its own offer may close the window.
    bool closeAfterOffer;
    // A request has been accepted: F5 has a source to compile again.
    bool sourceTaken;
};

struct MainWindowState {
    explicit MainWindowState(KilnSettingsFile& settings_)
        : settings(settings_), window(NULL), pane(NULL), statusBar(NULL), paneFont(NULL), requests(),
          paneRules(RulesForCompiler("", "")) {
        source[0] = '\0';
        output[0] = '\0';
    }

    KilnSettingsFile& settings;
    HWND window;
    HWND pane;
    // Under the pane: how the last request ended.
    HWND statusBar;
    HFONT paneFont;
    // The path of the file being compiled, as received (quotes included).
    char source[kSourcePathSize];
    // The path of the file the compile produces.
    char output[MAX_PATH];
    // The source's encoding as the last accepted request read it, and what
    // the program built from it writes.
    SourceCharset charset;
    RequestQueue requests;
    // How the pane's lines read: by the compiler of the request that last
    // filled it, until the next one, whatever profile is chosen meanwhile.
    LineRules paneRules;

private:
    MainWindowState(const MainWindowState&);
    MainWindowState& operator=(const MainWindowState&);
};

#endif
