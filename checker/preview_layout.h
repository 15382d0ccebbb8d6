// The preview sheet: every menu's picture with its title above it, placed in
// rows from left to right on one white sheet. Portable arithmetic.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct SheetCell {
    int width; // the menu's client area in pixels
    int height;
    int labelWidth; // the title's width in pixels
};

struct SheetPlace {
    int labelX, labelY; // top left of the title
    int menuX, menuY;   // top left of the menu's client area (its frame is one pixel outside)
};

struct SheetLayout {
    int width = 0;
    int height = 0;
    std::vector<SheetPlace> places; // one per cell, in order
};

constexpr int kSheetMargin = 16; // around the sheet and between cells

// Places the cells in order, starting a new row where the next cell would
// pass maxWidth (a cell wider than that gets a row of its own).
SheetLayout ArrangeSheet(const std::vector<SheetCell>& cells, int labelHeight, int maxWidth);

// A 24-bit BMP file of a width x height picture given top-down as 32-bit
// pixels, blue, green, red and an unused byte each (a DIB section's layout).
std::string EncodeBmp(int width, int height, const uint8_t* pixels);
