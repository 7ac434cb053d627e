#include <gtest/gtest.h>
#include <QPainter>

#include "button_test_util.h"

namespace tuner::testing {
namespace {

ButtonAmbient design_mode() {
    ButtonAmbient a;
    a.user_mode = false;
    return a;
}

TEST(ButtonProperties, DefaultsAfterLoadingAndInitialising) {
    ButtonModel b;
    ButtonAmbient amb;
    amb.form_back_color = 0x123456;
    b.ReadProperties(PropertyBag(), amb);
    EXPECT_EQ(b.CaptionAlign(), 2);
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.ForeColor(), static_cast<OleColor>(0x80000012));
    EXPECT_EQ(b.PictureSizePixels(), 16);
    EXPECT_EQ(b.BackColor(), 0x123456);  // the form's
    EXPECT_EQ(b.HoverBackColor(), 0x123456);
    EXPECT_FALSE(b.DrawingDelayed());

    // Values out of range, as a damaged store may hold, load as their defaults.
    PropertyBag bag;
    for (const auto& [key, v] :
         {std::pair{"BackStyle", 42}, {"Shape", -3}, {"ImgSize", 17}, {"Gradient", 9}, {"Mode", 0}})
        bag.write(key, int64_t{v}, int64_t{-100});
    bag.write("Value", true, false);
    b.ReadProperties(bag, amb);
    EXPECT_TRUE(b.ButtonStyle() == 0 && b.ButtonShape() == 0 && b.GradientMode() == 0);
    EXPECT_EQ(b.PictureSizePixels(), 16);
    EXPECT_FALSE(b.Value());  // a command button is never checked

