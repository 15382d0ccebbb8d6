// Values of the layout file and fitting them to another desktop.
#include <gtest/gtest.h>

#include "menu/ui/layout_slot.h"

namespace {

TEST(LayoutSlot, FieldsAreSplitAtCommasAndBlanks) {
    int fields[3] = {-7, -7, -7};
    EXPECT_EQ(ParseLayoutFields("1024, 768", fields, 3), 2);
    EXPECT_EQ(fields[0], 1024);
    EXPECT_EQ(fields[1], 768);
    EXPECT_EQ(fields[2], -7);
    EXPECT_EQ(ParseLayoutFields(" 5,,  -3 ,1, 9", fields, 3), 3);
    EXPECT_EQ(fields[1], -3);
    EXPECT_EQ(fields[2], 1);
    EXPECT_EQ(ParseLayoutFields("", fields, 3), 0);
}

TEST(LayoutSlot, PositionsScaleWithTheDesktop) {
    EXPECT_EQ(ScaleCoordinate(512, 1280, 1024), 640);
    EXPECT_EQ(ScaleCoordinate(384, 1024, 768), 512);
    EXPECT_EQ(ScaleCoordinate(100, 1024, 1024), 100);
    EXPECT_EQ(ScaleCoordinate(333, 1000, 3000), 111); // truncated
    EXPECT_EQ(ScaleCoordinate(50, 1024, 0), 50);      // no usable saved size: scale 1
}

TEST(LayoutSlot, HandEditedPositionsStayWithinTheDesktop) {
    int fields[2];
    // Out of 32-bit range: at the far edges, not wrapped to 0 or below.
    ASSERT_EQ(ParseLayoutFields("4294967296, -99999999999", fields, 2), 2);
    EXPECT_EQ(ScaleCoordinate(fields[0], 1280, 1024), 1280);
    EXPECT_EQ(ScaleCoordinate(fields[0], 1024, 0), 1024);
    EXPECT_EQ(ScaleCoordinate(fields[1], 768, 768), -768);
    EXPECT_EQ(ScaleCoordinate(-1, 768, 768), -1);
}

TEST(LayoutSlot, TopWindowThatWouldReachTheBottomGoesToTheTop) {
    EXPECT_EQ(RestoredTop(100, 768, 199), 100);
    // The limit is the desktop's bottom less the menu's height - 1 and 14.
    EXPECT_EQ(RestoredTop(768 - 213, 768, 199), 2);
    EXPECT_EQ(RestoredTop(768 - 214, 768, 199), 768 - 214);
}

} // namespace
