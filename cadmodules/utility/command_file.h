// Command files: section lines "[name]" and command lines "names = value"
// turned into one (NAME, section, value) entry per command name.
#pragma once

#include "cadmodules/utility/line_pieces.h"

#include <cstddef>

// Bytes of a command file's piece buffer: pieces of at most 254 characters.
constexpr int kCommandPieceSize = 255;

// Receives one entry; returns 1 to go on, 0 to stop the reading.
using CommandSink = int (*)(void* context, const char* name, const char* section,
                            const char* value);

// One piece (its line end removed) with the current section (sectionSize
// bytes), which a section line replaces. Comments (";" in the first column),
// blank pieces and command lines without "=" (one "=" at the start passed
// over) make no entry. Returns 0 when the sink stopped.
int ParseCommandPiece(char* piece, char* section, size_t sectionSize, CommandSink sink,
                      void* context);

// Every line of a command file, the section starting empty: a line longer
// than a piece is read by its first piece only (its rest is dropped).
// Returns 0 when the sink stopped.
int ReadCommandFile(LinePieces* pieces, CommandSink sink, void* context);
