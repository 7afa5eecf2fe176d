#include "test_files.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>

#include "common/cp932.h"

namespace testing_support {

namespace {
int counter = 0;
}

TempDir::TempDir(const char* tag) {
    char base[MAX_PATH];
    GetTempPathA(sizeof base, base);
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%s%s-%lu-%d", base, tag,
                      static_cast<unsigned long>(GetCurrentProcessId()), ++counter);
        if (CreateDirectoryA(name, NULL)) {
            path_ = name;
            return;
        }
        if (GetLastError() != ERROR_ALREADY_EXISTS) throw std::runtime_error("cannot create temp dir");
    }
}

TempDir::~TempDir() { RemoveTree(path_); }

std::string TempDir::operator/(const std::string& name) const { return path_ + "\\" + name; }

std::string TempDir::MakeDir(const std::string& relative) const {
    std::string full = path_;
    const char* start = relative.c_str();
    for (const char* p = start;; p = cp932::Next(p)) {
        if (*p == '\\' || *p == '\0') {
            full = path_ + "\\" + relative.substr(0, static_cast<size_t>(p - start));
            CreateDirectoryA(full.c_str(), NULL);
            if (*p == '\0') break;
        }
    }
    return full;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) throw std::runtime_error("cannot write " + path);
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}

std::string ReadFile(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return std::string();
    std::string out;
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) out.append(buf, n);
    std::fclose(f);
    return out;
}

bool Exists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void RemoveTree(const std::wstring& path) {
    DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    HANDLE h = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (h != INVALID_HANDLE_VALUE) {
        do {
            std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
        } while (FindNextFileW(h, &found));
        FindClose(h);
    }
    RemoveDirectoryW(path.c_str());
}

void RemoveTree(const std::string& path) { RemoveTree(L"\\\\?\\" + Wide(path)); }

std::wstring Wide(const std::string& text) {
    std::wstring wide(text.size() + 1, L'\0');
    wide.resize(static_cast<std::size_t>(
        MultiByteToWideChar(932, 0, text.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1));
    return wide;
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write a file");
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, NULL);
    CloseHandle(file);
}

void CopyFileTo(const std::string& from, const std::string& to) {
    if (!CopyFileA(from.c_str(), to.c_str(), FALSE)) throw std::runtime_error("cannot copy " + from);
}

std::string BinDir() {
    char path[MAX_PATH];
    GetModuleFileNameA(NULL, path, sizeof path);
    char* slash = cp932::FindLast(path, '\\');
    if (slash) *slash = '\0';
    return path;
}

void SetFileTimeSeconds(const std::string& path, long long seconds) {
    HANDLE h = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                           NULL, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (h == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot open " + path);
    // 2020-01-01 plus the given seconds, in 100 ns units since 1601.
    unsigned long long ticks = 132223104000000000ULL + static_cast<unsigned long long>(seconds) * 10000000ULL;
    FILETIME t;
    t.dwLowDateTime = static_cast<DWORD>(ticks);
    t.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    SetFileTime(h, NULL, NULL, &t);
    CloseHandle(h);
}

std::string IniValue(const std::string& text, const std::string& section, const std::string& key) {
    std::string::size_type at = text.find("[" + section + "]\r\n");
    if (at == std::string::npos) return "<none>";
    at = text.find("\r\n", at) + 2;
    while (at < text.size() && text[at] != '[') {
        std::string::size_type end = text.find("\r\n", at);
        std::string line = text.substr(at, end - at);
        if (line.compare(0, key.size() + 1, key + "=") == 0) return line.substr(key.size() + 1);
        if (end == std::string::npos) break;
        at = end + 2;
    }
    return "<none>";
}

}  // namespace testing_support
