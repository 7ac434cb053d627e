// Volume limits, the value groups and the compressor record.
#include "display/display_colors.h"
#include "display_fixture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace e = eff_frame;

using ValuesTest = DisplayTest;

// The limit switch on (1) lowers each volume to its user limit and the slider's reach with it; off (0) or unknown (2)
// leaves volumes and sliders alone, 2 showing as on. A user limit above the maximum is lowered to it.
TEST_F(ValuesTest, VolumeLimitsBySwitchValue) {
    for (uint8_t on : {0, 2, 1}) {
        SCOPED_TRACE(int(on));
        set(gen(),
            {{g::vol_max_function_en, on}, {g::mic_vol_adj_max, 40}, {g::mic_vol, 60}, {g::effect_vol_adj_max, 150}});
        v.at({"vr_mic_vol"}).s_max_limit = 77;
        full();
        EXPECT_EQ(int{gen()[g::effect_vol_adj_max]}, 128) << "effect limit lowered to the maximum";
        EXPECT_EQ(int{gen()[g::mic_vol]}, on == 1 ? 40 : 60) << "mic volume";
        EXPECT_EQ(v.at({"vr_mic_vol"}).s_max_limit, on == 1 ? 40 : on == 0 ? 128 : 77) << "mic slider's reach";
        EXPECT_EQ(v.at({"Check_vol_max_function_en"}).value, on ? 1 : 0) << "switch's tick";
        EXPECT_EQ(text({"Text_mic_vol"}), on == 1 ? "40" : "60");
        EXPECT_EQ(v.at({"Text_mic_vol_adj_max"}).fore, on ? kSysWindowText : kGrey);
    }
    // A lower limit from the unit lowers the volume on the next refresh.
    set(gen(), {{g::music_vol, 90}, {g::music_vol_adj_max, 50}});
    incremental();
    EXPECT_EQ(int{gen()[g::music_vol]}, 50);
    EXPECT_EQ(v.at({"vr_music_vol"}).s_value, 50);
    EXPECT_EQ(v.slider_errors, std::vector<std::string>{});

    // Power-on volumes read from the unit's memory grey their boxes.
    gen()[g::vol_power_on_read_eeprom_function_en] = 1;
    incremental();
    EXPECT_EQ(v.at({"Check_vol_power_on_read_eeprom_function_en"}).value, 0);
    EXPECT_EQ(v.at({"Text_mic_vol_power_on"}).fore, kGrey);
}

// A volume the unit sends below its limit stays as sent, also when the thumb still stands above the new limit: the
// slider's own lowering would otherwise reach the volume handler, which stores the limit over the unit's value.
TEST_F(ValuesTest, ALowerLimitKeepsAVolumeBelowIt) {
    int moves = 0;
    v.on_slider_changed = [&](Ctl c) {
        ++moves;
        if (c.name == "vr_music_vol") gen()[g::music_vol] = static_cast<uint8_t>(v.slider_value(c));
    };
    set(gen(),
        {{g::vol_max_function_en, 1}, {g::music_vol_abs_max, 60}, {g::music_vol_adj_max, 60}, {g::music_vol, 40}});
    full();
    set(gen(), {{g::music_vol_adj_max, 20}, {g::music_vol, 10}});
    incremental();
    EXPECT_EQ(moves, 0) << "slider change events";
    EXPECT_EQ(int{gen()[g::music_vol]}, 10);
    EXPECT_EQ(v.at({"vr_music_vol"}).s_value, 10);
    EXPECT_EQ(v.at({"vr_music_vol"}).s_max_limit, 20);
    EXPECT_EQ(text({"Text_music_vol"}), "10");
}

// Table indexes from the unit or a file are read bounds-safe: the nearest end entry is shown and the refresh
// completes. The right delay is shown raw when the unit says so.
TEST_F(ValuesTest, TableValuesAreReadBoundsSafe) {
    // Delay indexes left and right, exciter index, raw right delay; the texts shown left, right, exciter.
    using Row = std::tuple<uint8_t, uint8_t, uint8_t, uint8_t, const char*, const char*, const char*>;
    for (const auto& [delay_l, delay_r, exciter, raw_delay, left, right, freq] :
         {Row{12, 12, 100, 0, "200", "200", "6000"}, Row{12, 12, 100, 1, "200", "12", "6000"},
          Row{200, 255, 250, 0, "380", "380", "6000"}}) {
        SCOPED_TRACE(::testing::Message() << "delays " << int(delay_l) << "/" << int(delay_r) << ", exciter "
                                          << int(exciter) << ", raw " << int(raw_delay));
        eff()[e::echo_a_delay_l] = delay_l, eff()[e::echo_a_delay_r] = delay_r;
        gen()[g::mic1_exciter_freq_index_100] = exciter;
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = raw_delay;
        full();
        EXPECT_EQ(text({"Text_echo_a_delay_l"}), left);
        EXPECT_EQ(text({"Text_echo_a_delay_r"}), right);
        EXPECT_EQ(text({"Text_mic1_exciter_freq_index_100"}), freq);
        EXPECT_EQ(s.refresh_incremental, 1);
    }
    EXPECT_EQ(v.count("set_text Text_drc_release"), 3);
    EXPECT_FALSE(v.slider_errors.empty());  // the slider refuses what it cannot show
}

}  // namespace
}  // namespace tuner::testing
