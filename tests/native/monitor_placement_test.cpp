// Placement on a desk of several monitors: the primary 1024 x 768 at the
// origin and a second 1280 x 1024 at its right or its left.
#include <gtest/gtest.h>

#include "menu/ui/monitor_placement.h"

namespace {

constexpr ScreenRect kPrimary{0, 0, 1024, 768};
constexpr ScreenRect kRight{1024, 0, 2304, 1024};
constexpr ScreenRect kLeft{-1280, 0, 0, 1024};
const MonitorList kPrimaryOnly{{kPrimary}, 1};
const MonitorList kWithRight{{kPrimary, kRight}, 2};
const MonitorList kWithLeft{{kPrimary, kLeft}, 2};

bool operator==(ScreenPoint a, ScreenPoint b) {
    return a.x == b.x && a.y == b.y;
}

TEST(MonitorPlacement, AWindowBelongsToTheMonitorItSharesMostWithOrTheNearest) {
    EXPECT_EQ(NearestMonitor(kWithRight, ScreenRect{1500, 300, 1700, 400}), 1);
    EXPECT_EQ(NearestMonitor(kWithRight, ScreenRect{900, 0, 1100, 100}), 0); // more on the primary
    EXPECT_EQ(NearestMonitor(kWithRight, ScreenRect{1000, 0, 1100, 100}), 1);
    EXPECT_EQ(NearestMonitor(kWithLeft, ScreenRect{-1200, 300, -1000, 400}), 1);
    EXPECT_EQ(NearestMonitor(kWithLeft, ScreenRect{-3000, 900, -2900, 950}),
              1); // off every monitor
    EXPECT_EQ(NearestMonitor(kPrimaryOnly, ScreenRect{-1200, 300, -1000, 400}), 0);
    EXPECT_EQ(NearestMonitor(MonitorList{{}, 0}, kPrimary), -1);
    EXPECT_EQ(FindMonitor(kWithLeft, kLeft), 1);
    EXPECT_EQ(FindMonitor(kWithRight, kLeft), -1);
}

TEST(MonitorPlacement, WindowsAreKeptWhollyOnTheirOwnMonitor) {
    EXPECT_TRUE(KeptInside({1500, 300}, 200, 100, kRight) == (ScreenPoint{1500, 300}));
    EXPECT_TRUE(KeptInside({2200, 980}, 200, 100, kRight) == (ScreenPoint{2104, 924}));
    EXPECT_TRUE(KeptInside({-1300, -5}, 200, 100, kLeft) == (ScreenPoint{-1280, 0}));
    EXPECT_TRUE(KeptInside({-1200, 900}, 200, 100, kPrimary) == (ScreenPoint{0, 668}));
    EXPECT_TRUE(KeptInside({2147483600, 0}, 200, 100, kPrimary) == (ScreenPoint{824, 0}));
    // Cascades open to the right unless they would pass their monitor's right edge.
    EXPECT_EQ(CascadeLeft(ScreenRect{1500, 300, 1600, 400}, 99, kRight), 1599);
    EXPECT_EQ(CascadeLeft(ScreenRect{2200, 300, 2300, 400}, 99, kRight), 2100);
    EXPECT_EQ(CascadeLeft(ScreenRect{-101, 0, -1, 200}, 99, kLeft), -201);
    EXPECT_TRUE(CentredOn(kLeft, 500, 300) == (ScreenPoint{-890, 362}));
    EXPECT_EQ(DockedLeft(kLeft, 0, 60), -61);
    EXPECT_EQ(DockedLeft(kLeft, 1, 60), -1279);
    EXPECT_EQ(DragStripTop(-50, ScreenRect{0, 100, 800, 600}, -1, 12), 99);
    EXPECT_EQ(DragStripTop(700, ScreenRect{0, 100, 800, 600}, -1, 12), 587);
}

TEST(MonitorPlacement, SlotsComeBackOnTheirMonitorOrScaledLikeASingleScreen) {
    const int both[] = {0, 0, 1024, 768, -1280, 0, 0, 1024};
    const MonitorList saved = SavedMonitors(both, 8, 1024, 768);
    ASSERT_EQ(saved.count, 2);
    EXPECT_EQ(saved.monitors[1].left, -1280);
    // Its monitor still there: the same place, negative coordinates too.
    EXPECT_TRUE(RestoredPosition(saved, kWithLeft, {-1000, 900}, 200, 100) ==
                (ScreenPoint{-1000, 900}));
    // Gone: unchanged, for tearing off to bring it onto the nearest monitor.
    EXPECT_TRUE(RestoredPosition(saved, kPrimaryOnly, {-1000, 900}, 200, 100) ==
                (ScreenPoint{-1000, 900}));
    // A slot of one screen (an old file) scales from the saved desktop to
    // today's primary monitor, whatever else is beside it.
    const MonitorList old = SavedMonitors(nullptr, 0, 1024, 768);
    const MonitorList bigger{{{0, 0, 1280, 1024}, kRight}, 2};
    EXPECT_TRUE(RestoredPosition(old, bigger, {512, 384}, 200, 100) == (ScreenPoint{640, 512}));
    EXPECT_TRUE(RestoredPosition(old, kWithRight, {1500, 300}, 200, 100) ==
                (ScreenPoint{1500, 300}));
    EXPECT_TRUE(RestoredPosition(SavedMonitors(nullptr, 0, 0, 0), kPrimaryOnly, {50, 60}, 20, 10) ==
                (ScreenPoint{50, 60}));
}

TEST(MonitorPlacement, TheTopWindowKeepsItsHeightOnTheMonitorItDocksAt) {
    const int both[] = {0, 0, 1024, 768, 1024, 0, 2304, 1024};
    const MonitorList saved = SavedMonitors(both, 8, 1024, 768);
    EXPECT_EQ(RestoredTopOn(saved, kRight, {2240, 900}, 60, 100, 85), 900);
    EXPECT_EQ(RestoredTopOn(saved, kRight, {963, 384}, 60, 100, 85),
              512); // scaled from the primary
    EXPECT_EQ(RestoredTopOn(saved, ScreenRect{0, 200, 1280, 1224}, {2240, 950}, 60, 100, 85),
              202); // would reach the bottom: 2 below the monitor's top
    // One screen, as before: scaled from the saved desktop to today's.
    const MonitorList old = SavedMonitors(nullptr, 0, 1024, 768);
    EXPECT_EQ(RestoredTopOn(old, ScreenRect{0, 0, 1280, 1024}, {963, 384}, 60, 100, 85), 512);
    EXPECT_EQ(RestoredTopOn(old, kPrimary, {963, 700}, 60, 100, 85), 2);
    EXPECT_EQ(RestoredTopOn(old, kPrimary, {963, -2000000000}, 60, 100, 85), -768);
}

} // namespace
