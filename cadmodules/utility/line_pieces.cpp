#include "cadmodules/utility/line_pieces.h"

#include "menu/strutil/sjis_text.h"

#include <cstring>

LinePieces MakeLinePieces(PieceSource read, void* context) {
    return LinePieces{read, context, 0, 0};
}

char* ReadLinePiece(char* dst, int size, LinePieces* pieces) {
    if (dst == nullptr || size < 3) {
        return nullptr;
    }
    for (;;) {
        int start = 0;
        if (pieces->carry != 0) {
            dst[0] = pieces->carry;
            pieces->carry = 0;
            start = 1;
        }
        const bool afterCut = pieces->cut != 0;
        pieces->cut = 0;
        if (pieces->read(dst + start, size - start, pieces->context) == nullptr) {
            if (start == 0) {
                return nullptr;
            }
            dst[1] = '\0'; // a lead byte at the very end of the data
            return dst;
        }
        size_t length = strlen(dst);
        if (length > 0 && dst[length - 1] == '\n') {
            dst[length - 1] = '\0';
            if (length == 1 && afterCut) {
                continue;
            }
            return dst;
        }
        if (length == static_cast<size_t>(size - 1)) {
            pieces->cut = 1;
            // A last byte that is a lead byte and no trail byte lost its
            // trail byte to the cut: it begins the next piece.
            const char* last = dst + length - 1;
            if (IsLeadByte932(static_cast<unsigned char>(*last)) && !IsTrailByteAt(dst, last)) {
                pieces->carry = dst[length - 1];
                dst[length - 1] = '\0';
            }
        }
        return dst;
    }
}

void SkipLineRest(LinePieces* pieces) {
    if (pieces->cut == 0) {
        return;
    }
    pieces->cut = 0;
    pieces->carry = 0;
    char block[256];
    while (pieces->read(block, sizeof block, pieces->context) != nullptr) {
        const size_t length = strlen(block);
        // A short block without a line end is the end of the data (or a NUL in it).
        if (length + 1 < sizeof block || block[length - 1] == '\n') {
            return;
        }
    }
}

char* ReadMemoryLine(char* dst, int size, void* context) {
    MemoryLines* lines = static_cast<MemoryLines*>(context);
    if (size < 1 || lines->offset >= lines->size) {
        return nullptr;
    }
    size_t n = 0;
    while (n + 1 < static_cast<size_t>(size) && lines->offset < lines->size) {
        const char c = lines->data[lines->offset++];
        dst[n++] = c;
        if (c == '\n') {
            break;
        }
    }
    dst[n] = '\0';
    return dst;
}
