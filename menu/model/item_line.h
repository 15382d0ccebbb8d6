// One line of a menu definition file:
//   text "[" prefixes label ["#" hint] ["^" bitmap "^"] "]" command [";" alternate]
// Portable; the loader turns a parsed line into a MenuItem.
#pragma once

#include "menu/model/menu_model.h"

#include <cstddef>
#include <cstdint>

struct ItemLine {
    // Texts point into the parsed line (or at an empty text).
    const char* label;
    const char* hint;
    const char* bitmapName;   // trailing blanks removed; empty: no bitmap
    const char* command;      // caret codes translated, no newline yet
    const char* alternate;    // text after the first ';', translated likewise
    const char* functionName; // the name after "DLL:", or nullptr
    // Byte counts of the texts above, and whether the two commands end in a
    // double-byte character (the newline rule needs it).
    size_t labelLength;
    size_t hintLength;
    size_t commandLength;
    size_t alternateLength;
    int commandEndsDoubleByte;
    int alternateEndsDoubleByte;
    int endLevels;    // how many "<-" prefixes
    int opensSubmenu; // "->" prefix
    int32_t columns;  // "/" prefix, at least 1
    int32_t span;     // "*" prefix, at least 1
    int32_t isStatic;
    int32_t emphasised;
    int32_t centred;
    int32_t dialogKind; // 1 "VXMENU_ABOUT", 2 "VXMENU_ABOUT2" (any case)
    int hasPlacement;   // the bitmap part named a placement in "<...>"
    BitmapPlacement placement;
    // As written, for the menu checker: the placement's text (when named),
    // the text after the bitmap part's closing '^' (ignored), and the
    // character after a "/" or "*" that has no value (empty: none came).
    const char* placementText;
    const char* afterBitmap;
    int hasBadCount;
    char badCount[3];
};

// Parses line in place (NULs are written into it). Returns 0, leaving item
// unspecified, when the line holds no '[' and so is no item.
int ParseItemLine(char* line, ItemLine* item);

// The placement of a "<...>" text: two or more characters give the vertical
// (T, M, else B) and horizontal (C, L, else R) position, either case; one
// character gives C "BC", L "BL", M "MC", else "BR"; the empty text "BR".
BitmapPlacement PlacementOf(const char* text);

// Value of a "/" or "*" prefix character: '0'-'9' 0-9, letters 10-35, else 0.
int32_t PrefixValueOf(char c);
