// The tab strip as a widget: its pages of controls, and the mouse through the window system.
#include <gtest/gtest.h>

#include <functional>

#include <QApplication>
#include <QFileDialog>
#include <QKeySequence>
#include <QLabel>
#include <QMoveEvent>
#include <QResizeEvent>
#include <QSpontaneKeyEvent>
#include <QTest>
#include <QTimer>

#include "platform/qt_file_dialogs.h"

#include "tabs/xtab.h"
#include "xtab_event_log.h"

namespace tuner {
namespace {

// Five tabs on a 400-pixel strip, one label on each page.
struct XTabWidget : ::testing::Test {
    QWidget host;
    XTab* tab = new XTab(&host);
    std::vector<QLabel*> labels;

    void SetUp() override {
        host.resize(500, 300);
        tab->setGeometry(0, 0, 400, 200);
        tab->setTabCount(5);
        for (int i = 0; i < 5; ++i) {
            labels.push_back(new QLabel(QStringLiteral("page %1").arg(i)));
            tab->AddControl(labels.back(), 10, 40, 100, 20, i);
        }
        tab->setActiveTab(0);
        host.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&host));
    }
    // Which labels show, as "10000".
    std::string shown() const {
        std::string v;
        for (QLabel* l : labels) v += l->isVisibleTo(&host) ? '1' : '0';
        return v;
    }
    QWindow* window() { return host.windowHandle(); }
    void click(QPoint pos, Qt::MouseButton b = Qt::LeftButton) { QTest::mouseClick(window(), b, {}, pos); }
};

TEST_F(XTabWidget, OnlyTheActivePageShows) {
    EXPECT_EQ(shown(), "10000");
    tab->setActiveTab(3);
    EXPECT_EQ(shown(), "00010");
    EXPECT_EQ(labels[3]->geometry(), QRect(10, 40, 100, 20));
    PropertyBag bag;  // reading the store again leaves the controls on their tabs
    tab->model().WriteProperties(bag);
    tab->model().ReadProperties(bag);
    EXPECT_EQ(tab->TabOfControl(labels[1]), 1) << "after reading the store";
    EXPECT_EQ(shown(), "00010") << "after reading the store";
    labels[0]->hide();  // a control the host hid stays hidden when its page comes back
    tab->setActiveTab(0);
    EXPECT_EQ(shown(), "00000");
    auto* extra = new QLabel("extra");
    tab->AddControl(extra, 5, -1, -1, -1, 2);
    EXPECT_EQ(tab->ActiveTab(), 2);
    EXPECT_TRUE(extra->isVisibleTo(&host));
    EXPECT_EQ(extra->x(), 5);
    auto* stray = new QLabel("stray");
    tab->AddControl(stray, 0, 0, 10, 10, 5);  // outside the tabs: tab 0
    EXPECT_EQ(tab->ActiveTab(), 0) << "added to tab 5";
    EXPECT_EQ(tab->TabOfControl(stray), 0);
    auto* direct = new QLabel(tab->page(4));  // created straight on a page
    EXPECT_EQ(tab->TabOfControl(direct), 4);
    EXPECT_FALSE(direct->isVisibleTo(&host));
}

TEST_F(XTabWidget, PagesMoveWithTheirTabs) {
    tab->setActiveTab(2);
    tab->InsertTab(0, "new");
    EXPECT_EQ(tab->ActiveTab(), 3) << "after inserting at 0";
    EXPECT_EQ(shown(), "00100") << "after inserting at 0";
    tab->setActiveTab(1);  // the new tab's page is empty
    EXPECT_EQ(shown(), "00000");
    tab->RemoveTab(2);  // the old tab 1 with its label, never shown again
    EXPECT_EQ(tab->TabOfControl(labels[1]), -1);
    tab->InsertTab(4, "later");
    for (int i = 0; i < tab->TabCount(); ++i) {
        tab->setActiveTab(i);
        EXPECT_FALSE(labels[1]->isVisibleTo(&host)) << "tab " << i << " active";
    }
    // Shrinking past the active tab shows the last tab's page, without switch events; grown tabs get new pages.
    EventLog log(tab->model());
    tab->setTabCount(3);  // tabs: new, 0, 2
    EXPECT_EQ(tab->ActiveTab(), 2) << "shrunk to 3";
    EXPECT_EQ(shown(), "00100") << "shrunk to 3";
    tab->setTabCount(5);
    EXPECT_EQ(tab->TabOfControl(labels[3]), -1) << "grown to 5";
    EXPECT_EQ(log.events, Events{});
}

