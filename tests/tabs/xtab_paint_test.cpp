// Pixels of the tab strip where they carry behaviour: chamfered gradient
// rows, the page panel, the focus mark, the XOR hover highlight and close
// boxes and their events.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tabs/xtab_model.h"
#include "tabs/xtab_paint.h"
#include "xtab_event_log.h"

namespace tuner {
namespace {

// Columns painted (not white) in row y of a fresh white canvas.
std::vector<int> painted(const Canvas& c, int y) {
    std::vector<int> xs;
    for (int x = 0; x < c.width(); ++x) {
        if (c.pixel(x, y) != 0xFFFFFFu) xs.push_back(x);
    }
    return xs;
}

QImage shot(const XTabModel& m) { return m.surface().image().copy(); }

TEST(XTabPaint, CurvedGradientCutsCornersAndRunsTopToBottom) {
    Canvas c(12, 6);
    pFillCurvedGradient(c, 0, 0, 9, 3, 0x000000, 0x0000F0, 4, true, true);
    EXPECT_TRUE(painted(c, 0).empty());
    EXPECT_EQ(painted(c, 1), (std::vector<int>{4, 5}));
    EXPECT_EQ(painted(c, 2), (std::vector<int>{3, 4, 5, 6}));
    EXPECT_EQ(painted(c, 3), (std::vector<int>{2, 3, 4, 5, 6, 7}));
    EXPECT_EQ(c.pixel(4, 1), make_rgb(0x50, 0, 0));  // a third of the way down
    EXPECT_EQ(c.pixel(4, 3), make_rgb(0xF0, 0, 0));  // the bottom row is the end colour

    Canvas one(12, 3);  // top equal to bottom: one row in the start colour
    pFillCurvedGradient(one, 1, 1, 9, 1, 0x00FF00, 0x0000FF, -1, false, false);
    EXPECT_EQ(painted(one, 1).size(), 8u);
    EXPECT_EQ(one.pixel(1, 1), make_rgb(0, 0xFF, 0));

    Canvas left_only(12, 4);
    pFillCurvedSolid(left_only, 0, 0, 9, 2, 0, 2, true, false);
    EXPECT_EQ(painted(left_only, 0), (std::vector<int>{3, 4, 5, 6, 7, 8}));
}

TEST(XTabPaint, PanelOpensUnderTheActiveTabAndTakesTheDisabledColour) {
    XTabModel m;
    m.setTabCount(5);
    m.set(&XTabProps::ActiveTabBackEndColor, 0x00FF00);
    m.Resize(400, 100);
    const Canvas& c = m.surface();
    const uint32_t border = translate_color(kSys3DDarkShadow);
    // Open (end colour) under the active tab 0, the outer border under tab 1.
    EXPECT_EQ(c.pixel(40, 21), make_rgb(0, 0xFF, 0));
    EXPECT_EQ(c.pixel(120, 21), border);
    EXPECT_EQ(c.pixel(200, 60), make_rgb(0, 0xFF, 0));
    EXPECT_EQ(c.pixel(0, 60), border);
    EXPECT_EQ(c.pixel(399, 99), border);

    m.set(&XTabProps::DisabledTabBackColor, 0x0000FF);
    m.setTabEnabled(0, false);
    EXPECT_EQ(c.pixel(200, 60), make_rgb(0xFF, 0, 0));
    EXPECT_EQ(c.pixel(40, 21), make_rgb(0xFF, 0, 0));

    m.set(&XTabProps::TabStyle, 2);  // no panel and no tabs
    EXPECT_EQ(c.pixel(200, 60), translate_color(kSysButtonFace));
}

TEST(XTabPaint, FocusMarkFollowsTheState) {
    XTabModel m;
    m.setTabCount(5);
    m.Resize(400, 60);
    const QImage plain = shot(m);
    m.FocusChanged(true);
    const QImage focused = shot(m);
    EXPECT_NE(plain, focused);
    m.Refresh();
    m.ShowHideFocus();
    EXPECT_EQ(shot(m), focused);  // repaints never toggle it
    m.FocusChanged(false);
    EXPECT_EQ(shot(m), plain);
    m.set(&XTabProps::ShowFocusRect, false);  // as on the main window's strips
    m.FocusChanged(true);
    EXPECT_EQ(shot(m), plain);
}

class HoverTest : public ::testing::TestWithParam<std::pair<int, int>> {};

TEST_P(HoverTest, HighlightDrawnTwiceRestoresTheSurface) {
    const auto [style, theme] = GetParam();
    XTabModel m;
    m.setTabCount(4);
    m.set(&XTabProps::TabStyle, style);
    m.setTabTheme(theme);
    m.Resize(400, 60);
    std::vector<int> timer;
    QObject::connect(&m, &XTabModel::hoverTimer, [&](int ms) { timer.push_back(ms); });
    const QImage before = shot(m);
    const TabRect r2 = m.tab(2).rect;
    m.pHandleMouseMove(r2.left + 5, 5);
    ASSERT_TRUE(m.HoverShown());
    EXPECT_EQ(m.BoxTabIndex(), 2);
    const QImage lit = shot(m);
    EXPECT_NE(lit, before);
    m.pHandleMouseMove(m.tab(3).rect.left + 5, 5);  // one highlight at a time
    m.TimerEvent(QPoint(r2.left + 5, 5));           // still inside: stays
    EXPECT_EQ(shot(m), lit);
    m.TimerEvent(QPoint(r2.left + 5, 50));
    EXPECT_FALSE(m.HoverShown());
    EXPECT_EQ(shot(m), before);
    EXPECT_EQ(timer, (std::vector<int>{10, 0}));
    m.pHandleMouseMove(m.tab(0).rect.left + 5, 5);  // the active tab: nothing
    EXPECT_FALSE(m.HoverShown());

    // A press that switches nothing still takes the highlight away; one on
    // the lit tab switches to it.
    m.pHandleMouseMove(r2.left + 5, 5);
    m.MouseDownLeft(r2.left + 5, 50);
    EXPECT_FALSE(m.HoverShown());
    EXPECT_EQ(shot(m), before);
    m.pHandleMouseMove(r2.left + 5, 5);
    m.MouseDownLeft(r2.left + 5, 5);
    EXPECT_FALSE(m.HoverShown());
    EXPECT_EQ(m.ActiveTab(), 2);

    // A theme change while a highlight shows stops the timer; a late tick does nothing.
    m.pHandleMouseMove(r2.left - 5, 5);
    ASSERT_TRUE(m.HoverShown());
    m.setTabTheme(0);
    EXPECT_FALSE(m.HoverShown());
    EXPECT_EQ(timer.back(), 0);
    const QImage theme0 = shot(m);
    m.TimerEvent(QPoint(500, 500));
    EXPECT_EQ(shot(m), theme0);
}

INSTANTIATE_TEST_SUITE_P(Styles, HoverTest,
                         ::testing::Values(std::pair{0, 1}, std::pair{0, 4}, std::pair{1, 1}, std::pair{1, 4}));

TEST(XTabPaint, HoverColourEqualToTheBackDrawsNothingButTracks) {
    XTabModel m;
    m.setTabTheme(1);
    m.set(&XTabProps::HoverColor, m.props().InActiveTabBackStartColor);
    m.Resize(300, 60);
    const QImage before = shot(m);
    m.pHandleMouseMove(150, 10);
    EXPECT_TRUE(m.HoverShown());
    EXPECT_EQ(shot(m), before);
}

TEST(XTabPointer, CloseBoxesLightPressAndRemove) {
    XTabModel m;
    m.setTabCount(4);
    m.setTabTheme(2);
    m.set(&XTabProps::ActiveTabBackEndColor, 0xFFFFFF);
    m.set(&XTabProps::UseControlBox, true);
    m.Resize(400, 60);
    EventLog log(m);
    const TabRect box = m.tab(2).box;
    const QPoint in(box.left + 4, box.top + 4);
    m.PointerMoved(QPoint(box.left - 30, 40));  // not over any box: no exit either
    m.PointerMoved(in);
    m.PointerMoved(in + QPoint(1, 0));
    m.PointerMoved(QPoint(box.left - 30, 40));
    m.PointerPressed(in);
    EXPECT_EQ(m.surface().pixel(box.left + 1, box.top + 2), make_rgb(207, 207, 207));  // pressed look
    m.PointerReleased(in);
    EXPECT_EQ(m.TabCount(), 3);
    EXPECT_EQ(log.events, (Events{"Enter", "BoxEnter", "BoxHover", "BoxExit", "BoxDown", "BoxUp", "Remove 2"}));

    XTabModel one;
    one.setTabCount(1);
    one.set(&XTabProps::UseControlBox, true);
    one.Resize(200, 60);
    EventLog single(one);
    const TabRect b = one.tab(0).box;
    one.PointerReleased(QPoint(b.left + 2, b.top + 2));
    EXPECT_EQ(one.TabCount(), 1);
    EXPECT_EQ(single.events, Events{"BoxUp"});
}

}  // namespace
}  // namespace tuner
