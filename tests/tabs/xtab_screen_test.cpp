// What reaches the screen of the tab strip: after a switch by the mouse or
// the keyboard, a caption or an enabled state the host sets, the focus and
// the hover highlight, the window shows the strip the control paints now.
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <QLabel>
#include <QTest>

#include "support/screen_capture.h"
#include "tabs/xtab.h"

namespace tuner {
namespace {

using namespace tuner::testing;

// Four tabs on a 400-pixel strip with a label on each page; input goes
// through the window system.
struct XTabScreen : ::testing::Test {
    QWidget host;
    XTab* tab = new XTab(&host);
    QLabel* first = nullptr;

    void SetUp() override {
        host.resize(440, 240);
        tab->setGeometry(10, 10, 400, 200);
        tab->setTabCount(4);
        for (int i = 0; i < 4; ++i) {
            tab->setTabCaption(i, QStringLiteral("Channel %1").arg(i));
            auto* l = new QLabel(QStringLiteral("page %1").arg(i));
            if (i == 0) first = l;
            tab->AddControl(l, 10, 40, 100, 20, i);
        }
        tab->setActiveTab(0);
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
        point_at(QPoint(420, 230));
        settle_screen();
    }

    QWindow* window() { return host.windowHandle(); }
    // The middle of tab i's top part, in the host window.
    QPoint over_tab(int i) const { return tab->mapTo(&host, QPoint(i * 100 + 50, 10)); }
    void point_at(QPoint p) { pointer_to(&host, p); }

    void expect_screen_follows(const std::string& what, const std::function<void()>& change) {
        testing::expect_screen_follows(tab, what, change);
    }
};

// The main window's look (theme 0): switches by click and keys, the host's
// captions and enabled states, and the strip's own focus mark.
TEST_F(XTabScreen, SwitchesCaptionsAndEnabledStatesReachTheScreen) {
    expect_screen_follows("a click on tab 2", [&] {
        point_at(over_tab(2));
        QTest::mouseClick(window(), Qt::LeftButton, {}, over_tab(2));
    });
    ASSERT_EQ(tab->ActiveTab(), 2) << "ActiveTab after the click";
    ASSERT_TRUE(tab->hasFocus()) << "the strip has the keyboard after the click";
    expect_screen_follows("Right arrow", [&] { QTest::keyClick(window(), Qt::Key_Right); });
    ASSERT_EQ(tab->ActiveTab(), 3) << "ActiveTab after Right";
    expect_screen_follows("the host switches to tab 1", [&] { tab->setActiveTab(1); });
    expect_screen_follows("the host's caption of the active tab", [&] { tab->setTabCaption(1, QStringLiteral("均衡")); });
    expect_screen_follows("the host's caption of an inactive tab", [&] { tab->setTabCaption(3, QStringLiteral("Sub")); });
    expect_screen_follows("TabEnabled off", [&] { tab->model().setTabEnabled(2, false); });
    expect_screen_follows("TabEnabled on", [&] { tab->model().setTabEnabled(2, true); });
    expect_screen_follows("the focus away", [&] { first->setFocus(); tab->clearFocus(); });
    expect_screen_follows("the focus back by Tab", [&] { tab->setFocus(Qt::TabFocusReason); });
}

// Under the hover themes the highlight shows over the tab under the pointer and
// goes when the pointer leaves it.
TEST_F(XTabScreen, HoverHighlightReachesTheScreen) {
    for (const int theme : {1, 4}) {
        SCOPED_TRACE(::testing::Message() << "theme " << theme);
        tab->model().setTabTheme(theme);
        ASSERT_TRUE(screen_shows_widget(tab)) << "the new theme; " << screen_mismatch(tab);
        expect_screen_follows("the pointer over tab 2", [&] { point_at(over_tab(2)); });
        EXPECT_TRUE(tab->model().HoverShown()) << "HoverShown over tab 2";
        expect_screen_follows("the pointer off the strip", [&] {
            point_at(QPoint(420, 230));
            EXPECT_TRUE(QTest::qWaitFor([&] { return !tab->model().HoverShown(); }, 1000)) << "HoverShown after leaving";
        });
    }
}

}  // namespace
}  // namespace tuner
