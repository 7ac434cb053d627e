#include "core/eq_filter.h"

#include <array>
#include <bit>
#include <cmath>
#include <complex>
#include <cstdint>

namespace tuner {
namespace {

constexpr double kDbPerNeper = 4.342944819032518;  // 10 / ln 10
constexpr double kLn2 = 0.6931471805599453;

// Natural logarithm of a positive normal double without a division:
// x = 2^e * m, m in [1, 2); the top 8 mantissa bits pick c = 1 + k/256 with
// 1/c and ln c from a table, and ln(m) = ln c + ln(1 + r), r = m/c - 1,
// 0 <= r < 1/256, by a cubic. Absolute error below 2e-10 (1e-9 dB), far
// inside the 1e-6 dB the curves must keep; ln(1) is exactly 0.
struct LnTable {
    std::array<double, 256> inv_c{};
    std::array<double, 256> ln_c{};
    LnTable() {
        for (std::size_t k = 0; k < 256; ++k) {
            const double c = 1.0 + static_cast<double>(k) / 256.0;
            inv_c[k] = 1.0 / c;
            ln_c[k] = -std::log(inv_c[k]);  // exact for the rounded 1/c
        }
    }
};
const LnTable kLnTable;

inline double fast_ln(double x) {
    const uint64_t bits = std::bit_cast<uint64_t>(x);
    const int64_t e = static_cast<int64_t>(bits >> 52) - 1023;
    const std::size_t k = static_cast<std::size_t>((bits >> 44) & 0xFF);
    const double m = std::bit_cast<double>((bits & 0x000fffffffffffffULL) | 0x3ff0000000000000ULL);
    const double r = m * kLnTable.inv_c[k] - 1.0;
    return static_cast<double>(e) * kLn2 + kLnTable.ln_c[k] + r * (1.0 + r * (-0.5 + r * (1.0 / 3)));
}

inline double floored(double v) { return v > kResponseFloor ? v : kResponseFloor; }

// Terms of |H|^2 = (N0 - phi N1 + phi^2 N2) / (D0 - phi D1 + phi^2 D2).
struct PowerTerms {
    double n0, n1, n2, d0, d1, d2;
};

PowerTerms power_terms(const Biquad& q) {
    const double s = q.b0 + q.b1 + q.b2;
    const double d = 1.0 + q.a1 + q.a2;
    return {s * s, q.b1 * (q.b0 + q.b2) + 4.0 * q.b0 * q.b2, q.b0 * q.b2,
            d * d, q.a1 * (1.0 + q.a2) + 4.0 * q.a2,         q.a2};
}

double phi_of(double f) {
    const double h = std::sin(kTwoPi * f / kEqSampleRate / 2.0);
    return 4.0 * h * h;
}

}  // namespace

Biquad design_biquad(int type, double f, double q, double gain_db) {
    Biquad r;
    if (!has_filter_formula(type)) return r;
    if (!(q >= kMinFilterQ)) q = kMinFilterQ;  // also catches NaN
    const double w0 = kTwoPi * f / kEqSampleRate;
    const double cw = std::cos(w0);
    const double sw = std::sin(w0);
    double b0 = 1, b1 = 0, b2 = 0, a0 = 1, a1 = 0, a2 = 0;

    auto pass = [&](bool low, double pass_q) {
        const double alpha = sw / (2.0 * pass_q);
        const double k = low ? (1.0 - cw) : (1.0 + cw);
        b0 = k / 2.0;
        b1 = low ? k : -k;
        b2 = k / 2.0;
        a0 = 1.0 + alpha;
        a1 = -2.0 * cw;
        a2 = 1.0 - alpha;
    };

    if (type == eq_type::gain_only) {
        b0 = std::pow(10.0, gain_db / 20.0);
    } else if (type == eq_type::peaking) {
        const double A = std::pow(10.0, gain_db / 40.0);
        const double alpha = sw / (2.0 * q);
        b0 = 1.0 + alpha * A;
        b1 = -2.0 * cw;
        b2 = 1.0 - alpha * A;
        a0 = 1.0 + alpha / A;
        a1 = -2.0 * cw;
        a2 = 1.0 - alpha / A;
    } else if (type == eq_type::low_shelf || type == eq_type::high_shelf) {
        const double A = std::pow(10.0, gain_db / 40.0);
        double arg = (A + 1.0 / A) * (1.0 / q - 1.0) + 2.0;
        if (!(arg > 0.0)) arg = 0.0;
        const double alpha = sw / 2.0 * std::sqrt(arg);
        const double rr = 2.0 * std::sqrt(A) * alpha;
        if (type == eq_type::low_shelf) {
            b0 = A * ((A + 1) - (A - 1) * cw + rr);
            b1 = 2 * A * ((A - 1) - (A + 1) * cw);
            b2 = A * ((A + 1) - (A - 1) * cw - rr);
            a0 = (A + 1) + (A - 1) * cw + rr;
            a1 = -2 * ((A - 1) + (A + 1) * cw);
            a2 = (A + 1) + (A - 1) * cw - rr;
        } else {
            b0 = A * ((A + 1) + (A - 1) * cw + rr);
            b1 = -2 * A * ((A - 1) + (A + 1) * cw);
            b2 = A * ((A + 1) + (A - 1) * cw - rr);
            a0 = (A + 1) - (A - 1) * cw + rr;
            a1 = 2 * ((A - 1) - (A + 1) * cw);
            a2 = (A + 1) - (A - 1) * cw - rr;
        }
    } else if (type == eq_type::low_pass || type == eq_type::high_pass) {
        pass(type == eq_type::low_pass, q);
    } else {
        // Pass families of four: slopes of 6, 12, 18 and 24 dB per octave
        // drawn as one biquad with its dB scaled by 0.5, 1, 1.5 and 2.
        const bool low = type >= 20;
        const int family = (type - (low ? 20 : 8)) / 4;  // 0 band Q, 1 1/sqrt3, 2 1/sqrt2
        const double pass_q = family == 0 ? q : family == 1 ? 1.0 / std::sqrt(3.0) : 1.0 / std::sqrt(2.0);
        pass(low, pass_q);
        r.db_multiplier = 0.5 * static_cast<double>((type % 4) + 1);
        if (family != 0) (low ? r.lpf_q_variable : r.hpf_q_variable) = false;
    }
    if (!(a0 != 0.0) || !std::isfinite(a0)) return Biquad{};
    r.b0 = b0 / a0;
    r.b1 = b1 / a0;
    r.b2 = b2 / a0;
    r.a1 = a1 / a0;
    r.a2 = a2 / a0;
    return r;
}

double response_db(const Biquad& bq, double f) {
    const PowerTerms t = power_terms(bq);
    const double phi = phi_of(f);
    const double num = t.n0 - phi * t.n1 + phi * phi * t.n2;
    const double den = t.d0 - phi * t.d1 + phi * phi * t.d2;
    return kDbPerNeper * (std::log(floored(num)) - std::log(floored(den)));
}

double freq_to_xy_x(double f) { return std::log10(f / 10.0) / std::log10(1.0195); }

double db_to_ui_step_db(double v, double step) {
    const bool negative = v < 0;
    const double tenths = std::nearbyint(std::fabs(v) * 10.0);  // half to even
    if (!(step > 0.0) || !std::isfinite(tenths)) return negative ? -tenths / 10.0 : tenths / 10.0;
    double result = tenths;
    double s10 = step * 10.0;
    // A step held in single precision (0.2 as 0.200000003) is still a whole
    // number of tenths: work in exact tenths then.
    if (std::nearbyint(s10) >= 1.0 && std::fabs(s10 - std::nearbyint(s10)) < 1e-5 * s10) s10 = std::nearbyint(s10);
    // The steps that the rule reaches: k = 0, s, 2s, ... while k <= 48 dB.
    const double last_k = std::floor(480.0 / s10 + 1e-9) * s10;
    if (tenths <= last_k + s10 + 1e-9) {
        const double n = std::floor(tenths / s10 + 1e-9);
        const double lower = n * s10;
        const double upper = lower + s10;
        result = (tenths > (lower + upper) / 2.0 + 1e-9) ? upper : lower;
        if (std::fabs(result - std::nearbyint(result)) < 1e-9) result = std::nearbyint(result);
    }
    const double db = result / 10.0;
    return negative && db != 0.0 ? -db : db;
}

EqResponseGrid::EqResponseGrid() {
    const auto& tab = value_tables().eq_freq_tab;
    for (std::size_t i = 0; i < kCurvePoints; ++i) {
        phi_[i] = phi_of(tab[i]);
        phi2_[i] = phi_[i] * phi_[i];
    }
}

void EqResponseGrid::band_curve(const Biquad& bq, std::span<double, kCurvePoints> out) const {
    const PowerTerms t = power_terms(bq);
    const double scale = kDbPerNeper * bq.db_multiplier;
    for (std::size_t i = 0; i < kCurvePoints; ++i) {
        const double num = t.n0 - phi_[i] * t.n1 + phi2_[i] * t.n2;
        const double den = t.d0 - phi_[i] * t.d1 + phi2_[i] * t.d2;
        out[i] = scale * fast_ln(floored(num) / floored(den));
    }
}

const EqResponseGrid& eq_response_grid() {
    static const EqResponseGrid grid;
    return grid;
}

double reference_response_db(const Biquad& bq, double f) {
    const double w = kTwoPi * f / kEqSampleRate;
    const std::complex<double> z1 = std::polar(1.0, -w);
    const std::complex<double> z2 = z1 * z1;
    const std::complex<double> h = (bq.b0 + bq.b1 * z1 + bq.b2 * z2) / (1.0 + bq.a1 * z1 + bq.a2 * z2);
    return 20.0 * std::log10(std::abs(h)) * bq.db_multiplier;
}

}  // namespace tuner
