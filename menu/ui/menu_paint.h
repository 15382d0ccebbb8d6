// Painting the menus with GDI: items as raised or sunken buttons on light
// grey, labels, bitmaps, submenu arrows and the top window's popup box.
#pragma once

#include <windows.h>

// The menu font: the system's menu font, on Windows 95 and later and NT 4
// and later (elsewhere the windows' default font serves).
void CreateMenuFont();

// The black, white and shadow pens; made by the top window on creation.
void CreateMenuPens();
void DeleteMenuPens();

// Lays out every menu with the menu font selected into dc; keeps the font's
// height in the application state.
void MeasureMenus(HDC dc);

// Measures every menu in the top window's context, then places and shows
// the windows (layout slot 0).
void MeasureAllMenus(HWND topWindow);

// Paints menu `index` into dc (the menu font selected); selected is the
// window's selection, -1 for none.
void PaintMenu(HDC dc, int index, HWND window, int selected);

// Draws one item's button frame; nothing when the rectangle's right is below 0.
void DrawItemFrame(HDC dc, const RECT& rect, bool sunken);

// Selects the menu font into dc; returns the font to put back.
HGDIOBJ SelectMenuFont(HDC dc);
