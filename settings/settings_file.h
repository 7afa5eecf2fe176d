// The settings record: the in-memory image of Kiln.ini, shared by Kiln and
// KilnOp. Only the selected compiler profile is held in full.
#ifndef KILN_SETTINGS_SETTINGS_FILE_H
#define KILN_SETTINGS_SETTINGS_FILE_H

enum {
    kProfileCount = 10,
    kPathSize = 260,
    kLongTextSize = 512,
    kShortTextSize = 20,
    kMessageCount = 10,
    kMessageSize = 81,
    // A [Message] text is read with one byte less than its field: 79 bytes
    // of text come back whole.
    kMessageReadSize = kMessageSize - 1,
};

// The values that go into a command line or name a program that Kiln starts.
// Load marks each one whose stored text was longer than its field: the field
// then holds a cut text, which would name another file or pass other options.
enum OverlongBits {
    kOverlongPath = 1 << 0,
    kOverlongCompileOption = 1 << 1,
    kOverlongOutputFileOption = 1 << 2,
    kOverlongOutputFileType = 1 << 3,
    kOverlongAidProgramPath = 1 << 4,
    kOverlongExecuteCommandLine = 1 << 5,
    kOverlongEditorPath = 1 << 6,
    kOverlongJumpOption = 1 << 7,
    kOverlongProfile = kOverlongPath | kOverlongCompileOption | kOverlongOutputFileOption |
                       kOverlongOutputFileType | kOverlongAidProgramPath | kOverlongExecuteCommandLine,
    kOverlongEditor = kOverlongEditorPath | kOverlongJumpOption,
    // Only shown, never started or passed on: Kiln uses them cut, KilnOp
    // keeps the whole text in Kiln.ini unless it is edited.
    kOverlongCompilerName = 1 << 8,
    kOverlongMessageFirst = 1 << 9,  // [Message] "0"; "1" to "9" follow
    kOverlongMessages = ((1u << kMessageCount) - 1) << 9,
};

// Where an overlong value is stored and how long it may be.
struct OverlongValue {
    char section[16];
    const char* key;
    int limit;  // bytes of text its field holds
};

class SettingsFile {
public:
    int  CompilerNo;
    char CompilerName[kProfileCount][kPathSize];
    char Path[kPathSize];
    char CompileOption[kLongTextSize];
    char OutputFileOption[kShortTextSize];
    char OutputFileType[kShortTextSize];
    int  AidExecute;
    char AidProgramPath[kPathSize];
    char ExecuteCommandLine[kLongTextSize];
    int  CheckExecute;
    int  CompileAfterShow;
    // 1: the compiler's output is shown as it came; otherwise its UTF-8
    // lines are converted and its colour escapes removed.
    int  OutputCode;
    char EditorPath[kPathSize];
    char JumpOption[kShortTextSize];
    int  JumpType;
    int  Magnet;
    int  Fix;
    int  Size;
    int  Position;
    int  X;
    int  Y;
    int  Width;
    int  Height;
    char IniPath[kPathSize];
    char OpIniPath[kPathSize];
    // OverlongBits of the values that did not fit at the last load. Kiln
    // refuses to use them; KilnOp shows what fitted.
    unsigned Overlong;
    // Bit n: profile n's CompilerName was loaded cut.
    unsigned CutNames;

    // Kiln reads Kiln.ini at its start, when its window is made and at every
    // compile request; each reading is some thirty profile calls. Where this
    // is set, Load skips a file whose size and write time are those of the
    // last reading, provided that time lay well before the reading, so that
    // a write within a coarse clock tick of it is never missed.
    bool reuseUnchangedFile;
    bool loadedValid;
    unsigned long long loadedSize;
    unsigned long long loadedWriteTime;

    SettingsFile();

    // Forms IniPath and OpIniPath from the executables' directory (no trailing
    // backslash). Returns false, with both empty, when the directory is empty
    // or a path would not fit its field.
    bool SetDirectory(const char* directory);

    void Load();
    void LoadProfile();
    void SaveCompilerNo();
    // Writes the editor keys; a value marked overlong is not written over.
    void SaveEditor();

    // The first value among `mask` that did not fit its field; false when
    // all of them fitted.
    bool FirstOverlong(unsigned mask, OverlongValue* value) const;

    // First-run defaults, derived from the candidate lists in KilnOp.ini.
    void WriteDefaults();
    void FindCandidate(const char* target, const char* list, bool restart);
    void DeriveCompilerDefaults(int i);
    void DeriveJumpOption();

    // Section name "Compiler%d" of profile index i (0-9).
    static void ProfileSection(int i, char* section /* >= 16 bytes */);

private:
    SettingsFile(const SettingsFile&);
    SettingsFile& operator=(const SettingsFile&);
};

// Kiln's record. Its construction at first run starts KilnOp and waits for it.
class KilnSettingsFile : public SettingsFile {
public:
    KilnSettingsFile() { reuseUnchangedFile = true; }
    // Forms the paths from Kiln's own directory, creates a missing Kiln.ini
    // and loads it.
    void Construct();
    void ConstructIn(const char* directory);
};

// KilnOp's record, with the progress-message options.
class KilnOpSettingsFile : public SettingsFile {
public:
    int  Custom;
    char Messages[kMessageCount][kMessageSize];
    int  Interval;

    KilnOpSettingsFile();
    void Construct();
    void ConstructIn(const char* directory);

    void ReadMessageSettings();
    void WriteMessageDefaults();
    void WriteMessages();
};

// Reads [Message] Custom and Interval, and the ten texts only when Custom is
// non-zero (otherwise they keep what they held). Where cut is given, bit k
// is set for each text k that was longer than its field. Shared by KilnOp's record
// and Kiln's compile job, which keeps its own copy of these values.
void ReadMessageSettingsFrom(const char* iniPath, int* custom,
                             char messages[kMessageCount][kMessageSize], int* interval, unsigned* cut = 0);

// Directory of the running executable, without a trailing backslash. False,
// with an empty directory, when it cannot be named in kPathSize bytes: no
// settings file is then read or written.
bool ModuleDirectory(char* directory /* kPathSize bytes */);

// True when a file or directory of that (unquoted) path exists.
bool PathExists(const char* path);

#endif
