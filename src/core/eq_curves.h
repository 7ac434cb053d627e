// The curves of one EQ channel: each band's response at the 403 table
// frequencies, kept per band, and the total (pre-gain line plus the enabled
// bands in use). A band change recomputes only that band's curve and re-sums
// the total from the stored curves, so the total never drifts.
#pragma once

#include <array>
#include <cstddef>

#include "core/eq_filter.h"

namespace tuner {

constexpr int kPeqBands = 39;

class EqCurveSet {
public:
    using Curve = std::array<double, kCurvePoints>;

    // Sets the band's curve from a design (bypassed: flat 0 dB).
    void set_band(int band, const Biquad& bq, bool bypassed);
    // Sets the band's curve to 0 dB (codes without a formula).
    void set_band_flat(int band);
    void set_pre_gain_line(double db) { pre_gain_line_db_ = db; }
    double pre_gain_line() const { return pre_gain_line_db_; }

    // total = pre-gain line + every enabled band 0..last_band.
    void resum(int last_band, const std::array<bool, kPeqBands>& enabled);

    const Curve& band(int band) const { return bands_[static_cast<std::size_t>(band)]; }
    const Curve& total() const { return total_; }

private:
    std::array<Curve, kPeqBands> bands_{};
    Curve total_{};
    double pre_gain_line_db_ = 0;
};

}  // namespace tuner
