#include "controller/built_outputs.h"

#include <string>
#include <vector>

#include "common/build_record.h"
#include "common/cp932.h"
#include "controller/path_operations.h"

namespace {

// FAT keeps write times to two seconds, and a file system's clock may lag
// the system's by a tick: a file written just after the compile began can
// carry a time just before it.
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

}  // namespace

bool WrittenSince(const char* output, const FILETIME& start) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(UnquotedPath(output).c_str(), GetFileExInfoStandard, &data)) return false;
    return Ticks(data.ftLastWriteTime) + kWriteTimeSlack >= Ticks(start);
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
