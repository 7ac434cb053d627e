// The tab strip's events as a host receives them, each argument as the window system delivered the input: mouse
// button and shift codes, pixel positions, key and character codes, tab indexes; and the errors its members raise,
// with number, text and source.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <QApplication>
#include <QTest>

#include "tabs/xtab.h"

namespace tuner {
namespace {

using Log = std::vector<std::string>;

std::string xy(float x, float y) { return std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)); }

// Five tabs on a 400-pixel strip in a shown, active window; every host event recorded with its arguments.
struct XTabEventArgs : ::testing::Test {
    QWidget host;
    XTab* tab = new XTab(&host);
    Log log;

    void SetUp() override {
        host.resize(500, 300);
        tab->setGeometry(20, 30, 400, 200);
        tab->setTabCount(5);
        XTabModel& m = tab->model();
        QObject::connect(tab, &XTab::MouseDown, [this](int& b, int& s, float& x, float& y) {
            add("MouseDown " + std::to_string(b) + " " + std::to_string(s) + " " + xy(x, y));
        });
        QObject::connect(tab, &XTab::MouseUp, [this](int b, int s, float x, float y) {
            add("MouseUp " + std::to_string(b) + " " + std::to_string(s) + " " + xy(x, y));
        });
        QObject::connect(tab, &XTab::MouseMove, [this](int b, int s, float x, float y) {
            add("MouseMove " + std::to_string(b) + " " + std::to_string(s) + " " + xy(x, y));
        });
        QObject::connect(tab, &XTab::KeyDown,
                         [this](int& k, int& s) { add("KeyDown " + std::to_string(k) + " " + std::to_string(s)); });
        QObject::connect(tab, &XTab::KeyUp,
                         [this](int& k, int& s) { add("KeyUp " + std::to_string(k) + " " + std::to_string(s)); });
        QObject::connect(tab, &XTab::KeyPress, [this](int& c) { add("KeyPress " + std::to_string(c)); });
        QObject::connect(tab, &XTab::Click, [this] { add("Click"); });
        QObject::connect(tab, &XTab::DblClick, [this] { add("DblClick"); });
        QObject::connect(&m, &XTabModel::BeforeTabSwitch, [this](int n, bool&) { add("Before " + std::to_string(n)); });
        QObject::connect(&m, &XTabModel::TabSwitch, [this](int last) { add("Switch " + std::to_string(last)); });
        QObject::connect(&m, &XTabModel::TabRemove, [this](int i) { add("Remove " + std::to_string(i)); });
        QObject::connect(&m, &XTabModel::TabInsert, [this](int i) { add("Insert " + std::to_string(i)); });
        QObject::connect(&m, &XTabModel::MouseEnter, [this] { add("Enter"); });
        QObject::connect(&m, &XTabModel::MouseLeave, [this] { add("Leave"); });
        QObject::connect(&m, &XTabModel::MouseHover,
                         [this](int t, float x, float y) { add("Hover " + std::to_string(t) + " " + xy(x, y)); });
        QObject::connect(&m, &XTabModel::ControlBoxEnter, [this] { add("BoxEnter"); });
        QObject::connect(&m, &XTabModel::ControlBoxExit, [this] { add("BoxExit"); });
        QObject::connect(&m, &XTabModel::ControlBoxHover, [this](float x, float y) { add("BoxHover " + xy(x, y)); });
        QObject::connect(&m, &XTabModel::ControlBoxMouseDown,
                         [this](float x, float y) { add("BoxDown " + xy(x, y)); });
        QObject::connect(&m, &XTabModel::ControlBoxMouseUp, [this](float x, float y) { add("BoxUp " + xy(x, y)); });
        host.show();
        host.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&host));
    }
    void add(std::string e) { log.push_back(std::move(e)); }
    // Only the entries that start with `kind`.
    Log only(const std::string& kind) const {
        Log v;
        for (const std::string& e : log) {
            if (e.rfind(kind, 0) == 0) v.push_back(e);
        }
        return v;
    }
    QWindow* window() { return host.windowHandle(); }
    // A point of the strip (its own pixels) in the window.
    QPoint at(int x, int y) const { return tab->mapTo(&host, QPoint(x, y)); }
};

