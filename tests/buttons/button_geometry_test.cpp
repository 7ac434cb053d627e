#include <set>

#include <gtest/gtest.h>

#include "button_test_util.h"

namespace tuner::testing {
namespace {

ShapeResult shape_of(int shape, int style, int w, int h, bool enabled = true) {
    return BuildButtonShape(ShapeInput{.shape = shape, .style = style, .width = w, .height = h, .enabled = enabled});
}

TEST(ButtonShape, CornerCutsByStyle) {
    using Pixels = std::set<std::pair<int, int>>;
    const int w = 105, h = 29;
    const Pixels triangles = {{0, 0},     {1, 0},     {0, 1},     {0, h - 2},     {0, h - 1},     {1, h - 1},
                              {w - 2, 0}, {w - 1, 0}, {w - 1, 1}, {w - 1, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}};
    const struct {
        int style;
        bool enabled;
        Pixels cut;
    } cases[] = {
        {2, true, triangles},
        {7, true, triangles},
        {1, true, {{0, 0}, {0, h - 1}, {w - 1, h - 1}, {w - 1, 0}}},
        {3, true, {{0, h - 1}, {w - 1, 0}}},
        {3, false, {}},  // a disabled style-3 button keeps its corners
        {0, true, {}},
        {4, true, {}},
        {5, true, {}},
        {6, true, {}},
    };
    for (const auto& c : cases) {
        const ShapeResult r = shape_of(0, c.style, w, h, c.enabled);
        Pixels cut;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (!r.window.contains(x, y)) cut.insert({x, y});
        EXPECT_EQ(cut, c.cut) << c.style;
    }
}

TEST(ButtonShape, SlantsEllipsesAndPictures) {
    const ShapeResult s3 = shape_of(3, 0, 100, 30);
    EXPECT_EQ(QPoint(s3.face_left, s3.face_right), QPoint(SlantWidth(30), 100 - SlantWidth(30)));
    EXPECT_TRUE(s3.window.contains(1, 0));
    EXPECT_FALSE(s3.window.contains(1, 29) || s3.window.contains(98, 0));  // both sides slant
    // Shape 1 keeps a straight right side with the style's corner cut.
    const ShapeResult s1 = shape_of(1, 2, 100, 30);
    EXPECT_FALSE(s1.window.contains(99, 0));
    EXPECT_TRUE(s1.window.contains(99, 15));

    const ShapeResult e = shape_of(4, 2, 60, 30);
    ASSERT_TRUE(e.clip && e.inner);
    EXPECT_FALSE(e.window.contains(0, 0));
    EXPECT_TRUE(e.window.contains(0, 15));
    EXPECT_FALSE(e.clip->contains(0, 15) || e.inner->contains(1, 15));

    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(qRgb(0, 255, 0));
    img.setPixel(4, 4, qRgb(2, 253, 1));  // within 3 of the transparent colour
    img.setPixel(5, 5, qRgb(200, 0, 0));
    EXPECT_EQ(PictureRegion(img, 10, 10).bounds(), QRect(5, 5, 1, 1));
    const QImage empty;
    EXPECT_FALSE(BuildButtonShape(ShapeInput{.shape = 7, .width = 20, .height = 20}).built);  // no picture
    EXPECT_FALSE(BuildButtonShape(ShapeInput{.shape = 8, .width = 20, .height = 20, .picture = &empty}).built);
}

LayoutInput plain(const QString& caption, int w = 105, int h = 29) {
    return LayoutInput{.caption = caption, .face_right = w, .width = w, .height = h};
}

TEST(ButtonLayout, Captions) {
    const LayoutResult r = LayoutCaption(plain(QStringLiteral("MUTE")), false, fixed_measure);
    EXPECT_EQ(r.caption, (BoxRect{40, 8, 64, 21}));  // (105 - 24) / 2, (29 - 13) / 2
    EXPECT_FALSE(r.with_picture);
    // Two lines with "||"; engraved styles need 2 more pixels each way.
    LayoutInput two = plain(QStringLiteral("AB||CDE"), 105, 60);
    two.caption_style = 1;
    const LayoutResult t = LayoutCaption(two, false, fixed_measure);
    EXPECT_EQ(t.caption.width(), 18 + 2);
    EXPECT_EQ(t.caption.height(), 26 + 2);
    // Left and right alignment keep 4 pixels from the face, and so does a
    // caption wider than the face.
    LayoutInput in = plain(QStringLiteral("MUTE"));
    in.caption_align = 0;
    EXPECT_EQ(LayoutCaption(in, false, fixed_measure).caption.left, 4);
    in.caption_align = 1;
    EXPECT_EQ(LayoutCaption(in, false, fixed_measure).caption.right, 101);
    const LayoutResult wide = LayoutCaption(plain(QStringLiteral("A very long caption"), 40, 29), false, fixed_measure);
    EXPECT_EQ(wide.caption.left, 4);
    EXPECT_EQ(wide.caption.right, 36);
}

TEST(ButtonLayout, PictureCellsAndFitting) {
    LayoutInput in = plain(QStringLiteral("MUTE"), 120, 40);
    in.picture_width = in.picture_height = 16;
    in.caption_align = 0;
    LayoutResult r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(r.picture, (BoxRect{4, 12, 20, 28}));
    EXPECT_EQ(r.caption.left, 24);

    in.picture_cell = 40;  // covers the face less 3 pixels, whatever the alignment
    in.picture_align = 3;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(r.picture, (BoxRect{3, 3, 117, 37}));
    EXPECT_TRUE(r.with_picture);

    in.picture_cell = 48;  // fitted: (120 - 12) / 32 against (40 - 12) / 16
    in.picture_width = 32;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(QSize(r.picture.width(), r.picture.height()), QSize(56, 28));

    // Smaller than the margins: the boxes collapse, never turn inside out;
    // a picture without size or a negative space fits as nothing.
    in = plain(QStringLiteral("X"), 6, 6);
    in.picture_width = in.picture_height = 16;
    in.picture_cell = 48;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_TRUE(r.caption.width() >= 0 && r.caption.height() >= 0 && r.picture.width() >= 0 && r.picture.height() >= 0);
    EXPECT_EQ(FitPicture(100, 50, 0, 10), QSize(0, 0));
    EXPECT_EQ(FitPicture(100, 50, 10, 0), QSize(0, 0));
    EXPECT_EQ(FitPicture(-6, 50, 10, 10), QSize(0, 0));
    EXPECT_EQ(FitPicture(100, 50, 10, 10), QSize(50, 50));
}

}  // namespace
}  // namespace tuner::testing
