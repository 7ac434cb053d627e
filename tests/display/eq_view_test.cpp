// The EQ view of the current channel.
#include "controls/text_input.h"
#include "core/value_tables.h"
#include "display/display_colors.h"
#include "display_fixture.h"

namespace tuner::testing {
namespace {

namespace q = eq_frame;

using EqViewTest = DisplayTest;

TEST_F(EqViewTest, OffCaptionWinsOverBypass) {
    struct Row {
        uint8_t enable, bypass;
        const char* caption;  // "" = no caption
        bool enable_lit, bypass_lit;
    };
    for (const Row& r : {Row{0, 1, " OFF ", false, true}, Row{1, 2, "", true, true}, Row{1, 1, "BYPASS", true, true},
                         Row{3, 0, "", true, false}, Row{0, 0, " OFF ", false, false}}) {
        eq()[q::eq_chx_enable] = r.enable;
        eq()[q::eq_chx_bypass] = r.bypass;
        v.clear_calls();
        incremental();
        EXPECT_EQ(v.bypass_text, r.caption) << int(r.enable) << " " << int(r.bypass);
        if (*r.caption) {
            EXPECT_EQ(v.count(std::string("peq_Dis_Bypass_on 118 1 60 [") + r.caption + "] &H00FFFFFF"), 1);
        }
        EXPECT_EQ(v.at({"key_eq_chx_enable"}).back, lit_if(r.enable_lit));
        EXPECT_EQ(v.at({"key_eq_chx_bypass"}).back, lit_if(r.bypass_lit));
    }
}

TEST_F(EqViewTest, PreGainAboveTheSliderIsLoweredWithoutAMessage) {
    slider_range({"vr_eq_pre_gain_db_index"}, 30, 210);
    v.at({"vr_eq_pre_gain_db_index"}).s_value = 120;
    eq()[q::eq_pre_gain_db_index] = 211;
    full();
    EXPECT_EQ(v.count("ask_yes_no"), 0);
    EXPECT_EQ(eq()[q::eq_pre_gain_db_index], 210);
    EXPECT_EQ(text({"Text_eq_pre_gain_db_index"}), "18.0");
    EXPECT_EQ(v.at({"vr_eq_pre_gain_db_index"}).s_value, 210);
    EXPECT_EQ(v.count("peq_input_pre_gain 210"), 1);
    EXPECT_EQ(debug, std::vector<std::string>{"FrmMain.VR_eq_pre_gain_db_index.max error,120210"});

    // Lowered once: later refreshes write no further line.
    incremental();
    full();
    EXPECT_EQ(debug.size(), 1u);

    // The unit sends its own value back with every poll: lowered again each
    // time, still without a further line.
    for (int poll = 0; poll < 3; ++poll) {
        eq()[q::eq_pre_gain_db_index] = 211;
        incremental();
        EXPECT_EQ(eq()[q::eq_pre_gain_db_index], 210);
    }
    EXPECT_EQ(debug.size(), 1u);

    // Another value out of range, or the same one in another channel, is a
    // new fault and gets its line.
    eq()[q::eq_pre_gain_db_index] = 230;
    incremental();
    EXPECT_EQ(debug.size(), 2u);
    s.eq_channel_sel = 4;
    eq(4)[q::eq_pre_gain_db_index] = 230;
    full();
    EXPECT_EQ(debug.size(), 3u);
    EXPECT_EQ(eq(4)[q::eq_pre_gain_db_index], 210);
}

TEST_F(EqViewTest, PreGainBelowTheSliderShowsTheTableValue) {
    eq()[q::eq_pre_gain_db_index] = 10;
    full();
    EXPECT_EQ(v.slider_errors, std::vector<std::string>{"vr_eq_pre_gain_db_index"});
    EXPECT_EQ(text({"Text_eq_pre_gain_db_index"}), "-22.0");
    EXPECT_EQ(v.count("peq_input_pre_gain 10"), 1);
}

TEST_F(EqViewTest, BandLimitsByFilterType) {
    struct Row {
        uint8_t type;
        const char* init;  // "" = no call
        const char* lit;
    };
    for (const Row& r : {Row{0, "peq_EQ_init 4 35 395 1 250 30 180 1", "key_eq_type_peq"},
                         Row{1, "peq_EQ_init 4 35 395 1 20 30 180 1", "key_eq_type_ls"},
                         Row{2, "peq_EQ_init 4 35 395 1 20 30 180 1", "key_eq_type_hs"},
                         Row{3, "peq_EQ_init 4 35 395 1 20 120 120 1", "key_eq_type_lp"},
                         Row{21, "peq_EQ_init 4 35 395 1 20 120 120 1", "key_eq_type_lp"},
                         Row{31, "peq_EQ_init 4 35 395 1 20 120 120 1", "key_eq_type_lp"},
                         Row{4, "peq_EQ_init 4 35 395 1 20 120 120 1", "key_eq_type_hp"},
                         Row{8, "peq_EQ_init 4 35 395 1 20 120 120 1", "key_eq_type_hp"},
                         Row{19, "peq_EQ_init 4 35 395 1 20 120 120 1", "key_eq_type_hp"}, Row{5, "", ""},
                         Row{7, "", ""}, Row{32, "", ""}, Row{255, "", ""}}) {
        eq()[q::eq_type + 4] = r.type;
        v.clear_calls();
        d.display_eq_band_limits(4);
        if (*r.init)
            EXPECT_EQ(v.calls, std::vector<std::string>{r.init}) << int(r.type);
        else
            EXPECT_TRUE(v.calls.empty()) << int(r.type);

        // Through the band display: the group's button lit, the other four grey.
        full();
        for (const char* b :
             {"key_eq_type_peq", "key_eq_type_ls", "key_eq_type_hs", "key_eq_type_lp", "key_eq_type_hp"})
            if (*r.lit) {
                EXPECT_EQ(v.at({b, 4}).back, lit_if(std::string(b) == r.lit)) << int(r.type) << " " << b;
            }
    }
}

TEST_F(EqViewTest, TypeChangeSwitchesLimitsButtonsAndQ) {
    settle();
    eq()[q::eq_type + 2] = 1;
    incremental();
    EXPECT_EQ(v.count("peq_EQ_init 2 35 395 1 20 30 180 1"), 1);
    EXPECT_EQ(v.at({"key_eq_type_ls", 2}).back, kLit);
    EXPECT_EQ(v.at({"key_eq_type_peq", 2}).back, kGrey);
    EXPECT_EQ(text({"Text_eq_q", 2}), "0.7");  // the shelf Q, though no Q byte changed
    EXPECT_EQ(v.count("peq_EqIn 2 1 200 7 120"), 1);
}

TEST_F(EqViewTest, QTextKeepsOneDecimal) {
    for (auto [index, shown] : {std::pair<uint8_t, const char*>{1, "0.1"}, {250, "25.0"}, {10, "1.0"}, {255, "25.0"}}) {
        eq()[q::eq_q_peq + 0] = index;
        incremental();
        EXPECT_EQ(text({"Text_eq_q", 0}), shown) << int(index);
    }
}

TEST_F(EqViewTest, UnchangedBandMakesNoGraphCall) {
    settle();
    incremental();
    EXPECT_EQ(v.count("peq_"), 0);
    // A cache byte set by an editor forces that field again.
    s.param_display_cache.eq[0][q::eq_freq_low + 6] = 255;
    incremental();
    EXPECT_EQ(v.count("peq_EqIn 6 "), 1);
    EXPECT_EQ(v.count("set_text Text_eq_freq(6)"), 1);
}

TEST_F(EqViewTest, OutOfRangeBandBytesAreCorrectedOrShownSafely) {
    eq()[q::eq_db + 1] = 200;
    eq()[q::eq_x_enable + 1] = 3;
    set_eq_freq(eq(), 1, 1000);
    eq()[q::eq_type + 1] = 40;  // no group: Q from the pass row
    eq()[q::eq_q_pass + 1] = 30;
    full();
    EXPECT_EQ(eq()[q::eq_db + 1], 180);
    EXPECT_EQ(eq()[q::eq_x_enable + 1], 1);
    EXPECT_EQ(v.at({"Check_eq_x_enable", 1}).value, 1);
    EXPECT_EQ(text({"Text_eq_db", 1}), "12.0");
    EXPECT_EQ(text({"Text_eq_freq", 1}), double_to_text(value_tables().eq_freq_tab.back()));
    EXPECT_EQ(text({"Text_eq_q", 1}), "3.0");
    EXPECT_EQ(v.count("peq_EQ_init 1 "), 0);
    EXPECT_EQ(v.count("peq_EqIn 1 40 1000 30 180"), 1);
    EXPECT_EQ(s.refresh_incremental, 1);
}

TEST_F(EqViewTest, BandColumnsFollowTheBandCount) {
    for (auto [count, shown] : {std::pair<uint8_t, int>{0, 0}, {4, 4}, {8, 8}, {10, 8}}) {
        s.eq_band_count[0] = count;
        d.set_eq_enable_seg_display();
        for (int i = 1; i <= 8; ++i) EXPECT_EQ(v.at({"Picture_eqx", i}).visible, i <= shown) << int(count) << " " << i;
    }
    EXPECT_EQ(v.count("set_visible Picture_eqx(0)"), 0);
    EXPECT_EQ(v.count("set_visible Picture_eqx(9)"), 0);
}

TEST_F(EqViewTest, ChannelSelectedByTheEditor) {
    s.eq_channel_sel = 5;
    eq(5)[q::eq_db + 0] = 150;
    eq(5)[q::eq_chx_enable] = 0;
    full();
    EXPECT_EQ(text({"Text_eq_db", 0}), "6.0");
    EXPECT_EQ(v.bypass_text, " OFF ");
}

}  // namespace
}  // namespace tuner::testing
