// What the menu builder notices while it loads: every reason that fails the
// load, and what it passes over without a word. The floating menu loads
// without a listener; the menu checker prints each finding.
#pragma once

enum class MenuFindingKind {
    // The load fails.
    kConfigUnreadable,     // the configuration file cannot be opened
    kSectionMissing,       // text: the menu section's name
    kNoRegistration,       // at the section's header line; text: its name
    kTooManyRegistrations, // number: the registration's count
    kBlankRegistration,    // the value holds only blanks
    kMenuFileMissing,      // text: the menu file
    kLibraryNameInvalid,   // text: the menu file
    kLibraryNotLoaded,     // text: the companion library's path
    kMenuFileUnreadable,   // text: the menu file
    kTitleLineMissing,     // the first package's first line has no '['
    kOutOfMemory,
    // The load succeeds, but the floating menu ends at start-up without a word.
    kTopMenuEmpty, // at the first package's title line
    // Passed over: the load goes on.
    kSectionHeaderBlanks,  // a header that would match without its blanks
    kKeyLooksLikeVxmenu,   // text: the key as read (case, tab or blank differs)
    kBlankBeforeEquals,    // "VXMENU =": the value begins with '='
    kEmptyRegistration,    // nothing after '=': the line is passed over
    kDisplayNameLost,      // text: the name read; text2: the name as written
    kLineCut,              // number: bytes kept; the rest is read as a line of its own
    kLeadByteAtEnd,        // number: the byte's column; number2: the byte
    kLeadByteBadTrail,     // number: the lead byte's column; number2, number3: the two bytes
    kEndsBeyondOpen,       // number: "<-" levels; number2: levels open; number3: item lines skipped
    kPlacementUnclear,     // text: the placement as written; text2: what it means ("BR")
    kTextAfterBitmap,      // text: what follows the bitmap part's closing '^'
    kBitmapMissing,        // text: the bitmap's name
    kFunctionMissing,      // text: the function's name
    kFunctionNameEmpty,    // "DLL:" without a name
    kDllPrefixCase,        // text: the prefix as written ("dll:")
    kCountPrefixInvalid,   // text: the character after '/' or '*' (empty: none)
    kSubmenuPrefixIgnored, // "->" beside "<-" on one line
    kStaticOpensSubmenu,   // text: the submenu's title; it can never be shown
    kSubmenuEmpty,         // text: the submenu's title
    kCommentIsItem,        // a line beginning with ';' that holds '['
    kCommandWithoutNewline, // the command ends in a byte that gets no newline
    kCommandTrailingBlank,  // a blank before the command's newline
    kLineEndsNotCrLf,       // text: "LF", "CR" or "LF/CR"; number: how many; number2: 1 when the
                            // line so made runs to the end of the file (0: to a CR LF)
    kInitCommandCut,        // text: the initialisation command as written up to its '"'
    kLabelEndHidden, // number: the column of a ']' that is a trail byte; number2: its lead byte
};

// One finding: where (file and line, 1 for the first; 0 for the file as a
// whole) and what. Texts point into the builder's buffers: copy them.
struct MenuFinding {
    MenuFindingKind kind;
    const char* file;
    int line;
    const char* text;
    const char* text2;
    int number;
    int number2;
    int number3;
};

struct MenuFindingListener {
    void* context;
    void (*report)(void* context, const MenuFinding& finding);
};

// Kinds up to kOutOfMemory fail the load.
inline bool FailsLoad(MenuFindingKind kind) {
    return kind <= MenuFindingKind::kOutOfMemory;
}

// Kinds up to kTopMenuEmpty keep the floating menu from showing the menu.
inline bool IsMenuError(MenuFindingKind kind) {
    return kind <= MenuFindingKind::kTopMenuEmpty;
}
