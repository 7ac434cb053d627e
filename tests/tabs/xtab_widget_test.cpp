// The tab strip as a widget: pages of controls through switches, count and tab changes; keys, mouse, host window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QTest>

#include "tabs/xtab.h"
#include "xtab_event_log.h"

namespace tuner {
namespace {

// Five tabs on a 400-pixel strip, one label on each page.
struct Strip {
    QWidget host;
    XTab* tab = new XTab(&host);
    std::vector<QLabel*> labels;

    Strip() {
        host.resize(500, 300);
        tab->setGeometry(0, 0, 400, 200);
        tab->setTabCount(5);
        for (int i = 0; i < 5; ++i) {
            labels.push_back(new QLabel(QStringLiteral("page %1").arg(i)));
            tab->AddControl(labels.back(), 10, 40, 100, 20, i);
        }
        tab->setActiveTab(0);
        host.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&host));
    }

    // Which labels show, as "10000".
    std::string shown() const {
        std::string v;
        for (QLabel* l : labels) v += l->isVisibleTo(&host) ? '1' : '0';
        return v;
    }
};

// Pointer and keys go through the window system as a user's do: to the top-level window, with Qt's own choice
// of receiver and its mouse grab.
QWindow* window_of(QWidget* w) { return w->window()->windowHandle(); }
void click(QWidget* w, QPoint pos) { QTest::mouseClick(window_of(w), Qt::LeftButton, {}, w->mapTo(w->window(), pos)); }

struct PointerLog {
    std::vector<std::string> events;
    explicit PointerLog(XTab* t) {
        QObject::connect(t, &XTab::MouseDown, [this](int& b, int&, float&, float&) { add("MouseDown", b); });
        QObject::connect(t, &XTab::MouseUp, [this](int b, int, float, float) { add("MouseUp", b); });
        QObject::connect(t, &XTab::Click, [this] { events.push_back("Click"); });
        QObject::connect(t, &XTab::DblClick, [this] { events.push_back("DblClick"); });
    }
    void add(const char* e, int b) { events.push_back(std::string(e) + "(" + std::to_string(b) + ")"); }
};

TEST(XTabWidget, ExactlyTheActivePageIsShownAndAddControlSwitchesToItsTab) {
    Strip s;
    EXPECT_EQ(s.shown(), "10000");
    s.tab->setActiveTab(3);
    EXPECT_EQ(s.shown(), "00010");
    const QRect placed = s.labels[3]->geometry();
    EXPECT_EQ(placed, QRect(10, 40, 100, 20))
        << "label 3 at " << placed.x() << "," << placed.y() << " size " << placed.width() << "x" << placed.height();
    PropertyBag bag;  // reading the store again leaves the controls on their tabs
    s.tab->model().WriteProperties(bag);
    s.tab->model().ReadProperties(bag);
    EXPECT_EQ(s.tab->TabOfControl(s.labels[1]), 1) << "after reading the store";
    EXPECT_EQ(s.shown(), "00010") << "after reading the store";
    s.labels[0]->hide();  // a control the host hid stays hidden when its page comes back
    s.tab->setActiveTab(0);
    EXPECT_EQ(s.shown(), "00000");
    auto* extra = new QLabel(QStringLiteral("extra"));
    s.tab->AddControl(extra, 5, -1, -1, -1, 2);
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    EXPECT_TRUE(extra->isVisibleTo(&s.host));
    EXPECT_EQ(extra->x(), 5);
    auto* stray = new QLabel(QStringLiteral("stray"));
    s.tab->AddControl(stray, 0, 0, 10, 10, 5);  // outside the tabs: tab 0, as ActiveTab takes it
    EXPECT_EQ(s.tab->ActiveTab(), 0) << "added to tab 5";
    EXPECT_EQ(s.tab->TabOfControl(stray), 0);
    auto* direct = new QLabel(s.tab->page(4));  // created straight on a page
    EXPECT_EQ(s.tab->TabOfControl(direct), 4);
    EXPECT_FALSE(direct->isVisibleTo(&s.host));
}

TEST(XTabWidget, InsertRemoveAndCountKeepPagesWithTheirTabs) {
    Strip s;
    s.tab->setActiveTab(2);
    s.tab->InsertTab(0, QStringLiteral("new"));
    EXPECT_EQ(s.tab->ActiveTab(), 3) << "after inserting at 0";
    EXPECT_EQ(s.shown(), "00100") << "after inserting at 0";  // the label moved with its tab
    s.tab->setActiveTab(1);                                   // the new tab's page is empty
    EXPECT_EQ(s.shown(), "00000");

    s.tab->RemoveTab(2);  // the old tab 1 with its label, never shown again
    EXPECT_EQ(s.tab->TabOfControl(s.labels[1]), -1);
    s.tab->InsertTab(4, QStringLiteral("later"));
    for (int i = 0; i < s.tab->TabCount(); ++i) {
        s.tab->setActiveTab(i);
        EXPECT_FALSE(s.labels[1]->isVisibleTo(&s.host)) << "tab " << i << " active";
    }
    // Shrinking past the active tab shows the new last tab's page, with no switch events; tabs grown again get
    // fresh pages, not the dropped ones.
    s.tab->setActiveTab(4);  // "later"
    EventLog log(s.tab->model());
    s.tab->setTabCount(3);  // tabs: new, 0, 2
    EXPECT_EQ(s.tab->ActiveTab(), 2) << "shrunk to 3";
    EXPECT_EQ(s.shown(), "00100") << "shrunk to 3";
    s.tab->setTabCount(5);
    EXPECT_EQ(s.tab->TabOfControl(s.labels[3]), -1) << "grown to 5";
    EXPECT_EQ(log.events, Events{});
}

