// Driving the real window as a user does (input to the top-level QWindow), the unit's frames, pictures.
#pragma once

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include "controls/slider.h"
#include "core/frame_protocol.h"
#include "core/image_match.h"
#include "support/golden.h"
#include "tabs/xtab.h"

#include "window_fixture.h"

namespace tuner::testing {

inline void show_window(WindowUnderTest& w) {
    w.frm->show();
    w.frm->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(w.frm.get()));
}

inline void show_and_connect(WindowUnderTest& w) {
    show_window(w);
    ASSERT_TRUE(w.connect());
    w.ticks(40);
    EXPECT_EQ(QApplication::activeWindow(), w.frm.get()) << "the keyboard after the whole-state read";
}

inline QWidget* widget_of(WindowUnderTest& w, const std::string& name) { return w.frm->registry().widget(name); }

inline QWindow* handle(WindowUnderTest& w) { return w.frm->windowHandle(); }
inline QPoint in_window(WindowUnderTest& w, QWidget* widget, QPoint local) { return widget->mapTo(w.frm.get(), local); }

inline void click_at(QWindow* win, QPoint at) {
    QTest::mouseMove(win, at);
    QTest::mouseClick(win, Qt::LeftButton, {}, at);
    QCoreApplication::processEvents();
}
inline void click_at(WindowUnderTest& w, QPoint at) { click_at(handle(w), at); }

// The control (or one of its parts) is the first thing under the pointer at `at` in the window.
inline bool lands_on(WindowUnderTest& w, QWidget* c, QPoint at) {
    QWidget* hit = w.frm->childAt(at);
    return hit == c || c->isAncestorOf(hit);
}

// A left click on a control's middle (or `local`), which must be shown and uncovered there.
inline void click(WindowUnderTest& w, const std::string& object_name, QPoint local = {-1, -1}) {
    QWidget* c = widget_of(w, object_name);
    ASSERT_NE(c, nullptr) << object_name;
    const QPoint at = in_window(w, c, local.x() < 0 ? c->rect().center() : local);
    EXPECT_TRUE(lands_on(w, c, at)) << object_name << " is covered";
    click_at(w, at);
}

// `held` runs with the button still down at the end, to see what the window shows during the drag.
inline void drag(WindowUnderTest& w, QWidget* c, QPoint from, QPoint to, int steps = 6,
                 const std::function<void()>& held = {}) {
    const QPoint a = in_window(w, c, from), b = in_window(w, c, to);
    QTest::mouseMove(handle(w), a);
    QTest::mousePress(handle(w), Qt::LeftButton, {}, a);
    for (int i = 1; i <= steps; ++i) QTest::mouseMove(handle(w), a + (b - a) * i / steps);
    if (held) {
        QCoreApplication::processEvents();
        held();
    }
    QTest::mouseRelease(handle(w), Qt::LeftButton, {}, b);
    QCoreApplication::processEvents();
}

inline void key(WindowUnderTest& w, Qt::Key k, Qt::KeyboardModifiers held = {}) {
    QTest::keyClick(handle(w), k, held);
    QCoreApplication::processEvents();
}
inline void type(WindowUnderTest& w, const std::string& text) {
    for (char ch : text) QTest::keyClick(handle(w), ch);
    QCoreApplication::processEvents();
}

inline void enter_value(WindowUnderTest& w, const std::string& box, const std::string& text) {
    click(w, box);
    type(w, text);
    key(w, Qt::Key_Return);
}

// A click on tab `t` of a tab strip ("ucXTab1": MUSIC, MIC, EFFECT, MAIN OUT, SUB OUT).
inline void click_tab(WindowUnderTest& w, int t, const char* strip = "ucXTab1") {
    auto* tabs = w.frm->registry().get<XTab>(strip);
    ASSERT_NE(tabs, nullptr);
    const TabRect& r = tabs->model().tab(t).rect;
    click_at(w, in_window(w, tabs, QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2)));
    ASSERT_EQ(tabs->model().ActiveTab(), t);
}

// The pointer off every control, so that no slider takes Up and Down through its wheel capture.
inline void park_pointer(WindowUnderTest& w) {
    QTest::mouseMove(handle(w), QPoint(w.frm->width() - 2, w.frm->height() - 2));
    QCoreApplication::processEvents();
}

