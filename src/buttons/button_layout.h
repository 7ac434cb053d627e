// Placement of the caption and the picture inside the button's face: where
// the caption text and the picture are drawn, from the shape, the caption
// and picture alignment, the picture cell size and the measured text.
#pragma once

#include <functional>

#include <QSize>
#include <QString>

namespace tuner {

// Rectangle with right and bottom exclusive, as the face painters use it.
struct BoxRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    void offset(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    bool operator==(const BoxRect&) const = default;
};

// Measures text (lines broken at "\r\n" and wrapped at words) in a box of
// the given width and height; returns the width and height it takes.
using TextMeasurer = std::function<QSize(const QString& text, int box_width, int box_height)>;

struct LayoutInput {
    QString caption;
    int caption_align = 2;   // CaptionAlign
    int caption_style = 0;   // CaptionStyle
    int shape = 0;           // ButtonShape
    int picture_align = 0;   // PictureAlign
    int picture_cell = 16;   // PictureSizePixels
    int picture_width = 0;   // PictureWidth
    int picture_height = 0;  // PictureHeight
    int face_left = 0;       // FaceLeft
    int face_right = 0;      // FaceRight
    int width = 0;           // client width
    int height = 0;          // client height
};

struct LayoutResult {
    BoxRect caption;            // CaptionRect
    BoxRect picture;            // PictureRect
    bool with_picture = false;  // the picture must be prepared for its box
};

// The caption text as it is measured and drawn: "||" starts a new line.
QString CaptionDisplayText(const QString& caption);

// The picture size scaled to fit the available space, proportions kept.
// A picture without size, or no space, gives 0 x 0.
QSize FitPicture(int available_width, int available_height, int picture_width, int picture_height);

// LayoutCaption: `with_picture` as the caller passes it (true after a change
// of the picture or its size); the result may turn it on.
LayoutResult LayoutCaption(const LayoutInput& in, bool with_picture, const TextMeasurer& measure);

}  // namespace tuner
