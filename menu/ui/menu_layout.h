// Measuring menus into rows, columns and item rectangles, and hit-testing
// them. Portable: text widths come from a function the caller supplies.
#pragma once

#include "menu/model/menu_model.h"

// Height of the top window's band above its items: popup box and drag strip.
constexpr int kTopStripHeight = 12;

struct TextMeasure {
    // Pixel width of text in the menu font.
    int (*width)(void* context, const char* text);
    void* context;
};

// Lays out menu `index` of `menus`: label widths, row heights, the menu's
// width - 1 and height - 1, the bitmap column shift and item rectangles.
// textHeight is the menu font's height. Columns and spans below 1 count as 1.
void LayoutMenu(MenuRecord& menu, int index, int textHeight, const TextMeasure& measure);

// Lays out every menu of the table in index order.
void LayoutAllMenus(std::vector<MenuRecord>& menus, int textHeight, const TextMeasure& measure);

// Index of the first selectable item whose rectangle holds (x, y), edges
// included; -1 if none.
int HitTestMenu(const MenuRecord& menu, int x, int y);

// Whether the item's bitmap sits above or below its label (horizontal C
// with vertical T or B) rather than beside it.
bool BitmapAboveOrBelow(const MenuItem& item);

struct Point {
    int x;
    int y;
};

// Where an item's bitmap is drawn in its rectangle; the offsets from the
// rectangle differ between the top menu and submenus.
Point BitmapPosition(const MenuItem& item, bool topMenu, int textHeight);

// Top of an item's label: centred in the rectangle, or, with the bitmap
// above or below it, centred in the room the bitmap leaves, so that the
// two never overlap.
int LabelTop(const MenuItem& item, bool topMenu, int textHeight);
