// Values of the layout file (one section "Recode%d" per slot): reading
// them back and fitting a saved layout to today's desktop.
#pragma once

// Buffer size of a layout value: 80 bytes hold every value but the list of
// monitors, which takes up to kMaxMonitors rectangles.
constexpr int kLayoutValueSize = 256;

// Splits a value such as "12, 34, 1" at commas and blanks into up to
// maxFields numbers; returns how many were found.
int ParseLayoutFields(const char* value, int* fields, int maxFields);

// A saved coordinate scaled from the saved desktop extent to today's; an
// unusable saved extent (0 or missing) keeps the coordinate as it was. The
// result lies within -desktopNow to desktopNow.
int ScaleCoordinate(int value, int desktopNow, int desktopSaved);

// The top window's restored top edge: the saved one unless the window would
// reach the desktop's bottom, then 2.
int RestoredTop(int savedTop, int desktopBottom, int menuHeightMinus1);
