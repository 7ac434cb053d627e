// Every property of the button that changes its face, set by a host: the
// window shows the new face at once, not the old one. One row per property,
// each from a starting state in which its new value shows (a caption and a
// picture for the alignments, a gradient for its colour, the focus for the
// focus look).
//
// No row for the properties whose set leaves the face as it is: CustomClick
// (stored only), MousePointer and MouseIcon (the pointer), ResetDefaultColors
// (nothing while the program runs), HoverColorLocks, HoverForeColor and
// HoverBackColor (stored for the next hover; no redraw), hdc and hWnd (read only).
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <QLineEdit>
#include <QPainter>
#include <QTest>

#include "buttons/qb_buttons_h.h"
#include "support/screen_capture.h"

namespace tuner::testing {
namespace {

// A picture with a light background (its transparent colour) and a dark
// block off its centre, so that its size and place show.
QImage block_picture(int size) {
    QImage img(size, size, QImage::Format_RGB32);
    img.fill(QColor(255, 255, 255));
    QPainter p(&img);
    p.fillRect(QRect(2, 2, size / 2, size - 4), QColor(0, 0, 128));
    p.fillRect(QRect(size / 2, size / 2, size / 2 - 2, size / 2 - 2), QColor(200, 0, 0));
    return img;
}

// One window button (style 2, grey, as the windows have it) and a box that
// takes the keyboard away from it; reloaded from its stored properties
// before every row.
struct ButtonScreenProps : ::testing::Test {
    QWidget form;
    PropertyBag stored;
    qbButtons_H* button = nullptr;
    QLineEdit* elsewhere = nullptr;

    void SetUp() override {
        stored.write("BackStyle", int64_t{2}, int64_t{0});
        stored.write("Caption", std::string("MUTE"), std::string());
        stored.write("cBack", int64_t{0xC0C0C0}, int64_t{-1});
        button = new qbButtons_H(stored, &form);
        button->setGeometry(10, 10, 140, 44);
        elsewhere = new QLineEdit(&form);
        elsewhere->setGeometry(10, 70, 140, 24);
        form.resize(170, 110);
        form.show();
        form.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&form));
        pointer_to(&form, QPoint(165, 105));
        settle_screen();
    }

    void run(const std::vector<ScreenRow<ButtonModel>>& rows) {
        expect_rows_reach_screen<ButtonModel>(
            button, button->model(),
            [&] {
                elsewhere->setFocus();
                button->ReadProperties(stored);
            },
            rows);
    }
};

TEST_F(ButtonScreenProps, EveryPropertySetReachesTheScreen) {
    const QImage pic16 = block_picture(16);
    const QImage pic32 = block_picture(32);
    auto with_picture = [&](ButtonModel& m) { m.setPicture({pic16, false}); };
    run({
        {"ButtonStyle", nullptr, [](ButtonModel& m) { m.setButtonStyle(0); }},
        {"Mode",
         [](ButtonModel& m) {
             m.setMode(1);
             m.setValue(true);
         },
         [](ButtonModel& m) { m.setMode(0); }},
        {"Caption", nullptr, [](ButtonModel& m) { m.setCaption(QStringLiteral("EQ")); }},
        {"CaptionAlign", with_picture, [](ButtonModel& m) { m.setCaptionAlign(0); }},
        {"CaptionStyle", nullptr, [](ButtonModel& m) { m.setCaptionStyle(1); }},
        {"ButtonShape", nullptr, [](ButtonModel& m) { m.setButtonShape(1); }},
        {"Picture", nullptr,
         [&](ButtonModel& m) {
             m.setPicture({pic16, false});
         }},
        {"PictureAlign", with_picture, [](ButtonModel& m) { m.setPictureAlign(1); }},
        {"Enabled", nullptr, [](ButtonModel& m) { m.setEnabled(false); }},
        {"ShowFocusRect", [&](ButtonModel&) { button->setFocus(); }, [](ButtonModel& m) { m.setShowFocusRect(false); }},
        {"Value", [](ButtonModel& m) { m.setMode(1); }, [](ButtonModel& m) { m.setValue(true); }},
        {"PictureSize",
         [&](ButtonModel& m) {
             m.setPicture({pic32, false});
         },
         [](ButtonModel& m) { m.setPictureSize(2); }},
        {"Font", nullptr,
         [](ButtonModel& m) {
             m.setFont(FontSpec{"MS Sans Serif", 14.0});
         }},
        {"FontStyle", nullptr, [](ButtonModel& m) { m.setFontStyle(2); }},
        {"ForeColor", nullptr, [](ButtonModel& m) { m.setForeColor(0x0000FF); }},
        {"BackColor", nullptr, [](ButtonModel& m) { m.setBackColor(0xFFFF80); }},
        {"GradientColor", [](ButtonModel& m) { m.setGradientMode(1); },
         [](ButtonModel& m) { m.setGradientColor(0x00FF00); }},
        {"GradientMode", [](ButtonModel& m) { m.setGradientColor(0xFF0000); },
         [](ButtonModel& m) { m.setGradientMode(3); }},
    });
}

}  // namespace
}  // namespace tuner::testing