    RecordingHost host;
    ButtonModel c(&host);
    c.InitProperties(amb);
    EXPECT_EQ(c.BackColor(), static_cast<OleColor>(0x8000000F));
    EXPECT_EQ(c.HoverBackColor(), static_cast<OleColor>(0x8000000F));
    EXPECT_EQ(c.HoverForeColor(), static_cast<OleColor>(0x80000012));
    for (const char* k : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"})
        EXPECT_TRUE(host.marked(k)) << k;
}

TEST(ButtonProperties, StoreRoundTripAndOmittedDefaults) {
    RecordingHost host;
    auto a = make_button(&host);
    a->setCaption(QStringLiteral("静音&M"));
    a->setCaptionAlign(0);
    a->setMode(1);
    a->setValue(true);
    a->setBackColor(0xFFFF80);
    a->setGradientMode(3);
    a->setGradientColor(0x00FF00);
    a->setCustomClick(4);
    QImage img(8, 8, QImage::Format_RGB32);
    img.fill(Qt::red);
    a->setPicture({img, false});
    a->setPictureSize(2);
    PropertyBag bag;
    a->WriteProperties(bag);

    ButtonModel b;
    b.ReadProperties(bag, ButtonAmbient());
    PropertyBag again;
    b.WriteProperties(again);
    EXPECT_EQ(again.to_text(), bag.to_text());
    EXPECT_EQ(b.AccessKey(), QStringLiteral("M"));
    EXPECT_EQ(b.CaptionAlign(), 0);
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(b.PictureSizePixels(), 32);

    // Defaults are left out; Mode, Value and cBack are always written.
    PropertyBag plain;
    ButtonModel().WriteProperties(plain);
    for (const char* k : {"Caption", "CapAlign", "ImgSize", "cBhover", "Focus"}) EXPECT_FALSE(plain.contains(k)) << k;
    for (const char* k : {"Mode", "Value", "cBack", "Font"}) EXPECT_TRUE(plain.contains(k)) << k;
}

TEST(ButtonProperties, SetterRules) {
    RecordingHost host;
    auto b = make_button(&host);
    b->setCaptionAlign(0);
    b->setButtonShape(0);
    EXPECT_EQ(b->CaptionAlign(), 2);  // any accepted shape centres the caption

    b->setPictureSize(5);
    b->setPictureSize(-1);
    EXPECT_EQ(b->PictureSizePixels(), 16);
    b->setPictureSize(4);
    EXPECT_EQ(b->PictureSizePixels(), 48);
    EXPECT_EQ(b->PictureSize(), 4);
    b->setButtonStyle(8);
    EXPECT_EQ(b->ButtonStyle(), 2);

    b->setValue(true);  // refused in command mode, silently at run time
    EXPECT_FALSE(b->Value());
    EXPECT_TRUE(host.messages.empty());
    b->setMode(1);
    b->setValue(true);
    b->setMode(0);
    EXPECT_FALSE(b->Value());

    b->setFontStyle(2 | 8);
    EXPECT_TRUE(b->Font().bold && b->Font().underline && !b->Font().italic);
    EXPECT_EQ(b->FontStyle(), 10);

    b->setBackColor(0xFFFF80);
    b->setResetDefaultColors(true);  // nothing while the program runs
    EXPECT_EQ(b->BackColor(), 0xFFFF80);
    EXPECT_FALSE(b->ResetDefaultColors());
}

TEST(ButtonProperties, HoverColourLocks) {
    RecordingHost host;
    auto b = make_button(&host);
    b->setBackColor(0xC0C0C0);
    EXPECT_EQ(b->HoverBackColor(), 0xC0C0C0);  // carried over while unlocked
    b->setHoverBackColor(0x00FFFF);
    EXPECT_EQ(b->HoverColorLocks(), 1);
    b->setBackColor(0xFFFF80);
    EXPECT_EQ(b->HoverBackColor(), 0x00FFFF);  // locked
    b->setHoverForeColor(0x0000FF);
    EXPECT_EQ(b->HoverColorLocks(), 3);
    b->setHoverColorLocks(0);
    EXPECT_EQ(b->HoverBackColor(), 0xFFFF80);
    EXPECT_EQ(b->HoverForeColor(), b->ForeColor());

    // With a gradient the hover colour follows the gradient colour, through
    // the hover setter: a colour other than the back colour locks it.
    b->setGradientMode(1);
    b->setGradientColor(0x00FF00);
    EXPECT_EQ(b->HoverBackColor(), 0x00FF00);
    EXPECT_EQ(b->HoverColorLocks(), 0);
    b->setHoverBackColor(0xFFFF80);  // equal to BackColor: no lock
    b->setBackColor(0x808080);
    EXPECT_EQ(b->HoverBackColor(), 0x00FF00);
    EXPECT_EQ(b->HoverColorLocks(), 1);
}

TEST(ButtonProperties, DesignModeMessagesAndPictureShapes) {
    RecordingHost host;
    auto b = make_button(&host, 60, 40);
    b->AmbientChanged("other", design_mode());
    b->setValue(true);
    b->setButtonShape(7);  // no picture yet
    QImage icon(16, 16, QImage::Format_ARGB32);
    icon.fill(Qt::blue);
    b->setPicture({icon, true});
    b->setButtonShape(8);  // icons cannot shape a button
    EXPECT_EQ(b->ButtonShape(), 0);
    b->setPictureAlign(4);
    b->setCaptionAlign(0);  // refused beside a top-centred picture
    EXPECT_EQ(b->CaptionAlign(), 2);
    ASSERT_EQ(host.messages.size(), 4u);
    EXPECT_EQ(host.messages[0], QStringLiteral("This property is not applicable for command button modes."));
    EXPECT_EQ(host.messages[1],
              QStringLiteral("The Picture Property must be assigned first and must be a bitmap or JPEG."));
    EXPECT_TRUE(host.messages[3].startsWith(QStringLiteral("When button images are aligned top/bottom center, ")));
    b->setGradientMode(2);
    b->setResetDefaultColors(true);
    EXPECT_EQ(b->BackColor(), static_cast<OleColor>(0x8000000F));
    EXPECT_EQ(b->GradientMode(), 0);
    EXPECT_FALSE(b->DrawingDelayed());

    // A bitmap shapes the button and takes the fit size, which then stays.
    QImage bmp(20, 20, QImage::Format_RGB32);
    bmp.fill(Qt::white);
    QPainter(&bmp).fillRect(5, 5, 10, 10, QColor(200, 0, 0));
    b->setPicture({bmp, false});
    b->setButtonShape(7);
    EXPECT_EQ(b->ButtonShape(), 7);
    EXPECT_EQ(b->PictureSizePixels(), 48);
    b->setPictureSize(0);
    EXPECT_EQ(b->PictureSizePixels(), 48);
    EXPECT_FALSE(host.region.contains(2, 2));  // the picture's opaque square, scaled to the window
    EXPECT_TRUE(host.region.contains(30, 20));
    b->setPicture({});  // no picture: back to a rectangle
    EXPECT_EQ(b->ButtonShape(), 0);
}

TEST(ButtonProperties, AccessKeys) {
    RecordingHost host;
    auto b = make_button(&host);
    const std::pair<const char*, const char*> cases[] = {
        {"&Save", "S"}, {"Save&", ""}, {"&Open && &Close", "C"}, {"A&&B", ""},  // "&&" is a literal ampersand
        {"&Mute", "M"}, {"静音", ""},  // a caption without "&" clears the old key
    };
    for (const auto& [caption, key] : cases) {
        b->setCaption(QString::fromUtf8(caption));
        EXPECT_EQ(b->AccessKey(), QString::fromUtf8(key)) << caption;
    }
}

TEST(ButtonProperties, DelayedDrawingPaintsNothingUntilResumed) {
    RecordingHost host;
    auto b = make_button(&host);
    const int before = b->RedrawCount();
    b->DelayDrawing(true);
    b->setCaption(QStringLiteral("X"));
    b->setBackColor(0xFFFF80);
    b->setButtonStyle(0);
    b->MousePress(2, 0, 5, 5);  // a right press does not end the delay
    EXPECT_EQ(b->RedrawCount(), before);
    b->DelayDrawing(false);
    b->DelayDrawing(true);
    b->Paint();
    b->DelayDrawing(true);
    b->Refresh();
    EXPECT_EQ(b->RedrawCount(), before + 3);
}

}  // namespace
}  // namespace tuner::testing
