#include "menu/ui/monitor_placement.h"

#include "menu/ui/layout_slot.h"

namespace {

bool SameRect(const ScreenRect& a, const ScreenRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Distance of the ranges [a0, a1) and [b0, b1): their overlap when positive,
// minus the gap between them otherwise. 64-bit: saved values may lie anywhere.
long long Overlap(long long a0, long long a1, long long b0, long long b1) {
    long long low = a0 > b0 ? a0 : b0;
    long long high = a1 < b1 ? a1 : b1;
    return high - low;
}

// The monitor of the list a window overlaps most, or -1 when it overlaps none.
int MostOverlapped(const MonitorList& list, const ScreenRect& r) {
    int best = -1;
    long long bestArea = 0;
    for (int i = 0; i < list.count; ++i) {
        const ScreenRect& m = list.monitors[i];
        long long dx = Overlap(r.left, r.right, m.left, m.right);
        long long dy = Overlap(r.top, r.bottom, m.top, m.bottom);
        if (dx > 0 && dy > 0 && dx * dy > bestArea) {
            best = i;
            bestArea = dx * dy;
        }
    }
    return best;
}

// The saved monitor a window was on, else the saved primary.
int SavedMonitorOf(const MonitorList& saved, const ScreenRect& window) {
    const int most = MostOverlapped(saved, window);
    return most >= 0 ? most : 0;
}

// A 64-bit result brought back into the range of int.
int Saturated(long long value) {
    const long long limit = 2147483647;
    return static_cast<int>(value > limit ? limit : (value < -limit ? -limit : value));
}

// A coordinate at an offset from the saved monitor's edge, scaled from the
// saved monitor's extent to today's and put at the same offset from today's edge.
int Rescaled(int value, int savedEdge, int savedExtent, int edge, int extent) {
    return Saturated(
        edge + static_cast<long long>(ScaleCoordinate(
                   Saturated(static_cast<long long>(value) - savedEdge), extent, savedExtent)));
}

} // namespace

ScreenRect WindowRectAt(ScreenPoint at, int width, int height) {
    return ScreenRect{at.x, at.y, Saturated(static_cast<long long>(at.x) + width),
                      Saturated(static_cast<long long>(at.y) + height)};
}

int NearestMonitor(const MonitorList& list, const ScreenRect& r) {
    int best = MostOverlapped(list, r);
    if (best >= 0) {
        return best;
    }
    double bestGap = 0;
    for (int i = 0; i < list.count; ++i) {
        const ScreenRect& m = list.monitors[i];
        // Apart: the squared distance between the two rectangles.
        long long dx = Overlap(r.left, r.right, m.left, m.right);
        long long dy = Overlap(r.top, r.bottom, m.top, m.bottom);
        long long gx = dx < 0 ? -dx : 0;
        long long gy = dy < 0 ? -dy : 0;
        double gap = static_cast<double>(gx) * gx + static_cast<double>(gy) * gy;
        if (best < 0 || gap < bestGap) {
            best = i;
            bestGap = gap;
        }
    }
    return best;
}

int FindMonitor(const MonitorList& list, const ScreenRect& monitor) {
    for (int i = 0; i < list.count; ++i) {
        if (SameRect(list.monitors[i], monitor)) {
            return i;
        }
    }
    return -1;
}

ScreenPoint KeptInside(ScreenPoint at, int width, int height, const ScreenRect& monitor) {
    long long x = at.x;
    long long y = at.y;
    x = x + width > monitor.right ? monitor.right - width : x;
    y = y + height > monitor.bottom ? monitor.bottom - height : y;
    x = x < monitor.left ? monitor.left : x;
    y = y < monitor.top ? monitor.top : y;
    return ScreenPoint{static_cast<int>(x), static_cast<int>(y)};
}

int CascadeLeft(const ScreenRect& owner, int w, const ScreenRect& monitor) {
    return static_cast<long long>(owner.right) + w > monitor.right ? owner.left - w - 1
                                                                   : owner.right - 1;
}

ScreenPoint CentredOn(const ScreenRect& monitor, int width, int height) {
    return ScreenPoint{monitor.left + (monitor.right - monitor.left - width) / 2,
                       monitor.top + (monitor.bottom - monitor.top - height) / 2};
}

int DockedLeft(const ScreenRect& monitor, int side, int width) {
    return side == 0 ? monitor.right - 1 - width : monitor.left + 1;
}

int DragStripTop(int top, const ScreenRect& monitor, int borderTop, int stripHeight) {
    const int highest = monitor.top + borderTop; // the client area's top at the monitor's
    const int lowest = monitor.bottom + borderTop - stripHeight;
    return top < highest ? highest : (top > lowest ? lowest : top);
}

MonitorList SavedMonitors(const int* fields, int fieldCount, int desktopRight, int desktopBottom) {
    MonitorList list{};
    for (int i = 0; i + 3 < fieldCount && list.count < kMaxMonitors; i += 4) {
        list.monitors[list.count++] =
            ScreenRect{fields[i], fields[i + 1], fields[i + 2], fields[i + 3]};
    }
    if (list.count == 0) {
        list.monitors[0] = ScreenRect{0, 0, desktopRight, desktopBottom};
        list.count = 1;
    }
    return list;
}

ScreenPoint RestoredPosition(const MonitorList& saved, const MonitorList& now, ScreenPoint at,
                             int width, int height) {
    const int s = SavedMonitorOf(saved, WindowRectAt(at, width, height));
    const ScreenRect& was = saved.monitors[s];
    if (FindMonitor(now, was) >= 0 || s != 0 || now.count == 0) {
        return at; // its monitor is there, or it is gone and tearing off brings it onto another
    }
    const ScreenRect& primary = now.monitors[0];
    return ScreenPoint{
        Rescaled(at.x, was.left, was.right - was.left, primary.left, primary.right - primary.left),
        Rescaled(at.y, was.top, was.bottom - was.top, primary.top, primary.bottom - primary.top)};
}

int RestoredTopOn(const MonitorList& saved, const ScreenRect& dock, ScreenPoint at, int width,
                  int height, int menuHeightMinus1) {
    const ScreenRect& was = saved.monitors[SavedMonitorOf(saved, WindowRectAt(at, width, height))];
    const int extent = dock.bottom - dock.top;
    const int top = SameRect(was, dock)
                        ? at.y
                        : Rescaled(at.y, was.top, was.bottom - was.top, dock.top, extent);
    // Relative to the monitor's top, as on a desk of one monitor.
    long long relative = static_cast<long long>(top) - dock.top;
    relative = relative > extent ? extent : (relative < -extent ? -extent : relative);
    return dock.top + RestoredTop(static_cast<int>(relative), extent, menuHeightMinus1);
}
