#include "line_breaks.h"

#include <cstring>

namespace linebreaks {

std::size_t Convert(const char* chunk, std::size_t length, char* out) {
    const void* nul = std::memchr(chunk, '\0', length);
    if (nul) length = static_cast<std::size_t>(static_cast<const char*>(nul) - chunk);

    std::size_t written = 0;
    std::size_t segment = 0;  // first byte not yet dealt with
    for (std::size_t i = 0; i < length; ++i) {
        char c = chunk[i];
        if (c != '\r' && c != '\n') continue;
        if (c == '\r' && (i + 1 >= length || chunk[i + 1] != '\n')) {
            // A lone CR drops the text before it in this chunk.
            segment = i + 1;
            continue;
        }
        std::memcpy(out + written, chunk + segment, i - segment);
        written += i - segment;
        out[written++] = '\r';
        out[written++] = '\n';
        if (c == '\r') ++i;  // skip the LF of the pair
        segment = i + 1;
    }
    std::memcpy(out + written, chunk + segment, length - segment);
    written += length - segment;
    return written;
}

}  // namespace linebreaks
