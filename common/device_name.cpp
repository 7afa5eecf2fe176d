#include "common/device_name.h"

#include <cstddef>
#include <initializer_list>

namespace device_name {

namespace {

wchar_t Upper(wchar_t c) { return c >= L'a' && c <= L'z' ? static_cast<wchar_t>(c - L'a' + L'A') : c; }

bool Same(const wchar_t* name, std::size_t length, const char* reserved) {
    std::size_t i = 0;
    for (; i < length && reserved[i]; ++i)
        if (Upper(name[i]) != static_cast<wchar_t>(reserved[i])) return false;
    return i == length && reserved[i] == '\0';
}

bool IsDeviceDigit(wchar_t c) { return (c >= L'0' && c <= L'9') || c == 0x00B9 || c == 0x00B2 || c == 0x00B3; }

}  // namespace

bool IsDevice(const wchar_t* name) {
    // The stem Windows compares: up to the first dot (or the end), without
    // the blanks before it.
    std::size_t end = 0;
    while (name[end] && name[end] != L'.' && name[end] != L':') ++end;
    while (end > 0 && name[end - 1] == L' ') --end;
    for (const char* reserved : {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"})
        if (Same(name, end, reserved)) return true;
    return end == 4 && (Same(name, 3, "COM") || Same(name, 3, "LPT")) && IsDeviceDigit(name[3]);
}

}  // namespace device_name