// A press that hides the page under it still gets its release; a double click's is no MouseDown.
TEST_F(XTabWidget, ClicksAndDoubleClicks) {
    Events log;
    auto add = [&](const char* e, int b) { log.push_back(e + std::to_string(b)); };
    QObject::connect(tab, &XTab::MouseDown, [&](int& b, int&, float&, float&) { add("Down", b); });
    QObject::connect(tab, &XTab::MouseUp, [&](int b, int, float, float) { add("Up", b); });
    QObject::connect(tab, &XTab::Click, [&] { log.push_back("Click"); });
    QObject::connect(tab, &XTab::DblClick, [&] { log.push_back("DblClick"); });
    ASSERT_NE(tab->childAt(170, 10), nullptr);  // the page covers the strip
    click(QPoint(170, 10));                     // tab 2
    EXPECT_EQ(tab->ActiveTab(), 2);
    EXPECT_EQ(log, (Events{"Down1", "Up1", "Click"}));
    click(QPoint(250, 100));  // on the page below the strip: a click of the strip as well
    EXPECT_EQ(log.size(), 6u) << "a click on the page";
    EXPECT_EQ(shown(), "00100") << "a click on the page";
    log.clear();
    QTest::mouseDClick(window(), Qt::LeftButton, Qt::NoModifier, QPoint(100, 10));
    EXPECT_EQ(log, (Events{"Down1", "Up1", "Click", "DblClick", "Up1"}));
    EXPECT_EQ(tab->ActiveTab(), 1);
    click(QPoint(250, 10), Qt::RightButton);
    EXPECT_EQ(tab->ActiveTab(), 1) << "right click on tab 3";
    const TabRect r = tab->model().tab(4).rect;  // the last pixel column of a tab is that tab's
    click(QPoint(r.right, r.bottom));
    EXPECT_EQ(tab->ActiveTab(), 4) << "click at " << r.right << "," << r.bottom;
}

// The keys that switch tabs, as a user presses them with the strip focused: the window's key codes and Ctrl reach
// the strip (its rules, wrapping and Ctrl, are the model's).
TEST_F(XTabWidget, KeysThroughTheWindow) {
    host.activateWindow();  // keys reach only the active window (a real X server activates none by itself)
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    click(QPoint(350, 10));  // tab 4, which takes the focus
    ASSERT_TRUE(tab->hasFocus());
    const std::tuple<Qt::Key, Qt::KeyboardModifiers, int> keys[] = {{Qt::Key_Right, {}, 0},
                                                                    {Qt::Key_PageUp, Qt::ControlModifier, 4},
                                                                    {Qt::Key_PageDown, {}, 4},
                                                                    {Qt::Key_PageDown, Qt::ControlModifier, 0},
                                                                    {Qt::Key_Left, {}, 4}};
    for (const auto& [key, modifiers, expected] : keys) {
        QTest::keyClick(window(), key, modifiers);
        EXPECT_EQ(tab->ActiveTab(), expected) << QKeySequence(key | modifiers).toString().toStdString();
    }
}

// The host's MouseDown handler gets the press by reference, and the strip handles what it left there.
TEST_F(XTabWidget, MouseDownHandlerDecidesThePress) {
    std::function<void(int&, float&, float&)> edit;
    QObject::connect(tab, &XTab::MouseDown, [&](int& b, int&, float& x, float& y) { edit(b, x, y); });
    const struct {
        const char* what;
        std::function<void(int&, float&, float&)> edit;
        QPoint at;
        Qt::MouseButton button;
        int active;
    } cases[] = {
        {"left press made a right one", [](int& b, float&, float&) { b = 2; }, {170, 10}, Qt::LeftButton, 0},
        {"press moved onto tab 4", [](int&, float& x, float&) { x = 330; }, {170, 10}, Qt::LeftButton, 4},
        {"press moved below the strip", [](int&, float&, float& y) { y = 150; }, {90, 10}, Qt::LeftButton, 4},
        {"right press made a left one", [](int& b, float&, float&) { b = 1; }, {90, 10}, Qt::RightButton, 1},
    };
    for (const auto& c : cases) {
        edit = c.edit;
        click(c.at, c.button);
        EXPECT_EQ(tab->ActiveTab(), c.active) << c.what;
        EXPECT_EQ(shown()[static_cast<std::size_t>(c.active)], '1') << c.what << ": page shown";
    }
}

