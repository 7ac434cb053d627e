#include "core/eq_curves.h"

namespace tuner {

void EqCurveSet::set_band(int band, const Biquad& bq, bool bypassed) {
    if (band < 0 || band >= kPeqBands) return;
    if (bypassed) {
        set_band_flat(band);
        return;
    }
    eq_response_grid().band_curve(bq, bands_[static_cast<std::size_t>(band)]);
}

void EqCurveSet::set_band_flat(int band) {
    if (band < 0 || band >= kPeqBands) return;
    bands_[static_cast<std::size_t>(band)].fill(0.0);
}

void EqCurveSet::resum(int last_band, const std::array<bool, kPeqBands>& enabled) {
    total_.fill(pre_gain_line_db_);
    for (int b = 0; b <= last_band && b < kPeqBands; ++b) {
        if (!enabled[static_cast<std::size_t>(b)]) continue;
        const Curve& c = bands_[static_cast<std::size_t>(b)];
        for (std::size_t i = 0; i < kCurvePoints; ++i) total_[i] += c[i];
    }
}

}  // namespace tuner
