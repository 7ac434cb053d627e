// Window shapes of the owner-drawn button: the window region for each
// ButtonShape (rectangle with style-dependent corner cuts, slanted sides,
// ellipses, or the outline of the picture), the two auxiliary regions the
// painters clip to, the face bounds, and the offsets of the press nudge.
#pragma once

#include <optional>

#include <QImage>
#include <QPoint>

#include "platform/region.h"

namespace tuner {

struct ShapeInput {
    int shape = 0;
    int style = 0;
    int width = 0;
    int height = 0;
    bool enabled = true;
    // Shapes 7 and 8: the picture, its transparent colour taken from its
    // top-left pixel.
    const QImage* picture = nullptr;
};

struct ShapeResult {
    Region window;                // the window region
    std::optional<Region> clip;   // ClipRegion: none for the straight shapes
    std::optional<Region> inner;  // InnerRegion: none for the straight shapes
    int face_left = 0;            // FaceLeft
    int face_right = 0;           // FaceRight
    bool built = true;            // false: a picture shape without a usable picture
};

// Width of the slanted side of shapes 1 to 3.
int SlantWidth(int height);

ShapeResult BuildButtonShape(const ShapeInput& in);

// Region of the pixels of `picture` scaled to w x h that differ from its
// top-left pixel by more than 3 in red, green or blue, offset by (dx, dy).
Region PictureRegion(const QImage& picture, int w, int h, int dx = 0, int dy = 0);

// Offset the press nudge moves a button by for CustomClick 1..8; (0, 0) otherwise.
QPoint NudgeOffset(int custom_click);

}  // namespace tuner
