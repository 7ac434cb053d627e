// The EQ band editor at the edges the end-to-end EQ tests leave out: channel choice under every adjust mode, box
// limits by band type, snapping at the tables' ends, raising only on a change, steppers at their limits, the
// graph's edits, band enable, channel switches and the reset's refusals.
#include <gtest/gtest.h>

#include "core/default_image.h"
#include "core/param_table.h"
#include "core/value_tables.h"
#include "mainwindow/eq_rules.h"
#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

namespace q = eq_frame;

class EqRules : public ::testing::Test, public RuleEnvFixture {
protected:
    void SetUp() override {
        set_connected(true);
        s.eq_channel_sel = 5;
        for (std::size_t b = 0; b < kEqBands; ++b) {
            band(q::eq_db, b) = 120;
            band(q::eq_type, b) = 0;
            band(q::eq_q_peq, b) = band(q::eq_q_shelf, b) = band(q::eq_q_pass, b) = 7;
            set_eq_freq(s.param_image.eq[5], b, 200);
            band(q::eq_x_enable, b) = 1;
        }
        s.param_image.eq[5][q::eq_pre_gain_db_index] = 120;
    }
    uint8_t& band(std::size_t field, std::size_t b) { return s.param_image.eq[5][field + b]; }
    bool raised() const { return s.send_eq_req[5] == kPending; }
    void clear_word() { s.send_eq_req.fill(kClear); }
};

// Each tab under each adjust mode: the channel and record, the frames shown, one full redraw, and the band columns
// the channel's band count shows (the first and last always).
TEST_F(EqRules, TabChoosesChannelRecordAndFramesUnderEveryAdjustMode) {
    s.eq_band_count = {10, 10, 10, 10, 10, 5, 0, 10, 10, 10};
    std::vector<uint8_t> modes_seen;
    svc.on_set_all_dis = [&] { modes_seen.push_back(s.refresh_incremental); };
    struct Case {
        int tab;
        uint8_t mic2_bands, mic_mode, eff_mode, channel, drc;
        bool drc_frame, eff_frame, mic_frame;
        int last_column;
    } cases[] = {
        {0, 10, 2, 2, 0, 0, true, false, false, 8},  {1, 10, 2, 0, 2, 1, true, false, true, 8},
        {1, 10, 1, 0, 1, 1, true, false, true, 8},   {1, 0, 2, 0, 1, 1, true, false, false, 8},  // no microphone-2 EQ
        {2, 10, 0, 2, 4, 4, false, true, false, 8},                                              // record unchanged
        {2, 10, 0, 1, 3, 4, false, true, false, 8},  {3, 10, 0, 0, 5, 2, false, false, false, 5},
        {4, 10, 0, 0, 6, 3, false, false, false, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("tab " + std::to_string(c.tab) + " mic mode " + std::to_string(c.mic_mode));
        s.eq_band_count[2] = c.mic2_bands;
        s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode] = c.mic_mode;
        s.param_image.gen[gen_frame::echo_reverb_eq_adj_mode] = c.eff_mode;
        s.drc_channel_sel = 4;
        s.send_gen_req = kClear;
        s.refresh_incremental = 1;
        modes_seen.clear();
        eq_on_tab_before_switch(env, c.tab);
        EXPECT_EQ(s.eq_channel_sel, c.channel);
        EXPECT_EQ(s.drc_channel_sel, c.drc);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 3}), c.drc_frame);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 5}), c.eff_frame);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 10}), c.mic_frame);
        EXPECT_EQ(modes_seen, std::vector<uint8_t>{0});
        EXPECT_EQ(s.send_gen_req, kClear);
        EXPECT_EQ(s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode], c.mic2_bands ? c.mic_mode : 0);
        for (int i = 0; i < 10; ++i)
            EXPECT_EQ(view.visible(Ctl{"Picture_eqx", i}), i == 0 || i == 9 || i <= c.last_column) << i;
    }
}

