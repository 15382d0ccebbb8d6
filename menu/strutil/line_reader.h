// Text-file line reader: reads blocks of up to 2048 bytes and hands out lines
// ending in CR LF (or, when asked, in LF alone) as lines ending in one line feed.
#pragma once

#include <string>

// Where the bytes come from: read up to count bytes into buffer; returns the
// number read, 0 at the end, -1 on a read error.
struct TextSource {
    void* context;
    int (*read)(void* context, char* buffer, int count);
};

constexpr int kTextBlockSize = 2048;

// Which line ends a reader takes: CR LF only (the floating menu's rule), or
// LF as well, as a C run-time's text mode reads (the launcher's files). A
// lone CR is an ordinary byte under both.
enum class LineEnds { kCrLf = 0, kCrLfOrLf = 1 };

struct TextFile {
    TextSource source;
    int position;      // read position in buffer
    int unread;        // unread bytes from position on
    int error;         // a read failed
    int end;           // the source has no more bytes
    int heldCtrlZ;     // a Ctrl-Z ended the last block; data only if more follows
    LineEnds lineEnds; // kCrLf unless the owner sets it after opening
    char buffer[kTextBlockSize];
};

// Prepares a record over a source (the record is all zero afterwards but for it).
void InitTextFile(TextFile* file, TextSource source);

// Reads the next line into dst (size bytes with its NUL). A line ending in
// CR LF (or LF, by lineEnds) is put there ending in "\n"; a longer line comes in pieces of
// size - 1 bytes, one byte less where that would split a double-byte character; a last line without
// CR LF comes without "\n"; a Ctrl-Z at the end of the data is part of no line. Returns how many
// bytes it put into dst before the NUL ("\n" included), or -1 at the end of the data, on a read
// error or for a missing record.
int ReadTextLineCounted(char* dst, int size, TextFile* file);

// The same, returning dst, or nullptr where ReadTextLineCounted returns -1.
inline char* ReadTextLine(char* dst, int size, TextFile* file) {
    return ReadTextLineCounted(dst, size, file) < 0 ? nullptr : dst;
}

// Reads the next line whole, however long, into line: a line ending in
// CR LF (or LF, by lineEnds) ends in "\n", a last line without one has none. Returns 0 at the end
// of the data or on a read error.
int ReadWholeLine(TextFile* file, std::string* line);

// Removes one trailing line feed, if any.
void StripLineFeed(char* line);

// A source over bytes in memory; each read hands out at most maxChunk bytes
// (0: a whole block), so callers can vary the block boundaries.
struct MemoryText {
    const char* data;
    int size;
    int offset;
    int maxChunk;
};
TextSource MemoryTextSource(MemoryText* text);
