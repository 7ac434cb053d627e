#include <gtest/gtest.h>

#include "button_test_util.h"

namespace tuner::test {
namespace {

ButtonAmbient design_mode() {
    ButtonAmbient a;
    a.user_mode = false;
    return a;
}

TEST(ButtonProperties, DefaultsAfterLoadingAnEmptyStore) {
    ButtonModel b;
    b.SetTextMeasurer(fixed_measure);
    ButtonAmbient amb;
    amb.form_back_color = 0x123456;
    b.ReadProperties(PropertyBag(), amb);
    EXPECT_EQ(b.CaptionAlign(), 2);
    EXPECT_TRUE(b.ShowFocusRect());
    EXPECT_TRUE(b.Enabled());
    EXPECT_EQ(b.ForeColor(), static_cast<OleColor>(0x80000012));
    EXPECT_EQ(b.PictureSizePixels(), 16);
    EXPECT_EQ(b.PictureSize(), 0);
    EXPECT_EQ(b.BackColor(), 0x123456);
    EXPECT_EQ(b.HoverBackColor(), 0x123456);
    EXPECT_EQ(b.GradientColor(), static_cast<OleColor>(0x8000000F));
    EXPECT_EQ(b.Mode(), 0);
    EXPECT_FALSE(b.Value());
    EXPECT_FALSE(b.DrawingDelayed());
}

TEST(ButtonProperties, DefaultsAfterInitialising) {
    RecordingHost host;
    ButtonModel b(&host);
    b.InitProperties(ButtonAmbient());
    EXPECT_EQ(b.BackColor(), static_cast<OleColor>(0x8000000F));
    EXPECT_EQ(b.HoverBackColor(), static_cast<OleColor>(0x8000000F));
    EXPECT_EQ(b.HoverForeColor(), static_cast<OleColor>(0x80000012));
    EXPECT_EQ(b.CaptionAlign(), 2);
    for (const char* k : {"Caption", "CapAlign", "Focus", "cFHover", "cBHover", "Font"}) EXPECT_TRUE(host.marked(k)) << k;
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
    EXPECT_TRUE(bag.contains("CapAlign"));
    EXPECT_TRUE(bag.contains("cBhover"));

    ButtonModel b;
    b.SetTextMeasurer(fixed_measure);
    b.ReadProperties(bag, ButtonAmbient());
    EXPECT_EQ(b.Caption(), QStringLiteral("静音&M"));
    EXPECT_EQ(b.CaptionAlign(), 0);
    EXPECT_EQ(b.Mode(), 1);
    EXPECT_TRUE(b.Value());
    EXPECT_EQ(b.BackColor(), 0xFFFF80);
    EXPECT_EQ(b.GradientMode(), 3);
    EXPECT_EQ(b.GradientColor(), 0x00FF00);
    EXPECT_EQ(b.HoverBackColor(), a->HoverBackColor());
    EXPECT_EQ(b.CustomClick(), 4);
    EXPECT_EQ(b.PictureSizePixels(), 32);
    EXPECT_EQ(b.Picture().image.size(), QSize(8, 8));
    EXPECT_EQ(b.AccessKey(), QStringLiteral("M"));

    // Defaults are left out; Mode, Value and cBack are always written.
    PropertyBag plain;
    ButtonModel c;
    c.ReadProperties(PropertyBag(), ButtonAmbient());
    c.WriteProperties(plain);
    EXPECT_FALSE(plain.contains("CapAlign"));
    EXPECT_FALSE(plain.contains("Caption"));
    EXPECT_FALSE(plain.contains("ImgSize"));
    EXPECT_TRUE(plain.contains("Mode"));
    EXPECT_TRUE(plain.contains("Value"));
    EXPECT_TRUE(plain.contains("cBack"));
}

TEST(ButtonProperties, DamagedStoreLoadsDefaults) {
    PropertyBag bag;
    bag.write("BackStyle", int64_t{42}, int64_t{0});
    bag.write("Shape", int64_t{-3}, int64_t{0});
    bag.write("ImgSize", int64_t{17}, int64_t{16});
    bag.write("Mode", int64_t{0}, int64_t{1});
    bag.write("Value", true, false);
    bag.write("Gradient", int64_t{9}, int64_t{0});
    ButtonModel b;
    b.SetTextMeasurer(fixed_measure);
    b.Resize(40, 20);
    b.ReadProperties(bag, ButtonAmbient());
    EXPECT_EQ(b.ButtonStyle(), 0);
    EXPECT_EQ(b.ButtonShape(), 0);
    EXPECT_EQ(b.PictureSizePixels(), 16);
    EXPECT_EQ(b.GradientMode(), 0);
    EXPECT_FALSE(b.Value());  // a command button is never checked
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
    EXPECT_TRUE(b->Value());
    b->setMode(0);
    EXPECT_FALSE(b->Value());
    EXPECT_TRUE(host.marked("Mode"));

    b->setFontStyle(2 | 8);
    EXPECT_TRUE(b->Font().bold);
    EXPECT_FALSE(b->Font().italic);
    EXPECT_TRUE(b->Font().underline);
    EXPECT_EQ(b->FontStyle(), 10);
}

TEST(ButtonProperties, HoverColourLocks) {
    RecordingHost host;
    auto b = make_button(&host);
    b->setBackColor(0xC0C0C0);
    EXPECT_EQ(b->HoverBackColor(), 0xC0C0C0);  // carried over while unlocked
    b->setHoverBackColor(0xC0C0C0);
    EXPECT_EQ(b->HoverColorLocks(), 0);
    b->setHoverBackColor(0x00FFFF);
    EXPECT_EQ(b->HoverColorLocks(), 1);
    b->setBackColor(0xFFFF80);
    EXPECT_EQ(b->HoverBackColor(), 0x00FFFF);  // locked
    b->setHoverForeColor(0x0000FF);
    EXPECT_EQ(b->HoverColorLocks(), 3);
    b->setHoverColorLocks(0);
    EXPECT_EQ(b->HoverBackColor(), 0xFFFF80);
    EXPECT_EQ(b->HoverForeColor(), b->ForeColor());

    // A gradient button keeps following its colours after a back colour change.
    b->setGradientMode(1);
    b->setBackColor(0x808080);
    EXPECT_EQ(b->HoverColorLocks(), 0);
    b->setGradientColor(0x00FF00);
    EXPECT_EQ(b->HoverBackColor(), 0x00FF00);
}

TEST(ButtonProperties, ResetDefaultColorsOnlyInDesignMode) {
    RecordingHost host;
    auto b = make_button(&host);
    b->setBackColor(0xFFFF80);
    b->setResetDefaultColors(true);
    EXPECT_EQ(b->BackColor(), 0xFFFF80);
    EXPECT_FALSE(b->ResetDefaultColors());
    b->AmbientChanged("other", design_mode());
    b->setGradientMode(2);
    b->setResetDefaultColors(true);
    EXPECT_EQ(b->BackColor(), static_cast<OleColor>(0x8000000F));
    EXPECT_EQ(b->GradientMode(), 0);
    EXPECT_FALSE(b->DrawingDelayed());
}

TEST(ButtonProperties, DesignModeMessages) {
    RecordingHost host;
    auto b = make_button(&host);
    b->AmbientChanged("other", design_mode());
    b->setValue(true);
    b->setButtonShape(7);  // no picture yet
    EXPECT_EQ(b->ButtonShape(), 0);
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
    EXPECT_EQ(host.messages[1], QStringLiteral("The Picture Property must be assigned first and must be a bitmap or JPEG."));
    EXPECT_TRUE(host.messages[3].startsWith(QStringLiteral("When button images are aligned top/bottom center, ")));
}

TEST(ButtonProperties, PictureShapeTakesTheFitSize) {
    RecordingHost host;
    auto b = make_button(&host, 60, 40);
    QImage bmp(20, 20, QImage::Format_RGB32);
    bmp.fill(Qt::white);
    for (int y = 5; y < 15; ++y)
        for (int x = 5; x < 15; ++x) bmp.setPixel(x, y, qRgb(200, 0, 0));
    b->setPicture({bmp, false});
    b->setButtonShape(7);
    EXPECT_EQ(b->ButtonShape(), 7);
    EXPECT_EQ(b->PictureSizePixels(), 48);
    b->setPictureSize(0);  // refused for shaped buttons
    EXPECT_EQ(b->PictureSizePixels(), 48);
    // The window is the picture's opaque square, scaled to the window.
    EXPECT_FALSE(host.region.contains(2, 2));
    EXPECT_TRUE(host.region.contains(30, 20));
    b->setPicture({});  // no picture: back to a rectangle
    EXPECT_EQ(b->ButtonShape(), 0);
}

TEST(ButtonProperties, AccessKeys) {
    RecordingHost host;
    auto b = make_button(&host);
    b->setCaption(QStringLiteral("&Save"));
    EXPECT_EQ(b->AccessKey(), QStringLiteral("S"));
    b->setCaption(QStringLiteral("Save&"));
    EXPECT_EQ(b->AccessKey(), QString());
    b->setCaption(QStringLiteral("&Open && &Close"));
    EXPECT_EQ(b->AccessKey(), QStringLiteral("C"));
    b->setCaption(QStringLiteral("A&&B"));
    EXPECT_EQ(b->AccessKey(), QString());
    b->setCaption(QStringLiteral("&Mute"));
    b->setCaption(QStringLiteral("静音"));  // a caption without "&" clears the old key
    EXPECT_EQ(b->AccessKey(), QString());
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
    EXPECT_EQ(b->RedrawCount(), before + 1);
    b->DelayDrawing(true);
    b->Paint();
    EXPECT_EQ(b->RedrawCount(), before + 2);
    b->DelayDrawing(true);
    b->Refresh();
    EXPECT_EQ(b->RedrawCount(), before + 3);
}

}  // namespace
}  // namespace tuner::test
