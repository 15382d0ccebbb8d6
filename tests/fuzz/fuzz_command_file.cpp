// Arbitrary bytes as a command file of %mkcmdlst, and as text read in
// pieces of a size the first byte picks: no crash, no access out of
// bounds, every text within its piece, every entry shaped by the rules.
#include "cadmodules/utility/command_file.h"
#include "cadmodules/utility/line_pieces.h"
#include "menu/strutil/sjis_text.h"

#include <cstdint>
#include <cstring>
#include <string>

namespace {

// Whether a single-byte character of text lies in [low, high] or is one of stops.
bool HoldsSingleByte(const char* text, char low, char high, const char* stops) {
    for (const char* p = text; *p != '\0'; p += CharLengthMb(p)) {
        if (CharLengthMb(p) == 1 && ((*p >= low && *p <= high) || strchr(stops, *p) != nullptr)) {
            return true;
        }
    }
    return false;
}

// A name is upper-cased and holds no separator nor "=", a section is
// lower-cased and ends before its "]", a value has no leading blank.
int Check(void*, const char* name, const char* section, const char* value) {
    if (name[0] == '\0' || HoldsSingleByte(name, 'a', 'z', " \t,;=") ||
        HoldsSingleByte(section, 'A', 'Z', "]") || value[0] == ' ' || value[0] == '\t') {
        __builtin_trap();
    }
    return 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) {
        return 0;
    }
    const int pieceSize = 3 + data[0] % 40;
    std::string text(reinterpret_cast<const char*>(data + 1), size - 1);

    MemoryLines memory{text.data(), text.size(), 0};
    LinePieces pieces = MakeLinePieces(ReadMemoryLine, &memory);
    std::string piece(pieceSize, '\0');
    size_t total = 0;
    while (ReadLinePiece(&piece[0], pieceSize, &pieces) != nullptr) {
        const size_t length = strlen(piece.c_str());
        if (length >= static_cast<size_t>(pieceSize)) {
            __builtin_trap();
        }
        total += length;
    }
    if (total > text.size()) {
        __builtin_trap(); // pieces never hold more than the data
    }

    memory = MemoryLines{text.data(), text.size(), 0};
    pieces = MakeLinePieces(ReadMemoryLine, &memory);
    ReadCommandFile(&pieces, Check, nullptr);
    return 0;
}