// Typed values snap to the tables and clamp at their ends; gain and frequency raise only when the band changed,
// Q and pre-gain on every commit.
TEST_F(EqRules, TypedValuesSnapClampAndRaise) {
    struct Case {
        const char* param;
        int band;
        uint8_t type;
        const char *typed, *shown;
        int32_t stored;
        bool raises;
    } cases[] = {
        {"eq_freq", 4, 0, "5", "19.7", 35, true},
        {"eq_freq", 4, 0, "1005", "1000", 239, true},
        {"eq_freq", 4, 0, "1000", "1000", 239, false},
        {"eq_db", 2, 0, "0", "0", 120, false},
        {"eq_db", 2, 0, "1.5", "1.6", 128, true},  // half-way goes up
        {"eq_db", 2, 0, "-40", "-18", 30, true},
        {"eq_q", 6, 1, "0", "0.1", 1, true},
        {"eq_q", 6, 1, "0.1", "0.1", 1, true},  // unchanged
        {"eq_q", 1, 9, "30", "2", 20, true},    // the slope variants of the pass filters: up to 2.0
        {"eq_pre_gain_db_index", 0, 0, "-30", "-18", 30, true},
        {"eq_pre_gain_db_index", 0, 0, "20", "12", 180, true},
        {"eq_pre_gain_db_index", 0, 0, "12", "12", 180, true},  // unchanged
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.param) + " " + c.typed);
        band(q::eq_type, static_cast<std::size_t>(c.band)) = c.type;
        const ParamRow& r = *find_param(c.param);
        clear_word();
        EXPECT_EQ(type_enter(Ctl{r.text_box, r.per_band ? c.band : -1}, c.typed), c.shown);
        EXPECT_EQ(param_get(s, r, c.band), c.stored);
        EXPECT_EQ(raised(), c.raises);
    }
}

// Leaving a box runs its Enter commit, restores the normal text colour and marks the box's bytes so the refresh
// writes the stored value back.
TEST_F(EqRules, LeavingABoxMarksItsBytesForRedraw) {
    struct Case {
        Ctl box;
        std::string shown;  // the stored value as the box shows it
        std::vector<std::size_t> bytes;
    } cases[] = {
        {Ctl{"Text_eq_db", 3}, "0.0", {q::eq_db + 3}},
        {Ctl{"Text_eq_freq", 3}, double_to_text(eq_freq_at(200)), {q::eq_freq_high + 3}},
        {Ctl{"Text_eq_q", 3}, double_to_text(eq_q_at(7)), {q::eq_q_peq + 3, q::eq_q_shelf + 3, q::eq_q_pass + 3}},
        {Ctl{"Text_eq_pre_gain_db_index"}, "0.0", {q::eq_pre_gain_db_index}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box.str());
        rules.box_got_focus(env, c.box);
        EXPECT_EQ(view.at(c.box).fore, 0xFFu);
        svc.calls.clear();
        s.param_display_cache.eq[5] = s.param_image.eq[5];
        FrameImage want = s.param_display_cache.eq[5];
        for (std::size_t b : c.bytes) want[b] = 255;
        const FrameImage stored = s.param_image.eq[5];
        view.set_text(c.box, c.shown);
        rules.box_commit(env, c.box);  // the Enter that leaving runs first
        rules.box_lost_focus(env, c.box);
        EXPECT_EQ(s.param_image.eq[5], stored);
        EXPECT_EQ(s.param_display_cache.eq[5], want);
        EXPECT_EQ(view.at(c.box).fore, 0x80000008u);
        EXPECT_EQ(redraws(), 2);
    }
}

