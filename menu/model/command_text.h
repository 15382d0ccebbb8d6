// Command texts of menu items and package registrations: caret codes, the
// newline that makes the CAD program run a command, and case-blind compares.
#pragma once

#include <cstddef>
#include <cstdint>

#include "menu/strutil/sjis_text.h"

// Replaces each two-character caret code ("^B" 0x02, "^C" ESC, "^D" 0x04,
// "^G" 0x07, "^H" 0x08, "^O" 0x0F, "^V" 0x16; either case) by its byte, in
// place. Double-byte characters are copied whole; a lead byte without its
// trail byte at the end is dropped. Returns the new length.
size_t TranslateCaretCodes(char* text);

// What TranslateCommandPart found in a command part.
struct CommandPart {
    size_t commandLength;      // bytes before the first ';' (all when there is none)
    size_t alternateLength;    // bytes after it
    int hasAlternate;          // a ';' was found; it is replaced by a NUL
    int commandEndsDoubleByte; // the text before the ';' ends in a double-byte character
    int alternateEndsDoubleByte;
};

// TranslateCaretCodes and the cut at the first ';' (outside double-byte
// characters) in one pass; the command and the alternate command stay
// NUL-terminated in place.
CommandPart TranslateCommandPart(char* text);

// The newline rule for a command text of length bytes: an empty text stays
// empty; a text ending in a double-byte character gets "\n"; a trailing '\'
// is removed (the command stays open); a last byte below 0x20 as a signed
// byte (control bytes, bytes from 0x80 up) gets nothing; any other text gets
// "\n". lengthField is the item's length field for it: the bytes of text with
// its NUL, plus one for the newline when text is not empty.
struct StoredCommand {
    size_t keep;   // bytes of text kept
    bool lineFeed; // a "\n" follows them
    int32_t lengthField;
};
inline StoredCommand NewlineRule(const char* text, size_t length, bool endsWithDoubleByte) {
    if (length == 0) {
        return StoredCommand{0, false, 1};
    }
    const int32_t field = static_cast<int32_t>(length + 2);
    const char last = text[length - 1];
    if (endsWithDoubleByte) {
        return StoredCommand{length, true, field};
    }
    if (last == '\\') {
        return StoredCommand{length - 1, false, field};
    }
    return StoredCommand{length, static_cast<signed char>(last) >= 0x20, field};
}

// First byte of text that is not a blank (space, tab, full-width space).
const char* SkipLeadingBlanks(const char* text);
