#include "menu/model/item_line.h"

#include "menu/model/command_text.h"
#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

// A line's fields before it is read: empty texts, one column and span.
// (Field by field: cheaper than copying a whole empty line.)
void Clear(ItemLine* line) {
    line->label = line->hint = line->bitmapName = "";
    line->command = line->alternate = "";
    line->functionName = nullptr;
    line->labelLength = line->hintLength = line->commandLength = line->alternateLength = 0;
    line->commandEndsDoubleByte = line->alternateEndsDoubleByte = 0;
    line->endLevels = 0;
    line->opensSubmenu = 0;
    line->columns = 1;
    line->span = 1;
    line->isStatic = line->emphasised = line->centred = 0;
    line->dialogKind = 0;
    line->hasPlacement = 0;
    line->placement = BitmapPlacement{'B', 'R'};
    line->placementText = line->afterBitmap = "";
    line->hasBadCount = 0;
    line->badCount[0] = '\0';
}

// The stops the item parser looks for.
constexpr ScanTable kOpenStop = MakeScanTable("[");
constexpr ScanTable kItemPartStops = MakeScanTable("]^#");
constexpr ScanTable kCaretStop = MakeScanTable("^");
constexpr ScanTable kHashStop = MakeScanTable("#");
constexpr ScanTable kAngleStop = MakeScanTable("<");
constexpr ScanTable kCloseAngleStop = MakeScanTable(">");

// The first stop at or after p, or nullptr when the text holds none.
char* FindMb(char* p, const ScanTable& stop) {
    p = NextStop(p, stop);
    return *p != '\0' ? p : nullptr;
}

// Removes trailing blanks (space, tab, full-width space) in place, walking
// by characters so that a trail byte is never taken for a blank.
void TrimTrailingBlanks(char* text) {
    size_t end = 0;
    size_t i = 0;
    while (text[i] != '\0') {
        if (text[i] == ' ' || text[i] == '\t') {
            i += 1;
        } else if (static_cast<unsigned char>(text[i]) == 0x81 && text[i + 1] == 0x40) {
            i += 2;
        } else {
            i += CharLengthMb(text + i);
            end = i;
        }
    }
    text[end] = '\0';
}

// The same for a text whose terminating NUL is at end: a text whose last
// byte cannot end a blank is left as it is without a walk.
void TrimTrailingBlanks(char* text, const char* end) {
    if (end == text || (end[-1] != ' ' && end[-1] != '\t' && end[-1] != 0x40)) {
        return;
    }
    TrimTrailingBlanks(text);
}

// A "/" or "*" prefix at p: its value (0 and a missing character give 1,
// noted in item). Returns the position after the prefix.
char* ReadCountPrefix(char* p, int32_t* value, ItemLine* item) {
    char* next = p + 1;
    if (*next == '\0') {
        *value = 1;
        item->hasBadCount = 1;
        return next;
    }
    int32_t v = PrefixValueOf(*next);
    *value = v > 0 ? v : 1;
    const size_t length = CharLengthMb(next);
    if (v == 0) {
        item->hasBadCount = 1;
        memcpy(item->badCount, next, length);
        item->badCount[length] = '\0';
    }
    return next + length;
}

// Prefixes at the start of the item part; returns where the label begins.
char* ReadPrefixes(char* p, ItemLine* item) {
    for (;;) {
        if (p[0] == '<' && p[1] == '-') {
            item->endLevels += 1;
            p += 2;
        } else if (p[0] == '-' && p[1] == '>') {
            item->opensSubmenu = 1;
            p += 2;
        } else if (p[0] == '/') {
            p = ReadCountPrefix(p, &item->columns, item);
        } else if (p[0] == '*') {
            p = ReadCountPrefix(p, &item->span, item);
        } else if (p[0] == '~' && !item->isStatic) {
            item->isStatic = 1;
            p += 1;
        } else if (p[0] == '=') {
            item->centred = 1;
            p += 1;
        } else if (p[0] == '!') {
            item->emphasised = 1;
            p += 1;
        } else {
            return p;
        }
    }
}