TEST_F(EqRules, GainSliderHighlightsItsBandInTheGraph) {
    rules.slider_mouse(env, Ctl{"vr_eq_db", 4}, true);
    EXPECT_EQ(view.peq_selected, 4);
    rules.slider_mouse(env, Ctl{"vr_eq_db", 4}, false);
    EXPECT_EQ(view.peq_selected, 255);
    rules.slider_mouse(env, Ctl{"vr_eq_db", 4}, true);
    rules.slider_mouse(env, Ctl{"vr_eq_pre_gain_db_index"}, true);
    EXPECT_EQ(view.peq_selected, 255);
}

TEST_F(EqRules, TypeButtonsRaiseEvenUnchangedAndOnlyWhileConnected) {
    band(q::eq_type, 8) = 4;
    rules.click(env, Ctl{"key_eq_type_hp", 8});  // already high pass
    EXPECT_TRUE(raised());
    clear_word();
    set_connected(false);  // offline: the image changes, nothing is marked for sending
    rules.click(env, Ctl{"key_eq_type_lp", 8});
    EXPECT_EQ(band(q::eq_type, 8), 3);
    EXPECT_FALSE(raised());
}

// Slider steppers at a limit do nothing; the Q stepper (its own) stores and raises even at the shelf limit. Each
// moves the focus to its box, but the pre-gain's keeps it where it was.
TEST_F(EqRules, SteppersAtAndInsideTheirLimits) {
    struct Case {
        const char* stepper;
        int band;
        uint8_t type;
        int32_t from, to;
        bool raises;
    } cases[] = {{"eq_q_inc", 3, 1, 20, 20, true},
                 {"eq_q_inc", 3, 0, 7, 8, true},  // peaking goes on to 25.0
                 {"eq_q_dec", 3, 0, 1, 1, true},
                 {"eq_db_inc", 0, 0, 120, 121, true},
                 {"eq_freq_inc", 0, 0, 395, 395, false},
                 {"eq_freq_dec", 0, 0, 395, 394, true},
                 {"eq_pre_gain_db_index_dec", -1, 0, 120, 119, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stepper);
        const std::string name(c.stepper);
        const ParamRow& r = *find_param(name.substr(0, name.size() - 4));
        const int b = std::max(c.band, 0);
        band(q::eq_type, static_cast<std::size_t>(b)) = c.type;
        param_set(s, r, c.from, b);
        if (!r.slider.empty()) slider(Ctl{r.slider, r.per_band ? b : -1}, r.min, r.max, c.from);
        clear_word();
        view.focused = "elsewhere";
        EXPECT_TRUE(rules.step(env, name, c.band));
        EXPECT_EQ(param_get(s, r, b), c.to);
        EXPECT_EQ(raised(), c.raises);
        EXPECT_EQ(view.focused, r.per_band ? (Ctl{r.text_box, b}.str()) : "elsewhere");
    }
}

// The pre-gain slider's design range reaches 210; a value above 180 is lowered silently.
TEST_F(EqRules, PreGainSliderAbove180IsLowered) {
    slider(Ctl{"vr_eq_pre_gain_db_index"}, 30, 210, 200);
    rules.slider_changed(env, Ctl{"vr_eq_pre_gain_db_index"});
    EXPECT_EQ(s.param_image.eq[5][q::eq_pre_gain_db_index], 180);
    EXPECT_EQ(view.slider_value(Ctl{"vr_eq_pre_gain_db_index"}), 180);
    EXPECT_TRUE(svc.messages.empty());
}

TEST_F(EqRules, GraphEditStoresTheTypesQRowAndRaisesOnlyOnAChange) {
    band(q::eq_type, 5) = 2;
    slider(Ctl{"vr_eq_freq", 5}, 35, 395, 200);
    slider(Ctl{"vr_eq_db", 5}, 30, 180, 120);
    eq_on_peq_eq_out(env, 5, 1, 239, 1000.0f, 12, 1.2f, 105.0f, -3.0f);
    EXPECT_EQ(band(q::eq_q_shelf, 5), 12);  // chosen by the graph's type
    EXPECT_EQ(band(q::eq_q_peq, 5), 7);
    EXPECT_EQ(band(q::eq_type, 5), 2);  // never written here
    EXPECT_TRUE(raised());
    EXPECT_EQ(view.text(Ctl{"Text_eq_q", 5}), "1.2");
    clear_word();
    eq_on_peq_eq_out(env, 5, 1, 239, 1000.0f, 12, 1.2f, 105.0f, -3.0f);
    EXPECT_FALSE(raised());
    eq_on_peq_eq_out(env, 5, 1, 240, 1020.0f, 12, 1.2f, 105.0f, -3.0f);  // frequency only
    EXPECT_TRUE(raised());
}