// Enabled read from the store enables or disables the strip with its pages.
TEST_F(XTabWidget, EnabledFromTheStoreTakesEffect) {
    PropertyBag stored;  // Enabled True is left out at its default
    tab->model().WriteProperties(stored);
    PropertyBag off = stored;
    off.write("Enabled", false, true);
    tab->model().ReadProperties(off);
    EXPECT_FALSE(tab->isEnabled()) << "strip after reading Enabled False";
    EXPECT_FALSE(labels[0]->isEnabled()) << "control on the page after reading Enabled False";
    click(QPoint(170, 10));
    EXPECT_EQ(tab->ActiveTab(), 0) << "click on tab 2 of a disabled strip";
    tab->model().ReadProperties(stored);
    EXPECT_TRUE(tab->isEnabled()) << "strip after reading Enabled at its default";
    click(QPoint(170, 10));
    EXPECT_EQ(tab->ActiveTab(), 2) << "click on tab 2 after enabling";
    tab->model().set(&XTabProps::Enabled, false);
    EXPECT_FALSE(tab->isEnabled()) << "strip after setting Enabled False";
}

// What the window system reports for a window the user drags or sizes: the event comes from outside the program.
void user_event(QWidget& w, QEvent& e) {
    QSpontaneKeyEvent::setSpontaneous(&e);
    qApp->notify(&w, &e);
}

// The Status texts come while the user moves or sizes the window, not for the program's own moves and sizes.
TEST_F(XTabWidget, StatusOnlyForTheUsersMovesAndSizes) {
    Events log;
    QObject::connect(&tab->model(), &XTabModel::Status, [&](const QString& t) { log.push_back(t.toStdString()); });
    host.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    host.move(40, 50);
    host.resize(520, 320);
    QMoveEvent confirmed(host.pos(), host.pos());  // the window system confirms the program's move and size
    user_event(host, confirmed);
    QResizeEvent confirmed_size(host.size(), host.size());
    user_event(host, confirmed_size);
    QTest::qWait(500);
    EXPECT_EQ(log, Events{}) << "the program moved and sized the window";
    QMoveEvent drag1(host.pos() + QPoint(5, 0), host.pos());
    QMoveEvent drag2(host.pos() + QPoint(9, 2), host.pos() + QPoint(5, 0));
    user_event(host, drag1);
    user_event(host, drag2);
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.size() == 3; }, 5000)) << "the move did not finish";
    EXPECT_EQ(log, (Events{"Form is moving...", "Form is moving...", "Finished Moving."})) << "user moves";
    log.clear();
    QResizeEvent size(QSize(530, 330), host.size());
    user_event(host, size);
    EXPECT_TRUE(QTest::qWaitFor([&] { return log.size() == 2; }, 5000)) << "the sizing did not finish";
    EXPECT_EQ(log, (Events{"Form is sizing...", "Finished Sizing."})) << "user sizes";
}

// What the strip's open dialog asks for, and answers with.
struct RecordingDialogs : FileDialogs {
    std::vector<FileDialogRequest> asked;
    std::optional<std::string> answer;
    std::optional<std::string> show_open(const FileDialogRequest& r) override {
        asked.push_back(r);
        return answer;
    }
    std::optional<std::string> show_save(const FileDialogRequest&) override { return std::nullopt; }
};

TEST(XTabFileOpenDialog, AsksForAnOpenFileDialogAndTrimsTheAnswer) {
    RecordingDialogs d;
    d.answer = "  /music/set 1.ktv  ";
    EXPECT_EQ(XTabModel::ShowFileOpenDialog(d, "/music", "").toStdString(), "/music/set 1.ktv") << "chosen path";
    d.answer.reset();
    EXPECT_EQ(XTabModel::ShowFileOpenDialog(d, "", "Pictures|*.bmp").toStdString(), "") << "cancelled";
    ASSERT_EQ(d.asked.size(), 2u);
    EXPECT_EQ(d.asked[0].title, "Open File") << "title";
    EXPECT_EQ(d.asked[0].filter, "All Files (*.*)|*.*") << "filter for an empty one";
    EXPECT_EQ(d.asked[0].init_dir, "/music") << "start folder";
    EXPECT_EQ(d.asked[1].filter, "Pictures|*.bmp") << "filter given";
}

// The dialog the user sees on the window system carries the title.
TEST(XTabFileOpenDialog, TheShownDialogIsTitledOpenFile) {
    QString title = QStringLiteral("(no dialog)");
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* d = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!d) return;
        poll.stop();
        title = d->windowTitle();
        d->reject();
    });
    poll.start(10);
    QtFileDialogs dialogs;
    EXPECT_EQ(XTabModel::ShowFileOpenDialog(dialogs, QString(), QString()).toStdString(), "") << "cancelled";
    EXPECT_EQ(title.toStdString(), "Open File") << "window title";
}

}  // namespace
}  // namespace tuner
