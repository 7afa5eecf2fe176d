#include "controller/built_outputs.h"

#include <string>
#include <vector>

#include "common/build_record.h"
#include "common/cp932.h"
#include "controller/path_operations.h"

namespace {

// FAT keeps write times to two seconds, and a file system's clock may lag
// or lead the system's by a tick: a file written just after the compile
// began can carry a time just before it, one written at its end a time just
// after.
const unsigned long long kWriteTimeSlack = 2ULL * 10000000ULL;

// What Put keeps the text to: a larger file is no record.
const DWORD kMaxRecordBytes = build_record::kMaxTextBytes;

unsigned long long Ticks(const FILETIME& time) {
    return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
}

std::string RecordPath(const SettingsFile& settings) {
    const char* slash = cp932::FindLast(settings.IniPath, '\\');
    if (!slash) return std::string();
    std::string path(settings.IniPath, static_cast<std::size_t>(slash - settings.IniPath));
    path += "\\KilnBuilt.txt";
    return path.size() < MAX_PATH ? path : std::string();
}

// A file (a full path) as the record names it: its path, write time and size.
bool DescribeFile(const char* full, build_record::Stamp* stamp) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(full, GetFileExInfoStandard, &data)) return false;
    if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return false;
    stamp->path = full;
    stamp->writeTime = Ticks(data.ftLastWriteTime);
    stamp->size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return true;
}

// The output as the record names it: its full path, its write time and size.
bool DescribeOutput(const char* output, build_record::Entry* entry) {
    const std::string full = FullPath(UnquotedPath(output));
    if (full.empty() || full.size() >= MAX_PATH) return false;
    build_record::Stamp stamp;
    if (!DescribeFile(full.c_str(), &stamp)) return false;
    entry->path = stamp.path;
    entry->writeTime = stamp.writeTime;
    entry->size = stamp.size;
    return true;
}

std::vector<build_record::Entry> ReadRecord(const std::string& path) {
    std::vector<build_record::Entry> entries;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, NULL, OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return entries;
    LARGE_INTEGER size;
    DWORD read = 0;
    if (GetFileSizeEx(file, &size) && size.QuadPart <= kMaxRecordBytes) {
        std::string text(static_cast<std::size_t>(size.QuadPart), '\0');
        if (text.empty() || (ReadFile(file, &text[0], static_cast<DWORD>(text.size()), &read, NULL) &&
                             read == text.size())) {
            entries = build_record::Parse(text.data(), text.size());
        }
    }
    CloseHandle(file);
    return entries;
}

bool WriteWhole(const std::string& path, const std::string& text) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool whole = WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, NULL) &&
                 written == text.size() && FlushFileBuffers(file);
    return CloseHandle(file) && whole;
}

// Written beside the record and put in its place whole, so that a Kiln that
// ends half-way, or a second Kiln reading at the same time, never finds a
// record cut short.
void ReplaceRecord(const std::string& path, const std::string& text) {
    std::string folder = FolderOf(path.c_str());
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(folder.c_str(), "kln", 0, temporary)) return;
    if (!WriteWhole(temporary, text) ||
        !MoveFileExA(temporary, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temporary);
    }
}

// The output as it is now; `existed` false when there is none. The file ID
// tells a file from another that took its name, where the file system keeps
// one; write time and size are compared in any case.
OutputBefore Identify(const std::string& path) {
    OutputBefore now;
    HANDLE file = CreateFileA(path.c_str(), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
    BY_HANDLE_FILE_INFORMATION info;
    if (file != INVALID_HANDLE_VALUE) {
        now.identified = GetFileInformationByHandle(file, &info) != FALSE;
        CloseHandle(file);
    }
    if (now.identified) {
        now.existed = true;
        now.volume = info.dwVolumeSerialNumber;
        now.indexHigh = info.nFileIndexHigh;
        now.indexLow = info.nFileIndexLow;
        now.writeTime = Ticks(info.ftLastWriteTime);
        now.size = (static_cast<unsigned long long>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
        return now;
    }
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return now;
    now.existed = true;
    now.writeTime = Ticks(data.ftLastWriteTime);
    now.size = (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    return now;
}

bool SameFile(const OutputBefore& a, const OutputBefore& b) {
    if (a.identified && b.identified &&
        (a.volume != b.volume || a.indexHigh != b.indexHigh || a.indexLow != b.indexLow))
        return false;
    return a.writeTime == b.writeTime && a.size == b.size;
}

}  // namespace

OutputBefore ClearOutputForCompile(const char* output) {
    const std::string path = UnquotedPath(output);
    OutputBefore before = Identify(path);
    if (before.existed) {
        bool deleted = DeleteFileA(path.c_str()) != FALSE;
        // Gone: whatever has the name after the compile came since, and a
        // file system that hands the same file ID to a new file (FAT) must
        // not make a new build look like the old one. Still there after a
        // delete (held open by another program): it is compared.
        if (GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) before = OutputBefore();
        else before.kept = !deleted;
    }
    GetSystemTimeAsFileTime(&before.start);
    return before;
}

bool CompileWrote(const char* output, const OutputBefore& before, const FILETIME& end) {
    if (before.kept) return false;
    OutputBefore now = Identify(UnquotedPath(output));
    if (!now.existed || (before.existed && SameFile(before, now))) return false;
    return now.writeTime + kWriteTimeSlack >= Ticks(before.start) && now.writeTime <= Ticks(end) + kWriteTimeSlack;
}

bool IsRecordedBuild(const SettingsFile& settings, const char* output, const build_record::Made& made) {
    std::string path = RecordPath(settings);
    build_record::Entry entry;
    if (path.empty() || !DescribeOutput(output, &entry)) return false;
    std::vector<build_record::Entry> entries = ReadRecord(path);
    const build_record::Entry* recorded = build_record::Find(entries, entry.path);
    if (!recorded) return false;
    // The headers are only looked at, not read: unchanged, they include what
    // they included when the output was made.
    entry.made.compiler = made.compiler;
    entry.made.command = made.command;
    for (const build_record::Stamp& header : recorded->made.headers) {
        build_record::Stamp now;
        if (!DescribeFile(header.path.c_str(), &now)) return false;
        entry.made.headers.push_back(now);
    }
    return build_record::Holds(entries, entry);
}

void RecordBuild(const SettingsFile& settings, const char* output, const build_record::Made& made) {
    std::string path = RecordPath(settings);
    build_record::Entry entry;
    if (path.empty() || !DescribeOutput(output, &entry)) return;
    entry.made = made;
    std::vector<build_record::Entry> entries = ReadRecord(path);
    build_record::Put(&entries, entry);
    ReplaceRecord(path, build_record::Format(entries));
}