// Reached for a mouse click and for the space bar alike; grey counts as on.
TEST_F(EqRules, BandEnableFollowsTheUsersToggle) {
    for (auto [value, stored, raises] : {std::tuple{0, 0, true}, std::tuple{0, 0, false}, std::tuple{2, 1, true}}) {
        clear_word();
        user_sets(Ctl{"Check_eq_x_enable", 7}, value);
        EXPECT_EQ(band(q::eq_x_enable, 7), stored);
        EXPECT_EQ(raised(), raises);
    }
    EXPECT_EQ(redraws(), 3);
}

TEST_F(EqRules, ChannelSwitchesAndSlopeToggle) {
    s.param_image.eq[5][q::eq_chx_enable] = 3;
    rules.click(env, Ctl{"key_eq_chx_enable"});
    EXPECT_EQ(s.param_image.eq[5][q::eq_chx_enable], 0);
    rules.click(env, Ctl{"key_eq_chx_enable"});
    EXPECT_EQ(s.param_image.eq[5][q::eq_chx_enable], 1);
    clear_word();
    rules.click(env, Ctl{"key_eq_chx_bypass"});
    EXPECT_EQ(s.param_image.eq[5][q::eq_chx_bypass], 1);
    EXPECT_TRUE(raised());
    band(q::eq_type, 0) = 4;
    toggle_eq_band_slope(env, 0);
    EXPECT_EQ(band(q::eq_type, 0), 9);
    toggle_eq_band_slope(env, 0);
    EXPECT_EQ(band(q::eq_type, 0), 11);
}

// Without a valid start-up image the reset refuses with its message; with one it asks first (in the window's
// language) and only Yes restores the channel.
TEST_F(EqRules, ResetRefusesWithoutAStartupImageAndAsksFirst) {
    const FrameImage before = s.param_image.eq[5];
    for (uint8_t lang : {1, 0}) {
        s.Language = lang;
        rules.click(env, Ctl{"key_eq_reset"});
        ASSERT_EQ(svc.messages.size(), lang ? 1u : 2u);
        EXPECT_EQ(svc.messages.back(), eq_reset_no_default_text(s));
    }
    EXPECT_NE(svc.messages[0], svc.messages[1]);
    EXPECT_EQ(view.count("ask_yes_no"), 0);
    EXPECT_EQ(s.param_image.eq[5], before);
    EXPECT_FALSE(raised());

    s.param_image_default = neutral_param_image();
    s.param_image_default.eq[5][q::eq_chx_bypass] = 1;
    s.Language = 1;
    view.answer_yes = false;
    rules.click(env, Ctl{"key_eq_reset"});
    EXPECT_EQ(view.count("ask_yes_no [Reset Eq] Reset Eq channel actived, are you sure ?"), 1);
    EXPECT_EQ(s.param_image.eq[5], before);
    EXPECT_FALSE(raised());
    view.answer_yes = true;
    s.Language = 0;
    rules.click(env, Ctl{"key_eq_reset"});
    EXPECT_EQ(view.count("ask_yes_no [EQ复位] 是否复位当前EQ？"), 1);
    EXPECT_EQ(s.param_image.eq[5], s.param_image_default.eq[5]);
    EXPECT_EQ(s.param_image.eq[4], FrameImage{});
    EXPECT_TRUE(raised());
}

}  // namespace
}  // namespace tuner::testing