TEST(XTabWidget, KeysSwitchTabs) {
    Strip s;
    std::vector<int> keys;
    QObject::connect(s.tab, &XTab::KeyDown, [&](int& code, int&) { keys.push_back(code); });
    s.host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&s.host));
    s.tab->setFocus();
    QTest::keyClick(window_of(s.tab), Qt::Key_Right);
    QTest::keyClick(window_of(s.tab), Qt::Key_PageUp, Qt::ControlModifier);
    QTest::keyClick(window_of(s.tab), Qt::Key_Left);
    EXPECT_EQ(s.tab->ActiveTab(), 4);
    EXPECT_EQ(s.shown(), "00001");
    EXPECT_EQ(keys, (std::vector<int>{39, 17, 33, 37}));  // Ctrl itself is key 17 and switches nothing
}

TEST(XTabWidget, PointerHostWindowAndFirstPaintReachTheModel) {
    QWidget host;
    host.resize(400, 300);
    auto* tab = new XTab(&host);
    XTabModel& m = tab->model();
    EventLog log(m);
    tab->setGeometry(0, 0, 300, 100);
    tab->page(0);  // covers the strip
    host.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    m.Refresh();
    // In, about, out twice, and in again.
    for (QPoint p : {QPoint(5, 5), QPoint(9, 9), QPoint(350, 250), QPoint(360, 260), QPoint(9, 9)})
        QTest::mouseMove(window_of(tab), p);
    QMoveEvent moved(QPoint(20, 20), QPoint(10, 10));
    QResizeEvent sized(QSize(300, 200), QSize(300, 100));
    QApplication::sendEvent(&host, &moved);
    QApplication::sendEvent(&host, &moved);
    m.HostSizeMoveFinished();  // the end of the drag
    QApplication::sendEvent(&host, &sized);
    m.HostSizeMoveFinished();
    EXPECT_EQ(log.events, (Events{"Init", "Enter", "Leave", "Enter", "Form is moving...", "Form is moving...",
                                  "Finished Moving.", "Form is sizing...", "Finished Sizing."}));
}

// A press that switches tabs hides the page it landed on; the release must still reach the strip, with MouseUp
// and Click. In a double click the second press is the double click itself, with no MouseDown and no second Click.
TEST(XTabWidget, ClickThatSwitchesTabsKeepsItsReleaseAndDoubleClickOrder) {
    Strip s;
    PointerLog log(s.tab);
    ASSERT_NE(s.tab->childAt(170, 10), nullptr);  // the page covers the strip
    click(s.tab, QPoint(170, 10));                // tab 2
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    EXPECT_EQ(QWidget::mouseGrabber(), nullptr);
    EXPECT_EQ(log.events, (std::vector<std::string>{"MouseDown(1)", "MouseUp(1)", "Click"}));
    click(s.tab, QPoint(250, 100));  // on the page below the strip: a click of the strip as well
    EXPECT_EQ(log.events.size(), 6u) << "a click on the page";
    EXPECT_EQ(s.shown(), "00100") << "a click on the page";
    log.events.clear();
    QTest::mouseDClick(window_of(s.tab), Qt::LeftButton, Qt::NoModifier, s.tab->mapTo(&s.host, QPoint(100, 10)));
    EXPECT_EQ(log.events, (std::vector<std::string>{"MouseDown(1)", "MouseUp(1)", "Click", "DblClick", "MouseUp(1)"}));
    EXPECT_EQ(s.tab->ActiveTab(), 1);
    QTest::mouseClick(window_of(s.tab), Qt::RightButton, {}, s.tab->mapTo(&s.host, QPoint(250, 10)));
    EXPECT_EQ(s.tab->ActiveTab(), 1) << "right click on tab 3";
}

// The close box of an inactive tab: the press switches to that tab, the release over the box removes it.
TEST(XTabWidget, CloseBoxOnAnInactiveTabRemovesIt) {
    Strip s;
    s.tab->model().set(&XTabProps::UseControlBox, true);
    EventLog log(s.tab->model());
    const TabRect box = s.tab->model().tab(3).box;
    ASSERT_LT(box.left, box.right);
    click(s.tab, QPoint((box.left + box.right) / 2, (box.top + box.bottom) / 2));
    EXPECT_EQ(log.events, (Events{"BoxEnter", "BoxDown", "Before 3", "Switch 0", "BoxUp", "Remove 3"}));
    EXPECT_EQ(s.tab->TabCount(), 4);
    EXPECT_EQ(s.tab->TabOfControl(s.labels[3]), -1);
}

// The right edge of a tab's rectangle is still that tab: a click on its last pixel column switches to it.
TEST(XTabWidget, LastPixelColumnOfATabBelongsToIt) {
    Strip s;
    for (const int t : {1, 2, 3, 4, 0}) {
        const TabRect r = s.tab->model().tab(t).rect;
        click(s.tab, QPoint(r.right, (r.top + r.bottom) / 2));
        EXPECT_EQ(s.tab->ActiveTab(), t) << "click at x " << r.right << " of tab " << t;
    }
}

}  // namespace
}  // namespace tuner
