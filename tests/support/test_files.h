// Real files in a temporary folder for tests that run under Wine.
#ifndef KILN_TESTS_SUPPORT_TEST_FILES_H
#define KILN_TESTS_SUPPORT_TEST_FILES_H

#include <string>

namespace testing_support {

// A fresh folder below the Windows temporary folder, removed with everything
// in it when the object goes.
class TempDir {
public:
    explicit TempDir(const char* tag = "kiln");
    ~TempDir();
    const std::string& path() const { return path_; }
    // path() + "\\" + name
    std::string operator/(const std::string& name) const;
    // Creates a subfolder (and its parents) below this folder.
    std::string MakeDir(const std::string& relative) const;

private:
    std::string path_;
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);  // empty when missing
bool Exists(const std::string& path);
// Wide and behind "\\?\", so that names code page 932 lacks, device names
// and names ending in a dot go too.
void RemoveTree(const std::string& path);
void RemoveTree(const std::wstring& path);
// The code-page-932 text in UTF-16.
std::wstring Wide(const std::string& text);
// A file by its full path as Windows holds it, written behind "\\?\": also
// a name that code page 932 lacks, a device's name or one ending in a dot.
void WriteFile(const std::wstring& path, const std::string& bytes);
void CopyFileTo(const std::string& from, const std::string& to);

// The value of a key in the text of an INI file with CR LF line breaks, as
// the file holds it; "<none>" when the section or the key is missing.
std::string IniValue(const std::string& text, const std::string& section, const std::string& key);

// The folder of the running test program, where the build puts Kiln.exe,
// KilnOp.exe and the fixture programs too.
std::string BinDir();

// Sets a file's last-write time to `seconds` seconds after an arbitrary
// fixed moment, so that tests control which of two files is newer.
void SetFileTimeSeconds(const std::string& path, long long seconds);

}  // namespace testing_support

#endif
