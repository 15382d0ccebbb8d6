#include "menu/ui/menu_layout.h"

#include <algorithm>

namespace {

int AtLeastOne(int value) {
    return value < 1 ? 1 : value;
}

bool HasBitmap(const MenuItem& item) {
    return item.bitmap != nullptr;
}

// How wide one column of the item's row must be for the item.
int UnitWidth(MenuItem& item, int h, const TextMeasure& measure) {
    int w = item.label.empty() ? 0 : measure.width(measure.context, item.label.c_str());
    item.labelWidth = w;
    if (HasBitmap(item) && !BitmapAboveOrBelow(item)) {
        w += item.bitmapWidth;
    }
    int span = AtLeastOne(item.span);
    w = (w + span - 1) / span;
    if (item.submenu >= 0) {
        if (!item.label.empty()) {
            w += h; // room for the arrow
        }
        if (item.placement.horizontal == 'R') {
            w += item.bitmapWidth;
        }
    }
    return w;
}

int ItemHeight(const MenuItem& item, int h) {
    if (item.label.empty()) {
        if (HasBitmap(item)) {
            return item.bitmapHeight + 5;
        }
        return item.isStatic ? 4 : h + 5;
    }
    if (!HasBitmap(item)) {
        return h + 5;
    }
    if (BitmapAboveOrBelow(item)) {
        return h + item.bitmapHeight + 5;
    }
    return std::max(h, item.bitmapHeight) + 5;
}

// One past the last item of the row that starts at `first`: items are taken
// until their spans reach the first item's column count.
size_t RowEnd(const std::vector<MenuItem>& items, size_t first) {
    int columns = AtLeastOne(items[first].columns);
    int sum = 0;
    size_t i = first;
    while (i < items.size() && sum < columns) {
        sum += AtLeastOne(items[i].span);
        ++i;
    }
    return i;
}

} // namespace

bool BitmapAboveOrBelow(const MenuItem& item) {
    return item.placement.horizontal == 'C' &&
           (item.placement.vertical == 'T' || item.placement.vertical == 'B');
}

void LayoutMenu(MenuRecord& menu, int index, int textHeight, const TextMeasure& measure) {
    std::vector<MenuItem>& items = menu.items;
    const int h = textHeight;
    const int margin = index == 0 ? 2 : 4;
    int width = 0;
    if (index != 0) {
        width = (menu.title.empty() ? 0 : measure.width(measure.context, menu.title.c_str())) + 6;
    }
    int total = 0;
    for (size_t first = 0; first < items.size();) {
        size_t end = RowEnd(items, first);
        int unit = 0;
        int height = 0;
        for (size_t i = first; i < end; ++i) {
            unit = std::max(unit, UnitWidth(items[i], h, measure));
            height = std::max(height, ItemHeight(items[i], h));
        }
        width = std::max(width, AtLeastOne(items[first].columns) * (margin + unit + 2));
        for (size_t i = first; i < end; ++i) {
            items[i].rowHeight = height;
        }
        total += height;
        first = end;
    }
    menu.widthMinus1 = width - 1;
    menu.heightMinus1 = total - 1;

    // From the first submenu item with its bitmap at the right on, right
    // bitmaps move left of the arrow's room.
    bool shifting = false;
    for (MenuItem& item : items) {
        if (!shifting && item.submenu >= 0 && item.placement.horizontal == 'R') {
            shifting = true;
        }
        if (shifting && item.placement.horizontal == 'R') {
            item.placement.horizontal = 'X';
        }
    }

    // Rectangles: neighbouring items share their border line.
    const int right = menu.widthMinus1;
    int y = index == 0 ? kTopStripHeight : 0;
    for (size_t first = 0; first < items.size();) {
        size_t end = RowEnd(items, first);
        const int columns = AtLeastOne(items[first].columns);
        const int height = items[first].rowHeight;
        const double unit = static_cast<double>(right) / columns;
        double position = -1.0;
        int left = -1;
        int sum = 0;
        for (size_t i = first; i < end; ++i) {
            const int span = AtLeastOne(items[i].span);
            sum += span;
            int itemRight = sum == columns ? right : static_cast<int>(position + span * unit + 0.5);
            items[i].left = left;
            items[i].top = y - 1;
            items[i].right = itemRight;
            items[i].bottom = y - 1 + height;
            left = itemRight;
            position += span * unit;
        }
        y += height;
        first = end;
    }
}

void LayoutAllMenus(std::vector<MenuRecord>& menus, int textHeight, const TextMeasure& measure) {
    for (size_t i = 0; i < menus.size(); ++i) {
        LayoutMenu(menus[i], static_cast<int>(i), textHeight, measure);
    }
}

int HitTestMenu(const MenuRecord& menu, int x, int y) {
    for (size_t i = 0; i < menu.items.size(); ++i) {
        const MenuItem& item = menu.items[i];
        if (!item.isStatic && x >= item.left && x <= item.right && y >= item.top &&
            y <= item.bottom) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

Point BitmapPosition(const MenuItem& item, bool topMenu, int textHeight) {
    const int offsetLeft = topMenu ? 1 : 2;
    const int offsetRight = topMenu ? 2 : 4;
    const int offsetTop = topMenu ? 1 : 2;
    const int offsetBottom = topMenu ? 2 : 3;
    const int bw = item.bitmapWidth;
    const int bh = item.bitmapHeight;
    Point p{0, 0};
    switch (item.placement.vertical) {
    case 'T':
        p.y = item.top + offsetTop;
        break;
    case 'M':
        p.y = item.top + (item.bottom - item.top - bh) / 2;
        break;
    default:
        p.y = item.bottom - bh - offsetBottom;
        break;
    }
    switch (item.placement.horizontal) {
    case 'L':
        p.x = item.left + offsetLeft;
        break;
    case 'C':
        p.x = item.left + (item.right - item.left - bw) / 2;
        break;
    case 'X':
        p.x = item.right - bw - textHeight;
        break;
    default:
        p.x = item.right - bw - offsetRight;
        break;
    }
    return p;
}

int LabelTop(const MenuItem& item, bool topMenu, int textHeight) {
    int top = item.top;
    int bottom = item.bottom;
    if (HasBitmap(item) && BitmapAboveOrBelow(item)) {
        int bitmapTop = BitmapPosition(item, topMenu, textHeight).y;
        if (item.placement.vertical == 'T') {
            top = bitmapTop + item.bitmapHeight;
        } else {
            bottom = bitmapTop;
        }
    }
    return (top + bottom - textHeight) / 2;
}
