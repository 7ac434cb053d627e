#include <gtest/gtest.h>

#include "platform/canvas.h"
#include "platform/canvas_pen.h"
#include "platform/ole_color.h"
#include "platform/region.h"
#include "platform/twips.h"

using namespace tuner;

namespace {
constexpr uint32_t kRed = 0x0000FF;
constexpr uint32_t kWhite = 0xFFFFFF;

Canvas filled(int w, int h, OleColor c = kWhite) {
    Canvas canvas(w, h);
    canvas.clear(c);
    return canvas;
}

// Each row of the canvas as letters: r red, w white, s shadow, d dark shadow, l 3D light, b blue, ? others.
void expect_rows(const Canvas& c, const std::vector<std::string>& want) {
    for (int y = 0; y < static_cast<int>(want.size()); ++y) {
        std::string got;
        for (int x = 0; x < c.width(); ++x) {
            switch (c.pixel(x, y)) {
                case kRed: got += 'r'; break;
                case kWhite: got += 'w'; break;
                case 0x808080: got += 's'; break;
                case 0x404040: got += 'd'; break;
                case 0xC8D0D4: got += 'l'; break;
                case 0xFF0000: got += 'b'; break;
                default: got += '?';
            }
        }
        EXPECT_EQ(got, want[static_cast<std::size_t>(y)]) << "row " << y;
    }
}
}  // namespace

TEST(OleColor, ColoursAndTwips) {
    EXPECT_EQ(translate_color(0x80FF40), 0x80FF40u);
    EXPECT_EQ(translate_color(system_color(200)), 0u) << "unknown system colour";
    for (const auto& [twips, px] : {std::pair{1575, 105}, {7, 0}, {8, 1}, {-15, -1}})
        EXPECT_EQ(twips_to_px(twips), px) << twips << " twips";
    EXPECT_EQ(px_to_twips(29), 435);
}

TEST(Canvas, ShapesLinesAndSunkenEdge) {
    Canvas c = filled(10, 7);
    c.fill_rect(2, 3, 5, 6, kRed);      // right and bottom edges excluded
    c.fill_rect(-5, -5, 100, 1, kRed);  // clipped to the surface
    c.fill_rect(6, 6, 6, 9, kRed);      // empty
    c.frame_rect(6, 2, 9, 5, kRed);
    expect_rows(c, {"rrrrrrrrrr", "wwwwwwwwww", "wwwwwwrrrw", "wwrrrwrwrw", "wwrrrwrrrw", "wwrrrwwwww", "wwwwwwwwww"});
    Canvas l = filled(10, 10);  // no end points
    l.line(1, 1, 6, 1, kRed);
    l.line(3, 3, 3, 3, kRed);
    l.move_to(0, 9);
    l.line_to(4, 5, kRed);
    EXPECT_EQ(l.current_position(), QPoint(4, 5));
    l.polyline({{7, 2}, {9, 2}, {9, 5}}, kRed);
    expect_rows(l, {"wwwwwwwwww", "wrrrrrwwww", "wwwwwwwrrr", "wwwwwwwwwr", "wwwwwwwwwr", "wwwwwwwwww", "wwwrwwwwww",
                    "wwrwwwwwww", "wrwwwwwwww", "rwwwwwwwww"});
    Canvas e = filled(6, 6, kRed);
    draw_edge(e, 0, 0, 6, 6, edge::sunken_outer | edge::sunken_inner);
    expect_rows(e, {"sssssw", "sdddlw", "sdrrlw", "sdrrlw", "sllllw", "wwwwww"});
}

TEST(Canvas, XorAndFocusRectUndoThemselves) {
    Canvas c = filled(20, 12);
    c.gradient_v(0, 0, 4, 0, kRed, kWhite);  // zero height: nothing, no division
    const QImage before = c.image().copy();
    c.xor_rect(2, 2, 15, 9, 0xFFFFFF);
    EXPECT_NE(c.image(), before);
    c.xor_rect(2, 2, 15, 9, 0xFFFFFF);
    EXPECT_EQ(c.image(), before);
    c.draw_focus_rect(1, 1, 19, 11);
    EXPECT_NE(c.image(), before);
    c.draw_focus_rect(1, 1, 19, 11);
    EXPECT_EQ(c.image(), before);
}

