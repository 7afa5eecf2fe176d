#include "output_text.h"

#include <cstring>

#include "common/cp932.h"

namespace outputtext {

namespace {

// LF and ESC are looked for byte by byte: neither is ever the trail byte of
// a code-page-932 character (those are 0x40 and above), nor part of a UTF-8
// sequence.
const unsigned char kEscape = 0x1B;

// Length of the UTF-8 sequence at text[0], or 0 when none is valid there.
std::size_t SequenceLength(const unsigned char* text, std::size_t length) {
    unsigned char lead = text[0];
    std::size_t n;
    unsigned char low = 0x80, high = 0xBF;  // allowed range of the second byte
    if (lead < 0x80) return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        n = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        n = 3;
        if (lead == 0xE0) low = 0xA0;   // overlong
        if (lead == 0xED) high = 0x9F;  // surrogates
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        n = 4;
        if (lead == 0xF0) low = 0x90;   // overlong
        if (lead == 0xF4) high = 0x8F;  // above U+10FFFF
    } else {
        return 0;
    }
    if (length < n || text[1] < low || text[1] > high) return 0;
    for (std::size_t i = 2; i < n; ++i) {
        if (text[i] < 0x80 || text[i] > 0xBF) return 0;
    }
    return n;
}

// Moves one line's bytes from `from` down to `to` (to <= from), leaving out
// its escape sequences; returns the bytes kept.
std::size_t MoveWithoutEscapes(const char* from, std::size_t length, char* to) {
    std::size_t kept = 0;
    std::size_t i = 0;
    while (i < length) {
        const void* found = std::memchr(from + i, kEscape, length - i);
        std::size_t stop = found ? static_cast<std::size_t>(static_cast<const char*>(found) - from) : length;
        if (to + kept != from + i) std::memmove(to + kept, from + i, stop - i);
        kept += stop - i;
        if (!found) break;
        std::size_t escape = EscapeLength(from + stop, length - stop);
        if (escape == 0) {
            // Not a complete sequence: the ESC stays, as it came.
            to[kept++] = from[stop];
            escape = 1;
        }
        i = stop + escape;
    }
    return kept;
}

// How far the bytes decode as UTF-8 from their start: up to the first place
// where no valid sequence starts, and the longest sequence before it.
struct Utf8Run {
    std::size_t valid;
    std::size_t longest;
};

Utf8Run ReadUtf8(const char* text, std::size_t length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(text);
    Utf8Run run = {0, 0};
    while (run.valid < length) {
        std::size_t n = bytes[run.valid] < 0x80 ? 1 : SequenceLength(bytes + run.valid, length - run.valid);
        if (n == 0) break;
        if (n > run.longest) run.longest = n;
        run.valid += n;
    }
    return run;
}

// The longest UTF-8 sequence in the bytes (1 for ASCII alone, 0 for none),
// or 0 when they are not valid UTF-8 as a whole.
std::size_t LongestSequence(const char* text, std::size_t length) {
    Utf8Run run = ReadUtf8(text, length);
    return run.valid == length ? run.longest : 0;
}

// Converts the bytes where they lie; a failed step leaves them as they came
// rather than lose them. Returns their new length.
std::size_t StepInPlace(char* text, std::size_t length, const CodePageStep& step) {
    std::size_t converted = step.convert(text, length, text, step.context);
    return converted != kStepFailed && converted <= length ? converted : length;
}

// A byte below 0x40 is never the second byte of a code-page-932 character
// and never part of a UTF-8 sequence: a line cut there splits neither.
bool IsCutByte(char c) { return static_cast<unsigned char>(c) < 0x40; }

// A lead byte at the end of a piece is a character of its own: the cut byte
// after it is never its trail byte.
std::size_t CharacterLength(const unsigned char* text, std::size_t length) {
    return cp932::IsLeadByte(text[0]) && length >= 2 ? 2 : 1;
}

// Where the UTF-8 end of a piece that is not UTF-8 as a whole begins: gcc
// closes its quote right after the text it got in code page 932
// (‘#pragma message: 漢字’, with no byte below 0x40 before the quote). That
// end starts after the piece's first character, at a character boundary,
// with a sequence of three bytes or more, and decodes up to the piece's end;
// text in code page 932 seldom meets all three. Returns length when there
// is none.
std::size_t Utf8EndStart(const char* piece, std::size_t length) {
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(piece);
    std::size_t i = CharacterLength(bytes, length);
    while (i < length) {
        if (SequenceLength(bytes + i, length - i) >= 3) {
            std::size_t stop = i + ReadUtf8(piece + i, length - i).valid;
            if (stop == length) return i;
            // Every boundary up to the failing place leads to it again: a
            // long piece is read once, not once for each boundary.
            while (i <= stop && i < length) i += CharacterLength(bytes + i, length - i);
            continue;
        }
        i += CharacterLength(bytes + i, length - i);
    }
    return length;
}

// A line that is not UTF-8 as a whole, such as a code-page-932 file name
// before gcc's UTF-8 message, is converted by pieces: the runs between cut
// bytes. A piece goes through the step only when it holds a sequence of
// three or more bytes (kana, kanji, gcc's quotes); a piece that is not UTF-8
// as a whole only with its UTF-8 end. Two-byte sequences alone are left:
// half-width katakana pairs form them by chance, and in a line that already
// holds code page 932 they more likely are that.
std::size_t ConvertPieces(char* line, std::size_t length, const CodePageStep& step) {
    std::size_t written = 0;
    std::size_t i = 0;
    while (i < length) {
        std::size_t start = i;
        bool cut = IsCutByte(line[i]);
        while (i < length && IsCutByte(line[i]) == cut) ++i;
        std::size_t n = i - start;
        char* piece = line + written;
        if (written != start) std::memmove(piece, line + start, n);
        std::size_t longest = cut ? 0 : LongestSequence(piece, n);
        if (longest >= 3) {
            n = StepInPlace(piece, n, step);
        } else if (!cut && longest == 0) {
            std::size_t end = Utf8EndStart(piece, n);
            if (end < n) n = end + StepInPlace(piece + end, n - end, step);
        }
        written += n;
    }
    return written;
}

// A lead byte left right before the line's CR (code page 932 cut short, or
// UTF-8 shown as it came) would take the CR into its character, and the pane
// would lose the line break: it becomes "?".
void KeepLineBreak(char* line, std::size_t length) {
    if (length >= 2 && line[length - 1] == '\r' && cp932::WholeCharactersLength(line, length - 1) < length - 1) {
        line[length - 2] = '?';
    }
}

// The line's new length after its conversion in place.
std::size_t ConvertLine(char* line, std::size_t length, const CodePageStep& step) {
    if (!step.convert) return length;
    std::size_t longest = LongestSequence(line, length);
    if (longest >= 2) return StepInPlace(line, length, step);
    if (longest == 0 && length > 0) return ConvertPieces(line, length, step);
    return length;
}

}  // namespace

