// Colour shifts, window shapes and caption layout of the button, without a window.
#include <set>
#include <tuple>

#include <gtest/gtest.h>
#include <QPainter>

#include "button_test_util.h"
#include "buttons/button_color.h"

namespace tuner::testing {
namespace {

TEST(ShiftColor, ShiftsAndDerivedColours) {
    // Colour, amount, blue scaled by its level, result; components stay within 0..255.
    const std::tuple<uint32_t, int, bool, uint32_t> cases[] = {{0xFFFFFF, -32, true, 0xD6E0DF},
                                                               {0xFFFFFF, -32, false, 0xE0E0DF},
                                                               {0xC0C0C0, 48, true, 0xF1F1F0},
                                                               {0xDFDFDF, 8, false, 0xE8E8E7},
                                                               {0x000010, -40, false, 0}};
    for (const auto& [colour, amount, scale_blue, out] : cases)
        EXPECT_EQ(ShiftColor(colour, amount, {.scale_blue = scale_blue}), out)
            << std::hex << "colour " << colour << std::dec << " amount " << amount << " scale blue " << scale_blue;
    EXPECT_EQ(ShiftColor(0, 0, {.retry = true}), 0x404040u) << "black retried the other way, by 64";
    EXPECT_EQ(RefreshDerivedColors(2, 0xC0C0C0, 0xFFFF80).HoverFaceColor, 0xFFFFB0u);
    EXPECT_EQ(RefreshDerivedColors(3, 0xC0C0C0, 0xC0C0C0).CheckedFaceColor, 0xADADABu);
    EXPECT_EQ(RefreshDerivedColors(7, 0xC0C0C0, 0xC0C0C0).PressedFaceColor, 0x717170u);
    // System colours are translated before any arithmetic.
    const DerivedColors s0 = RefreshDerivedColors(0, kSysButtonFace, kSysButtonFace);
    EXPECT_EQ(s0.FaceColor, translate_color(kSysButtonFace));
    EXPECT_EQ(s0.CheckedFaceColor, 0xE0E0DFu);
}

ShapeResult shape_of(int shape, int style, int w, int h, bool enabled = true) {
    return BuildButtonShape(ShapeInput{.shape = shape, .style = style, .width = w, .height = h, .enabled = enabled});
}

TEST(ButtonShape, CornerCutsByStyle) {
    using Pixels = std::set<std::pair<int, int>>;
    const int w = 105, h = 29;
    auto cut = [&](int style, bool enabled) {
        const ShapeResult r = shape_of(0, style, w, h, enabled);
        Pixels c;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (!r.window.contains(x, y)) c.insert({x, y});
        return c;
    };
    const Pixels triangles = {{0, 0},     {1, 0},     {0, 1},     {0, h - 2},     {0, h - 1},     {1, h - 1},
                              {w - 2, 0}, {w - 1, 0}, {w - 1, 1}, {w - 1, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}};
    for (int style : {2, 7}) EXPECT_EQ(cut(style, true), triangles) << "style " << style;
    EXPECT_EQ(cut(1, true), (Pixels{{0, 0}, {0, h - 1}, {w - 1, h - 1}, {w - 1, 0}}));
    EXPECT_EQ(cut(3, true), (Pixels{{0, h - 1}, {w - 1, 0}}));
    for (int style : {0, 4, 5, 6}) EXPECT_EQ(cut(style, true), Pixels{}) << "style " << style;
    EXPECT_EQ(cut(3, false), Pixels{}) << "disabled style 3 keeps its corners";
}

TEST(ButtonShape, SlantsEllipsesAndPictures) {
    const ShapeResult s3 = shape_of(3, 0, 100, 30);
    EXPECT_EQ(s3.face_left, 15);  // slants half the height wide
    EXPECT_EQ(s3.face_right, 85);
    // Both sides slant.
    EXPECT_TRUE(s3.window.contains(1, 0));
    EXPECT_FALSE(s3.window.contains(1, 29));
    EXPECT_FALSE(s3.window.contains(98, 0));
    // Shape 1 keeps a straight right side with the style's corner cut.
    const ShapeResult s1 = shape_of(1, 2, 100, 30);
    EXPECT_FALSE(s1.window.contains(99, 0));
    EXPECT_TRUE(s1.window.contains(99, 15));

    const ShapeResult e = shape_of(4, 2, 60, 30);
    ASSERT_TRUE(e.clip.has_value());
    ASSERT_TRUE(e.inner.has_value());
    EXPECT_FALSE(e.window.contains(0, 0));
    EXPECT_TRUE(e.window.contains(0, 15));
    EXPECT_FALSE(e.clip->contains(0, 15));
    EXPECT_FALSE(e.inner->contains(1, 15));

    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(qRgb(0, 255, 0));
    img.setPixel(4, 4, qRgb(3, 252, 3));  // within 3 of the transparent colour
    img.setPixel(5, 5, qRgb(200, 0, 0));
    EXPECT_EQ(PictureRegion(img, 10, 10).bounds(), QRect(5, 5, 1, 1));
}

// Shapes 7 and 8: the auxiliary regions sit one and two pixels inside the box of the picture region, also when the
// picture's opaque part lies away from its corner.
TEST(ButtonShape, PictureShapesInsetTheirRegionsFromThePictureBox) {
    QImage img(48, 48, QImage::Format_RGB32);
    img.fill(qRgb(255, 255, 255));  // the top-left pixel: transparent
    QPainter(&img).fillRect(24, 12, 24, 30, QColor(0, 0, 160));
    for (int shape : {7, 8}) {
        ShapeInput in{.shape = shape, .style = 2, .width = 48, .height = 48};
        in.picture = &img;
        const ShapeResult r = BuildButtonShape(in);
        ASSERT_TRUE(r.clip.has_value()) << "shape " << shape;
        ASSERT_TRUE(r.inner.has_value()) << "shape " << shape;
        const QRect box = r.window.bounds();
        EXPECT_EQ(box, QRect(24, 12, 24, 30)) << "picture region, shape " << shape;
        EXPECT_EQ(r.clip->bounds(), box.adjusted(1, 1, -1, -1)) << "ClipRegion, shape " << shape;
        EXPECT_EQ(r.inner->bounds(), box.adjusted(2, 2, -2, -2)) << "InnerRegion, shape " << shape;
    }
}

LayoutInput plain(const QString& caption, int w = 105, int h = 29) {
    return LayoutInput{.caption = caption, .face_right = w, .width = w, .height = h};
}

TEST(ButtonLayout, CaptionsPictureCellsAndFitting) {
    LayoutResult r = LayoutCaption(plain("MUTE"), false, fixed_measure);
    EXPECT_EQ(r.caption, (BoxRect{40, 8, 64, 21}));  // (105 - 24) / 2, (29 - 13) / 2
    EXPECT_FALSE(r.with_picture);
    // Two lines with "||"; engraved styles need 2 more pixels each way.
    LayoutInput two = plain("AB||CDE", 105, 60);
    two.caption_style = 1;
    const LayoutResult t = LayoutCaption(two, false, fixed_measure);
    EXPECT_EQ(t.caption.width(), 18 + 2);
    EXPECT_EQ(t.caption.height(), 26 + 2);
    // Left, right and too wide captions keep 4 pixels from the face edge.
    LayoutInput in = plain("MUTE");
    in.caption_align = 0;
    EXPECT_EQ(LayoutCaption(in, false, fixed_measure).caption.left, 4) << "left aligned";
    in.caption_align = 1;
    EXPECT_EQ(LayoutCaption(in, false, fixed_measure).caption.right, 101) << "right aligned";
    const LayoutResult wide = LayoutCaption(plain("A very long caption", 40, 29), false, fixed_measure);
    EXPECT_EQ(wide.caption.left, 4);
    EXPECT_EQ(wide.caption.right, 36);
    EXPECT_EQ(LayoutCaption(plain("A||B||C"), false, fixed_measure).caption, (BoxRect{49, 4, 55, 24}))
        << "three lines in a 29-pixel face";
    // The slanted shapes centre the caption between their slants (face 14 pixels in).
    for (const auto& [shape, face_left, face_right, left] :
         {std::array{1, 14, 105, 47}, {2, 0, 91, 35}, {3, 14, 91, 42}}) {
        in = plain("MUTE");
        in.shape = shape;
        in.face_left = face_left;
        in.face_right = face_right;
        EXPECT_EQ(LayoutCaption(in, false, fixed_measure).caption.left, left) << "shape " << shape;
    }

    // Picture cells and fitting.
    in = plain("MUTE", 120, 40);
    in.picture_width = in.picture_height = 16;
    in.caption_align = 0;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(r.picture, (BoxRect{4, 12, 20, 28}));
    EXPECT_EQ(r.caption.left, 24);

    for (const auto& [align, picture_top, caption_top] : {std::array{4, 15, 33}, {5, 32, 17}}) {
        in.picture_align = align;  // centred above or below the caption on a 60-pixel face
        in.height = 60;
        r = LayoutCaption(in, false, fixed_measure);
        EXPECT_EQ(r.picture, (BoxRect{52, picture_top, 68, picture_top + 16})) << "picture align " << align;
        EXPECT_EQ(r.caption.top, caption_top) << "picture align " << align;
    }
    in.height = 40;
    in.picture_cell = 40;  // covers the face less 3 pixels, whatever the alignment
    in.picture_align = 3;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(r.picture, (BoxRect{3, 3, 117, 37}));
    EXPECT_TRUE(r.with_picture);

    in.picture_cell = 48;  // fitted: (120 - 12) / 64 against (40 - 12) / 16
    in.picture_width = 64;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(r.picture.width(), 108);
    EXPECT_EQ(r.picture.height(), 27);

    // Smaller than the margins the boxes collapse; a picture without size or space fits as nothing.
    in = plain("X", 6, 6);
    in.picture_width = in.picture_height = 16;
    in.picture_cell = 48;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_GE(r.caption.width(), 0);
    EXPECT_GE(r.caption.height(), 0);
    EXPECT_GE(r.picture.width(), 0);
    EXPECT_GE(r.picture.height(), 0);
    EXPECT_EQ(FitPicture(100, 50, 0, 10), QSize(0, 0));
    EXPECT_EQ(FitPicture(100, 50, 10, 0), QSize(0, 0));
    EXPECT_EQ(FitPicture(-6, 50, 10, 10), QSize(0, 0));
    EXPECT_EQ(FitPicture(100, 50, 10, 10), QSize(50, 50));
}

}  // namespace
}  // namespace tuner::testing
