// What reaches the screen of a button: after every change a user or a host
// makes, the window shows the face the button paints now, not the old one.
#include <functional>
#include <string>

#include <gtest/gtest.h>
#include <QApplication>
#include <QTest>

#include "buttons/qb_buttons_h.h"
#include "support/screen_capture.h"

namespace tuner::testing {
namespace {

// Two window buttons (style 2, as the windows have them) in a form; input
// goes through the window system.
struct ButtonScreen : ::testing::Test {
    QWidget form;
    qbButtons_H* button = nullptr;
    qbButtons_H* other = nullptr;

    static qbButtons_H* make(QWidget* parent, const char* caption, int mode, QRect geometry) {
        PropertyBag bag;
        bag.write("BackStyle", int64_t{2}, int64_t{0});
        bag.write("Caption", std::string(caption), std::string());
        bag.write("Mode", int64_t{mode}, int64_t{-1});
        bag.write("cBack", int64_t{0xC0C0C0}, int64_t{-1});
        auto* b = new qbButtons_H(bag, parent);
        b->setGeometry(geometry);
        return b;
    }

    void open(int mode) {
        button = make(&form, "MUTE", mode, QRect(10, 10, 105, 29));
        other = make(&form, "EQ", mode, QRect(10, 60, 105, 29));
        form.resize(200, 110);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        other->setFocus();
        // The pointer starts away from both buttons.
        pointer_to(&form, QPoint(180, 100));
        settle_screen();
    }

    QWindow* window() { return form.windowHandle(); }
    QPoint at(const QWidget* w, QPoint local = {50, 14}) const { return w->mapTo(&form, local); }
    void click(const QWidget* w) {
        pointer_to(&form, at(w));
        QTest::mouseClick(window(), Qt::LeftButton, {}, at(w));
    }

    void expect_screen_follows(const std::string& what, const std::function<void()>& change,
                               qbButtons_H* target = nullptr) {
        testing::expect_screen_follows(target ? target : button, what, change);
    }
};

// Check mode: a click lights the button, the next one puts it out; Space does
// the same; the pointer on and off the button changes the face each time.
TEST_F(ButtonScreen, CheckModeClicksLightAndUnlightOnScreen) {
    open(1);
    expect_screen_follows("the pointer onto the button", [&] { pointer_to(&form, at(button)); });
    expect_screen_follows("a click that checks it", [&] { click(button); });
    ASSERT_TRUE(button->model().Value()) << "Value after the first click";
    expect_screen_follows("a click that unchecks it", [&] { click(button); });
    ASSERT_FALSE(button->model().Value()) << "Value after the second click";
    expect_screen_follows("the pointer off the button", [&] { pointer_to(&form, QPoint(180, 100)); });
    button->setFocus();
    settle_screen();
    expect_screen_follows("Space checks it", [&] {
        QTest::keyClick(window(), Qt::Key_Space);
    });
    EXPECT_TRUE(button->model().Value()) << "Value after Space";
}

// Option mode: a click on one button lights it and puts out the other.
TEST_F(ButtonScreen, OptionModeClickMovesTheLightOnScreen) {
    open(2);
    button->model().setValue(true);
    ASSERT_TRUE(screen_shows_widget(button)) << "the first button lit by the host; " << screen_mismatch(button);
    const QImage other_before = screen_of(other);
    expect_screen_follows("a click on the other button", [&] { click(other); }, other);
    EXPECT_FALSE(button->model().Value()) << "the first button's Value after the click on the other";
    EXPECT_TRUE(screen_shows_widget(button)) << "the first button put out; " << screen_mismatch(button);
    EXPECT_NE(screen_now(other), other_before) << "the other button lit";
}

// What the windows' hosts set: the lit and grey back colours, the caption of
// the other language, the enabled state; and what the others could: fore
// colour, picture, style.
TEST_F(ButtonScreen, HostPropertiesReachTheScreen) {
    open(0);
    expect_screen_follows("BackColor lit", [&] { button->setBackColor(0xFFFF80); });
    expect_screen_follows("BackColor grey", [&] { button->setBackColor(0xC0C0C0); });
    expect_screen_follows("Caption", [&] { button->setCaption(QStringLiteral("静音")); });
    expect_screen_follows("disabled through the window", [&] { button->setEnabled(false); });
    expect_screen_follows("enabled through the window", [&] { button->setEnabled(true); });
    expect_screen_follows("Enabled property off", [&] { button->model().setEnabled(false); });
    expect_screen_follows("Enabled property on", [&] { button->model().setEnabled(true); });
    expect_screen_follows("ForeColor", [&] { button->model().setForeColor(0x0000FF); });
    QImage pic(16, 16, QImage::Format_RGB32);
    pic.fill(Qt::black);
    expect_screen_follows("Picture", [&] { button->model().setPicture({pic, false}); });
    expect_screen_follows("ButtonStyle", [&] { button->model().setButtonStyle(0); });
}

// Drawing held back paints nothing; a paint of the window ends the delay and
// shows the whole new face even when only part of the button was to be
// painted; a caption set after that shows at once.
TEST_F(ButtonScreen, DelayedDrawingEndedByAPaint) {
    open(0);
    const QImage before = screen_of(button);
    button->model().DelayDrawing(true);
    button->setCaption(QStringLiteral("HELD"));
    button->setBackColor(0xFFFF80);
    EXPECT_EQ(screen_of(button), before) << "changes while the drawing is held back";
    // A window uncovered over a corner of the button asks it for that corner only.
    button->update(QRect(0, 0, 12, 12));
    EXPECT_TRUE(screen_shows_widget(button)) << "the paint that ended the delay; " << screen_mismatch(button);
    EXPECT_FALSE(button->model().DrawingDelayed()) << "DrawingDelayed after the paint";
    EXPECT_NE(screen_now(button), before) << "the new caption and colour";
    expect_screen_follows("a caption after the delay ended", [&] { button->setCaption(QStringLiteral("AFTER")); });
    button->model().DelayDrawing(true);
    button->setCaption(QStringLiteral("AGAIN"));
    expect_screen_follows("DelayDrawing(False)", [&] { button->model().DelayDrawing(false); });
}

// The focus look comes with the keyboard and leaves with it.
TEST_F(ButtonScreen, FocusLookReachesTheScreen) {
    open(0);
    expect_screen_follows("the focus to the button", [&] { QTest::keyClick(window(), Qt::Key_Backtab); });
    ASSERT_TRUE(button->hasFocus()) << "Shift+Tab from the other button";
    expect_screen_follows("the focus away", [&] { QTest::keyClick(window(), Qt::Key_Tab); });
    ASSERT_TRUE(other->hasFocus()) << "Tab back to the other button";
}

}  // namespace
}  // namespace tuner::testing
