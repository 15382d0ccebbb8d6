// Where the menu's windows go on a desk of one or more monitors, given the
// monitors' rectangles in screen coordinates. Portable.
#pragma once

struct ScreenRect {
    int left;
    int top;
    int right;
    int bottom;
};

struct ScreenPoint {
    int x;
    int y;
};

constexpr int kMaxMonitors = 8;

// The monitors of a desk; the first is the primary one.
struct MonitorList {
    ScreenRect monitors[kMaxMonitors];
    int count;
};

// The rectangle of a window of this size at this corner (cut at the range
// of int: saved values may lie anywhere).
ScreenRect WindowRectAt(ScreenPoint at, int width, int height);

// The monitor sharing the largest area with r; when none touches it, the
// nearest one. -1 for an empty list.
int NearestMonitor(const MonitorList& list, const ScreenRect& r);

// Index of the monitor with exactly this rectangle, -1 if there is none.
int FindMonitor(const MonitorList& list, const ScreenRect& monitor);

// Top-left corner of a window of this size moved, where it has to be, wholly
// into the monitor: first inside its right and bottom edges, then its left
// and top ones.
ScreenPoint KeptInside(ScreenPoint at, int width, int height, const ScreenRect& monitor);

// Left edge of a cascade of width - 1 = w opened beside its owner: to the
// right unless it would pass the monitor's right edge, then to the left.
int CascadeLeft(const ScreenRect& owner, int w, const ScreenRect& monitor);

// Top-left corner of a window of this size centred on the monitor.
ScreenPoint CentredOn(const ScreenRect& monitor, int width, int height);

// Left edge of the top window (outer width) docked at the monitor's right
// edge (side 0) or left edge (side 1).
int DockedLeft(const ScreenRect& monitor, int side, int width);

// The top window's top edge moved, where needed, so that its drag strip is
// wholly on the monitor; borderTop is the client area's offset from the
// window's top (negative).
int DragStripTop(int top, const ScreenRect& monitor, int borderTop, int stripHeight);

// The monitors of a slot as saved: its list of monitor rectangles (four
// fields each) when it has one, else the saved desktop alone, (0, 0, right,
// bottom).
MonitorList SavedMonitors(const int* fields, int fieldCount, int desktopRight, int desktopBottom);

// Where a torn-off window saved at (x, y) with this size comes back: where
// it was when its monitor still exists; scaled from the saved primary
// monitor to today's when it was on that one and that one changed; else
// unchanged, for tearing off to bring it onto the nearest monitor.
ScreenPoint RestoredPosition(const MonitorList& saved, const MonitorList& now, ScreenPoint at,
                             int width, int height);

// The top window's restored top edge on the monitor it docks at: its saved
// top, scaled when it was saved on a monitor of another rectangle, then 2
// below the monitor's top when the window would reach its bottom.
int RestoredTopOn(const MonitorList& saved, const ScreenRect& dock, ScreenPoint at, int width,
                  int height, int menuHeightMinus1);
