// Every range end of the parameter table and every record of the multi-record editors, at the rules: typed values
// and steppers just inside, at and just beyond both ends of each field; the same edit on each record.
#include <gtest/gtest.h>

#include "core/image_match.h"
#include "core/param_table.h"
#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

using K = ParamKind;

// Stored limits (the threshold stores its magnitude; Q as for a peaking band).
std::pair<int32_t, int32_t> stored_limits(const ParamRow& r) {
    return r.kind == K::DrcThreshold ? std::pair{-r.max, -r.min} : std::pair{r.min, r.max};
}
int32_t on_slider(const ParamRow& r, int32_t v) { return r.kind == K::DrcThreshold ? -v : v; }
// Steppers that do their own arithmetic raise even at a limit; the slider's raise only on a move.
bool own_steps(const ParamRow& r) { return r.slider.empty() || r.kind == K::Level || r.kind == K::ExciterFreq; }

// Slider ranges as after start-up, connected, peaking bands on the edited EQ channel.
class RangeEndsTest : public ::testing::Test, public RuleEnvFixture {
protected:
    RangeEndsTest() {
        set_connected(true);
        for (std::size_t abs_max :
             {gen_frame::music_vol_abs_max, gen_frame::mic_vol_abs_max, gen_frame::effect_vol_abs_max})
            s.param_image.gen[abs_max] = 255;  // the unit's ceilings above every volume
    }
    int band_of(const ParamRow& r, int band) const { return r.per_band ? band : -1; }
    double shown(const ParamRow& r, int32_t v) const {
        return r.kind == K::DrcThreshold ? -v : param_shown_value(s, r, v);
    }
    // What a user types for v: beyond an end, one step of the end's neighbour further out.
    std::string typed_text(const ParamRow& r, int32_t v) const {
        const auto [lo, hi] = stored_limits(r);
        if (v < lo) return double_to_text(2 * shown(r, lo) - shown(r, lo + 1));
        if (v > hi) return double_to_text(2 * shown(r, hi) - shown(r, hi - 1));
        return double_to_text(shown(r, v));
    }
    // Stores v as the starting value, on the slider too.
    void start_at(const ParamRow& r, int32_t v, int band) {
        param_set(s, r, v, band);
        const auto [lo, hi] = stored_limits(r);
        if (!r.slider.empty()) {
            slider(Ctl{r.slider, band_of(r, band)}, on_slider(r, r.kind == K::DrcThreshold ? hi : lo),
                   on_slider(r, r.kind == K::DrcThreshold ? lo : hi), on_slider(r, v));
        }
        if (!r.limit_slider.empty()) slider(Ctl{r.limit_slider}, lo, hi, lo);
        param_send_word(s, r) = kClear;
        view.focused = "elsewhere";
        view.limiter = on_slider(r, v);  // the compressor's curve, for the threshold
    }
    // The curve as the edit left it (the threshold's), then the box and the slider after a full refresh.
    void expect_shown(const ParamRow& r, int32_t v, int band) {
        if (r.kind == K::DrcThreshold) {
            EXPECT_EQ(view.limiter_db(), -v) << "curve";
        }
        s.refresh_incremental = 0;
        display.set_all_dis();
        const std::optional<double> text = parse_number_text(view.text(Ctl{r.text_box, band_of(r, band)}));
        EXPECT_NEAR(text.value_or(-1e9), shown(r, v), 0.051) << "box after a refresh";
        if (!r.slider.empty()) {
            EXPECT_EQ(view.slider_value(Ctl{r.slider, band_of(r, band)}), on_slider(r, v)) << "slider";
        }
    }
};

