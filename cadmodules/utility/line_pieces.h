// Reading a text file as pieces for the LISP functions: one line, or the
// part of a longer line that fits, without its line end.
#pragma once

#include <cstddef>

// Reads like fgets: up to size - 1 bytes, through the next line feed.
using PieceSource = char* (*)(char* dst, int size, void* context);

struct LinePieces {
    PieceSource read;
    void* context;
    char carry; // lead byte held back from the last piece, or 0
    int cut;    // the last piece filled its buffer: its line goes on
};

LinePieces MakeLinePieces(PieceSource read, void* context);

// A source over bytes in memory that reads like fgets in text mode.
struct MemoryLines {
    const char* data;
    size_t size;
    size_t offset;
};
char* ReadMemoryLine(char* dst, int size, void* context); // context: MemoryLines

// Next piece into dst (size bytes, at least 3): at most size - 1 bytes.
// Only a real line end is removed, never a character of the text; a
// double-byte character is never split between two pieces; the line end
// right after a full piece ends that line and makes no piece of its own.
// Returns dst, or nullptr at the end of the data.
char* ReadLinePiece(char* dst, int size, LinePieces* pieces);

// Passes over the rest of the line whose last piece filled its buffer;
// nothing when that piece ended its line.
void SkipLineRest(LinePieces* pieces);
