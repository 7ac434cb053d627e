// The tab strip as a widget: pages of controls through switches, count
// changes, insertion and removal; keys, mouse and the host window.
#include <gtest/gtest.h>

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QMouseEvent>

#include "tabs/xtab.h"

namespace tuner {
namespace {

struct Strip {
    QWidget host;
    XTab* tab = new XTab(&host);
    std::vector<QLabel*> labels;

    // Five tabs, one label on each page.
    Strip() {
        host.resize(500, 300);
        tab->setGeometry(0, 0, 400, 200);
        tab->setTabCount(5);
        for (int i = 0; i < 5; ++i) {
            auto* l = new QLabel(QStringLiteral("page %1").arg(i));
            tab->AddControl(l, 10, 40, 100, 20, i);
            labels.push_back(l);
        }
        tab->setActiveTab(0);
        host.show();
    }

    std::vector<bool> shown() const {
        std::vector<bool> v;
        for (QLabel* l : labels) v.push_back(l->isVisibleTo(&host));
        return v;
    }
};

void press(QWidget* w, QPoint pos) {
    QMouseEvent down(QEvent::MouseButtonPress, pos, w->mapToGlobal(pos), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(w, &down);
    QMouseEvent up(QEvent::MouseButtonRelease, pos, w->mapToGlobal(pos), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(w, &up);
}

void key(QWidget* w, int k, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QKeyEvent e(QEvent::KeyPress, k, mods);
    QApplication::sendEvent(w, &e);
}

TEST(XTabWidget, ExactlyTheActivePageIsShown) {
    Strip s;
    EXPECT_EQ(s.shown(), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_EQ(s.tab->TabOfControl(s.labels[3]), 3);
    s.tab->setActiveTab(3);
    EXPECT_EQ(s.shown(), (std::vector<bool>{false, false, false, true, false}));
    EXPECT_EQ(s.labels[3]->geometry(), QRect(10, 40, 100, 20));
    // A control the host hid stays hidden when its page comes back.
    s.labels[0]->hide();
    s.tab->setActiveTab(0);
    EXPECT_FALSE(s.labels[0]->isVisibleTo(&s.host));
    s.labels[0]->show();
    EXPECT_TRUE(s.labels[0]->isVisibleTo(&s.host));
}

TEST(XTabWidget, AddControlSwitchesToItsTabAndRejectsBadTabs) {
    Strip s;
    auto* extra = new QLabel(QStringLiteral("extra"));
    s.tab->AddControl(extra, 5, -1, -1, -1, 2);
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    EXPECT_TRUE(extra->isVisibleTo(&s.host));
    EXPECT_EQ(extra->x(), 5);
    EXPECT_THROW(s.tab->AddControl(extra, 0, 0, 10, 10, 5), XTabError);
    EXPECT_EQ(s.tab->TabOfControl(extra), 2);
    auto* direct = new QLabel(s.tab->page(4));  // created straight on a page
    EXPECT_EQ(s.tab->TabOfControl(direct), 4);
    EXPECT_FALSE(direct->isVisibleTo(&s.host));
}

TEST(XTabWidget, InsertRemoveAndCountKeepPagesWithTheirTabs) {
    Strip s;
    s.tab->setActiveTab(2);
    s.tab->InsertTab(0, QStringLiteral("new"));
    EXPECT_EQ(s.tab->ActiveTab(), 3);
    EXPECT_EQ(s.shown(), (std::vector<bool>{false, false, true, false, false}));
    EXPECT_EQ(s.tab->TabOfControl(s.labels[2]), 3);
    s.tab->setActiveTab(1);  // the new tab's page is empty
    EXPECT_EQ(s.shown(), (std::vector<bool>{false, false, false, false, false}));

    s.tab->RemoveTab(2);  // the old tab 1 with its label
    EXPECT_EQ(s.tab->TabOfControl(s.labels[1]), -1);
    for (int i = 0; i < s.tab->TabCount(); ++i) {
        s.tab->setActiveTab(i);
        EXPECT_FALSE(s.labels[1]->isVisibleTo(&s.host)) << i;
    }
    s.tab->InsertTab(4, QStringLiteral("later"));
    s.tab->setActiveTab(5);
    EXPECT_FALSE(s.labels[1]->isVisibleTo(&s.host));

    // Shrinking past the active tab shows the new last tab's page.
    s.tab->setActiveTab(4);  // the old tab 4
    s.tab->setTabCount(3);   // tabs: new, 0, 2
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    EXPECT_EQ(s.shown(), (std::vector<bool>{false, false, true, false, false}));
}

TEST(XTabWidget, KeysAndPressesSwitchTabs) {
    Strip s;
    std::vector<int> keys;
    QObject::connect(s.tab, &XTab::KeyDown, [&](int& code, int&) { keys.push_back(code); });
    key(s.tab, Qt::Key_Right);
    EXPECT_EQ(s.tab->ActiveTab(), 1);
    key(s.tab, Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(s.tab->ActiveTab(), 0);
    key(s.tab, Qt::Key_Left);
    EXPECT_EQ(s.tab->ActiveTab(), 4);
    EXPECT_EQ(keys, (std::vector<int>{39, 33, 37}));
    int clicks = 0;
    QObject::connect(s.tab, &XTab::Click, [&] { ++clicks; });
    press(s.tab, QPoint(170, 10));  // tab 2 of 80-pixel tabs
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    press(s.tab, QPoint(170, 100));  // on the page
    EXPECT_EQ(s.tab->ActiveTab(), 2);
    EXPECT_EQ(clicks, 2);
    EXPECT_EQ(s.shown(), (std::vector<bool>{false, false, true, false, false}));
}

TEST(XTabWidget, PointerAndHostWindowReachTheModel) {
    Strip s;
    std::vector<std::string> events;
    QObject::connect(&s.tab->model(), &XTabModel::MouseEnter, [&] { events.push_back("Enter"); });
    QObject::connect(&s.tab->model(), &XTabModel::MouseLeave, [&] { events.push_back("Leave"); });
    QObject::connect(&s.tab->model(), &XTabModel::Status, [&](const QString& t) { events.push_back(t.toStdString()); });
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QApplication::sendEvent(s.tab, &enter);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(s.tab, &leave);
    s.host.move(s.host.pos() + QPoint(10, 0));
    QApplication::processEvents();
    QMoveEvent moved(QPoint(20, 20), QPoint(10, 10));
    QApplication::sendEvent(&s.host, &moved);
    ASSERT_GE(events.size(), 3u);
    EXPECT_EQ(events[0], "Enter");
    EXPECT_EQ(events[1], "Leave");
    EXPECT_EQ(events.back(), "Form is moving...");
}

TEST(XTabWidget, AfterCompleteInitReachesAHostThatConnectsAfterCreation) {
    QWidget host;
    auto* tab = new XTab(&host);
    int inits = 0;
    QObject::connect(&tab->model(), &XTabModel::AfterCompleteInit, [&] { ++inits; });
    tab->setGeometry(0, 0, 300, 100);
    host.show();
    tab->model().Refresh();
    EXPECT_EQ(inits, 1);
}

}  // namespace
}  // namespace tuner
