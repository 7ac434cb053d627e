// Driving the real window as a user does: pointer and keys go to the
// top-level window's QWindow (the window system routes them to the widget
// under the pointer or with the focus), and the frames the simulated unit
// received are picked out by command.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>
#include <QWindow>

#include <gtest/gtest.h>

#include "controls/slider.h"
#include "core/frame_protocol.h"
#include "tabs/xtab.h"
#include "window_fixture.h"

namespace tuner::testing {

// Shows the window, connects to the unit and lets the whole-state read finish.
inline void show_and_connect(WindowUnderTest& w) {
    w.frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.frm.get()));
    w.frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.frm.get()));
    ASSERT_TRUE(w.connect());
    w.ticks(40);
    // The progress wait of the whole-state read left the keyboard with the window.
    EXPECT_EQ(QApplication::activeWindow(), w.frm.get());
}

inline void show_window(WindowUnderTest& w) {
    w.frm->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(w.frm.get()));
    w.frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.frm.get()));
}

inline QWidget* widget_of(WindowUnderTest& w, const std::string& object_name) {
    QWidget* found = w.frm->registry().widget(object_name);
    EXPECT_NE(found, nullptr) << object_name;
    return found;
}

// A point of a widget in the top-level window's coordinates.
inline QPoint in_window(WindowUnderTest& w, QWidget* widget, QPoint local) { return widget->mapTo(w.frm.get(), local); }

inline QWindow* handle(WindowUnderTest& w) { return w.frm->windowHandle(); }

// A left click on the middle of a control (or at `local` in it).
inline void click(WindowUnderTest& w, const std::string& object_name, QPoint local = {-1, -1}) {
    QWidget* c = widget_of(w, object_name);
    if (!c) return;
    if (local.x() < 0) local = c->rect().center();
    const QPoint at = in_window(w, c, local);
    // The pointer must land on the control itself (it is shown and nothing lies over it).
    QWidget* hit = w.frm->childAt(at);
    EXPECT_TRUE(hit == c || c->isAncestorOf(hit))
        << object_name << " is covered by " << (hit ? hit->objectName().toStdString() : "nothing");
    QTest::mouseMove(handle(w), at);
    QTest::mouseClick(handle(w), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}

inline void drag(WindowUnderTest& w, QWidget* c, QPoint from, QPoint to, int steps = 6) {
    const QPoint a = in_window(w, c, from), b = in_window(w, c, to);
    QTest::mouseMove(handle(w), a);
    QTest::mousePress(handle(w), Qt::LeftButton, {}, a);
    for (int i = 1; i <= steps; ++i) QTest::mouseMove(handle(w), a + (b - a) * i / steps);
    QTest::mouseRelease(handle(w), Qt::LeftButton, {}, b);
    QCoreApplication::processEvents();
}

// Keys to the window: they reach the widget with the focus.
inline void key(WindowUnderTest& w, Qt::Key k) {
    QTest::keyClick(handle(w), k);
    QCoreApplication::processEvents();
}
inline void type(WindowUnderTest& w, const std::string& text) {
    for (char ch : text) QTest::keyClick(handle(w), ch);
    QCoreApplication::processEvents();
}

// A click on tab `t` of a tab strip ("ucXTab1": MUSIC, MIC, EFFECT, MAIN OUT, SUB OUT).
inline void click_tab(WindowUnderTest& w, int t, const char* strip = "ucXTab1") {
    auto* tabs = w.frm->registry().get<XTab>(strip);
    ASSERT_NE(tabs, nullptr);
    const TabRect& r = tabs->model().tab(t).rect;
    const QPoint at = in_window(w, tabs, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2));
    QTest::mouseMove(handle(w), at);
    QTest::mouseClick(handle(w), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    ASSERT_EQ(tabs->model().ActiveTab(), t);
}

// Click into a box, type, Enter.
inline void enter_value(WindowUnderTest& w, const std::string& box, const std::string& text) {
    click(w, box);
    type(w, text);
    key(w, Qt::Key_Return);
}

// One wheel notch (+1 away from the user) over a control.
inline void wheel(WindowUnderTest& w, const std::string& object_name, int notches) {
    QWidget* c = widget_of(w, object_name);
    if (!c) return;
    const QPoint at = in_window(w, c, c->rect().center());
    QTest::mouseMove(handle(w), at);
    QCoreApplication::processEvents();
    QWheelEvent e(QPointF(at), QPointF(w.frm->mapToGlobal(at)), QPoint(), QPoint(0, 120 * notches), Qt::NoButton,
                  Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(handle(w), &e);
    QCoreApplication::processEvents();
}

// Chooses a menu entry with the pointer: its group on the menu bar, then the entry in the popup.
inline void choose(WindowUnderTest& w, const std::string& entry) {
    auto* a = qobject_cast<QAction*>(w.frm->registry().object(entry));
    ASSERT_NE(a, nullptr) << entry;
    QMenuBar* bar = w.frm->menuBar();
    QMenu* menu = nullptr;
    for (QAction* top : bar->actions())
        if (top->menu() && top->menu()->actions().contains(a)) menu = top->menu();
    QAction* top = menu ? menu->menuAction() : a;
    const QPoint at = bar->mapTo(w.frm.get(), bar->actionGeometry(top).center());
    QTest::mouseMove(handle(w), at);
    QTest::mouseClick(handle(w), Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
    if (!menu) return;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu)) << entry;
    const QPoint in_menu = menu->actionGeometry(a).center();
    QTest::mouseMove(menu->windowHandle(), in_menu);
    QTest::mouseClick(menu->windowHandle(), Qt::LeftButton, {}, in_menu);
    QCoreApplication::processEvents();
}

// Writes of one command the unit received from position `from` on.
inline std::vector<FrameImage> writes_of(const SimulatedUnit& unit, uint8_t command, std::size_t from = 0) {
    std::vector<FrameImage> out;
    for (std::size_t i = from; i < unit.received.size(); ++i) {
        const FrameImage& f = unit.received[i];
        if (f[hid_frame::command] == command && f[hid_frame::RWS] == rws::W) out.push_back(f);
    }
    return out;
}

// The value text and slider of a parameter as the window shows them.
inline std::string text_of(WindowUnderTest& w, const std::string& name, int index = -1) {
    return w.frm->view().text(Ctl{name, index});
}

// The centre of a slider's thumb for a value, in the slider's pixels.
inline QPoint thumb_centre(xiSlider* s, int32_t value) {
    const SliderModel& m = s->model();
    const float along = m.position_of(value);
    return m.vertical() ? QPoint(m.surface_w() / 2, static_cast<int>(along + m.thumb_h() / 2.0f))
                        : QPoint(static_cast<int>(along + m.thumb_w() / 2.0f), m.surface_h() / 2);
}

}  // namespace tuner::testing
