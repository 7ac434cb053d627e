// Window positions and sizes are kept in twips: 1/1440 inch, 15 per pixel at
// 96 dots per inch. Qt scales pixels for high-density screens on its own.
#pragma once

namespace tuner {

constexpr int kTwipsPerPixel = 15;

// Twips to whole pixels, rounding to the nearest pixel.
constexpr int twips_to_px(int twips) {
    return twips >= 0 ? (twips + kTwipsPerPixel / 2) / kTwipsPerPixel
                      : -((-twips + kTwipsPerPixel / 2) / kTwipsPerPixel);
}
constexpr int px_to_twips(int px) { return px * kTwipsPerPixel; }

}  // namespace tuner
