// Shift-JIS (code page 932) text helpers of the floating menu.
// Texts are NUL-terminated byte strings owned by the caller; every scan for
// a delimiter keeps a lead byte and its trail byte together as one character.
#pragma once

#include <cstdarg>
#include <cstddef>
#include <cstdint>

// Longest text the trimming and searching helpers accept.
constexpr size_t kMaxUtilText = 1024;

// Lead byte of a double-byte character in code page 932: 0x81-0x9F, 0xE0-0xFC.
constexpr bool IsLeadByte932(unsigned char c) {
    return (c >= 0x81 && c <= 0x9F) || (c >= 0xE0 && c <= 0xFC);
}

// A byte table for the scanners that look for a few single-byte stops in
// Shift-JIS text: 0 for an ordinary byte, 1 for the NUL, 2 for a stop.
struct ScanTable {
    unsigned char kind[256];
};

constexpr ScanTable MakeScanTable(const char* stops) {
    ScanTable table{};
    table.kind[0] = 1;
    for (const char* s = stops; *s != '\0'; ++s) {
        table.kind[static_cast<unsigned char>(*s)] = 2;
    }
    return table;
}

// Whether the byte at p is the trail byte of a double-byte character, for a
// text whose characters begin at start (start <= p): a byte that is no lead
// byte always ends a character, so the run of lead bytes right before p
// decides by its length.
inline bool IsTrailByteAt(const char* start, const char* p) {
    const char* q = p;
    while (q > start && IsLeadByte932(static_cast<unsigned char>(q[-1]))) {
        --q;
    }
    return ((p - q) & 1) != 0;
}

// The first stop of table at or after p that begins a character (the
// terminating NUL at the latest); p must begin a character. The bytes are
// looked at one by one without following the characters, and only a stop
// found is checked for being the second byte of one.
inline char* NextStop(char* p, const ScanTable& table) {
    char* const start = p;
    const unsigned char* kind = table.kind;
    for (;;) {
        // Four bytes a round; each is read only when the one before it is
        // no stop (so never one past the NUL).
        while (kind[static_cast<unsigned char>(p[0])] == 0) {
            if (kind[static_cast<unsigned char>(p[1])] != 0) {
                p += 1;
                break;
            }
            if (kind[static_cast<unsigned char>(p[2])] != 0) {
                p += 2;
                break;
            }
            if (kind[static_cast<unsigned char>(p[3])] != 0) {
                p += 3;
                break;
            }
            p += 4;
        }
        if (*p == '\0' || !IsTrailByteAt(start, p)) {
            return p;
        }
        ++p;
    }
}

// Bytes taken by the character at text[0]: 2 for a complete double-byte
// character, 1 otherwise (a lead byte right before the NUL counts as one).
inline size_t CharLengthMb(const char* text) {
    return IsLeadByte932(static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
}

// Removes blanks (space, tab, full-width space 0x81 0x40) at both ends, in place.
// Texts longer than kMaxUtilText are left unchanged.
void TrimBlanks(char* text);

// strtok-like tokenizer that never splits a double-byte character. With a text
// it starts there; with nullptr it goes on from the process-wide position.
// Runs of delimiters count as one separator; the empty set returns the rest.
char* TokenizeMb(char* text, const char* delimiters);

// The same over a caller-owned position, for nested scans.
char* TokenizeMbAt(char** position, const char* delimiters);

// First single-byte character equal to c, or nullptr; double-byte aware.
// nullptr for an empty text or one longer than kMaxUtilText.
char* FindCharMb(char* text, char c);
const char* FindCharMb(const char* text, char c);

// Replaces the first byte equal to c by replacement (plain byte search).
void ReplaceFirstChar(char* text, char c, char replacement);

void ZeroFill(void* buffer, size_t length);

// Copies src into dst of size bytes, cut so that it fits with its NUL and no
// double-byte character is split. Returns the number of bytes copied.
size_t CopyText(char* dst, size_t size, const char* src);

// Copies at most count bytes of src (cut like CopyText).
size_t CopyTextN(char* dst, size_t size, const char* src, size_t count);

// snprintf that cuts like CopyText instead of splitting a character.
size_t FormatText(char* dst, size_t size, const char* format, ...)
    __attribute__((format(printf, 3, 4)));
size_t FormatTextV(char* dst, size_t size, const char* format, va_list args);

// Compares a (length bytes) with the NUL-terminated b, ignoring the case of
// ASCII letters; the bytes of a double-byte character compare exactly.
bool EqualsIgnoringCase(const char* a, size_t length, const char* b);

// First place where part occurs in text as whole characters (a match never
// begins on a trail byte), or nullptr. An empty part is found at the start.
const char* FindTextMb(const char* text, const char* part);

// The last character of text (its lead byte for a double-byte one), or
// nullptr for the empty text.
const char* LastCharMb(const char* text);

// Byte-exact prefix test.
bool StartsWith(const char* text, const char* prefix);

// Value of a hexadecimal digit (0-9, a-f, A-F), or -1 for any other byte.
inline int HexDigitValue(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// Leading decimal digits of text as a 32-bit number (a long's width under
// Windows), like atol: leading blanks and a sign are accepted, anything else
// gives 0; a value out of range is clamped to INT32_MAX or INT32_MIN.
int32_t ParseDecimal(const char* text);
