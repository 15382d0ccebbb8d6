#include "menu/model/line_findings.h"

#include "menu/model/command_text.h"
#include "menu/strutil/sjis_text.h"

#include <cstring>

namespace {

void Report(const LineFindingSink& sink, MenuFindingKind kind, const char* text = nullptr,
            const char* text2 = nullptr) {
    sink.report(sink.context, kind, text, text2, 0, 0, 0);
}

bool OneOf(char c, const char* letters) {
    return c != '\0' && strchr(letters, c) != nullptr;
}

// A command or alternate command whose end the newline rule treats in a way
// the author may not expect.
void FindCommandProblems(const char* text, size_t length, bool endsDoubleByte,
                         const LineFindingSink& sink) {
    if (length == 0 || endsDoubleByte) {
        return;
    }
    const StoredCommand stored = NewlineRule(text, length, endsDoubleByte);
    const unsigned char last = static_cast<unsigned char>(text[length - 1]);
    if (!stored.lineFeed && stored.keep == length && last >= 0x80) {
        Report(sink, MenuFindingKind::kCommandWithoutNewline);
    } else if (stored.lineFeed && last == ' ') {
        Report(sink, MenuFindingKind::kCommandTrailingBlank);
    }
}

// Whether a placement text, read by PlacementOf, may mean something else
// than its letters say: an empty text, one letter other than B, C, L, M, R,
// two letters not vertical (T, M, B) then horizontal (L, C, R), or more.
bool PlacementLooksOther(const char* text) {
    if (text[0] == '\0') {
        return true;
    }
    const char* second = text + CharLengthMb(text);
    if (*second == '\0') {
        return !OneOf(text[0], "BbCcLlMmRr");
    }
    return !OneOf(text[0], "TtMmBb") || !OneOf(*second, "LlCcRr") ||
           second[CharLengthMb(second)] != '\0';
}

} // namespace

void FindLeadByteProblems(const char* line, int column, const LineFindingSink& sink) {
    for (int i = 0; line[i] != '\0';) {
        const unsigned char lead = static_cast<unsigned char>(line[i]);
        if (!IsLeadByte932(lead)) {
            i += 1;
            continue;
        }
        const unsigned char trail = static_cast<unsigned char>(line[i + 1]);
        if (trail == 0) {
            sink.report(sink.context, MenuFindingKind::kLeadByteAtEnd, nullptr, nullptr,
                        column + i + 1, lead, 0);
            return;
        }
        if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
            sink.report(sink.context, MenuFindingKind::kLeadByteBadTrail, nullptr, nullptr,
                        column + i + 1, lead, trail);
        }
        i += 2;
    }
}

void FindHiddenLabelEnd(const char* line, int column, const LineFindingSink& sink) {
    const char* open = FindCharMb(line, '[');
    const char* close = open != nullptr ? strchr(open + 1, ']') : nullptr;
    if (close != nullptr && IsTrailByteAt(open + 1, close)) {
        sink.report(sink.context, MenuFindingKind::kLabelEndHidden, nullptr, nullptr,
                    column + static_cast<int>(close - line) + 1,
                    static_cast<unsigned char>(close[-1]), 0);
    }
}

void FindItemLineProblems(const ItemLine& line, bool startsAsComment, bool isTitle,
                          const LineFindingSink& sink) {
    using K = MenuFindingKind;
    if (startsAsComment) {
        Report(sink, K::kCommentIsItem);
    }
    if (line.hasBadCount) {
        Report(sink, K::kCountPrefixInvalid, line.badCount);
    }
    if (line.hasPlacement && PlacementLooksOther(line.placementText)) {
        const char meaning[3] = {line.placement.vertical, line.placement.horizontal, '\0'};
        Report(sink, K::kPlacementUnclear, line.placementText, meaning);
    }
    if (line.afterBitmap[0] != '\0') {
        Report(sink, K::kTextAfterBitmap, line.afterBitmap);
    }
    if (isTitle) {
        return;
    }
    if (line.endLevels > 0 && line.opensSubmenu) {
        Report(sink, K::kSubmenuPrefixIgnored);
    } else if (line.opensSubmenu && line.isStatic) {
        Report(sink, K::kStaticOpensSubmenu, line.labelLength > 0 ? line.label : line.hint);
    }
    if (line.functionName != nullptr && line.functionName[0] == '\0') {
        Report(sink, K::kFunctionNameEmpty);
    }
    if (line.functionName == nullptr && line.commandLength >= 4 &&
        EqualsIgnoringCase(line.command, 4, "DLL:")) {
        const char written[5] = {line.command[0], line.command[1], line.command[2], line.command[3],
                                 '\0'};
        Report(sink, K::kDllPrefixCase, written);
    }
    FindCommandProblems(line.command, line.commandLength, line.commandEndsDoubleByte != 0, sink);
    FindCommandProblems(line.alternate, line.alternateLength, line.alternateEndsDoubleByte != 0,
                        sink);
}
