// The colours that carry meaning, pixel by pixel.
#include <tuple>

#include <gtest/gtest.h>
#include <QPainter>

#include "button_test_util.h"
#include "support/golden.h"

namespace tuner::testing {
namespace {

constexpr OleColor kLit = 0xFFFF80;
constexpr OleColor kGreyBack = 0xC0C0C0;

enum class Look { Normal, Hover, Pressed, Disabled, Focused };

std::unique_ptr<ButtonModel> styled(Look look, OleColor back, const QString& caption, int style = 2) {
    auto b = std::make_unique<ButtonModel>();
    PropertyBag bag;
    bag.write("BackStyle", static_cast<int64_t>(style), int64_t{-1});
    b->Resize(105, 29);
    b->ReadProperties(bag, ButtonAmbient());
    b->setCaption(caption);
    b->setBackColor(back);
    if (look == Look::Pressed || look == Look::Hover) b->MouseMoveTo(0, 0, 50, 14, true);
    if (look == Look::Pressed) b->MousePress(1, 0, 50, 14);
    if (look == Look::Disabled) b->setEnabled(false);
    if (look == Look::Focused) b->AmbientChanged("DisplayAsDefault", ButtonAmbient{.display_as_default = true});
    return b;
}

uint32_t px(const ButtonModel& b, int x, int y) { return b.WindowImage().pixel(x, y); }

// Every look a user meets: the window's buttons (style 2, grey or lit) and the dialogs' (style 0).
TEST(ButtonRender, GoldenLooks) {
    const std::tuple<const char*, int, Look, OleColor> looks[] = {
        {"ctl_button_window_normal", 2, Look::Normal, kGreyBack},
        {"ctl_button_window_hot", 2, Look::Hover, kGreyBack},
        {"ctl_button_window_pressed", 2, Look::Pressed, kGreyBack},
        {"ctl_button_window_focused", 2, Look::Focused, kGreyBack},
        {"ctl_button_window_disabled", 2, Look::Disabled, kGreyBack},
        {"ctl_button_window_lit", 2, Look::Normal, kLit},
        {"ctl_button_window_lit_hot", 2, Look::Hover, kLit},
        {"ctl_button_dialog_normal", 0, Look::Normal, kGreyBack},
        {"ctl_button_dialog_hot", 0, Look::Hover, kGreyBack},
        {"ctl_button_dialog_pressed", 0, Look::Pressed, kGreyBack},
        {"ctl_button_dialog_focused", 0, Look::Focused, kGreyBack},
        {"ctl_button_dialog_disabled", 0, Look::Disabled, kGreyBack}};
    for (const auto& [name, style, look, back] : looks)
        EXPECT_GOLDEN(styled(look, back, "MUTE", style)->WindowImage().image(), name);
}

TEST(ButtonRender, OtherStylesAndDisabledShades) {
    // Styles the windows do not use: style 6's light outer ring, style 7's white upper corners.
    const std::tuple<int, Look, QPoint, uint32_t> pixels[] = {{6, Look::Normal, {0, 14}, 0xE8E8E7},
                                                              {6, Look::Normal, {104, 14}, 0x808080},
                                                              {7, Look::Normal, {3, 3}, 0xFFFFFF},
                                                              {7, Look::Normal, {101, 3}, 0xFFFFFF}};
    for (const auto& [style, look, p, colour] : pixels)
        EXPECT_EQ(px(*styled(look, kGreyBack, QString(), style), p.x(), p.y()), colour)
            << "style " << style << " look " << static_cast<int>(look) << " at " << p.x() << "," << p.y();
    // Style 3's focus mark runs two pixels around the caption.
    auto s3 = styled(Look::Focused, kGreyBack, "MUTE", 3);
    const BoxRect cap = s3->CaptionRect();
    auto marks = [&](int x) {
        int n = 0;
        for (int y = cap.top; y < cap.bottom; ++y) n += px(*s3, x, y) != px(*s3, 6, y);
        return n;
    };
    EXPECT_GT(marks(cap.left - 2), 0) << "two pixels left of the caption";
    EXPECT_EQ(marks(cap.left - 1), 0) << "next to the caption";

    // A disabled picture shows its dark pixels in grey.
    auto pic = styled(Look::Normal, kGreyBack, QString(), 0);
    QImage img(16, 16, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter(&img).fillRect(0, 0, 8, 16, Qt::black);
    img.setPixel(0, 0, qRgb(0, 255, 0));  // the transparent colour
    pic->setPicture({img, false});
    pic->setEnabled(false);
    const BoxRect r = pic->PictureRect();
    EXPECT_EQ(px(*pic, r.left + 3, r.top + 8), 0x808080u) << "disabled, black half";
    EXPECT_EQ(px(*pic, r.left + 12, r.top + 8), 0xC0C0C0u) << "disabled, white half";
    pic->setEnabled(true);
    EXPECT_EQ(px(*pic, r.left + 3, r.top + 8), 0u) << "enabled, black half";
}

// Style 5 on shapes 1 to 3 draws its focus mark in the container's colour less 32 in every state; style 1 draws it
// black on a checked or held check button.
TEST(ButtonRender, Style5FocusMarkTakesTheContainerColour) {
    constexpr OleColor kContainer = 0x0000FF;  // less 32: 0x0000DF
    for (const int style : {5, 1}) {
        for (const int shape : {1, 2, 3}) {
            auto b = std::make_unique<ButtonModel>();
            PropertyBag bag;
            bag.write("BackStyle", static_cast<int64_t>(style), int64_t{-1});
            bag.write("Shape", static_cast<int64_t>(shape), int64_t{0});
            bag.write("Mode", int64_t{1}, int64_t{-1});
            b->Resize(105, 29);
            b->ReadProperties(bag, ButtonAmbient{.back_color = kContainer});
            b->AmbientChanged("DisplayAsDefault", ButtonAmbient{.display_as_default = true, .back_color = kContainer});
            const std::string what = "style " + std::to_string(style) + " shape " + std::to_string(shape);
            if (style == 5) {
                EXPECT_EQ(px(*b, 52, 4), 0x0000DFu) << what << ", unchecked";
            }
            b->KeyDownNotification(32, 0);
            EXPECT_TRUE(b->HeldDown()) << what;
            EXPECT_EQ(px(*b, 52, 4), style == 5 ? 0x0000DFu : 0u) << what << ", held down by Space";
            b->KeyUpNotification(32, 0);
            ASSERT_TRUE(b->Value()) << what;
            EXPECT_EQ(px(*b, 52, 4), style == 5 ? 0x0000DFu : 0u) << what << ", checked";
        }
    }
}

TEST(ButtonRender, GradientBandsAndTinySizes) {
    auto make = [](int w, int h, int shape, int screen = 3) {
        auto b = std::make_unique<ButtonModel>();
        PropertyBag bag;
        bag.write("Gradient", int64_t{3}, int64_t{0});
        bag.write("Shape", int64_t{shape}, int64_t{0});
        b->Resize(w, h);
        bag.write("cGradient", int64_t{0}, int64_t{1});
        b->ReadProperties(bag, ButtonAmbient{.screen = QSize(screen, screen)});  // below four buttons: two-pixel bands
        return b;
    };
    for (const QSize s : {QSize(0, 0), QSize(1, 1), QSize(1, 20), QSize(20, 1)})
        for (int shape : {0, 4}) make(s.width(), s.height(), shape);  // nothing divides by zero
    const auto bands = make(20, 29, 0, 116);                          // four buttons fit: one-pixel bands
    EXPECT_NE(px(*bands, 10, 6), px(*bands, 10, 7));
}

}  // namespace
}  // namespace tuner::testing
