#include <set>

#include <gtest/gtest.h>

#include "button_test_util.h"

namespace tuner::test {
namespace {

using Pixels = std::set<std::pair<int, int>>;

Pixels missing(const ShapeResult& r, int w, int h) {
    Pixels out;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (!r.window.contains(x, y)) out.insert({x, y});
    return out;
}

ShapeResult shape_of(int shape, int style, int w, int h, bool enabled = true) {
    ShapeInput in;
    in.shape = shape;
    in.style = style;
    in.width = w;
    in.height = h;
    in.enabled = enabled;
    return BuildButtonShape(in);
}

TEST(ButtonShape, CornerCutsByStyle) {
    const int w = 105, h = 29;
    const Pixels style2 = {{0, 0}, {1, 0}, {0, 1},                        // top left
                           {0, h - 2}, {0, h - 1}, {1, h - 1},            // bottom left
                           {w - 2, 0}, {w - 1, 0}, {w - 1, 1},            // top right
                           {w - 1, h - 2}, {w - 2, h - 1}, {w - 1, h - 1}};  // bottom right
    EXPECT_EQ(missing(shape_of(0, 2, w, h), w, h), style2);
    EXPECT_EQ(missing(shape_of(0, 7, w, h), w, h), style2);
    EXPECT_EQ(missing(shape_of(0, 1, w, h), w, h), (Pixels{{0, 0}, {0, h - 1}, {w - 1, h - 1}, {w - 1, 0}}));
    EXPECT_EQ(missing(shape_of(0, 3, w, h), w, h), (Pixels{{0, h - 1}, {w - 1, 0}}));
    EXPECT_TRUE(missing(shape_of(0, 3, w, h, false), w, h).empty());
    for (int style : {0, 4, 5, 6}) EXPECT_TRUE(missing(shape_of(0, style, w, h), w, h).empty()) << style;
    const ShapeResult r = shape_of(0, 2, w, h);
    EXPECT_EQ(r.face_left, 0);
    EXPECT_EQ(r.face_right, w);
    EXPECT_FALSE(r.clip.has_value());
}

TEST(ButtonShape, SlantsAndEllipses) {
    const ShapeResult s3 = shape_of(3, 0, 100, 30);
    EXPECT_EQ(s3.face_left, SlantWidth(30));
    EXPECT_EQ(s3.face_right, 100 - SlantWidth(30));
    EXPECT_TRUE(s3.window.contains(1, 0));
    EXPECT_FALSE(s3.window.contains(1, 29));   // the left side slants
    EXPECT_FALSE(s3.window.contains(98, 0));   // and the right side
    // Shape 1 keeps a straight right side with the style's corner cut.
    const ShapeResult s1 = shape_of(1, 2, 100, 30);
    EXPECT_FALSE(s1.window.contains(99, 0));
    EXPECT_TRUE(s1.window.contains(99, 15));
    EXPECT_EQ(s1.face_right, 100);

    const ShapeResult e = shape_of(4, 2, 60, 30);
    EXPECT_FALSE(e.window.contains(0, 0));
    EXPECT_TRUE(e.window.contains(30, 15));
    ASSERT_TRUE(e.clip && e.inner);
    EXPECT_TRUE(e.window.contains(0, 15));
    EXPECT_FALSE(e.clip->contains(0, 15));
    EXPECT_FALSE(e.inner->contains(1, 15));
}

TEST(ButtonShape, PictureShapes) {
    QImage img(10, 10, QImage::Format_RGB32);
    img.fill(qRgb(0, 255, 0));
    img.setPixel(4, 4, qRgb(2, 253, 1));  // within 3 of the transparent colour
    img.setPixel(5, 5, qRgb(200, 0, 0));
    const Region r = PictureRegion(img, 10, 10);
    EXPECT_TRUE(r.contains(5, 5));
    EXPECT_FALSE(r.contains(4, 4));
    EXPECT_EQ(r.bounds(), QRect(5, 5, 1, 1));
    ShapeInput in;
    in.shape = 7;
    in.width = 20;
    in.height = 20;
    EXPECT_FALSE(BuildButtonShape(in).built);  // no picture: nothing built
    QImage empty;
    in.picture = &empty;
    EXPECT_FALSE(BuildButtonShape(in).built);
}

LayoutInput plain(const QString& caption, int w = 105, int h = 29) {
    LayoutInput in;
    in.caption = caption;
    in.face_right = w;
    in.width = w;
    in.height = h;
    return in;
}

TEST(ButtonLayout, CentredCaptionWithoutPicture) {
    const LayoutResult r = LayoutCaption(plain(QStringLiteral("MUTE")), false, fixed_measure);
    EXPECT_EQ(r.caption, (BoxRect{(105 - 24) / 2, (29 - 13) / 2, (105 - 24) / 2 + 24, (29 - 13) / 2 + 13}));
    EXPECT_FALSE(r.with_picture);
    // Two lines with "||"; engraved styles need 2 more pixels each way.
    LayoutInput two = plain(QStringLiteral("AB||CDE"), 105, 60);
    two.caption_style = 1;
    const LayoutResult t = LayoutCaption(two, false, fixed_measure);
    EXPECT_EQ(t.caption.width(), 18 + 2);
    EXPECT_EQ(t.caption.height(), 26 + 2);
    // Left and right alignment keep 4 pixels from the face.
    LayoutInput left = plain(QStringLiteral("MUTE"));
    left.caption_align = 0;
    EXPECT_EQ(LayoutCaption(left, false, fixed_measure).caption.left, 4);
    left.caption_align = 1;
    EXPECT_EQ(LayoutCaption(left, false, fixed_measure).caption.right, 101);
}

TEST(ButtonLayout, MarginsHoldOnSmallButtons) {
    // A caption wider than the face stays 4 pixels inside either side.
    const LayoutResult r = LayoutCaption(plain(QStringLiteral("A very long caption"), 40, 29), false, fixed_measure);
    EXPECT_EQ(r.caption.left, 4);
    EXPECT_EQ(r.caption.right, 36);
    // Smaller than the margins: the boxes collapse, never turn inside out.
    LayoutInput tiny = plain(QStringLiteral("X"), 6, 6);
    tiny.picture_width = tiny.picture_height = 16;
    tiny.picture_cell = 48;
    const LayoutResult t = LayoutCaption(tiny, false, fixed_measure);
    EXPECT_GE(t.caption.width(), 0);
    EXPECT_GE(t.caption.height(), 0);
    EXPECT_GE(t.picture.width(), 0);
    EXPECT_GE(t.picture.height(), 0);
    EXPECT_TRUE(t.with_picture);
}

TEST(ButtonLayout, PictureCells) {
    LayoutInput in = plain(QStringLiteral("MUTE"), 120, 40);
    in.picture_width = in.picture_height = 16;
    in.picture_align = 0;
    in.caption_align = 0;
    LayoutResult r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(r.picture.left, 4);
    EXPECT_EQ(r.caption.left, 24);
    EXPECT_EQ(r.picture.top, (40 - 16) / 2);

    in.picture_cell = 40;
    in.picture_align = 3;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(r.picture, (BoxRect{3, 3, 117, 37}));
    EXPECT_TRUE(r.with_picture);

    in.picture_cell = 48;
    in.picture_width = 32;
    in.picture_height = 16;
    r = LayoutCaption(in, false, fixed_measure);
    EXPECT_EQ(r.picture.width(), 56);  // (120 - 12) / 32 against (40 - 12) / 16: 1.75
    EXPECT_EQ(r.picture.height(), 28);
}

TEST(ButtonLayout, FitPictureGuards) {
    EXPECT_EQ(FitPicture(100, 50, 0, 10), QSize(0, 0));
    EXPECT_EQ(FitPicture(100, 50, 10, 0), QSize(0, 0));
    EXPECT_EQ(FitPicture(-6, 50, 10, 10), QSize(0, 0));
    EXPECT_EQ(FitPicture(100, 50, 10, 10), QSize(50, 50));
}

}  // namespace
}  // namespace tuner::test
