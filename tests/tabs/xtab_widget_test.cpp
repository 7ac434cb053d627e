// The tab strip as a widget: pages of controls through switches, count
// changes, insertion and removal; keys, mouse and the host window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

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
    }

    std::vector<bool> shown() const {
        std::vector<bool> v;
        for (QLabel* l : labels) v.push_back(l->isVisibleTo(&host));
        return v;
    }
    static std::vector<bool> only(int i) {
        std::vector<bool> v(5, false);
        if (i >= 0) v[static_cast<std::size_t>(i)] = true;
        return v;
    }
};

// A click at `pos` of `w`, delivered to the widget under it (a page
// container covers the strip too) as the window system would.
void press(QWidget* w, QPoint pos) {
    QWidget* under = w->childAt(pos) ? w->childAt(pos) : w;
    const QPointF local = under->mapFrom(w, pos);
    QMouseEvent down(QEvent::MouseButtonPress, local, w->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(under, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, local, w->mapToGlobal(pos), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(under, &up);
}

void key(QWidget* w, int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, k, mods);
    QApplication::sendEvent(w, &e);
}

TEST(XTabWidget, ExactlyTheActivePageIsShown) {
    Strip s;
    EXPECT_EQ(s.shown(), Strip::only(0));
    EXPECT_EQ(s.tab->TabOfControl(s.labels[3]), 3);
    s.tab->setActiveTab(3);
    EXPECT_EQ(s.shown(), Strip::only(3));
    EXPECT_EQ(s.labels[3]->geometry(), QRect(10, 40, 100, 20));
    PropertyBag bag;  // reading the store again leaves the controls on their tabs
    s.tab->model().WriteProperties(bag);
    s.tab->model().ReadProperties(bag);
    EXPECT_EQ(s.tab->TabOfControl(s.labels[1]), 1);
    EXPECT_EQ(s.shown(), Strip::only(3));
    s.labels[0]->hide();  // a control the host hid stays hidden when its page comes back
    s.tab->setActiveTab(0);
    EXPECT_EQ(s.shown(), Strip::only(-1));
}

TEST(XTabWidget, AddControlSwitchesToItsTab) {
    Strip s;
    auto* extra = new QLabel(QStringLiteral("extra"));
    s.tab->AddControl(extra, 5, -1, -1, -1, 2);
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    EXPECT_TRUE(extra->isVisibleTo(&s.host));
    EXPECT_EQ(extra->x(), 5);
    auto* stray = new QLabel(QStringLiteral("stray"));
    s.tab->AddControl(stray, 0, 0, 10, 10, 5);  // outside the tabs: tab 0, as ActiveTab takes it
    EXPECT_EQ(s.tab->ActiveTab(), 0);
    EXPECT_EQ(s.tab->TabOfControl(stray), 0);
    auto* direct = new QLabel(s.tab->page(4));  // created straight on a page
    EXPECT_EQ(s.tab->TabOfControl(direct), 4);
    EXPECT_FALSE(direct->isVisibleTo(&s.host));
}

TEST(XTabWidget, InsertRemoveAndCountKeepPagesWithTheirTabs) {
    Strip s;
    s.tab->setActiveTab(2);
    s.tab->InsertTab(0, QStringLiteral("new"));
    EXPECT_EQ(s.tab->ActiveTab(), 3);
    EXPECT_EQ(s.shown(), Strip::only(2));
    EXPECT_EQ(s.tab->TabOfControl(s.labels[2]), 3);
    s.tab->setActiveTab(1);  // the new tab's page is empty
    EXPECT_EQ(s.shown(), Strip::only(-1));

    s.tab->RemoveTab(2);  // the old tab 1 with its label, never shown again
    EXPECT_EQ(s.tab->TabOfControl(s.labels[1]), -1);
    s.tab->InsertTab(4, QStringLiteral("later"));
    for (int i = 0; i < s.tab->TabCount(); ++i) {
        s.tab->setActiveTab(i);
        EXPECT_FALSE(s.labels[1]->isVisibleTo(&s.host)) << i;
    }
    // Shrinking past the active tab shows the new last tab's page.
    s.tab->setActiveTab(4);  // the old tab 4
    s.tab->setTabCount(3);   // tabs: new, 0, 2
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    EXPECT_EQ(s.shown(), Strip::only(2));
}

TEST(XTabWidget, KeysAndPressesSwitchTabs) {
    Strip s;
    std::vector<int> keys;
    QObject::connect(s.tab, &XTab::KeyDown, [&](int& code, int&) { keys.push_back(code); });
    key(s.tab, Qt::Key_Right);
    key(s.tab, Qt::Key_PageUp, Qt::ControlModifier);
    key(s.tab, Qt::Key_Left);
    EXPECT_EQ(s.tab->ActiveTab(), 4);
    EXPECT_EQ(keys, (std::vector<int>{39, 33, 37}));
    int clicks = 0;
    QObject::connect(s.tab, &XTab::Click, [&] { ++clicks; });
    ASSERT_NE(s.tab->childAt(170, 10), nullptr);  // the page covers the strip
    press(s.tab, QPoint(170, 10));                  // tab 2
    press(s.tab, QPoint(250, 100));  // on the page
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(s.shown(), Strip::only(2));
}

TEST(XTabWidget, PointerHostWindowAndFirstPaintReachTheModel) {
    QWidget host;
    auto* tab = new XTab(&host);
    XTabModel& m = tab->model();
    EventLog log(m);
    tab->setGeometry(0, 0, 300, 100);
    QWidget* page = tab->page(0);  // covers the strip
    host.show();
    m.Refresh();
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QEvent leave(QEvent::Leave);
    QMouseEvent move(QEvent::MouseMove, QPointF(9, 9), QPointF(9, 9), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    for (QEvent* e : std::initializer_list<QEvent*>{&enter, &move, &leave, &leave, &move}) {
        QApplication::sendEvent(e == &move ? page : tab, e);  // moves arrive at the page under the pointer
    }
    QMoveEvent moved(QPoint(20, 20), QPoint(10, 10));
    QResizeEvent sized(QSize(300, 200), QSize(300, 100));
    for (QEvent* e : std::initializer_list<QEvent*>{&moved, &moved, nullptr, &sized, nullptr}) {
        if (e) QApplication::sendEvent(&host, e);
        else m.HostSizeMoveFinished();  // the end of the drag
    }
    EXPECT_EQ(log.events, (Events{"Init", "Enter", "Leave", "Enter", "Form is moving...", "Form is moving...",
                                  "Finished Moving.", "Form is sizing...", "Finished Sizing."}));
}

}  // namespace
}  // namespace tuner
