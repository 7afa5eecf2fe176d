// Moments of one start and compile, for the benchmark's phase table. Only a
// build made with KILN_PHASE_TIMES (bench/, never a shipped program) keeps
// them, each the first time it comes, and writes them beside the program on
// its way out; in every other build these calls are empty and vanish.
#ifndef KILN_CONTROLLER_PHASE_TIMES_H
#define KILN_CONTROLLER_PHASE_TIMES_H

enum KilnPhase {
    kPhaseMain,          // WinMain entered
    kPhaseSettings,      // the settings built
    kPhaseClasses,       // the common controls' classes registered
    kPhaseWindow,        // the main window created (its compile started)
    kPhaseShown,         // the window shown and first painted (Kiln: while it is created)
    kPhaseChildStarted,  // the compiler's process created
    kPhaseFirstByte,     // its first output read
    kPhaseCaptured,      // its end seen and its pipes drained
    kPhaseResultBegun,   // the window begins on the result
    kPhaseConverted,     // the text converted, the end text appended
    kPhaseTextIn,        // the pane has taken the text
    kPhaseCounted,       // the status bar's counts shown
    kPhaseCount
};

#ifdef KILN_PHASE_TIMES
void MarkPhase(KilnPhase phase);
void SavePhases();
#else
inline void MarkPhase(KilnPhase) {}
inline void SavePhases() {}
#endif

#endif
