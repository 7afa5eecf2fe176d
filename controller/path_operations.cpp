// The small path operations of build preparation, also used by the run step,
// the error-line jump and the window search. Paths may arrive quoted or not;
// quotes are removed only where a path is used.
//
// Working copies are as long as the path they copy: the current source path
// may hold 511 bytes, and a copy cut to 259 bytes would name another file.
#include <windows.h>

#include <cstring>
#include <string>

#include "common/cp932.h"
#include "controller/build_preparation.h"

char* StripQuotes(char* path) {
    if (path[0] == '"') std::memmove(path, path + 1, std::strlen(path + 1) + 1);
    char* quote = cp932::FindFirst(path, '"');
    if (quote) *quote = '\0';
    return path;
}

std::string UnquotedPath(const char* path) {
    std::string copy = path ? path : "";
    StripQuotes(&copy[0]);
    return std::string(copy.c_str());
}

void CutAtLastBackslash(char* path) {
    char* slash = cp932::FindLast(path, '\\');
    if (slash) *slash = '\0';
}

void FileNamePart(char* destination, const char* path) {
    const char* slash = cp932::FindLast(path, '\\');
    const char* name = slash ? slash + 1 : path;
    std::size_t length = std::strlen(name);
    if (slash) {
        const char* quote = cp932::FindLast(name, '"');
        if (quote) length = static_cast<std::size_t>(quote - name);
    }
    // A name that cannot be held whole is given as no name at all rather than
    // as the first part of it, which might be the name of another file.
    if (length >= kPathSize) {
        destination[0] = '\0';
        return;
    }
    std::memcpy(destination, name, length);
    destination[length] = '\0';
}

int FileExists(const char* path) {
    return PathExists(UnquotedPath(path).c_str()) ? 1 : 0;
}

int DeleteIfExists(char* path) {
    if (!FileExists(path)) return 0;
    StripQuotes(path);
    DeleteFileA(path);  // a file that stays is found by the run step later
    return 1;
}

namespace {

HANDLE OpenForTime(const char* path) {
    return CreateFileA(UnquotedPath(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_EXISTING,
                       FILE_ATTRIBUTE_NORMAL, NULL);
}

void CloseIfOpen(HANDLE handle) {
    if (handle != INVALID_HANDLE_VALUE) CloseHandle(handle);
}

}  // namespace

int CompareFileTimes(const char* source, const char* output) {
    HANDLE sourceFile = OpenForTime(source);
    HANDLE outputFile = OpenForTime(output);
    if (sourceFile == INVALID_HANDLE_VALUE || outputFile == INVALID_HANDLE_VALUE) {
        MessageBoxA(NULL, "タイムスタンプを比較するための\nファイルを開けませんでした", "エラー", MB_ICONERROR);
        CloseIfOpen(sourceFile);
        CloseIfOpen(outputFile);
        return 0;
    }
    FILETIME sourceTime, outputTime;
    if (!GetFileTime(sourceFile, NULL, NULL, &sourceTime) || !GetFileTime(outputFile, NULL, NULL, &outputTime)) {
        MessageBoxA(NULL, "タイムスタンプを取得出来ませんでした", "エラー", MB_ICONERROR);
        CloseHandle(sourceFile);
        CloseHandle(outputFile);
        return 0;
    }
    CloseHandle(sourceFile);
    CloseHandle(outputFile);
    if (sourceTime.dwHighDateTime != outputTime.dwHighDateTime)
        return sourceTime.dwHighDateTime > outputTime.dwHighDateTime ? 1 : -1;
    if (sourceTime.dwLowDateTime != outputTime.dwLowDateTime)
        return sourceTime.dwLowDateTime > outputTime.dwLowDateTime ? 1 : -1;
    return 0;
}
