// The EQ band editor: channel selection by tab, band boxes with their
// limits and snapping, sliders and steppers, type buttons, band enable, the
// graph's mouse edits and the reset.
#include <gtest/gtest.h>

#include "core/default_image.h"
#include "core/value_tables.h"
#include "mainwindow/eq_rules.h"
#include "mainwindow/rule_env_fixture.h"

namespace tuner::testing {
namespace {

namespace q = eq_frame;

class EqRules : public ::testing::Test, public testing::RuleEnvFixture {
protected:
    void SetUp() override {
        s.cpu_connect_state = 1;
        s.eq_channel_sel = 5;
        for (std::size_t b = 0; b < kEqBands; ++b) {
            band(q::eq_db, b) = 120;
            band(q::eq_type, b) = 0;
            band(q::eq_q_peq, b) = 7;
            band(q::eq_q_shelf, b) = 7;
            band(q::eq_q_pass, b) = 7;
            set_eq_freq(s.param_image.eq[5], b, 200);
            band(q::eq_x_enable, b) = 1;
        }
        s.param_image.eq[5][q::eq_pre_gain_db_index] = 120;
    }
    uint8_t& band(std::size_t field, std::size_t b) { return s.param_image.eq[5][field + b]; }
    bool raised() const { return s.send_eq_req[5] == kPending; }
    void clear_word() { s.send_eq_req.fill(kClear); }
    void slider(Ctl c, int32_t min, int32_t max, int32_t value) {
        auto& p = view.at(c);
        p.s_min = min, p.s_max = max, p.s_max_limit = max, p.s_value = value;
    }
};

struct TabCase {
    int tab;
    uint8_t mic2_bands, mic_mode, eff_mode;
    uint8_t channel, drc;
    bool drc_frame, eff_frame, mic_frame;
};

TEST_F(EqRules, TabChoosesChannelRecordAndFrames) {
    const TabCase cases[] = {
        {0, 10, 2, 2, 0, 0, true, false, false},  {1, 10, 2, 0, 2, 1, true, false, true},
        {1, 10, 1, 0, 1, 1, true, false, true},   {1, 0, 2, 0, 1, 1, true, false, false},  // no microphone-2 EQ
        {2, 10, 0, 2, 4, 4, false, true, false},                                           // record unchanged
        {2, 10, 0, 1, 3, 4, false, true, false},  {3, 10, 0, 0, 5, 2, false, false, false},
        {4, 10, 0, 0, 6, 3, false, false, false},
    };
    for (const TabCase& c : cases) {
        SCOPED_TRACE("tab " + std::to_string(c.tab) + " mic mode " + std::to_string(c.mic_mode));
        s.eq_band_count[2] = c.mic2_bands;
        s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode] = c.mic_mode;
        s.param_image.gen[gen_frame::echo_reverb_eq_adj_mode] = c.eff_mode;
        s.drc_channel_sel = 4;
        s.send_gen_req = kClear;
        ui.calls.clear();
        eq_on_tab_before_switch(env, c.tab);
        EXPECT_EQ(s.eq_channel_sel, c.channel);
        EXPECT_EQ(s.drc_channel_sel, c.drc);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 3}), c.drc_frame);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 5}), c.eff_frame);
        EXPECT_EQ(view.visible(Ctl{"Frame_all_1", 10}), c.mic_frame);
        EXPECT_EQ(ui.count("set_all_dis"), 1);
        EXPECT_EQ(s.send_gen_req, kClear);
        if (c.mic2_bands == 0) {
            EXPECT_EQ(s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode], 0);
        }
    }
}

TEST_F(EqRules, TabSwitchRedrawsInFullAndShowsTheChannelsBandColumns) {
    s.eq_band_count = {10, 10, 10, 10, 10, 5, 0, 10, 10, 10};
    std::vector<uint8_t> modes_seen;
    ui.on_set_all_dis = [&] { modes_seen.push_back(s.refresh_incremental); };
    for (auto [tab, shown_up_to] : {std::pair{3, 5}, std::pair{4, 0}, std::pair{0, 8}}) {
        SCOPED_TRACE("tab " + std::to_string(tab));
        s.refresh_incremental = 1;
        modes_seen.clear();
        eq_on_tab_before_switch(env, tab);
        EXPECT_EQ(modes_seen, std::vector<uint8_t>{0});  // one full redraw
        for (int i = 0; i < 10; ++i) {
            const bool edge = i == 0 || i == 9;
            EXPECT_EQ(view.visible(Ctl{"Picture_eqx", i}), edge || i <= shown_up_to) << i;
        }
    }
}

