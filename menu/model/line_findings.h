// Findings within one line of the menu section or of a menu file: what the
// builder passes over without a word. Only the menu checker asks for them;
// the builder adds where the line stands.
#pragma once

#include "menu/model/item_line.h"
#include "menu/model/menu_findings.h"

struct LineFindingSink {
    void* context;
    void (*report)(void* context, MenuFindingKind kind, const char* text, const char* text2,
                   int number, int number2, int number3);
};

// Lead bytes without a trail byte: at the end of a line or piece (the line
// reader never ends a piece inside a character, so there the file has no
// trail byte: a CR LF or its end follows) or before a byte no character has
// second. Columns count from column + 1.
void FindLeadByteProblems(const char* line, int column, const LineFindingSink& sink);

// An item line as written whose first ']' after its '[' is the trail byte of
// a double-byte character, so that the item part does not end there: the
// first such ']' before the one that ends it. Columns as above.
void FindHiddenLabelEnd(const char* line, int column, const LineFindingSink& sink);

// A parsed item line: placements that mean something else than they look,
// text ignored after the bitmap, "/" and "*" without a value, "DLL:" without
// a name or in lower case, "->" that does nothing, a static item that opens
// a submenu, commands whose end the newline rule treats unexpectedly.
// startsAsComment: the line as written began with ';'. The title line
// (isTitle) opens no submenu and sends no command: only how it reads counts.
void FindItemLineProblems(const ItemLine& line, bool startsAsComment, bool isTitle,
                          const LineFindingSink& sink);
