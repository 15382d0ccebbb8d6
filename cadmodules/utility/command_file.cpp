#include "cadmodules/utility/command_file.h"

#include "menu/strutil/sjis_text.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

char* SkipBlanks(char* text) {
    while (IsBlank(*text)) {
        ++text;
    }
    return text;
}

// Changes the letters A-Z (upper false) or a-z (upper true) of the
// single-byte characters; double-byte characters stay as they are.
void ChangeCase(char* text, bool upper) {
    for (char* p = text; *p != '\0'; p += CharLengthMb(p)) {
        if (upper && *p >= 'a' && *p <= 'z') {
            *p = static_cast<char>(*p - 'a' + 'A');
        } else if (!upper && *p >= 'A' && *p <= 'Z') {
            *p = static_cast<char>(*p - 'A' + 'a');
        }
    }
}

} // namespace

int ParseCommandPiece(char* piece, char* section, size_t sectionSize, CommandSink sink,
                      void* context) {
    if (piece[0] == ';' || *SkipBlanks(piece) == '\0') {
        return 1;
    }
    if (char* open = FindCharMb(piece, '[')) {
        char* name = SkipBlanks(open + 1);
        if (char* close = FindCharMb(name, ']')) {
            *close = '\0';
        }
        CopyText(section, sectionSize, name);
        ChangeCase(section, false);
        return 1;
    }
    char* names = piece;
    if (*names == '=') {
        ++names;
    }
    char* equals = FindCharMb(names, '=');
    if (equals == nullptr) {
        return 1;
    }
    *equals = '\0';
    const char* value = SkipBlanks(equals + 1);
    char* position = names;
    while (char* name = TokenizeMbAt(&position, " \t,;")) {
        ChangeCase(name, true);
        if (!sink(context, name, section, value)) {
            return 0;
        }
    }
    return 1;
}

int ReadCommandFile(LinePieces* pieces, CommandSink sink, void* context) {
    char section[kCommandPieceSize] = "";
    char piece[kCommandPieceSize];
    while (ReadLinePiece(piece, sizeof piece, pieces) != nullptr) {
        if (!ParseCommandPiece(piece, section, sizeof section, sink, context)) {
            return 0;
        }
        SkipLineRest(pieces); // a line's rest is never a line of its own
    }
    return 1;
}
