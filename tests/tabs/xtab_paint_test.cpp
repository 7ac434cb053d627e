// Pixels of the tab strip where they carry behaviour: chamfered gradient
// rows, the page panel, the XOR hover highlight, close boxes and the focus
// mark; and the events of the pointer tracking.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tabs/xtab_model.h"
#include "tabs/xtab_paint.h"

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
    // Under the active tab 0 the page's top border is open (the end colour);
    // under the inactive tab 1 it is the outer border.
    EXPECT_EQ(c.pixel(40, 21), make_rgb(0, 0xFF, 0));
    EXPECT_EQ(c.pixel(120, 21), translate_color(kSys3DDarkShadow));
    EXPECT_EQ(c.pixel(200, 60), make_rgb(0, 0xFF, 0));
    EXPECT_EQ(c.pixel(0, 60), translate_color(kSys3DDarkShadow));
    EXPECT_EQ(c.pixel(399, 99), translate_color(kSys3DDarkShadow));

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
    const QImage plain = m.surface().image().copy();
    m.FocusChanged(true);
    const QImage focused = m.surface().image().copy();
    EXPECT_NE(plain, focused);
    m.Refresh();
    m.ShowHideFocus();
    EXPECT_EQ(m.surface().image(), focused);  // repaints never toggle it
    m.FocusChanged(false);
    EXPECT_EQ(m.surface().image(), plain);
    m.set(&XTabProps::ShowFocusRect, false);  // as on the main window's strips
    m.FocusChanged(true);
    EXPECT_EQ(m.surface().image(), plain);
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
    const QImage before = m.surface().image().copy();
    const TabRect r2 = m.tab(2).rect;
    m.pHandleMouseMove(r2.left + 5, 5);
    ASSERT_TRUE(m.HoverShown());
    EXPECT_EQ(m.BoxTabIndex(), 2);
    EXPECT_NE(m.surface().image(), before);
    const QImage lit = m.surface().image().copy();
    m.pHandleMouseMove(m.tab(3).rect.left + 5, 5);  // one highlight at a time
    EXPECT_EQ(m.surface().image(), lit);
    m.TimerEvent(QPoint(r2.left + 5, 5));  // still inside: stays
    EXPECT_EQ(m.surface().image(), lit);
    m.TimerEvent(QPoint(r2.left + 5, 50));
    EXPECT_FALSE(m.HoverShown());
    EXPECT_EQ(m.surface().image(), before);
    EXPECT_EQ(timer, (std::vector<int>{10, 0}));
    m.pHandleMouseMove(m.tab(0).rect.left + 5, 5);  // the active tab: nothing
    EXPECT_FALSE(m.HoverShown());
}

INSTANTIATE_TEST_SUITE_P(Styles, HoverTest,
                         ::testing::Values(std::pair{0, 1}, std::pair{0, 4}, std::pair{1, 1}, std::pair{1, 4}));

TEST(XTabPaint, HoverColourEqualToTheBackDrawsNothingButTracks) {
    XTabModel m;
    m.setTabTheme(1);
    m.set(&XTabProps::HoverColor, m.props().InActiveTabBackStartColor);
    m.Resize(300, 60);
    const QImage before = m.surface().image().copy();
    m.pHandleMouseMove(150, 10);
    EXPECT_TRUE(m.HoverShown());
    EXPECT_EQ(m.surface().image(), before);
}

TEST(XTabPaint, HoverStopsWhenTheThemeChangesOrAPressComes) {
    XTabModel m;
    m.setTabTheme(1);
    m.Resize(300, 60);
    std::vector<int> timer;
    QObject::connect(&m, &XTabModel::hoverTimer, [&](int ms) { timer.push_back(ms); });
    m.pHandleMouseMove(150, 10);
    m.setTabTheme(0);
    EXPECT_FALSE(m.HoverShown());
    EXPECT_EQ(timer, (std::vector<int>{10, 0}));
    const QImage theme0 = m.surface().image().copy();
    m.TimerEvent(QPoint(500, 500));  // a late tick changes nothing
    EXPECT_EQ(m.surface().image(), theme0);

    m.setTabTheme(4);
    m.pHandleMouseMove(150, 10);
    m.MouseDownLeft(150, 10);
    EXPECT_FALSE(m.HoverShown());
    EXPECT_EQ(m.ActiveTab(), 1);
}

// Records the pointer-tracking events.
struct PointerLog {
    std::vector<std::string> events;
    explicit PointerLog(XTabModel& m) {
        auto add = [this](const char* e) { return [this, e] { events.push_back(e); }; };
        QObject::connect(&m, &XTabModel::MouseEnter, add("Enter"));
        QObject::connect(&m, &XTabModel::MouseLeave, add("Leave"));
        QObject::connect(&m, &XTabModel::ControlBoxEnter, add("BoxEnter"));
        QObject::connect(&m, &XTabModel::ControlBoxExit, add("BoxExit"));
        QObject::connect(&m, &XTabModel::ControlBoxHover, [this](float, float) { events.push_back("BoxHover"); });
        QObject::connect(&m, &XTabModel::ControlBoxMouseDown, [this](float, float) { events.push_back("BoxDown"); });
        QObject::connect(&m, &XTabModel::ControlBoxMouseUp, [this](float, float) { events.push_back("BoxUp"); });
        QObject::connect(&m, &XTabModel::TabRemove, [this](int i) { events.push_back("Remove " + std::to_string(i)); });
        QObject::connect(&m, &XTabModel::Status, [this](const QString& s) { events.push_back(s.toStdString()); });
    }
};

TEST(XTabPointer, EnterOnceLeaveAndEnterAgain) {
    XTabModel m;
    m.Resize(300, 60);
    PointerLog log(m);
    m.PointerMoved(QPoint(10, 30));
    m.PointerMoved(QPoint(20, 30));
    m.PointerLeft();
    m.PointerLeft();
    m.PointerMoved(QPoint(20, 30));
    EXPECT_EQ(log.events, (std::vector<std::string>{"Enter", "Leave", "Enter"}));
}

TEST(XTabPointer, CloseBoxesLightPressAndRemove) {
    XTabModel m;
    m.setTabCount(4);
    m.setTabTheme(2);
    m.set(&XTabProps::ActiveTabBackEndColor, 0xFFFFFF);
    m.set(&XTabProps::UseControlBox, true);
    m.Resize(400, 60);
    PointerLog log(m);
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
    EXPECT_EQ(log.events, (std::vector<std::string>{"Enter", "BoxEnter", "BoxHover", "BoxExit", "BoxDown", "BoxUp",
                                                    "Remove 2"}));

    XTabModel one;
    one.setTabCount(1);
    one.set(&XTabProps::UseControlBox, true);
    one.Resize(200, 60);
    PointerLog single(one);
    const TabRect b = one.tab(0).box;
    one.PointerReleased(QPoint(b.left + 2, b.top + 2));
    EXPECT_EQ(one.TabCount(), 1);
    EXPECT_EQ(single.events, std::vector<std::string>{"BoxUp"});
}

TEST(XTabPointer, HostWindowStatusTexts) {
    XTabModel m;
    PointerLog log(m);
    m.HostMoving();
    m.HostMoving();
    m.HostSizeMoveFinished();
    m.HostSizing();
    m.HostSizeMoveFinished();
    EXPECT_EQ(log.events, (std::vector<std::string>{"Form is moving...", "Form is moving...", "Finished Moving.",
                                                    "Form is sizing...", "Finished Sizing."}));
}

}  // namespace
}  // namespace tuner
