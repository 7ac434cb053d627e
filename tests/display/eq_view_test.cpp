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
    using Row = std::tuple<uint8_t, uint8_t, const char*>;  // enable, bypass, caption ("" = none)
    for (auto [enable, bypass, caption] :
         {Row{0, 1, " OFF "}, Row{1, 2, ""}, Row{1, 1, "BYPASS"}, Row{3, 0, ""}, Row{0, 0, " OFF "}}) {
        eq()[q::eq_chx_enable] = enable, eq()[q::eq_chx_bypass] = bypass;
        incremental();
        SCOPED_TRACE(::testing::Message() << "enable " << int(enable) << ", bypass " << int(bypass));
        EXPECT_EQ(v.bypass_text, caption);
        EXPECT_EQ(v.at({"key_eq_chx_enable"}).back, lit_if(enable != 0)) << "enable button";
        EXPECT_EQ(v.at({"key_eq_chx_bypass"}).back, lit_if(bypass != 0)) << "bypass button";
    }
    EXPECT_EQ(v.count("peq_Dis_Bypass_on 118 1 60 [BYPASS] &H00FFFFFF"), 1);
}

// A pre-gain above the slider is lowered without a message; the diagnostic goes to the debug list once per value
// and channel, though the unit sends the value back with every poll.
TEST_F(EqViewTest, PreGainAboveTheSliderIsLoweredWithOneDiagnostic) {
    slider_range({"vr_eq_pre_gain_db_index"}, 30, 210);
    v.at({"vr_eq_pre_gain_db_index"}).s_value = 120;
    eq()[q::eq_pre_gain_db_index] = 211;
    full();
    EXPECT_EQ(text({"Text_eq_pre_gain_db_index"}), "18.0");
    EXPECT_EQ(v.count("ask_yes_no"), 0) << "questions asked";
    EXPECT_EQ(v.at({"vr_eq_pre_gain_db_index"}).s_value, 210);
    EXPECT_EQ(v.count("peq_input_pre_gain 210"), 1);
    EXPECT_EQ(debug, std::vector<std::string>{"FrmMain.VR_eq_pre_gain_db_index.max error,120210"});

    full();
    eq()[q::eq_pre_gain_db_index] = 211;
    incremental();
    EXPECT_EQ(int{eq()[q::eq_pre_gain_db_index]}, 210);
    EXPECT_EQ(debug.size(), 1u) << "the same value again";

    // Another value, or the same one in another channel, is a new fault.
    eq()[q::eq_pre_gain_db_index] = 230;
    incremental();
    s.eq_channel_sel = 4, eq(4)[q::eq_pre_gain_db_index] = 230;
    full();
    EXPECT_EQ(int{eq(4)[q::eq_pre_gain_db_index]}, 210);
    EXPECT_EQ(debug.size(), 3u) << "another value, then another channel";
}

// The five type groups: each sets its band limits and lights its button; types outside every group set no limits.
TEST_F(EqViewTest, TypeGroupsSetBandLimitsAndButtons) {
    using Row = std::tuple<uint8_t, const char*, const char*>;  // type, limits call ("" = none), lit button
    const char* shelf = "peq_EQ_init 4 35 395 1 20 30 180 1";
    const char* pass = "peq_EQ_init 4 35 395 1 20 120 120 1";
    for (auto [type, init, lit] :
         {Row{0, "peq_EQ_init 4 35 395 1 250 30 180 1", "key_eq_type_peq"}, Row{1, shelf, "key_eq_type_ls"},
          Row{2, shelf, "key_eq_type_hs"}, Row{3, pass, "key_eq_type_lp"}, Row{31, pass, "key_eq_type_lp"},
          Row{4, pass, "key_eq_type_hp"}, Row{19, pass, "key_eq_type_hp"}, Row{5, "", ""}, Row{32, "", ""}}) {
        eq()[q::eq_type + 4] = type;
        v.clear_calls();
        d.display_eq_band_limits(4);
        EXPECT_EQ(v.calls, split(init)) << int(type);
        if (!*lit) continue;
        full();
        for (auto& b : split("key_eq_type_peq|key_eq_type_ls|key_eq_type_hs|key_eq_type_lp|key_eq_type_hp"))
            EXPECT_EQ(v.at({b, 4}).back, lit_if(b == lit)) << int(type) << " " << b;
    }
}

TEST_F(EqViewTest, OutOfRangeBandBytesAreCorrectedOrShownSafely) {
    // Type 40 is in no group: the Q comes from the pass row.
    set(eq(), {{q::eq_db + 1, 200},
               {q::eq_x_enable + 1, 3},
               {q::eq_type + 1, 40},
               {q::eq_q_pass + 1, 30},
               {q::eq_q_peq, 255}});
    set_eq_freq(eq(), 1, 1000);
    full();
    EXPECT_EQ(int{eq()[q::eq_db + 1]}, 180) << "gain index";
    EXPECT_EQ(int{eq()[q::eq_x_enable + 1]}, 1) << "band enable";
    EXPECT_EQ(text({"Text_eq_db", 1}), "12.0");
    EXPECT_EQ(text({"Text_eq_freq", 1}), double_to_text(value_tables().eq_freq_tab.back()));
    EXPECT_EQ(text({"Text_eq_q", 1}), "3.0");
    EXPECT_EQ(text({"Text_eq_q", 0}), "25.0");
    EXPECT_EQ(v.count("peq_EqIn 1 40 1000 30 180"), 1);
    EXPECT_EQ(s.refresh_incremental, 1);

    // Band columns follow the band count, eight at most.
    for (auto [count, shown] : {std::pair<uint8_t, int>{0, 0}, {4, 4}, {10, 8}}) {
        s.eq_band_count[0] = count;
        d.set_eq_enable_seg_display();
        for (int i = 1; i <= 8; ++i) EXPECT_EQ(v.at({"Picture_eqx", i}).visible, i <= shown) << int(count) << " " << i;
    }
}

}  // namespace
}  // namespace tuner::testing