// Wheel notches (+1 away from the user) over a control.
inline void wheel(WindowUnderTest& w, const std::string& object_name, int notches) {
    QWidget* c = widget_of(w, object_name);
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
    click_at(w, bar->mapTo(w.frm.get(), bar->actionGeometry(menu ? menu->menuAction() : a).center()));
    if (!menu) return;
    ASSERT_TRUE(QTest::qWaitForWindowExposed(menu)) << entry;
    click_at(menu->windowHandle(), menu->actionGeometry(a).center());
}

inline std::vector<FrameImage> writes_of(const SimulatedUnit& unit, uint8_t command, std::size_t from) {
    std::vector<FrameImage> out;
    std::copy_if(unit.received.begin() + from, unit.received.end(), std::back_inserter(out),
                 [&](const FrameImage& f) { return f[hid_frame::command] == command && f[hid_frame::RWS] == rws::W; });
    return out;
}

// The writes of a command that `act` and the ticks after it sent.
template <class Act>
std::vector<FrameImage> writes_after(WindowUnderTest& w, uint8_t command, Act act, int ticks = 4) {
    const std::size_t from = w.unit.received.size();
    act();
    w.ticks(ticks);
    return writes_of(w.unit, command, from);
}
// The last of them (zeros and a failure when none); `once`: the only one.
template <class Act>
FrameImage write_after(WindowUnderTest& w, uint8_t command, Act act, int ticks = 4, bool once = false) {
    const auto frames = writes_after(w, command, act, ticks);
    if (once) {
        EXPECT_EQ(frames.size(), 1u) << "writes of command " << int{command};
    } else {
        EXPECT_FALSE(frames.empty()) << "no write of command " << int{command};
    }
    return frames.empty() ? FrameImage{} : frames.back();
}

// The parameter bytes (8..163) of every frame image in which `now` differs from `before`, as "frame:byte" texts
// (frames 0..9 EQ, 10 general, 11 effect).
inline std::vector<std::string> changed_bytes(const ParamImage& before, const ParamImage& now) {
    std::vector<std::string> out;
    for (std::size_t f = 0; f < 12; ++f)
        for (std::size_t i = hid_frame::payload; i <= hid_frame::payload_end; ++i)
            if (before.frame(f)[i] != now.frame(f)[i]) out.push_back(std::to_string(f) + ":" + std::to_string(i));
    return out;
}

inline ::testing::AssertionResult same_payload(const FrameImage& a, const FrameImage& b) {
    return same_frame_bytes(a, b, hid_frame::payload, hid_frame::payload_end + 1);
}

inline std::string text_of(WindowUnderTest& w, const std::string& name, int index = -1) {
    return w.frm->view().text(Ctl{name, index});
}

inline QPoint thumb_centre(xiSlider* s, int32_t value) {
    const SliderModel& m = s->model();
    return m.vertical() ? QPoint(m.surface_w() / 2, static_cast<int>(m.position_of(value) + m.thumb_h() / 2.0f))
                        : QPoint(static_cast<int>(m.position_of(value) + m.thumb_w() / 2.0f), m.surface_h() / 2);
}

// The window, the pointer parked on its lower right corner and no focus: no hover or caret enters the picture.
inline QImage still_picture(WindowUnderTest& w) {
    const QPoint corner(w.frm->width() - 1, w.frm->height() - 1);
    QTest::mouseMove(handle(w), corner);
    QCursor::setPos(w.frm->mapToGlobal(corner));
    if (QWidget* focus = QApplication::focusWidget()) focus->clearFocus();
    return w.frm->grab().toImage();
}

// The whole window in both languages on every channel tab, against window_en_tab0.png .. window_zh_tab4.png.
inline void expect_window_pictures(WindowUnderTest& w) {
    auto* strip = w.frm->registry().get<XTab>("ucXTab1");
    for (const uint8_t language : {uint8_t{1}, uint8_t{0}}) {  // English, Chinese
        w.frm->state().Language = language;
        w.frm->display().set_all_dis();
        for (int t = 0; t < strip->TabCount(); ++t) {
            strip->setActiveTab(t);
            w.ticks(4);
            EXPECT_GOLDEN(still_picture(w),
                          std::string("window_") + (language ? "en" : "zh") + "_tab" + std::to_string(t));
        }
    }
}

}  // namespace tuner::testing
