// The hover themes (1 and 4) on the screen: the active tab keeps its own
// highlight whatever the pointer does and whoever repaints the strip; the
// hover highlight comes and goes over the other tabs only. And tab pictures
// take the same cell with and without the mask colour.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QTest>

#include "support/screen_capture.h"
#include "tabs/xtab.h"

namespace tuner {
namespace {

using namespace tuner::testing;

struct XTabHoverThemes : ::testing::Test {
    QWidget host;
    XTab* tab = new XTab(&host);

    void open(int theme, int style) {
        host.resize(440, 240);
        tab->setGeometry(10, 10, 400, 200);
        tab->setTabCount(4);
        tab->model().setTabTheme(theme);
        tab->model().set(&XTabProps::TabStyle, style);
        tab->setActiveTab(0);
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        point_at(kAway);
        settle_screen();
    }

    static constexpr QPoint kAway{420, 230};
    QWindow* window() { return host.windowHandle(); }
    // The middle of tab i, in the host window.
    QPoint over_tab(int i) const {
        const TabRect& r = tab->model().tab(i).rect;
        return tab->mapTo(&host, QPoint((r.left + r.right) / 2, r.top + 8));
    }
    void point_at(QPoint p) { pointer_to(&host, p); }
    // The inside of tab i's rectangle cut out of a picture of the strip (the
    // edge columns are shared with the neighbours and their highlights).
    QImage tab_area(const QImage& strip, int i) const {
        const TabRect& r = tab->model().tab(i).rect;
        return strip.copy(QRect(QPoint(r.left + 2, r.top), QPoint(r.right - 2, r.bottom)));
    }
    // Lets the hover timer (10 ms) tick a few times.
    void let_timer_tick() { QTest::qWait(80); }
};

// The pointer over another tab highlights that tab and leaves the active tab's
// highlight alone; a repaint by any public painter while it hovers, then the
// hover timer, then the pointer's leaving, end with the strip as it was.
TEST_F(XTabHoverThemes, ActiveHighlightStaysThroughHoverAndRepaints) {
    for (const int theme : {1, 4}) {
        for (const int style : {0, 1}) {
            for (const char* painter : {"DrawTabs", "DrawTabsTabbedDialog", "DrawTabsPropertyPages", "Refresh"}) {
                if (style == 0 && std::string(painter) == "DrawTabsPropertyPages") continue;
                if (style == 1 && std::string(painter) == "DrawTabsTabbedDialog") continue;
                SCOPED_TRACE(::testing::Message() << "theme " << theme << ", style " << style << ", " << painter);
                open(theme, style);
                if (HasFatalFailure()) return;
                const QImage rest = screen_of(tab);
                ASSERT_TRUE(screen_shows_widget(tab)) << "the strip at rest; " << screen_mismatch(tab);

                point_at(over_tab(2));
                QImage now = screen_of(tab);
                EXPECT_NE(tab_area(now, 2), tab_area(rest, 2)) << "tab 2 highlighted under the pointer";
                EXPECT_EQ(tab_area(now, 0), tab_area(rest, 0)) << "the active tab 0 while tab 2 is hovered";

                XTabModel& m = tab->model();
                if (std::string(painter) == "DrawTabs") m.DrawTabs();
                if (std::string(painter) == "DrawTabsTabbedDialog") m.DrawTabsTabbedDialog();
                if (std::string(painter) == "DrawTabsPropertyPages") m.DrawTabsPropertyPages();
                if (std::string(painter) == "Refresh") m.Refresh();
                let_timer_tick();
                now = screen_of(tab);
                EXPECT_TRUE(screen_shows_widget(tab)) << "after the repaint; " << screen_mismatch(tab);
                EXPECT_EQ(tab_area(now, 0), tab_area(rest, 0)) << "the active tab 0 after the repaint and the timer";

                // On to tab 3: the highlight follows the pointer, never onto or off the active tab.
                point_at(over_tab(3));
                let_timer_tick();
                point_at(over_tab(3) + QPoint(1, 0));
                now = screen_of(tab);
                EXPECT_NE(tab_area(now, 3), tab_area(rest, 3)) << "tab 3 highlighted under the pointer";
                EXPECT_EQ(tab_area(now, 2), tab_area(rest, 2)) << "tab 2 after the pointer left it";
                EXPECT_EQ(tab_area(now, 0), tab_area(rest, 0)) << "the active tab 0 while tab 3 is hovered";

                point_at(kAway);
                let_timer_tick();
                EXPECT_TRUE(screen_shows_widget(tab)) << "after the pointer left; " << screen_mismatch(tab);
                EXPECT_EQ(screen_now(tab), rest) << "the strip after the pointer left: "
                                                 << first_difference(screen_now(tab), rest);
                // A caption the host sets after a hover repaints the active tab in its own look.
                tab->setTabCaption(3, QStringLiteral("Tab 3"));
                EXPECT_TRUE(screen_shows_widget(tab)) << "after the caption; " << screen_mismatch(tab);
                EXPECT_EQ(tab_area(screen_now(tab), 0), tab_area(rest, 0)) << "the active tab 0 after the caption";
            }
        }
    }
}

// A tab picture drawn as it is (UseMaskColor off) takes the same cell as one
// drawn with its mask colour left out.
TEST_F(XTabHoverThemes, PictureCellIsTheSameWithoutTheMaskColour) {
    open(1, 0);
    QImage pic(32, 32, QImage::Format_RGB32);
    pic.fill(qRgb(255, 0, 0));
    for (int i = 0; i < 4; ++i) tab->model().setTabPicture(i, pic);
    // The bounding box of the red pixels inside each inactive tab, on the screen.
    auto red_cells = [&](const char* what) {
        EXPECT_TRUE(screen_shows_widget(tab)) << what << "; " << screen_mismatch(tab);
        const QImage s = screen_now(tab);
        std::vector<QRect> boxes;
        for (int i = 1; i < 4; ++i) {
            const QImage area = tab_area(s, i);
            QRect box;
            for (int y = 0; y < area.height(); ++y) {
                for (int x = 0; x < area.width(); ++x) {
                    if ((area.pixel(x, y) & 0xFFFFFFu) == 0xFF0000u) box |= QRect(x, y, 1, 1);
                }
            }
            EXPECT_EQ(box.size(), QSize(16, 16)) << what << ": the picture of tab " << i << " is "
                                                 << box.width() << "x" << box.height();
            boxes.push_back(box);
        }
        return boxes;
    };
    const std::vector<QRect> masked = red_cells("UseMaskColor on");
    tab->model().set(&XTabProps::UseMaskColor, false);
    const std::vector<QRect> plain = red_cells("UseMaskColor off");
    EXPECT_EQ(plain, masked) << "the pictures' places without the mask colour";
}

}  // namespace
}  // namespace tuner