// The bitmap part (after the label's first '^'): name and placement.
void ReadBitmapPart(char* part, ItemLine* item) {
    char* end = NextStop(part, kCaretStop);
    item->afterBitmap = *end != '\0' ? end + 1 : end;
    *end = '\0';
    char* name = part;
    char* nameEnd = end;
    char* open = FindMb(part, kAngleStop);
    if (open != nullptr) {
        char* placement = open + 1;
        char* close = NextStop(placement, kCloseAngleStop);
        char* after = close; // no '>': nothing after it
        if (*close != '\0') {
            *close = '\0';
            after = close + 1;
        }
        item->hasPlacement = 1;
        item->placement = PlacementOf(placement);
        item->placementText = placement;
        if (open == part) {
            name = after; // "<TC>NAME"
        } else {
            *open = '\0'; // "NAME<TC>"
            nameEnd = open;
        }
    }
    TrimTrailingBlanks(name, nameEnd);
    item->bitmapName = name;
}

// The command part (after ']'): caret codes, alternate, dialog kind, "DLL:".
void ReadCommandPart(char* part, ItemLine* item) {
    CommandPart cut = TranslateCommandPart(part);
    if (cut.hasAlternate) {
        item->alternate = part + cut.commandLength + 1;
        item->alternateLength = cut.alternateLength;
        item->alternateEndsDoubleByte = cut.alternateEndsDoubleByte;
    }
    const size_t length = cut.commandLength;
    if (length == 12 && EqualsIgnoringCase("VXMENU_ABOUT", 12, part)) {
        item->dialogKind = 1;
    } else if (length == 13 && EqualsIgnoringCase("VXMENU_ABOUT2", 13, part)) {
        item->dialogKind = 2;
    }
    if (length >= 4 && part[0] == 'D' && part[1] == 'L' && part[2] == 'L' && part[3] == ':') {
        item->functionName = part + 4;
        return;
    }
    item->command = part;
    item->commandLength = length;
    item->commandEndsDoubleByte = cut.commandEndsDoubleByte;
}

} // namespace

int32_t PrefixValueOf(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'z') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'Z') {
        return c - 'A' + 10;
    }
    return 0;
}

BitmapPlacement PlacementOf(const char* text) {
    if (text[0] == '\0') {
        return BitmapPlacement{'B', 'R'};
    }
    const char* second = text + CharLengthMb(text);
    if (*second == '\0') {
        switch (text[0]) {
        case 'C':
        case 'c':
            return BitmapPlacement{'B', 'C'};
        case 'L':
        case 'l':
            return BitmapPlacement{'B', 'L'};
        case 'M':
        case 'm':
            return BitmapPlacement{'M', 'C'};
        default:
            return BitmapPlacement{'B', 'R'};
        }
    }
    BitmapPlacement placement{'B', 'R'};
    if (text[0] == 'M' || text[0] == 'm') {
        placement.vertical = 'M';
    } else if (text[0] == 'T' || text[0] == 't') {
        placement.vertical = 'T';
    }
    if (*second == 'C' || *second == 'c') {
        placement.horizontal = 'C';
    } else if (*second == 'L' || *second == 'l') {
        placement.horizontal = 'L';
    }
    return placement;
}

int ParseItemLine(char* line, ItemLine* item) {
    char* open = FindMb(line, kOpenStop);
    if (open == nullptr) {
        return 0;
    }
    Clear(item);

    // One walk to the closing ']' notes the first '^' and '#' on its way.
    char* itemPart = open + 1;
    char* caret = nullptr;
    char* hash = nullptr;
    char* end = NextStop(itemPart, kItemPartStops);
    while (*end == '^' || *end == '#') {
        char*& first = *end == '^' ? caret : hash;
        if (first == nullptr) {
            first = end;
        }
        end = NextStop(end + 1, kItemPartStops);
    }
    if (*end == ']') {
        *end = '\0';
        ReadCommandPart(end + 1, item);
    }
    char* label = ReadPrefixes(itemPart, item);
    if ((caret != nullptr && caret < label) || (hash != nullptr && hash < label)) {
        // A prefix's value character was one of them: look again from the label on.
        caret = FindMb(label, kCaretStop);
        hash = FindMb(label, kHashStop);
    }
    if (caret != nullptr) {
        *caret = '\0';
        ReadBitmapPart(caret + 1, item);
        end = caret;
    }
    if (hash != nullptr && hash < end) {
        *hash = '\0';
        item->hint = hash + 1;
        item->hintLength = static_cast<size_t>(end - hash - 1);
        end = hash;
    }
    item->label = label;
    item->labelLength = static_cast<size_t>(end - label);
    return 1;
}
