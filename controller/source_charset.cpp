#include "controller/source_charset.h"

#include <windows.h>

#include <vector>

#include "common/path_kind.h"
#include "controller/path_operations.h"

const char kRetriedWithoutCharset[] =
    "Kiln:このコンパイラは文字コードを変換できないため、文字コードのオプションを付けずにコンパイルし直しました\r\n";

namespace {

// Far more than any source a student writes; a larger file is left alone.
const DWORD kMostBytes = 16u << 20;

bool ReadWhole(const char* path, std::string* bytes) {
    HANDLE file = CreateFileA(UnquotedPath(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD size = GetFileSize(file, NULL);
    bool read = size != INVALID_FILE_SIZE && size <= kMostBytes;
    if (read && size) {
        bytes->resize(size);
        DWORD got = 0;
        read = ReadFile(file, &(*bytes)[0], size, &got, NULL) && got == size;
    }
    CloseHandle(file);
    return read;
}

// Every character has a code-page-932 form of its own (no best fit).
bool FitsCp932(const std::string& utf8) {
    std::size_t start = utf8.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0;
    int length = static_cast<int>(utf8.size() - start);
    if (length == 0) return true;
    int units = MultiByteToWideChar(CP_UTF8, 0, utf8.data() + start, length, NULL, 0);
    if (units <= 0) return false;
    std::vector<wchar_t> wide(static_cast<std::size_t>(units));
    MultiByteToWideChar(CP_UTF8, 0, utf8.data() + start, length, wide.data(), units);
    BOOL lost = FALSE;
    return WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide.data(), units, NULL, 0, NULL, &lost) > 0 && !lost;
}

std::string TrapNotice(const char* source, const source_encoding::Trap& trap) {
    return std::string("Kiln:") + path_kind::FileName(UnquotedPath(source).c_str()) + " " +
           std::to_string(trap.line) + "行目の「" + trap.character +
           "」は2バイト目が\\と読まれるため、このコンパイラでは文字化けします。ソースをUTF-8で保存してください\r\n";
}

}  // namespace

SourceCharset ReadSourceCharset(const SettingsFile& settings, const char* source) {
    SourceCharset charset;
    std::string bytes;
    if (!ReadWhole(source, &bytes)) return charset;
    charset.encoding = source_encoding::Classify(bytes.data(), bytes.size());
    const bool utf8 = charset.encoding == source_encoding::kUtf8 || charset.encoding == source_encoding::kUtf8Bom;
    source_encoding::Plan plan = source_encoding::PlanFor(source_encoding::FamilyOf(settings.Path),
                                                          charset.encoding, utf8 && FitsCp932(bytes),
                                                          settings.CompileOption);
    charset.options = plan.options;
    charset.writesUtf8 = plan.writesUtf8;
    source_encoding::Trap trap;
    if (charset.encoding == source_encoding::kCp932 &&
        source_encoding::ReadsCp932AsEscapes(settings.Path, UnquotedPath(source).c_str()) &&
        source_encoding::FindEscapeTrap(bytes.data(), bytes.size(), &trap))
        charset.notice = TrapNotice(source, trap);
    return charset;
}
