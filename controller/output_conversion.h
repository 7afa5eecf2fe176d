// The compiler's collected output made ready for the pane: UTF-8 lines in
// code page 932, colour escapes removed (see common/output_text.h).
#ifndef KILN_CONTROLLER_OUTPUT_CONVERSION_H
#define KILN_CONTROLLER_OUTPUT_CONVERSION_H

#include <cstddef>

// Rewrites the first `length` bytes of text in place and returns the new
// length, which is never longer. Without `toCodePage` only the escapes go.
std::size_t ConvertOutputForPane(char* text, std::size_t length, bool toCodePage = true);

#endif
