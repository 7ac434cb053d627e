// Renders rows of buttons in every state and both colours to PNG files in
// the test output folder, and checks the colours that carry meaning.
#include <set>

#include <QDir>
#include <gtest/gtest.h>

#include "button_test_util.h"

namespace tuner::test {
namespace {

constexpr OleColor kLit = 0xFFFF80;
constexpr OleColor kGreyBack = 0xC0C0C0;

enum class Look { Normal, Hover, Pressed, Disabled, Focused };

std::unique_ptr<ButtonModel> styled(Look look, OleColor back, const QString& caption, int style = 2, bool real_font = true) {
    auto b = std::make_unique<ButtonModel>();
    if (!real_font) b->SetTextMeasurer(fixed_measure);
    PropertyBag bag;
    bag.write("BackStyle", static_cast<int64_t>(style), int64_t{-1});
    FontSpec f;
    f.name = "WenQuanYi Micro Hei";
    f.size = 9;
    bag.write("Font", f, FontSpec{});
    ButtonAmbient amb;
    b->Resize(105, 29);
    b->ReadProperties(bag, amb);
    b->setCaption(caption);
    b->setBackColor(back);
    switch (look) {
        case Look::Hover: b->MouseMoveTo(0, 0, 50, 14, true); break;
        case Look::Pressed:
            b->MouseMoveTo(0, 0, 50, 14, true);
            b->MousePress(1, 0, 50, 14);
            break;
        case Look::Disabled: b->setEnabled(false); break;
        case Look::Focused: {
            ButtonAmbient a;
            a.display_as_default = true;
            b->AmbientChanged("DisplayAsDefault", a);
            break;
        }
        default: break;
    }
    return b;
}

uint32_t px(const ButtonModel& b, int x, int y) { return b.WindowImage().pixel(x, y); }

// Face and ring colours of a 105 x 29 style-2 button (no caption), by state.
TEST(ButtonRender, Style2FaceAndRingColours) {
    const uint32_t base = ShiftColorSB(0xC0C0C0, 48);
    auto grey = styled(Look::Normal, kGreyBack, QString(), 2, false);
    EXPECT_EQ(px(*grey, 8, 14), ShiftColorSB(base, -12));  // row shading: round(-25 * 14 / 29)
    EXPECT_EQ(px(*grey, 8, 0), 0x733C00u);                 // outer ring
    EXPECT_EQ(px(*grey, 0, 14), 0x733C00u);
    EXPECT_EQ(px(*grey, 2, 14), ShiftColorSB(base, -10));  // inner left
    EXPECT_EQ(px(*grey, 1, 14), ShiftColorSB(base, -5));   // middle left
    EXPECT_EQ(px(*grey, 50, 2), ShiftColorSB(base, 10));   // inner top
    EXPECT_EQ(px(*grey, 1, 1), 0x733C00u);                 // corner pixel in the outer-ring colour
    EXPECT_EQ(px(*grey, 103, 27), 0x733C00u);

    auto hover = styled(Look::Hover, kGreyBack, QString(), 2, false);
    EXPECT_EQ(px(*hover, 8, 14), ShiftColorSB(base, -12));
    EXPECT_EQ(px(*hover, 2, 14), 0x6BCBFFu);
    EXPECT_EQ(px(*hover, 1, 14), 0x31B2FFu);
    EXPECT_EQ(px(*hover, 50, 27), 0x0096E7u);  // middle bottom

    auto pressed = styled(Look::Pressed, kGreyBack, QString(), 2, false);
    EXPECT_EQ(px(*pressed, 8, 14), ShiftColorSB(ShiftColorSB(base, -32), -12));
    EXPECT_EQ(px(*pressed, 2, 14), ShiftColorSB(base, -22));
    EXPECT_EQ(px(*pressed, 102, 14), base);  // inner right: the base unshifted

    auto disabled = styled(Look::Disabled, kGreyBack, QString(), 2, false);
    const uint32_t flat = ShiftColorSB(base, -24);
    EXPECT_EQ(px(*disabled, 8, 4), flat);
    EXPECT_EQ(px(*disabled, 8, 24), flat);  // no shading
    EXPECT_EQ(px(*disabled, 2, 14), flat);  // no bevel
    EXPECT_EQ(px(*disabled, 0, 14), ShiftColorSB(base, -84));
    EXPECT_EQ(px(*disabled, 1, 1), ShiftColorSB(base, -84));

    auto focused = styled(Look::Focused, kGreyBack, QString(), 2, false);
    EXPECT_EQ(px(*focused, 2, 14), 0xF0D1B5u);
    focused->setShowFocusRect(false);  // at run time this drops the default look
    EXPECT_EQ(px(*focused, 2, 14), ShiftColorSB(base, -10));

    const uint32_t lit_base = ShiftColorSB(0xFFFF80, 48);
    auto lit = styled(Look::Normal, kLit, QString(), 2, false);
    EXPECT_EQ(px(*lit, 8, 14), ShiftColorSB(lit_base, -12));
    EXPECT_EQ(px(*lit, 8, 0), 0x733C00u);
    EXPECT_EQ(px(*lit, 2, 14), ShiftColorSB(lit_base, -10));
}

TEST(ButtonRender, DisabledCaptionIsDrawnOnceInItsShade) {
    auto b = styled(Look::Disabled, kGreyBack, QStringLiteral("MUTE"), 2, true);
    const uint32_t fill = ShiftColorSB(ShiftColorSB(0xC0C0C0, 48), -24);
    const uint32_t text = ShiftColorSB(fill, -104);
    std::set<uint32_t> colours;
    for (int y = 4; y < 25; ++y)
        for (int x = 4; x < 101; ++x) colours.insert(px(*b, x, y));
    EXPECT_TRUE(colours.count(fill));
    EXPECT_FALSE(colours.count(0xFFFFFF));  // no white embossing
    EXPECT_FALSE(colours.count(0x808080));
    bool dark = false;
    for (uint32_t c : colours) dark = dark || red_of(c) <= red_of(text) + 8;
    EXPECT_TRUE(dark);
}

TEST(ButtonRender, Style0DefaultAndCheckedRings) {
    auto b = styled(Look::Focused, kGreyBack, QString(), 0, false);
    EXPECT_EQ(px(*b, 0, 14), 0u);  // black outer ring on every side of the default button
    EXPECT_EQ(px(*b, 50, 0), 0u);
    auto c = styled(Look::Normal, kGreyBack, QString(), 0, false);
    c->setMode(1);
    c->setValue(true);
    EXPECT_EQ(px(*c, 0, 14), 0u);            // checked: black left and top
    EXPECT_EQ(px(*c, 104, 14), 0xFFFFFFu);  // white right and bottom
}

TEST(ButtonRender, GradientsOfTinyAndOddSizes) {
    for (QSize size : {QSize(0, 0), QSize(1, 1), QSize(20, 1), QSize(1, 20), QSize(20, 29)}) {
        for (int shape : {0, 4}) {
            ButtonModel b;
            b.SetTextMeasurer(fixed_measure);
            PropertyBag bag;
            bag.write("Gradient", int64_t{3}, int64_t{0});
            bag.write("cGradient", int64_t{0x0000FF}, int64_t{0});
            bag.write("cBack", int64_t{0}, int64_t{-1});
            bag.write("BackStyle", int64_t{0}, int64_t{-1});
            bag.write("Shape", int64_t{shape}, int64_t{-1});
            ButtonAmbient amb;
            amb.screen = QSize(100, 40);  // two-pixel bands
            b.Resize(size.width(), size.height());
            b.ReadProperties(bag, amb);
            if (shape == 0 && size == QSize(20, 1)) {
                EXPECT_EQ(px(b, 10, 0), 0u) << "one band of the start colour";
            }
            if (shape == 4 && size == QSize(20, 29)) {
                // Outside the ellipse the shape's own white-to-grey gradient shows:
                // the last band reaches the odd bottom row.
                EXPECT_EQ(px(b, 0, 28), px(b, 0, 27));
                EXPECT_LT(red_of(px(b, 0, 28)), 0xA0);
            }
        }
    }
}

TEST(ButtonRender, DisabledPictureShowsDarkPixelsInGrey) {
    ButtonModel b;
    b.SetTextMeasurer(fixed_measure);
    PropertyBag bag;
    bag.write("cBack", int64_t{0xC0C0C0}, int64_t{-1});
    b.Resize(60, 30);
    b.ReadProperties(bag, ButtonAmbient());
    QImage img(16, 16, QImage::Format_RGB32);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) img.setPixel(x, y, x < 8 ? qRgb(0, 0, 0) : qRgb(255, 255, 255));
    img.setPixel(0, 0, qRgb(0, 255, 0));  // the transparent colour
    b.setPicture({img, false});
    b.setEnabled(false);
    const BoxRect r = b.PictureRect();
    EXPECT_EQ(px(b, r.left + 3, r.top + 8), 0x808080u);
    EXPECT_EQ(px(b, r.left + 12, r.top + 8), 0xC0C0C0u);
    b.setEnabled(true);
    EXPECT_EQ(px(b, r.left + 3, r.top + 8), 0u);
}

// Sheets to look at: the windows' buttons in every state, both colours and
// both languages (grey and lit, style 2 then style 0); every face style in
// every look; shapes 0 to 6 with a picture; the four gradients.
TEST(ButtonRender, SheetsToPng) {
    QDir().mkpath(TUNER_TEST_OUTPUT_DIR);
    QImage arrow(16, 16, QImage::Format_RGB32);
    arrow.fill(qRgb(255, 0, 255));
    for (int y = 2; y < 14; ++y)
        for (int x = 2; x < 2 + (y < 8 ? y : 16 - y); ++x) arrow.setPixel(x, y, qRgb(0, 90, 160));
    QImage sheet;
    auto put = [&](const ButtonModel& b, int col, int row) {
        const QImage& img = b.WindowImage().image();
        for (int y = 0; y < img.height(); ++y)
            for (int x = 0; x < img.width(); ++x)
                if (b.WindowRegion().contains(x, y)) sheet.setPixel(8 + col * 113 + x, 8 + row * 35 + y, img.pixel(x, y));
    };
    const Look looks[] = {Look::Normal, Look::Hover, Look::Pressed, Look::Disabled, Look::Focused, Look::Normal};
    sheet = QImage(113 * 5 + 8, 35 * 8 + 8, QImage::Format_RGB32);
    sheet.fill(QColor(0xF0, 0xF0, 0xF0));
    for (int row = 0; row < 8; ++row)
        for (int col = 0; col < 5; ++col)
            put(*styled(looks[col], row & 2 ? kLit : kGreyBack, row & 1 ? QStringLiteral("MUTE") : QStringLiteral("静音"),
                        row & 4 ? 0 : 2),
                col, row);
    ASSERT_TRUE(sheet.save(QStringLiteral(TUNER_TEST_OUTPUT_DIR "/buttons_states.png")));
    sheet.copy(0, 0, 113 * 5 + 8, 35 * 2 + 8)
        .scaled((113 * 5 + 8) * 3, (35 * 2 + 8) * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(QStringLiteral(TUNER_TEST_OUTPUT_DIR "/buttons_states_zoom.png"));

    sheet = QImage(113 * 6 + 8, 35 * 11 + 8, QImage::Format_RGB32);
    sheet.fill(QColor(0xF0, 0xF0, 0xF0));
    for (int style = 0; style < 8; ++style) {
        for (int col = 0; col < 6; ++col) {
            auto b = styled(looks[col], kGreyBack, QStringLiteral("&Mute"), style);
            if (col == 5) {
                b->setMode(1);
                b->setValue(true);
            }
            put(*b, col, style);
        }
    }
    for (int i = 0; i < 14; ++i) {
        const int shape = i / 2;
        auto b = styled(Look::Normal, shape % 2 ? kLit : kGreyBack, QStringLiteral("静音"), i % 2 ? 0 : 2);
        b->setButtonShape(shape);
        b->setPicture({arrow, false});
        b->setPictureAlign(shape % 4);
        b->setMode(shape >= 5 ? 1 : 0);
        if (shape >= 5) b->setValue(true);
        put(*b, i % 6, 8 + i / 6);
    }
    for (int gm = 1; gm <= 4; ++gm) {
        auto b = styled(Look::Normal, kGreyBack, QStringLiteral("MUTE"), 2);
        b->setGradientMode(gm);
        b->setGradientColor(0x4080FF);
        put(*b, gm + 1, 10);
    }
    ASSERT_TRUE(sheet.save(QStringLiteral(TUNER_TEST_OUTPUT_DIR "/buttons_styles.png")));
}

}  // namespace
}  // namespace tuner::test
