// Renders rows of buttons in every state and both colours to PNG files in
// the test output folder, and checks the colours that carry meaning.
#include <QDir>
#include <QPainter>
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

TEST(ButtonRender, RowOfStatesToPng) {
    const Look looks[] = {Look::Normal, Look::Hover, Look::Pressed, Look::Disabled, Look::Focused};
    const OleColor backs[] = {kGreyBack, kLit};
    const QString captions[] = {QStringLiteral("静音"), QStringLiteral("MUTE")};
    const int styles[] = {2, 0};
    const int cell_w = 113, cell_h = 35;
    QImage sheet(cell_w * 5 + 8, cell_h * 8 + 8, QImage::Format_RGB32);
    sheet.fill(QColor(0xF0, 0xF0, 0xF0));
    QPainter p(&sheet);
    int row = 0;
    for (int style : styles) {
        for (OleColor back : backs) {
            for (const QString& cap : captions) {
                for (int i = 0; i < 5; ++i) {
                    auto b = styled(looks[i], back, cap, style);
                    QImage img = b->WindowImage().image();
                    // Outside the window region the form shows through.
                    QImage shown(img.size(), QImage::Format_ARGB32);
                    for (int y = 0; y < img.height(); ++y) {
                        for (int x = 0; x < img.width(); ++x) {
                            shown.setPixel(x, y, b->WindowRegion().contains(x, y) ? img.pixel(x, y) : 0);
                        }
                    }
                    p.drawImage(8 + i * cell_w, 8 + row * cell_h, shown);
                }
                ++row;
            }
        }
    }
    p.end();
    QDir().mkpath(TUNER_TEST_OUTPUT_DIR);
    ASSERT_TRUE(sheet.save(QStringLiteral(TUNER_TEST_OUTPUT_DIR "/buttons_states.png")));
    // Scaled up to see the pixels of the corners and rings.
    sheet.copy(0, 0, cell_w * 5 + 8, cell_h * 2 + 8)
        .scaled((cell_w * 5 + 8) * 3, (cell_h * 2 + 8) * 3, Qt::IgnoreAspectRatio, Qt::FastTransformation)
        .save(QStringLiteral(TUNER_TEST_OUTPUT_DIR "/buttons_states_zoom.png"));
}

}  // namespace
}  // namespace tuner::test