TEST_F(RangeEndsTest, TypedValuesAndSteppersAtBothEnds) {
    const int band = 9;
    for (const ParamRow& r : param_table()) {
        const auto [lo, hi] = stored_limits(r);
        const Ctl box{r.text_box, band_of(r, band)};
        for (const int32_t end : {lo, hi}) {
            for (const int32_t typed : {end - 1, end, end + 1}) {
                const std::string text = typed_text(r, typed);
                SCOPED_TRACE(std::string(r.name) + " typed " + text + " (stored " + std::to_string(typed) + ")");
                if (text.starts_with('-') && !rules.box_limits(env, box)->allow_minus) continue;  // no minus key
                const int32_t want = std::clamp(typed, lo, hi);
                start_at(r, (lo + hi) / 2, band);
                const std::optional<double> left = parse_number_text(type_enter(box, text));
                EXPECT_NEAR(left.value_or(-1e9), shown(r, want), 0.051) << "box after Enter";
                EXPECT_EQ(param_get(s, r, band), want) << "stored";
                EXPECT_EQ(param_send_word(s, r), kPending) << "send word";
                expect_shown(r, want, band);
            }
            // Towards the end: from one short of it, and from the end itself.
            const bool end_is_top = end == hi ? shown(r, hi) > shown(r, lo) : shown(r, lo) > shown(r, hi);
            const std::string stepper = std::string(r.name) + (end_is_top ? "_inc" : "_dec");
            for (const int32_t from : {end == hi ? hi - 1 : lo + 1, end}) {
                SCOPED_TRACE(stepper + " from " + std::to_string(from));
                start_at(r, from, band);
                EXPECT_TRUE(rules.step(env, stepper, band_of(r, band))) << "stepper not handled";
                EXPECT_EQ(param_get(s, r, band), end) << "stored";
                EXPECT_EQ(param_send_word(s, r) == kPending, from != end || own_steps(r)) << "send word raised";
                EXPECT_EQ(view.focused, r.kind == K::EqPreGain ? "elsewhere" : box.str()) << "focus";
                expect_shown(r, end, band);
            }
        }
    }
}

// The same typed edit on each compressor record, each EQ channel and each band writes its own bytes, no other.
TEST_F(RangeEndsTest, EachRecordTakesItsOwnBytes) {
    for (const ParamRow& r : param_table()) {
        if (r.frame != ParamFrame::Drc && r.frame != ParamFrame::Eq) continue;
        const std::size_t records = r.frame == ParamFrame::Drc ? gen_frame::drc_rec_count : kEqChannels;
        const auto [lo, hi] = stored_limits(r);
        for (std::size_t record = 0; record < records; ++record) {
            for (int band = 0; band < (r.per_band ? static_cast<int>(kEqBands) : 1); ++band) {
                SCOPED_TRACE(std::string(r.name) + " record " + std::to_string(record) + " band " +
                             std::to_string(band));
                (r.frame == ParamFrame::Drc ? s.drc_channel_sel : s.eq_channel_sel) = static_cast<uint8_t>(record);
                start_at(r, lo, band);
                s.send_eq_req.fill(kClear);
                // The bytes it must write, placed by the record's own layout rather than by the table's functions.
                ParamImage want = s.param_image;
                FrameImage& frame = r.frame == ParamFrame::Drc ? want.gen : want.eq[record];
                const std::size_t at = r.frame == ParamFrame::Drc ? gen_frame::drc(record) + r.offset
                                                                  : r.offset + static_cast<std::size_t>(band);
                if (r.kind == K::EqFreq) {
                    set_eq_freq(frame, static_cast<std::size_t>(band), static_cast<uint16_t>(hi));
                } else if (r.width == 2) {
                    write_u16(frame, at, static_cast<uint16_t>(hi));
                } else {
                    frame[at] = static_cast<uint8_t>(hi);
                }
                type_enter(Ctl{r.text_box, band_of(r, band)}, double_to_text(shown(r, hi)));
                EXPECT_TRUE(same_image(s.param_image, want)) << "the image after the edit";
                for (std::size_t ch = 0; ch < kEqChannels; ++ch) {
                    EXPECT_EQ(s.send_eq_req[ch] == kPending, r.frame == ParamFrame::Eq && ch == record)
                        << "send word of EQ channel " << ch;
                }
            }
        }
    }
    for (std::size_t record = 0; record < gen_frame::drc_rec_count; ++record) {  // and each record's enable box
        s.drc_channel_sel = static_cast<uint8_t>(record);
        ParamImage want = s.param_image;
        want.gen[gen_frame::drc(record) + gen_frame::drc_enable] = 1;
        user_sets(Ctl{"Check_drc_enable"}, 1);
        EXPECT_TRUE(same_image(s.param_image, want)) << "the image after ticking the enable box of record " << record;
    }
}

}  // namespace
}  // namespace tuner::testing