// Button 1 left, 2 right, 4 middle; Shift 1 with Shift held, 2 with Ctrl, 4 with Alt, added up; X and Y the pixel
// in the strip. A Ctrl click on a tab still switches to it.
TEST_F(XTabEventArgs, MouseDownAndUpCarryButtonShiftAndPosition) {
    struct Case {
        Qt::MouseButton button;
        Qt::KeyboardModifiers held;
        QPoint pos;
        Log expected;
    };
    const Case cases[] = {
        {Qt::LeftButton, {}, {250, 100}, {"MouseDown 1 0 250 100", "MouseUp 1 0 250 100"}},
        {Qt::LeftButton, Qt::ControlModifier, {170, 10}, {"MouseDown 1 2 170 10", "MouseUp 1 2 170 10"}},
        {Qt::LeftButton, Qt::ShiftModifier, {31, 150}, {"MouseDown 1 1 31 150", "MouseUp 1 1 31 150"}},
        {Qt::RightButton, Qt::AltModifier, {399, 5}, {"MouseDown 2 4 399 5", "MouseUp 2 4 399 5"}},
        {Qt::MiddleButton, Qt::ControlModifier | Qt::ShiftModifier, {0, 199}, {"MouseDown 4 3 0 199", "MouseUp 4 3 0 199"}},
    };
    for (const Case& c : cases) {
        log.clear();
        QTest::mouseClick(window(), c.button, c.held, at(c.pos.x(), c.pos.y()));
        Log got = only("MouseDown");
        const Log ups = only("MouseUp");
        got.insert(got.end(), ups.begin(), ups.end());
        EXPECT_EQ(got, c.expected) << "click at " << c.pos.x() << "," << c.pos.y();
        if (c.pos == QPoint(170, 10)) {
            EXPECT_EQ(tab->ActiveTab(), 2) << "Ctrl click on tab 2";
            EXPECT_EQ(only("Before"), Log{"Before 2"}) << "BeforeTabSwitch of the Ctrl click";
            EXPECT_EQ(only("Switch"), Log{"Switch 0"}) << "TabSwitch of the Ctrl click: the tab before";
        }
    }
}

// MouseMove's Button is the set of buttons held (0 for none, 1 while the left one is down).
TEST_F(XTabEventArgs, MouseMoveCarriesTheButtonsHeld) {
    QTest::mouseMove(window(), at(300, 120));
    QTest::mouseMove(window(), at(301, 121));
    EXPECT_EQ(only("MouseMove").back(), "MouseMove 0 0 301 121") << "a move with no button held";
    QTest::mousePress(window(), Qt::LeftButton, {}, at(301, 121));
    QTest::mouseMove(window(), at(305, 130));
    EXPECT_EQ(only("MouseMove").back(), "MouseMove 1 0 305 130") << "a move with the left button held";
    QTest::mouseRelease(window(), Qt::LeftButton, {}, at(305, 130));
}

// Entering and leaving the strip; MouseHover under a hover theme names the tab under the pointer and the pixel.
TEST_F(XTabEventArgs, EnterLeaveAndHover) {
    tab->model().setTabTheme(1);
    QTest::mouseMove(window(), at(460 - 20, 250 - 30));  // beside the strip
    log.clear();
    const TabRect r0 = tab->model().tab(0).rect;
    QTest::mouseMove(window(), at(r0.left + 7, r0.top + 5));
    QTest::mouseMove(window(), at(r0.left + 9, r0.top + 6));
    EXPECT_EQ(only("Enter"), Log{"Enter"}) << "entering the strip";
    const std::string hover = "Hover 0 " + std::to_string(r0.left + 9) + " " + std::to_string(r0.top + 6);
    EXPECT_EQ(only("Hover").back(), hover) << "hovering over the active tab 0";
    QTest::mouseMove(window(), QPoint(470, 280));  // out of the strip
    EXPECT_TRUE(QTest::qWaitFor([&] { return !only("Leave").empty(); }, 2000)) << "no MouseLeave";
    EXPECT_EQ(only("Leave"), Log{"Leave"}) << "leaving the strip";
}