bool IsMultiByteUtf8(const char* text, std::size_t length) { return LongestSequence(text, length) >= 2; }

std::size_t EscapeLength(const char* text, std::size_t length) {
    if (length < 3 || static_cast<unsigned char>(text[0]) != kEscape || text[1] != '[') return 0;
    std::size_t i = 2;
    while (i < length && text[i] >= 0x30 && text[i] <= 0x3F) ++i;
    while (i < length && text[i] >= 0x20 && text[i] <= 0x2F) ++i;
    if (i < length && text[i] >= 0x40 && text[i] <= 0x7E) return i + 1;
    return 0;
}

std::size_t ConvertInPlace(char* text, std::size_t length, const CodePageStep& step) {
    std::size_t read = 0;
    if (step.convert && length >= 3 && std::memcmp(text, "\xEF\xBB\xBF", 3) == 0) read = 3;
    std::size_t written = 0;
    while (read < length) {
        const void* lf = std::memchr(text + read, '\n', length - read);
        std::size_t end = lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - text) : length;
        std::size_t lineStart = written;
        written += MoveWithoutEscapes(text + read, end - read, text + written);
        written = lineStart + ConvertLine(text + lineStart, written - lineStart, step);
        KeepLineBreak(text + lineStart, written - lineStart);
        if (lf) text[written++] = '\n';
        read = end + 1;
    }
    return written;
}

}  // namespace outputtext
