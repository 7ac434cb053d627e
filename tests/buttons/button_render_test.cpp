// The colours that carry meaning, pixel by pixel.
#include <set>
#include <tuple>

#include <gtest/gtest.h>
#include <QPainter>

#include "button_test_util.h"

namespace tuner::testing {
namespace {

constexpr OleColor kLit = 0xFFFF80;
constexpr OleColor kGreyBack = 0xC0C0C0;

enum class Look { Normal, Hover, Pressed, Disabled, Focused, Checked };

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
    if (look == Look::Checked) b->setMode(1), b->setValue(true);
    if (look == Look::Focused) b->AmbientChanged("DisplayAsDefault", ButtonAmbient{.display_as_default = true});
    return b;
}

uint32_t px(const ButtonModel& b, int x, int y) { return b.WindowImage().pixel(x, y); }

// Face centre, rings (left, top, right, bottom) and corners of a style-2 button in every state.
TEST(ButtonRender, Style2FaceAndRingColours) {
    const QPoint rings[12] = {{2, 14},   {50, 2},  {102, 14}, {50, 26}, {1, 14},   {50, 1},
                              {103, 14}, {50, 27}, {0, 14},   {50, 0},  {104, 14}, {50, 28}};
    const QPoint corners[4] = {{1, 1}, {1, 27}, {103, 1}, {103, 27}};
    for (OleColor back : {kGreyBack, kLit}) {
        const uint32_t b = ShiftColorSB(static_cast<uint32_t>(back), 48);  // FaceColor, the base
        auto s = [&](int a) { return ShiftColorSB(b, a); };
        const uint32_t shaded = s(-12);  // row 14: round(-25 * 14 / 29)
        const uint32_t flat = s(-24), border = s(-84), K = 0x733C00;
        const std::array<uint32_t, 12> normal = {s(-10), s(10),  s(-24), s(-32), s(-5), s(16),
                                                 s(-36), s(-48), K,      K,      K,     K};
        const std::array<uint32_t, 12> focused = {0xF0D1B5, 0xF7D7BD, 0xF0D1B5, 0xE7AE8C, 0xE7AE8C, 0xFFDFBF,
                                                  0xE7AE8C, 0xEF826B, K,        K,        K,        K};
        const std::array<uint32_t, 12> pressed = {s(-22), s(-24), b, s(10), s(-32), s(-32), s(5), s(16), K, K, K, K};
        const std::array<uint32_t, 12> hover = {0x6BCBFF, 0x8CDBFF, 0x6BCBFF, 0x31B2FF, 0x31B2FF, 0xA6E9FF,
                                                0x31B2FF, 0x0096E7, K,        K,        K,        K};
        // Disabled: a flat face, no bevel, the border and corners in one shade.
        const std::array<uint32_t, 12> disabled = {flat, flat, flat,   flat,   flat,   flat,
                                                   flat, flat, border, border, border, border};
        const std::tuple<Look, uint32_t, std::array<uint32_t, 12>> cases[] = {
            {Look::Normal, shaded, normal},
            {Look::Focused, shaded, focused},
            {Look::Pressed, ShiftColorSB(s(-32), -12), pressed},
            {Look::Hover, shaded, hover},
            {Look::Disabled, flat, disabled}};
        for (const auto& [look, face, ring] : cases) {
            auto btn = styled(look, back, QString());
            const auto what = ::testing::Message() << std::hex << back << " look " << static_cast<int>(look);
            EXPECT_EQ(px(*btn, 52, 14), face) << what;
            for (int i = 0; i < 12; ++i)
                EXPECT_EQ(px(*btn, rings[i].x(), rings[i].y()), ring[i]) << what << " entry " << i + 1;
            for (const QPoint& p : corners)
                EXPECT_EQ(px(*btn, p.x(), p.y()), ring[8]) << what << " corner " << p.x() << "," << p.y();
        }
    }
}

TEST(ButtonRender, OtherStylesAndDisabledShades) {
    auto b = styled(Look::Disabled, kGreyBack, "MUTE");
    const uint32_t fill = ShiftColorSB(ShiftColorSB(0xC0C0C0, 48), -24);
    std::set<uint32_t> colours;
    for (int y = 4; y < 25; ++y)
        for (int x = 4; x < 101; ++x) colours.insert(px(*b, x, y));
    EXPECT_EQ(colours.count(fill), 1u) << "flat fill";
    EXPECT_EQ(colours.count(0xFFFFFF), 0u) << "white embossing";
    EXPECT_EQ(colours.count(0x808080), 0u) << "grey embossing";
    // The caption's darkest pixel is the disabled shade, within 8.
    const auto red = [](uint32_t c) { return red_of(c); };
    EXPECT_LE(red(std::ranges::min(colours, {}, red)), red(ShiftColorSB(fill, -104)) + 8);

    // Style 0's default and checked rings, style 6's light outer ring, style 7's white upper corners.
    const std::tuple<int, Look, QPoint, uint32_t> pixels[] = {
        {0, Look::Focused, {0, 14}, 0},       {0, Look::Focused, {50, 0}, 0},
        {0, Look::Focused, {104, 14}, 0},     {0, Look::Focused, {50, 28}, 0},
        {0, Look::Checked, {0, 14}, 0},       {0, Look::Checked, {104, 14}, 0xFFFFFF},
        {6, Look::Normal, {0, 14}, 0xE8E8E7}, {6, Look::Normal, {104, 14}, 0x808080},
        {7, Look::Normal, {3, 3}, 0xFFFFFF},  {7, Look::Normal, {101, 3}, 0xFFFFFF}};
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