// The close box of tab 2 of five: pressed and released there, it raises its X and Y, then TabRemove(2).
TEST_F(XTabEventArgs, CloseBoxEventsCarryThePosition) {
    tab->model().set(&XTabProps::UseControlBox, true);
    const TabRect box = tab->model().tab(2).box;
    ASSERT_GT(box.right, box.left) << "close box of tab 2";
    const int x = box.left + 2, y = box.top + 2;
    QTest::mouseMove(window(), at(x, y));
    log.clear();
    QTest::mouseClick(window(), Qt::LeftButton, {}, at(x, y));
    EXPECT_EQ(only("BoxDown"), Log{"BoxDown " + std::to_string(x) + " " + std::to_string(y)}) << "ControlBoxMouseDown";
    EXPECT_EQ(only("BoxUp"), Log{"BoxUp " + std::to_string(x) + " " + std::to_string(y)}) << "ControlBoxMouseUp";
    EXPECT_EQ(only("Remove"), Log{"Remove 2"}) << "TabRemove";
    EXPECT_EQ(tab->TabCount(), 4) << "TabCount after the close box";
}

// Keys with the strip focused: KeyDown and KeyUp carry the virtual-key code and the shift state, KeyPress each
// typed character ("a" 97); Delete and Alt with a key type nothing. The keypad has its own codes, a shifted digit
// the digit's code, a punctuation key the code of its key.
TEST_F(XTabEventArgs, KeyCodesShiftAndCharacters) {
    QTest::mouseClick(window(), Qt::LeftButton, {}, at(30, 10));  // tab 0 takes the focus
    ASSERT_TRUE(tab->hasFocus());
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers mods;
        const char* text;
        Log expected;
    };
    const Qt::KeyboardModifiers pad = Qt::KeypadModifier;
    std::vector<Case> cases = {
        {Qt::Key_A, {}, "a", {"KeyDown 65 0", "KeyPress 97", "KeyUp 65 0"}},
        {Qt::Key_A, Qt::ShiftModifier, "A", {"KeyDown 65 1", "KeyPress 65", "KeyUp 65 1"}},
        {Qt::Key_A, Qt::ControlModifier, "\x01", {"KeyDown 65 2", "KeyPress 1", "KeyUp 65 2"}},
        {Qt::Key_Q, Qt::AltModifier | Qt::ShiftModifier, "Q", {"KeyDown 81 5", "KeyUp 81 5"}},
        {Qt::Key_Q, Qt::AltModifier | Qt::ControlModifier, "q", {"KeyDown 81 6", "KeyUp 81 6"}},
        {Qt::Key_Return, {}, "\r", {"KeyDown 13 0", "KeyPress 13", "KeyUp 13 0"}},
        {Qt::Key_Escape, {}, "\x1b", {"KeyDown 27 0", "KeyPress 27", "KeyUp 27 0"}},
        {Qt::Key_Delete, {}, "\x7f", {"KeyDown 46 0", "KeyUp 46 0"}},
        {Qt::Key_Semicolon, {}, ";", {"KeyDown 186 0", "KeyPress 59", "KeyUp 186 0"}},
        {Qt::Key_Exclam, Qt::ShiftModifier, "!", {"KeyDown 49 1", "KeyPress 33", "KeyUp 49 1"}},
        {Qt::Key_Help, {}, "", {"KeyDown 47 0", "KeyUp 47 0"}},
        {Qt::Key_F1, {}, "", {"KeyDown 112 0", "KeyUp 112 0"}},
        {Qt::Key_Slash, pad, "/", {"KeyDown 111 0", "KeyPress 47", "KeyUp 111 0"}},
        {Qt::Key_Right, {}, "", {"KeyDown 39 0", "KeyUp 39 0"}},
        {Qt::Key_PageDown, Qt::ControlModifier, "", {"KeyDown 34 2", "KeyUp 34 2"}},
        {Qt::Key_PageUp, Qt::ControlModifier | Qt::ShiftModifier, "", {"KeyDown 33 3", "KeyUp 33 3"}},
        {Qt::Key_Left, {}, "", {"KeyDown 37 0", "KeyUp 37 0"}},
    };
    for (int i = 0; i < 10; ++i) {
        const std::string code = std::to_string(96 + i);
        cases.push_back({static_cast<Qt::Key>(Qt::Key_0 + i), pad, nullptr,
                         {"KeyDown " + code + " 0", "KeyPress " + std::to_string(48 + i), "KeyUp " + code + " 0"}});
    }
    for (const Case& c : cases) {
        log.clear();
        const QString text = c.text ? QString::fromUtf8(c.text) : QString(QChar(c.key));
        QTest::simulateEvent(window(), true, c.key, c.mods, text, false);
        QTest::simulateEvent(window(), false, c.key, c.mods, text, false);
        Log keys;
        for (const std::string& e : log) {
            if (e.rfind("Key", 0) == 0) keys.push_back(e);
        }
        EXPECT_EQ(keys, c.expected) << "Qt key 0x" << std::hex << c.key << " modifiers 0x" << c.mods.toInt();
    }
    // Right, Ctrl+Page Down, Ctrl+Shift+Page Up and Left from tab 0: 1, 2, 1, 0.
    EXPECT_EQ(tab->ActiveTab(), 0) << "after the navigation keys";
}

