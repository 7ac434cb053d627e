// What the screen holds: the window system's copy of a widget's top-level
// window, cut to the widget's area, once the pending events (and the paints
// they ask for) have run.
//
// QWidget::grab() paints the widget anew, so a control that changes its face
// without asking for a repaint still grabs right while the screen keeps the
// old face. The checks here compare the two: after a change, what the screen
// shows must be what the widget paints now.
//
// On the offscreen platform the screen's grab of a window reads the window's
// backing store; under X it reads the window's pixels from the server.
#pragma once

#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QCursor>
#include <QImage>
#include <QPixmap>
#include <QRegion>
#include <QScreen>
#include <QTest>
#include <QWidget>
#include <QWindow>

namespace tuner::testing {

// The picture with every pixel outside the widget's shape (its window mask,
// when it has one) blacked out: there the screen shows what lies behind.
inline QImage within_shape(QImage img, const QWidget* w) {
    const QRegion shape = w->mask();
    if (shape.isEmpty()) return img;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            if (!shape.contains(QPoint(x, y))) img.setPixel(x, y, 0xFF000000u);
        }
    }
    return img;
}

// The widget's area as the screen holds it, now (nothing processed first).
inline QImage screen_now(const QWidget* w) {
    const QWidget* top = w->window();
    QScreen* screen = top->screen();
    if (!screen || !top->windowHandle()) return {};
    const QPixmap shot = screen->grabWindow(top->winId());
    const qreal dpr = shot.devicePixelRatio();
    const QPoint at = w->mapTo(top, QPoint(0, 0));
    const QRect area(QPointF(at.x() * dpr, at.y() * dpr).toPoint(),
                     QSizeF(w->width() * dpr, w->height() * dpr).toSize());
    return within_shape(shot.toImage().copy(area).convertToFormat(QImage::Format_RGB32), w);
}

// What the widget paints now, painted anew.
inline QImage painted_now(QWidget* w) {
    return within_shape(w->grab().toImage().convertToFormat(QImage::Format_RGB32), w);
}

// The pointer to `at` of the top-level window `top`, as a user moves it: the
// window system's pointer goes there (under X the window system reports the
// crossings by it) and the window hears of the move.
inline void pointer_to(QWidget* top, QPoint at) {
    QCursor::setPos(top->mapToGlobal(at));
    QTest::mouseMove(top->windowHandle(), at);
}

// Lets the event loop run the pending events and the paints they ask for.
// The paint of a window may wait for the window system's next frame, so this
// sleeps in the event loop a little; no verdict depends on how long.
inline void settle_screen(int ms = 40) {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
    QTest::qWait(ms);
}

// A form of the given size shown and active, the pointer parked in its far corner, its first paint on the screen.
inline void show_active_form(QWidget& form, QSize size) {
    form.resize(size);
    form.show();
    form.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&form)) << "the form active";
    pointer_to(&form, QPoint(size.width() - 2, size.height() - 2));
    settle_screen();
}

// The widget's area on the screen once the events are processed.
inline QImage screen_of(const QWidget* w) {
    settle_screen();
    return screen_now(w);
}

// True when the screen shows what the widget paints now. Waits in the event
// loop for the screen to catch up; the limit only ends the wait for a repaint
// that never comes.
inline bool screen_shows_widget(QWidget* w, int limit_ms = 1500) {
    settle_screen();
    return QTest::qWaitFor([&] { return screen_now(w) == painted_now(w); }, limit_ms);
}

// The first pixel where two pictures of one widget differ, for messages.
inline std::string first_difference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) {
        return "sizes " + std::to_string(a.width()) + "x" + std::to_string(a.height()) + " and " +
               std::to_string(b.width()) + "x" + std::to_string(b.height());
    }
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            if (a.pixel(x, y) != b.pixel(x, y)) {
                char buf[96];
                std::snprintf(buf, sizeof buf, "first difference at (%d, %d): %06X on the screen, %06X painted", x, y,
                              a.pixel(x, y) & 0xFFFFFFu, b.pixel(x, y) & 0xFFFFFFu);
                return buf;
            }
        }
    }
    return "no difference";
}

// Why the screen and a fresh paint of `w` differ (after screen_shows_widget failed).
inline std::string screen_mismatch(QWidget* w) { return first_difference(screen_now(w), painted_now(w)); }

// `change` alters the widget's face: the screen follows it, and shows
// something else than before.
inline void expect_screen_follows(QWidget* w, const std::string& what, const std::function<void()>& change) {
    SCOPED_TRACE(what);
    const QImage before = screen_of(w);
    change();
    EXPECT_TRUE(screen_shows_widget(w)) << what << ": the screen keeps another face; " << screen_mismatch(w);
    EXPECT_NE(screen_now(w), before) << what << ": the face did not change";
}

// One setting of a table of settings: the starting state in which its new
// value shows (may be empty) and the set itself, on a control of type T.
template <typename T>
struct ScreenRow {
    const char* name;
    std::function<void(T&)> prepare;
    std::function<void(T&)> set;
};

// For every row: `reset`, the row's starting state, which must be on the
// screen of `w`, then the set, which the screen must follow.
template <typename T>
void expect_rows_reach_screen(QWidget* w, T& target, const std::function<void()>& reset,
                              const std::vector<ScreenRow<T>>& rows) {
    for (const ScreenRow<T>& row : rows) {
        SCOPED_TRACE(row.name);
        reset();
        if (row.prepare) row.prepare(target);
        if (!screen_shows_widget(w)) {
            ADD_FAILURE() << row.name << ": the starting state is not on the screen; " << screen_mismatch(w);
            continue;
        }
        expect_screen_follows(w, row.name, [&] { row.set(target); });
    }
}

}  // namespace tuner::testing
