// A console program run as a hidden child, its standard output and standard
// error captured through two pipes and collected into one text whose line
// breaks are all CR LF, ready for the multi-line edit control of the output
// pane.
#ifndef KILN_CONTROLLER_CHILD_PROCESS_H
#define KILN_CONTROLLER_CHILD_PROCESS_H

#include <windows.h>

#include <atomic>
#include <cstddef>

class ChildProcess {
public:
    // The collected output, NUL-terminated, code page 932. Owned.
    char* text;
    HANDLE outputRead;
    HANDLE outputWrite;
    HANDLE errorRead;
    HANDLE errorWrite;
    STARTUPINFOA startup;
    PROCESS_INFORMATION process;

    // Creates both pipes and an empty text. A failure here is not reported:
    // Run then refuses to start the child and returns 0.
    ChildProcess();
    ~ChildProcess();

    // Starts the child with this writable command line, collects everything it
    // writes until it has ended, and returns 1; returns 0 when the child could
    // not be started (the text stays as it was). Blocks the calling thread.
    int Run(char* commandLine);

    // Takes whatever that pipe holds at this moment, without blocking, and
    // appends it. Returns the number of bytes read.
    DWORD ReadPipe(HANDLE readEnd);

    // Appends one chunk, up to its first NUL, with its line breaks converted.
    // When the text cannot grow, the chunk is dropped and the text kept.
    char* AppendOutput(const char* chunk);

    BOOL GetExitCode(DWORD* exitCode);
    BOOL CloseProcess();

    // Once Run has returned 1: the child's exit status; false when the
    // child never ran or its status could not be read.
    bool ExitStatus(DWORD* code) const;
    // Once Run has returned: milliseconds from the child's start to its end.
    unsigned long RunMilliseconds() const;

    // Ends the child and every process it started, from any thread, at any
    // time while the object lives: before the child starts (it is then
    // ended as soon as it exists), while it runs, or after it has ended.
    void Stop();
    bool StopRequested() const { return stopRequested.load(std::memory_order_acquire) != 0; }
    // After a stop, once Run has returned: waits at most ms until every
    // process of the job has ended (termination does not wait for them).
    // True when none is left.
    bool WaitForStoppedProcesses(DWORD ms);

    // Services the calling thread's message queue by one message.
    static void PumpMessages();

    // Length of text, without its terminator.
    std::size_t TextLength() const { return textLength; }

protected:
    // Replaces the whole collected text (used for the start-error text).
    void ReplaceText(const char* replacement);
    // Ends the text after its first `length` bytes (at most its length), as
    // after a rewrite in place that shortened it.
    void CutText(std::size_t length);

private:
    // The child and whatever it starts run in this job, so that a stop ends
    // them all. Null when it could not be made; a stop then ends the child.
    // Whoever uses it takes it out and puts it back, so that the capture
    // thread never closes it while Esc terminates it on the other thread.
    std::atomic<HANDLE> jobObject;
    // A handle of the running child for Stop; whoever takes it closes it.
    std::atomic<HANDLE> stopHandle;
    std::atomic<int> stopRequested;
    std::size_t textLength;
    std::size_t capacity;  // bytes allocated for text, terminator included
    DWORD exitStatus;
    bool exitStatusKnown;
    // Performance-counter readings at the child's start and at its end.
    LONGLONG startCount;
    LONGLONG endCount;

    bool Ready() const;
    bool ChildHasEnded();
    void EndStartedProcesses();

    ChildProcess(const ChildProcess&);
    ChildProcess& operator=(const ChildProcess&);
};

#endif