TEST_F(EqRules, BoxLimitsByBox) {
    struct Case {
        Ctl box;
        uint8_t type;
        float min, max;
        int decimals;
        bool minus;
    };
    const Case cases[] = {
        {Ctl{"Text_eq_db", 1}, 0, -18.0f, 12.0f, 1, true},
        {Ctl{"Text_eq_freq", 1}, 0, 19.7f, 20600.0f, 1, false},
        {Ctl{"Text_eq_q", 1}, 0, 0.1f, 25.0f, 2, false},
        {Ctl{"Text_eq_q", 1}, 2, 0.1f, 2.0f, 2, false},
        {Ctl{"Text_eq_q", 1}, 9, 0.1f, 2.0f, 2, false},
        {Ctl{"Text_eq_pre_gain_db_index"}, 0, -18.0f, 12.0f, 1, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box.str() + " type " + std::to_string(c.type));
        band(q::eq_type, 1) = c.type;
        const std::optional<BoxLimits> l = rules.box_limits(env, c.box);
        ASSERT_TRUE(l);
        EXPECT_FLOAT_EQ(l->min, c.min);
        EXPECT_FLOAT_EQ(l->max, c.max);
        EXPECT_EQ(l->decimals, c.decimals);
        EXPECT_EQ(l->allow_minus, c.minus);
        EXPECT_TRUE(l->snap);
    }
    EXPECT_FALSE(rules.box_limits(env, Ctl{"Text_eq_db", 10}));
}

