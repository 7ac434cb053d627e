// Filter arithmetic of the EQ graph: cookbook biquads at 48 kHz for every
// band type code, their magnitude response in dB, the logarithmic frequency
// axis and the gain step rounding. Standard C++ only; everything is double
// precision.
#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "core/value_tables.h"

namespace tuner {

constexpr double kEqSampleRate = 48000.0;
constexpr double kTwoPi = 6.28318530717958;
// The smallest Q the maths uses, and the floor of |H|^2 terms.
constexpr double kMinFilterQ = 0.1;
constexpr double kResponseFloor = 1e-30;

// Band type codes.
namespace eq_type {
constexpr int peaking = 0;
constexpr int low_shelf = 1;
constexpr int high_shelf = 2;
constexpr int low_pass = 3;
constexpr int high_pass = 4;
constexpr int gain_only = 7;
}  // namespace eq_type

// Codes 3 and 20..31 draw as low-pass, 4 and 8..19 as high-pass.
constexpr bool is_low_pass_group(int type) { return type == 3 || (type >= 20 && type <= 31); }
constexpr bool is_high_pass_group(int type) { return type == 4 || (type >= 8 && type <= 19); }
// Codes 5, 6 and above 31 (and negative ones) have no filter: they draw flat.
constexpr bool has_filter_formula(int type) {
    return (type >= 0 && type <= 4) || type == eq_type::gain_only || (type >= 8 && type <= 31);
}

// Coefficients normalised to a0 = 1, the dB multiplier of the drawn curve
// and whether the pass family uses the band's Q.
struct Biquad {
    double b0 = 1, b1 = 0, b2 = 0, a1 = 0, a2 = 0;
    double db_multiplier = 1;
    bool hpf_q_variable = true;
    bool lpf_q_variable = true;
};

// The filter of a type code at f Hz with quality q (the shelf slope S for
// shelves) and gain in dB. Q is never below kMinFilterQ and a shelf's
// square-root argument never negative. Codes without a formula give the
// unit filter (0 dB everywhere).
Biquad design_biquad(int type, double f, double q, double gain_db);

// |H(f)|^2 in dB by the closed form, numerator and denominator floored at
// kResponseFloor.
double response_db(const Biquad& bq, double f);

// x position of a frequency on the axis: log(f/10) / log(1.0195).
double freq_to_xy_x(double f);

// Rounds a gain to the display step: |v| goes to tenths (half to even),
// then to the nearer multiple of the step, a midpoint going towards zero.
// Values whose magnitude is beyond 48 dB + step keep their tenths. A step
// of 0 or less returns the tenths unchanged.
double db_to_ui_step_db(double v, double step);

// Curves sampled at the 403 table frequencies. The per-frequency terms are
// computed once; a band's curve costs one pass over them.
constexpr std::size_t kCurvePoints = kEqFreqEntries;

class EqResponseGrid {
public:
    EqResponseGrid();
    // Fills out[i] with the response at table frequency i times the
    // design's multiplier.
    void band_curve(const Biquad& bq, std::span<double, kCurvePoints> out) const;
    double phi(std::size_t i) const { return phi_[i]; }

private:
    std::array<double, kCurvePoints> phi_{};
    std::array<double, kCurvePoints> phi2_{};
};

const EqResponseGrid& eq_response_grid();

// Straightforward evaluation of the same response: H on the unit circle as
// complex numbers, 20 log10 |H|, times the multiplier. The reference the
// fast curve is checked and measured against.
double reference_response_db(const Biquad& bq, double f);

}  // namespace tuner
