#include "controller/followed_headers.h"

#include <windows.h>

#include <string>

#include "controller/path_operations.h"

namespace {

class DiskFiles : public include_scan::Files {
public:
    include_scan::ReadResult Read(const std::string& path, std::size_t maxBytes, std::string* text,
                                  build_record::Stamp* stamp) override {
        // A path Windows cannot open whole is no header Kiln can vouch for.
        if (path.size() >= MAX_PATH) return include_scan::kUnreadable;
        // Shared for every kind of access: an editor saving the header at the
        // same time must not fail for Kiln's sake.
        HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                  NULL, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, NULL);
        if (file == INVALID_HANDLE_VALUE) {
            DWORD error = GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? include_scan::kMissing
                                                                                     : include_scan::kUnreadable;
        }
        include_scan::ReadResult result = ReadOpen(file, maxBytes, text, stamp);
        CloseHandle(file);
        return result;
    }

private:
    static include_scan::ReadResult ReadOpen(HANDLE file, std::size_t maxBytes, std::string* text,
                                             build_record::Stamp* stamp) {
        BY_HANDLE_FILE_INFORMATION info;
        if (!GetFileInformationByHandle(file, &info) || info.nFileSizeHigh != 0 || info.nFileSizeLow > maxBytes)
            return include_scan::kUnreadable;
        stamp->writeTime =
            (static_cast<unsigned long long>(info.ftLastWriteTime.dwHighDateTime) << 32) | info.ftLastWriteTime.dwLowDateTime;
        stamp->size = info.nFileSizeLow;
        text->assign(info.nFileSizeLow, '\0');
        DWORD read = 0;
        if (!text->empty() && (!ReadFile(file, &(*text)[0], info.nFileSizeLow, &read, NULL) || read != text->size()))
            return include_scan::kUnreadable;
        return include_scan::kRead;
    }
};

}  // namespace

include_scan::Result FollowHeaders(const char* source) {
    std::string path = UnquotedPath(source);
    if (!include_scan::IsCFamilySource(path.c_str())) {
        include_scan::Result nothing;
        nothing.complete = true;
        return nothing;
    }
    DiskFiles files;
    return include_scan::Follow(path, files);
}
