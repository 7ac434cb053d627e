// Volume limits, the value groups and the compressor record.
#include "display/display_colors.h"
#include "display_fixture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace e = eff_frame;

using ValuesTest = DisplayTest;

// The limit switch on (1) lowers each volume to its user limit and the
// slider's reach with it; off (0) or unknown (2) leaves volumes and sliders
// alone, 2 showing as on. A user limit above the maximum is lowered to it.
TEST_F(ValuesTest, VolumeLimitsBySwitchValue) {
    for (uint8_t on : {0, 2, 1}) {
        SCOPED_TRACE(int(on));
        set(gen(),
            {{g::vol_max_function_en, on}, {g::mic_vol_adj_max, 40}, {g::mic_vol, 60}, {g::effect_vol_adj_max, 150}});
        v.at({"vr_mic_vol"}).s_max_limit = 77;
        full();
        // Effect limit, mic volume, its slider's reach, the switch's tick.
        EXPECT_EQ((std::vector<int>{gen()[g::effect_vol_adj_max], gen()[g::mic_vol], v.at({"vr_mic_vol"}).s_max_limit,
                                    v.at({"Check_vol_max_function_en"}).value}),
                  (std::vector<int>{128, on == 1 ? 40 : 60,
                                    on == 1   ? 40
                                    : on == 0 ? 128
                                              : 77,
                                    on ? 1 : 0}));
        EXPECT_EQ(text({"Text_mic_vol"}), on == 1 ? "40" : "60");
        EXPECT_EQ(v.at({"Text_mic_vol_adj_max"}).fore, on ? kWindowText : kGrey);
    }
    // A lower limit from the unit lowers the volume on the next refresh.
    set(gen(), {{g::music_vol, 90}, {g::music_vol_adj_max, 50}});
    incremental();
    EXPECT_EQ(std::pair(int{gen()[g::music_vol]}, v.at({"vr_music_vol"}).s_value), std::pair(50, 50));
    EXPECT_TRUE(v.slider_errors.empty());

    // Power-on volumes read from the unit's memory grey their boxes.
    gen()[g::vol_power_on_read_eeprom_function_en] = 1;
    incremental();
    EXPECT_TRUE(v.at({"Check_vol_power_on_read_eeprom_function_en"}).value == 0 &&
                v.at({"Text_mic_vol_power_on"}).fore == kGrey);
}

// A volume the unit sends below its limit stays as sent, also when the thumb
// still stands above the new limit: the slider's own lowering would otherwise
// reach the volume handler, which stores the limit over the unit's value.
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
    // Slider moves, the volume, the slider's value and reach.
    EXPECT_EQ((std::vector<int>{moves, gen()[g::music_vol], v.at({"vr_music_vol"}).s_value,
                                v.at({"vr_music_vol"}).s_max_limit}),
              (std::vector<int>{0, 10, 10, 20}));
    EXPECT_EQ(text({"Text_music_vol"}), "10");
}

// Table indexes from the unit or a file are read bounds-safe: the nearest end
// entry is shown and the refresh completes. The right delay is shown raw when
// the unit says so.
TEST_F(ValuesTest, TableValuesAreReadBoundsSafe) {
    // Delay indexes left and right, exciter index, raw right delay; the texts shown.
    using Row = std::tuple<uint8_t, uint8_t, uint8_t, uint8_t, std::vector<std::string>>;
    for (const auto& [delay_l, delay_r, exciter, raw_delay, shown] :
         {Row{12, 12, 100, 0, {"200", "200", "6000"}}, Row{12, 12, 100, 1, {"200", "12", "6000"}},
          Row{200, 255, 250, 0, {"380", "380", "6000"}}}) {
        eff()[e::echo_a_delay_l] = delay_l, eff()[e::echo_a_delay_r] = delay_r;
        gen()[g::mic1_exciter_freq_index_100] = exciter;
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = raw_delay;
        full();
        EXPECT_EQ((std::vector{text({"Text_echo_a_delay_l"}), text({"Text_echo_a_delay_r"}),
                               text({"Text_mic1_exciter_freq_index_100"})}),
                  shown);
        EXPECT_EQ(s.refresh_incremental, 1);
    }
    EXPECT_EQ(v.count("set_text Text_drc_release"), 3);
    EXPECT_FALSE(v.slider_errors.empty());  // the slider refuses what it cannot show
}

}  // namespace
}  // namespace tuner::testing
