// Small types shared by the tab strip's model and painters: the tab record,
// inclusive rectangles, the control's errors and the colour helpers.
#pragma once

#include <cmath>
#include <cstdint>
#include <string>

#include <QImage>
#include <QString>

#include "platform/control_error.h"
#include "platform/font_spec.h"
#include "platform/ole_color.h"

namespace tuner {

// Error numbers the tab strip raises, with the member named in the source
// ("ucXTab.TabCount").
constexpr int kXTabSubscriptOutOfRange = kSubscriptOutOfRange;
constexpr int kXTabInvalidPropertyValue = kInvalidPropertyValue;

// The strip's errors name it "ucXTab".
struct XTabError : ControlError {
    XTabError(int number, const std::string& member) : ControlError(number, "ucXTab." + member) {}
};

// Nearest integer, halves to the even neighbour.
inline int near_even(double v) { return static_cast<int>(std::lrint(v)); }

// A rectangle whose four edges all belong to it (hit tests include them).
struct TabRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool contains(int x, int y) const { return x >= left && x <= right && y >= top && y <= bottom; }
    bool operator==(const TabRect&) const = default;
};

// One tab. `page` names the page that carries the tab's controls; it moves
// with the record when tabs are inserted or removed.
struct TabInfo {
    TabRect box;  // close box, filled in by the painters
    QString caption;
    TabRect rect;  // the tab itself, filled in by the painters
    bool enabled = true;
    int access_key = 0;  // upper-cased character code, 0 for none
    QImage picture;
    int page = -1;
};

// Colour helpers. Colours go through GetRGBFromOLE before any arithmetic.
inline uint32_t GetRGBFromOLE(OleColor c) { return translate_color(c); }
// The colour with `offset` added to red, green and blue, each kept in 0..255.
uint32_t OffsetColor(OleColor c, int offset);
// Weight/255 of c1 mixed with the rest of c2, per channel.
uint32_t pBlendColors(uint32_t c1, uint32_t c2, int weight);
inline int pGetRValue(uint32_t c) { return static_cast<int>(c & 0xFF); }
inline int pGetGValue(uint32_t c) { return static_cast<int>((c & 0xFF00) / 256); }
inline int pGetBValue(uint32_t c) { return static_cast<int>((c & 0xFF0000) / 65536); }
// As an OleColor for the canvas (plain RGB, never a system colour).
inline OleColor ole(uint32_t rgb) { return static_cast<OleColor>(rgb & 0x00FFFFFFu); }

// The access key of a caption: the upper-cased character after the last
// single "&" ("&&" is a literal ampersand), 0 when there is none, also when
// the "&" is the caption's last character.
int caption_access_key(const QString& caption);

}  // namespace tuner
