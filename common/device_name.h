// The file names that Windows opens as a device instead of a file: CON,
// PRN, AUX, NUL, COM0-9 and LPT0-9 (also with ¹ ² ³ for the digit), in any
// case, alone or before an extension, with blanks before the dot or dots
// and blanks at the end ("nul.txt", "Con .in", "COM1.tar.gz"), and the
// console's own CONIN$ and CONOUT$. No windows.h here.
#ifndef KILN_COMMON_DEVICE_NAME_H
#define KILN_COMMON_DEVICE_NAME_H

namespace device_name {

// name: a file name without its folder, as Windows holds it (UTF-16 units).
bool IsDevice(const wchar_t* name);

}  // namespace device_name

#endif
