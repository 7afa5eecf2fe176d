// Line-break conversion for captured child output.
//
// The output pane is a multi-line edit control, which only breaks lines at
// CR LF. Every LF and CR LF becomes CR LF; a CR that no LF follows (progress
// counters that redraw one line, or a CR LF pair split across two reads)
// discards the text of its line within the chunk.
#ifndef KILN_COMMON_LINE_BREAKS_H
#define KILN_COMMON_LINE_BREAKS_H

#include <cstddef>

namespace linebreaks {

// Bytes that converting the chunk may produce at most (before its NUL).
inline std::size_t MaxConvertedLength(std::size_t chunkLength) { return chunkLength * 2; }

// Converts the chunk's first `length` bytes (stopping early at a NUL byte) and
// writes the result to out, which must hold MaxConvertedLength(length) bytes.
// No terminator is written. Returns the number of bytes written.
std::size_t Convert(const char* chunk, std::size_t length, char* out);

}  // namespace linebreaks

#endif
