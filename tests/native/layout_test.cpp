// Menu layout with fixed text widths (8 pixels a byte, text height 12):
// rows, columns and spans, item heights, bitmaps, the X shift, rectangles
// and the hit test.
#include <gtest/gtest.h>

#include "menu/ui/menu_layout.h"

#include <cstring>

namespace {

constexpr int kH = 12;
int g_fakeBitmap;

int EightPerByte(void*, const char* text) {
    return 8 * static_cast<int>(strlen(text));
}

const TextMeasure kMeasure{EightPerByte, nullptr};

MenuItem Item(const char* label, int columns = 1, int span = 1) {
    MenuItem item;
    item.label = MenuText(label);
    item.columns = columns;
    item.span = span;
    return item;
}

MenuItem WithBitmap(MenuItem item, char vertical, char horizontal, int w, int h) {
    item.bitmap = &g_fakeBitmap;
    item.bitmapWidth = w;
    item.bitmapHeight = h;
    item.placement = BitmapPlacement{vertical, horizontal};
    return item;
}

MenuRecord Menu(std::vector<MenuItem> items, const char* title = "") {
    MenuRecord menu;
    menu.items = std::move(items);
    menu.itemCount = static_cast<int32_t>(menu.items.size());
    menu.title = MenuText(title);
    return menu;
}

TEST(Layout, OneColumnTopMenuStacksRowsBelowTheStrip) {
    MenuRecord menu = Menu({Item("AB"), Item("ABCDE"), Item("A")});
    LayoutMenu(menu, 0, kH, kMeasure);
    // 2 + widest label (40) + 2.
    EXPECT_EQ(menu.widthMinus1, 43);
    EXPECT_EQ(menu.heightMinus1, 3 * (kH + 5) - 1);
    const int tops[] = {11, 28, 45};
    for (int i = 0; i < 3; ++i) {
        const MenuItem& item = menu.items[i];
        EXPECT_EQ(item.rowHeight, kH + 5);
        EXPECT_EQ(item.left, -1);
        EXPECT_EQ(item.right, 43);
        EXPECT_EQ(item.top, tops[i]);
        EXPECT_EQ(item.bottom, tops[i] + kH + 5); // shared with the next item's top
    }
    EXPECT_EQ(menu.items[1].labelWidth, 40);
}

TEST(Layout, SubmenuStartsAtZeroAndIsAtLeastItsTitleWide) {
    MenuRecord narrow = Menu({Item("A")}, "LONG TITLE");
    LayoutMenu(narrow, 1, kH, kMeasure);
    EXPECT_EQ(narrow.widthMinus1, 80 + 6 - 1);
    EXPECT_EQ(narrow.items[0].top, -1);
    MenuRecord wide = Menu({Item("ABCDEFGHIJ")}, "T");
    LayoutMenu(wide, 1, kH, kMeasure);
    EXPECT_EQ(wide.widthMinus1, 4 + 80 + 2 - 1);
}

TEST(Layout, ThreeColumnsWithADoubleSpan) {
    MenuRecord menu = Menu({Item("AB", 3, 2), Item("C"), Item("NEXT")});
    LayoutMenu(menu, 1, kH, kMeasure);
    // Unit widths: ceil(16 / 2) = 8 and 8: W = 3 * (4 + 8 + 2) = 42; the
    // next row, one column of 32, is narrower.
    ASSERT_EQ(menu.widthMinus1, 41);
    const double unit = 41 / 3.0;
    EXPECT_EQ(menu.items[0].left, -1);
    EXPECT_EQ(menu.items[0].right, static_cast<int>(-1 + 2 * unit + 0.5));
    EXPECT_EQ(menu.items[1].left, menu.items[0].right);
    EXPECT_EQ(menu.items[1].right, 41); // the row ends exactly at width - 1
    EXPECT_EQ(menu.items[0].top, menu.items[1].top);
    EXPECT_EQ(menu.items[2].top, -1 + kH + 5);
    EXPECT_EQ(menu.heightMinus1, 2 * (kH + 5) - 1);
}

TEST(Layout, StaticGapIsFourPixelsAndNeverHit) {
    MenuItem gap;
    gap.isStatic = 1;
    MenuRecord menu = Menu({Item("A"), gap, Item("B")});
    LayoutMenu(menu, 0, kH, kMeasure);
    EXPECT_EQ(menu.items[1].rowHeight, 4);
    const MenuItem& g = menu.items[1];
    EXPECT_EQ(HitTestMenu(menu, 5, (g.top + g.bottom) / 2), -1);
    MenuItem label = Item("~Static");
    label.isStatic = 1;
    MenuRecord withLabel = Menu({label});
    LayoutMenu(withLabel, 1, kH, kMeasure);
    EXPECT_EQ(withLabel.items[0].rowHeight, kH + 5);
    EXPECT_EQ(HitTestMenu(withLabel, 3, 3), -1);
}

TEST(Layout, BitmapsAboveBesideAndBelowLabels) {
    MenuRecord menu = Menu({
        WithBitmap(Item("AB"), 'T', 'C', 20, 10), // above: heights add, widths do not
        WithBitmap(Item("AB"), 'M', 'L', 20, 30), // beside: widths add, the taller wins
        WithBitmap(Item(""), 'B', 'C', 20, 10),   // no label: bitmap height + 5
        WithBitmap(Item("AB"), 'B', 'C', 20, 10), // below
    });
    LayoutMenu(menu, 1, kH, kMeasure);
    EXPECT_EQ(menu.items[0].rowHeight, kH + 10 + 5);
    EXPECT_EQ(menu.items[1].rowHeight, 30 + 5);
    EXPECT_EQ(menu.items[2].rowHeight, 10 + 5);
    EXPECT_EQ(menu.items[3].rowHeight, kH + 10 + 5);
    EXPECT_EQ(menu.widthMinus1, 4 + (16 + 20) + 2 - 1);
}

TEST(Layout, SubmenuItemsGetArrowRoomAlsoInTheTopMenu) {
    MenuItem opens = Item("AB");
    opens.submenu = 1;
    MenuRecord top = Menu({opens});
    LayoutMenu(top, 0, kH, kMeasure);
    EXPECT_EQ(top.widthMinus1, 2 + 16 + kH + 2 - 1);
    // A right bitmap on a submenu item counts twice: beside the label and
    // again left of the arrow.
    MenuItem withBitmap = WithBitmap(Item("AB"), 'M', 'R', 20, 10);
    withBitmap.submenu = 2;
    MenuRecord sub = Menu({withBitmap});
    LayoutMenu(sub, 1, kH, kMeasure);
    EXPECT_EQ(sub.widthMinus1, 4 + 16 + 20 + kH + 20 + 2 - 1);
}

TEST(Layout, RightBitmapsShiftFromTheFirstSubmenuItemOn) {
    MenuItem opens = WithBitmap(Item("S"), 'M', 'R', 8, 8);
    opens.submenu = 3;
    MenuRecord menu =
        Menu({WithBitmap(Item("A"), 'M', 'R', 8, 8), opens, WithBitmap(Item("B"), 'M', 'R', 8, 8),
              WithBitmap(Item("C"), 'M', 'L', 8, 8)});
    LayoutMenu(menu, 1, kH, kMeasure);
    EXPECT_EQ(menu.items[0].placement.horizontal, 'R');
    EXPECT_EQ(menu.items[1].placement.horizontal, 'X');
    EXPECT_EQ(menu.items[2].placement.horizontal, 'X');
    EXPECT_EQ(menu.items[3].placement.horizontal, 'L');
}

TEST(Layout, SharedBordersBelongToTheEarlierItem) {
    MenuRecord menu = Menu({Item("A", 2), Item("B"), Item("C")});
    LayoutMenu(menu, 0, kH, kMeasure);
    const MenuItem& a = menu.items[0];
    const MenuItem& c = menu.items[2];
    EXPECT_EQ(HitTestMenu(menu, a.right, a.top + 3), 0); // the line between A and B
    EXPECT_EQ(HitTestMenu(menu, a.right + 1, a.top + 3), 1);
    EXPECT_EQ(HitTestMenu(menu, 2, c.top), 0); // the line between rows: A above wins
    EXPECT_EQ(HitTestMenu(menu, 2, c.top + 1), 2);
    EXPECT_EQ(HitTestMenu(menu, 2, c.bottom + 1), -1);
    EXPECT_EQ(HitTestMenu(menu, menu.widthMinus1 + 1, a.top + 3), -1);
}

TEST(Layout, ZeroColumnsAndSpansCountAsOne) {
    MenuRecord menu = Menu({Item("A", 0, 0), Item("B", 1, 0)});
    LayoutMenu(menu, 1, kH, kMeasure);
    EXPECT_EQ(menu.items[0].right, menu.widthMinus1);
    EXPECT_EQ(menu.items[1].top, menu.items[0].bottom);
}

TEST(Layout, EmptyMenuHasNoSize) {
    MenuRecord menu = Menu({});
    LayoutMenu(menu, 2, kH, kMeasure);
    EXPECT_EQ(menu.widthMinus1, 5); // the title's minimum of 6 pixels
    EXPECT_EQ(menu.heightMinus1, -1);
}

TEST(BitmapPosition, OffsetsDifferBetweenTopMenuAndSubmenus) {
    MenuItem item = WithBitmap(Item("A"), 'T', 'L', 10, 6);
    item.left = 0;
    item.top = 20;
    item.right = 100;
    item.bottom = 40;
    Point p = BitmapPosition(item, true, kH);
    EXPECT_EQ(p.x, 1);
    EXPECT_EQ(p.y, 21);
    p = BitmapPosition(item, false, kH);
    EXPECT_EQ(p.x, 2);
    EXPECT_EQ(p.y, 22);
    item.placement = BitmapPlacement{'B', 'R'};
    p = BitmapPosition(item, false, kH);
    EXPECT_EQ(p.x, 100 - 10 - 4);
    EXPECT_EQ(p.y, 40 - 6 - 3);
    item.placement = BitmapPlacement{'M', 'C'};
    p = BitmapPosition(item, true, kH);
    EXPECT_EQ(p.x, (100 - 10) / 2);
    EXPECT_EQ(p.y, 20 + (20 - 6) / 2);
    item.placement = BitmapPlacement{'M', 'X'};
    EXPECT_EQ(BitmapPosition(item, false, kH).x, 100 - 10 - kH);
}

TEST(LabelTop, StacksWithABitmapAboveOrBelowAndCentresOtherwise) {
    // Rectangle of the height such an item gets: kH + bitmap height + 5.
    MenuItem item = WithBitmap(Item("A"), 'T', 'C', 10, 16);
    item.left = 0;
    item.top = 20;
    item.right = 100;
    item.bottom = 20 + kH + 16 + 5;
    for (bool topMenu : {true, false}) {
        item.placement = BitmapPlacement{'T', 'C'};
        int labelTop = LabelTop(item, topMenu, kH);
        EXPECT_GE(labelTop, BitmapPosition(item, topMenu, kH).y + 16);
        EXPECT_LE(labelTop + kH, item.bottom);
        item.placement = BitmapPlacement{'B', 'C'};
        labelTop = LabelTop(item, topMenu, kH);
        EXPECT_GE(labelTop, item.top);
        EXPECT_LE(labelTop + kH, BitmapPosition(item, topMenu, kH).y);
    }
    item.placement = BitmapPlacement{'T', 'L'}; // beside: the label stays centred
    EXPECT_EQ(LabelTop(item, true, kH), (item.top + item.bottom - kH) / 2);
}

} // namespace
