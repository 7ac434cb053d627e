// A control's font as it is stored: face name, point size and style flags.
#pragma once

#include <string>

#include <QFont>

namespace tuner {

struct FontSpec {
    std::string name = "MS Sans Serif";
    double size = 8.25;  // points
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strikethrough = false;
    int charset = 0;  // kept for callers that set it; text is drawn as Unicode

    bool operator==(const FontSpec&) const = default;
};

// The QFont that draws a FontSpec. Sizes become pixels at 96 dpi so that a
// surface looks the same on every screen and in offscreen tests; classic
// face names map to fonts found on Linux, with a CJK fallback.
QFont to_qfont(const FontSpec& spec);

// The FontSpec of a window's QFont (a form's Font as a control copies it):
// its first family, its size in points (a pixel size counts at 96 dpi) and
// its style.
FontSpec font_spec_of(const QFont& font);

}  // namespace tuner