TEST(Region, ShapesAndCombination) {
    const Region r = Region::rect(0, 0, 10, 5);
    const Region tri = Region::polygon({{0, 0}, {10, 0}, {0, 10}});
    const Region cut = r.combined(Region::rect(0, 0, 5, 5), Region::Op::Diff);
    const Region rr = Region::round_rect(0, 0, 20, 20, 8, 8);
    const Region ell = Region::ellipse(0, 0, 10, 10);
    const std::tuple<const Region&, int, int, bool, const char*> points[] = {
        {r, 9, 4, true, "rect"},         {r, 10, 4, false, "rect"},       {tri, 1, 1, true, "triangle"},
        {tri, 9, 9, false, "triangle"},  {cut, 2, 2, false, "cut"},       {cut, 7, 2, true, "cut"},
        {rr, 0, 0, false, "round rect"}, {rr, 10, 0, true, "round rect"}, {ell, 0, 0, false, "ellipse"}};
    for (const auto& [region, x, y, in, what] : points)
        EXPECT_EQ(region.contains(x, y), in) << what << " " << x << "," << y;
    EXPECT_TRUE(Region::rect(5, 5, 5, 9).empty());
    EXPECT_TRUE(Region::polygon({{0, 0}, {1, 1}}).empty());
}

// Text is drawn as the pictures show; here its measure and access keys.
TEST(Canvas, TextMeasuredAndAccessKeys) {
    const FontSpec f{"Tahoma", 9};
    EXPECT_EQ(Canvas::text_extent(QStringLiteral("&Open"), f, true), Canvas::text_extent(QStringLiteral("Open"), f));
    int pos = 0;
    EXPECT_EQ(strip_mnemonic(QStringLiteral("Save && &Exit"), &pos), QStringLiteral("Save & Exit"));
    EXPECT_EQ(pos, 7);
    EXPECT_EQ(strip_mnemonic(QStringLiteral("End&"), &pos), QStringLiteral("End"));
    EXPECT_EQ(pos, -1);
}

// Fast-path fills, XOR and blits: clip, edges, mask, transparency, another format.
TEST(Canvas, ClipMaskAndOtherFormats) {
    QImage pic(4, 2, QImage::Format_ARGB32);
    pic.fill(qRgb(0, 0, 255));
    pic.setPixel(1, 0, qRgb(0, 255, 0));  // the mask colour
    pic.setPixel(2, 0, 0);                // transparent
    const Region shape = Region::ellipse(0, 0, 12, 8).combined(Region::rect(9, 0, 12, 2), Region::Op::Or);
    for (bool other_format : {false, true}) {
        SCOPED_TRACE(other_format ? "RGB888" : "RGB32");
        Canvas c(12, 8);
        if (other_format) c.image() = c.image().convertToFormat(QImage::Format_RGB888);
        c.set_clip(shape);
        c.fill_rect(-3, -3, 20, 20, kRed);
        c.set_clip(std::nullopt);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 12; ++x)
                EXPECT_EQ(c.pixel(x, y), shape.contains(x, y) ? kRed : kWhite) << x << "," << y;
        c.xor_rect(10, 6, 30, 30, 0xFFFFFF);  // partly off the surface
        EXPECT_EQ(c.pixel(11, 7), 0u) << "white outside the clip, inverted";
        c.fill_rect(0, 0, 12, 8, kWhite);
        c.blit(pic, 10, 6, 0x00FF00u);  // half off the surface
        c.blit(pic, -2, 0);
        expect_rows(c, {"wbwwwwwwwwww", "bbwwwwwwwwww", "wwwwwwwwwwww", "wwwwwwwwwwww", "wwwwwwwwwwww", "wwwwwwwwwwww",
                        "wwwwwwwwwwbw", "wwwwwwwwwwbb"});
    }
}