// Every error the strip raises: its number, text and source.
TEST(XTabErrors, NumberTextAndSource) {
    XTab tab;
    tab.setTabCount(3);
    XTabModel& m = tab.model();
    auto error_of = [](const std::function<void()>& f) -> std::string {
        try {
            f();
        } catch (const ControlError& e) {
            return std::to_string(e.number()) + " " + e.source() + ": " + e.what();
        }
        return "no error";
    };
    const std::pair<const char*, std::function<void()>> calls[] = {
        {"9 ucXTab.TabPicture: Subscript out of range", [&] { m.TabPicture(99); }},
        {"9 ucXTab.TabPicture: Subscript out of range", [&] { m.setTabPicture(3, QImage()); }},
        {"9 ucXTab.TabCaption: Subscript out of range", [&] { m.setTabCaption(3, "x"); }},
        {"9 ucXTab.TabEnabled: Subscript out of range", [&] { m.setTabEnabled(-1, false); }},
        {"9 ucXTab.RemoveTabImages: Subscript out of range", [&] { m.RemoveTabImages(3, false); }},
        {"9 ucXTab.InsertTab: Subscript out of range", [&] { m.InsertTab(3, "x"); }},
        {"9 ucXTab.RemoveTab: Subscript out of range", [&] { m.RemoveTab(-1); }},
        {"9 ucXTab.AryTabs: Subscript out of range", [&] { m.tab(3); }},
        {"9 ucXTab.page: Subscript out of range", [&] { tab.page(3); }},
        {"380 ucXTab.TabCount: Invalid property value", [&] { tab.setTabCount(0); }},
        {"380 ucXTab.TabCount: Invalid property value", [&] { m.setTabCount(-1); }},
    };
    for (const auto& [expected, call] : calls) EXPECT_EQ(error_of(call), expected);
    EXPECT_EQ(m.TabCount(), 3) << "TabCount after the refused calls";
    EXPECT_EQ(m.TabCaption(2).toStdString(), "Tab 2") << "caption of tab 2 after the refused calls";
    EXPECT_TRUE(m.TabEnabled(0)) << "tab 0 after the refused calls";

    // A strip that holds the most tabs it can takes no more.
    XTabModel full;
    full.setTabCount(4096);
    EXPECT_EQ(error_of([&] { full.setTabCount(4097); }), "380 ucXTab.TabCount: Invalid property value");
    EXPECT_EQ(error_of([&] { full.InsertTab(0, "x"); }), "380 ucXTab.InsertTab: Invalid property value");
    EXPECT_EQ(full.TabCount(), 4096) << "TabCount of the full strip after the refused calls";
}

}  // namespace
}  // namespace tuner