// Leaving a box runs its Enter commit, restores the normal text colour and
// marks the box's bytes so the refresh writes the stored value back.
TEST_F(EqRules, LeavingABoxMarksItsBytesForRedraw) {
    struct Case {
        Ctl box;
        std::string shown;  // the stored value as the box shows it
        std::vector<std::size_t> bytes;
        bool raises_unchanged;
    };
    const Case cases[] = {
        {Ctl{"Text_eq_db", 3}, "0.0", {q::eq_db + 3}, false},
        {Ctl{"Text_eq_freq", 3}, double_to_text(eq_freq_at(200)), {q::eq_freq_high + 3}, false},
        {Ctl{"Text_eq_q", 3}, double_to_text(eq_q_at(7)), {q::eq_q_peq + 3, q::eq_q_shelf + 3, q::eq_q_pass + 3}, true},
        {Ctl{"Text_eq_pre_gain_db_index"}, "0.0", {q::eq_pre_gain_db_index}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box.str());
        rules.box_got_focus(env, c.box);
        EXPECT_EQ(view.at(c.box).fore, 0xFFu);
        clear_word();
        ui.calls.clear();
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
        EXPECT_EQ(raised(), c.raises_unchanged);
        EXPECT_EQ(ui.count("set_all_dis"), 2);
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

TEST_F(EqRules, FrequencyBoxClampsAndSnaps) {
    struct Case {
        const char* typed;
        const char* shown;
        int index;
    };
    for (const Case& c :
         {Case{"1000", "1000", 239}, Case{"30000", "20600", 395}, Case{"5", "19.7", 35}, Case{"1005", "1000", 239}}) {
        SCOPED_TRACE(c.typed);
        type_and_enter(Ctl{"Text_eq_freq", 4}, c.typed);
        EXPECT_EQ(view.text(Ctl{"Text_eq_freq", 4}), c.shown);
        EXPECT_EQ(eq_freq(s.param_image.eq[5], 4), c.index);
        EXPECT_EQ(eq_freq_at(c.index), std::stod(c.shown));
    }
}

TEST_F(EqRules, CommitRaisesOnlyWhenTheBandChanged) {
    type_and_enter(Ctl{"Text_eq_db", 2}, "0");
    EXPECT_EQ(band(q::eq_db, 2), 120);
    EXPECT_FALSE(raised());
    type_and_enter(Ctl{"Text_eq_freq", 2}, std::to_string(static_cast<int>(eq_freq_at(200))));
    EXPECT_FALSE(raised());

    type_and_enter(Ctl{"Text_eq_db", 2}, "1.5");  // half-way goes up
    EXPECT_EQ(view.text(Ctl{"Text_eq_db", 2}), "1.6");
    EXPECT_EQ(band(q::eq_db, 2), 128);
    EXPECT_TRUE(raised());

    clear_word();
    type_and_enter(Ctl{"Text_eq_db", 2}, "-40");
    EXPECT_EQ(band(q::eq_db, 2), 30);
    EXPECT_TRUE(raised());
}

TEST_F(EqRules, QLimitsFollowTheBandType) {
    type_and_enter(Ctl{"Text_eq_q", 6}, "30");
    EXPECT_EQ(view.text(Ctl{"Text_eq_q", 6}), "25");
    EXPECT_EQ(band(q::eq_q_peq, 6), 250);

    rules.click(env, Ctl{"key_eq_type_ls", 6});
    type_and_enter(Ctl{"Text_eq_q", 6}, "30");
    EXPECT_EQ(view.text(Ctl{"Text_eq_q", 6}), "2");
    EXPECT_EQ(band(q::eq_q_shelf, 6), 20);
    EXPECT_EQ(band(q::eq_q_peq, 6), 250);

    type_and_enter(Ctl{"Text_eq_q", 6}, "0");
    EXPECT_EQ(view.text(Ctl{"Text_eq_q", 6}), "0.1");
    EXPECT_EQ(band(q::eq_q_shelf, 6), 1);
}

TEST_F(EqRules, TypeButtonsSetTheTypeAndAlwaysRaise) {
    const std::pair<const char*, uint8_t> buttons[] = {{"key_eq_type_peq", 0},
                                                       {"key_eq_type_ls", 1},
                                                       {"key_eq_type_hs", 2},
                                                       {"key_eq_type_lp", 3},
                                                       {"key_eq_type_hp", 4}};
    for (auto [name, type] : buttons) {
        clear_word();
        rules.click(env, Ctl{name, 8});
        EXPECT_EQ(band(q::eq_type, 8), type) << name;
        EXPECT_TRUE(raised()) << name;
    }
    clear_word();
    rules.click(env, Ctl{"key_eq_type_hp", 8});  // already high pass
    EXPECT_TRUE(raised());

    clear_word();
    s.cpu_connect_state = 2;  // offline: the image changes, nothing is marked for sending
    rules.click(env, Ctl{"key_eq_type_ls", 8});
    EXPECT_EQ(band(q::eq_type, 8), 1);
    EXPECT_FALSE(raised());
}

TEST_F(EqRules, QStepperAtTheShelfLimitStillRaises) {
    band(q::eq_type, 3) = 1;
    band(q::eq_q_shelf, 3) = 20;
    EXPECT_TRUE(rules.step(env, "eq_q_inc", 3));
    EXPECT_EQ(band(q::eq_q_shelf, 3), 20);
    EXPECT_TRUE(raised());
    EXPECT_TRUE(view.has_focus(Ctl{"Text_eq_q", 3}));
    EXPECT_EQ(ui.count("set_all_dis"), 1);

    band(q::eq_type, 3) = 0;  // peaking goes on to 25.0
    rules.step(env, "eq_q_inc", 3);
    EXPECT_EQ(band(q::eq_q_peq, 3), 8);
    band(q::eq_q_peq, 3) = 1;
    rules.step(env, "eq_q_dec", 3);
    EXPECT_EQ(band(q::eq_q_peq, 3), 1);
}

TEST_F(EqRules, SliderSteppersStoreThroughTheSlider) {
    slider(Ctl{"vr_eq_db", 0}, 30, 180, 120);
    EXPECT_TRUE(rules.step(env, "eq_db_inc", 0));
    EXPECT_TRUE(view.has_focus(Ctl{"Text_eq_db", 0}));
    EXPECT_EQ(band(q::eq_db, 0), 121);
    EXPECT_TRUE(raised());
    EXPECT_EQ(view.count("repaint"), 1);

    slider(Ctl{"vr_eq_freq", 0}, 35, 395, 395);
    clear_word();
    set_eq_freq(s.param_image.eq[5], 0, 395);
    rules.step(env, "eq_freq_inc", 0);  // at the limit: nothing moves
    EXPECT_EQ(eq_freq(s.param_image.eq[5], 0), 395);
    EXPECT_FALSE(raised());
    rules.step(env, "eq_freq_dec", 0);
    EXPECT_EQ(eq_freq(s.param_image.eq[5], 0), 394);
    EXPECT_TRUE(raised());

    slider(Ctl{"vr_eq_pre_gain_db_index"}, 30, 180, 120);
    view.focused = "Text_eq_db(0)";
    rules.step(env, "eq_pre_gain_db_index_dec", -1);
    EXPECT_EQ(s.param_image.eq[5][q::eq_pre_gain_db_index], 119);
    EXPECT_TRUE(view.has_focus(Ctl{"Text_eq_db", 0}));  // the focus stays
}

TEST_F(EqRules, PreGainStaysWithin30To180) {
    type_and_enter(Ctl{"Text_eq_pre_gain_db_index"}, "-30");
    EXPECT_EQ(s.param_image.eq[5][q::eq_pre_gain_db_index], 30);
    type_and_enter(Ctl{"Text_eq_pre_gain_db_index"}, "20");
    EXPECT_EQ(s.param_image.eq[5][q::eq_pre_gain_db_index], 180);

    // The slider's design range reaches 210.
    slider(Ctl{"vr_eq_pre_gain_db_index"}, 30, 210, 200);
    rules.slider_changed(env, Ctl{"vr_eq_pre_gain_db_index"});
    EXPECT_EQ(s.param_image.eq[5][q::eq_pre_gain_db_index], 180);
    EXPECT_EQ(view.slider_value(Ctl{"vr_eq_pre_gain_db_index"}), 180);
}

TEST_F(EqRules, GraphEditStoresFourBytesAndRaisesOnChange) {
    band(q::eq_type, 5) = 2;
    slider(Ctl{"vr_eq_freq", 5}, 35, 395, 200);
    slider(Ctl{"vr_eq_db", 5}, 30, 180, 120);
    eq_on_peq_eq_out(env, 5, 1, 239, 1000.0f, 12, 1.2f, 105.0f, -3.0f);
    EXPECT_EQ(band(q::eq_db, 5), 105);
    EXPECT_EQ(eq_freq(s.param_image.eq[5], 5), 239);
    EXPECT_EQ(band(q::eq_q_shelf, 5), 12);  // chosen by the graph's type
    EXPECT_EQ(band(q::eq_q_peq, 5), 7);
    EXPECT_EQ(band(q::eq_type, 5), 2);  // never written here
    EXPECT_TRUE(raised());
    EXPECT_EQ(view.slider_value(Ctl{"vr_eq_freq", 5}), 239);
    EXPECT_EQ(view.slider_value(Ctl{"vr_eq_db", 5}), 105);
    EXPECT_EQ(view.text(Ctl{"Text_eq_db", 5}), "-3.0");
    EXPECT_EQ(view.text(Ctl{"Text_eq_q", 5}), "1.2");
    EXPECT_EQ(view.text(Ctl{"Text_eq_freq", 5}), "1000");
    EXPECT_EQ(ui.count("set_all_dis"), 0);

    clear_word();
    eq_on_peq_eq_out(env, 5, 1, 239, 1000.0f, 12, 1.2f, 105.0f, -3.0f);
    EXPECT_FALSE(raised());
    eq_on_peq_eq_out(env, 5, 1, 240, 1020.0f, 12, 1.2f, 105.0f, -3.0f);  // frequency only
    EXPECT_TRUE(raised());
}

TEST_F(EqRules, BandEnableFollowsTheUsersToggle) {
    // Reached for a mouse click and for the space bar alike.
    view.at(Ctl{"Check_eq_x_enable", 7}).value = 0;
    rules.check_mouse_up(env, Ctl{"Check_eq_x_enable", 7});
    EXPECT_EQ(band(q::eq_x_enable, 7), 0);
    EXPECT_TRUE(raised());

    clear_word();
    rules.check_mouse_up(env, Ctl{"Check_eq_x_enable", 7});
    EXPECT_FALSE(raised());
    view.at(Ctl{"Check_eq_x_enable", 7}).value = 2;  // grey counts as on
    rules.check_mouse_up(env, Ctl{"Check_eq_x_enable", 7});
    EXPECT_EQ(band(q::eq_x_enable, 7), 1);
    EXPECT_TRUE(raised());
    EXPECT_EQ(ui.count("set_all_dis"), 3);
}

TEST_F(EqRules, ChannelSwitchesToggle) {
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

TEST_F(EqRules, ResetRestoresTheChannelAfterYes) {
    s.param_image_default = neutral_param_image();
    s.param_image_default.eq[5][q::eq_chx_bypass] = 1;
    const FrameImage before = s.param_image.eq[5];

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

TEST_F(EqRules, ResetWithoutAValidStartupImageDoesNothing) {
    const FrameImage before = s.param_image.eq[5];
    for (uint8_t lang : {1, 0}) {
        s.Language = lang;
        rules.click(env, Ctl{"key_eq_reset"});
        EXPECT_EQ(view.count("ask_yes_no"), 0);
        EXPECT_EQ(s.param_image.eq[5], before);
        EXPECT_FALSE(raised());
        ASSERT_FALSE(ui.messages.empty());
        EXPECT_EQ(ui.messages.back(), eq_reset_no_default_text(s));
    }
    EXPECT_NE(ui.messages[0], ui.messages[1]);
}

}  // namespace
}  // namespace tuner::testing
