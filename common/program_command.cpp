#include "program_command.h"

#include <cstring>

#include "cp932.h"
#include "path_kind.h"

namespace program_command {

static bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool Split(const char* line, char* program, std::size_t size, const char** arguments) {
    const char* p = line;
    while (IsBlank(*p)) ++p;
    std::size_t length = 0;
    bool quoted = false, fits = true;
    while (*p && (quoted || !IsBlank(*p))) {
        if (*p == '"') {
            quoted = !quoted;
            ++p;
            continue;
        }
        const char* next = cp932::Next(p);
        std::size_t bytes = static_cast<std::size_t>(next - p);
        if (length + bytes < size) {
            std::memcpy(program + length, p, bytes);
            length += bytes;
        } else {
            fits = false;
        }
        p = next;
    }
    while (IsBlank(*p)) ++p;
    *arguments = p;
    if (size) program[fits ? length : 0] = '\0';
    return fits && length > 0;
}

Kind KindOf(const char* path) {
    const char* name = path_kind::FileName(path);
    const char* dot = cp932::FindLast(name, '.');
    if (!dot) return Kind::NoExtension;
    if (cp932::EqualNoCase(dot, ".exe") || cp932::EqualNoCase(dot, ".com")) return Kind::Program;
    if (cp932::EqualNoCase(dot, ".bat") || cp932::EqualNoCase(dot, ".cmd")) return Kind::Script;
    return dot[1] ? Kind::Document : Kind::NoExtension;
}

bool HasFolder(const char* path) { return cp932::FindFirstOf(path, "\\/:") != nullptr; }

static unsigned long Read32(const unsigned char* p) {
    return p[0] | (p[1] << 8) | (static_cast<unsigned long>(p[2]) << 16) | (static_cast<unsigned long>(p[3]) << 24);
}

Subsystem SubsystemOf(const unsigned char* data, std::size_t size) {
    if (size < 0x40 || data[0] != 'M' || data[1] != 'Z') return Subsystem::Unknown;
    unsigned long pe = Read32(data + 0x3C);
    // Signature (4), file header (20), then the optional header, whose
    // subsystem field sits at offset 68 in both the 32- and 64-bit forms.
    const unsigned long field = 4 + 20 + 68;
    if (pe > size || size - pe < field + 2) return Subsystem::Unknown;
    if (std::memcmp(data + pe, "PE\0\0", 4) != 0) return Subsystem::Unknown;
    unsigned subsystem = data[pe + field] | (data[pe + field + 1] << 8);
    if (subsystem == 2) return Subsystem::Gui;
    if (subsystem == 3) return Subsystem::Console;
    return Subsystem::Unknown;
}

}  // namespace program_command
