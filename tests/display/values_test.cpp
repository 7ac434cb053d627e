// Volume limits, the value groups and the compressor record.
#include "display/display_colors.h"
#include "display_fixture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace e = eff_frame;

using ValuesTest = DisplayTest;

TEST_F(ValuesTest, UserLimitAboveTheMaximumIsLowered) {
    gen()[g::music_vol_adj_max] = 150;
    full();
    EXPECT_EQ(gen()[g::music_vol_adj_max], 128);
    EXPECT_EQ(text({"Text_music_vol_adj_max"}), "128");
    EXPECT_EQ(s.param_display_cache.gen[g::music_vol_adj_max], 128);
}

TEST_F(ValuesTest, LimitsOnLowerTheVolumeAndTheSliderLimit) {
    gen()[g::vol_max_function_en] = 1;
    gen()[g::mic_vol_adj_max] = 40;
    gen()[g::mic_vol] = 60;
    gen()[g::music_vol_adj_max] = 100;
    gen()[g::music_vol] = 90;
    full();
    EXPECT_EQ(gen()[g::mic_vol], 40);
    EXPECT_EQ(v.at({"vr_mic_vol"}).s_max_limit, 40);
    EXPECT_EQ(v.at({"vr_mic_vol"}).s_value, 40);
    EXPECT_EQ(text({"Text_mic_vol"}), "40");
    EXPECT_EQ(gen()[g::music_vol], 90);
    EXPECT_EQ(v.at({"vr_music_vol"}).s_max_limit, 100);
    EXPECT_EQ(v.at({"vr_music_vol"}).s_max, 128);
    EXPECT_EQ(v.at({"Text_mic_vol_adj_max"}).fore, kWindowText);
    EXPECT_EQ(v.at({"Check_vol_max_function_en"}).value, 1);

    // A lower limit from the unit lowers the volume on the next refresh.
    gen()[g::music_vol_adj_max] = 50;
    incremental();
    EXPECT_EQ(gen()[g::music_vol], 50);
    EXPECT_EQ(v.at({"vr_music_vol"}).s_value, 50);
    EXPECT_EQ(text({"Text_music_vol"}), "50");
    EXPECT_TRUE(v.slider_errors.empty());
}

TEST_F(ValuesTest, LimitsOffOrUnknownLeaveVolumesAlone) {
    gen()[g::mic_vol_adj_max] = 40;
    gen()[g::mic_vol] = 60;
    gen()[g::vol_max_function_en] = 0;
    full();
    EXPECT_EQ(gen()[g::mic_vol], 60);
    EXPECT_EQ(v.at({"vr_mic_vol"}).s_max_limit, 128);
    EXPECT_EQ(v.at({"Text_mic_vol_adj_max"}).fore, kGrey);
    EXPECT_EQ(v.at({"Check_vol_max_function_en"}).value, 0);

    // 2: shown as on, but no limit is applied and no slider limit changes.
    slider_range({"vr_mic_vol"}, 0, 128);
    v.at({"vr_mic_vol"}).s_max_limit = 77;
    gen()[g::vol_max_function_en] = 2;
    v.clear_calls();
    incremental();
    EXPECT_EQ(gen()[g::mic_vol], 60);
    EXPECT_EQ(v.count("set_slider_max_limit"), 0);
    EXPECT_EQ(v.at({"vr_mic_vol"}).s_max_limit, 77);
    EXPECT_EQ(v.at({"Check_vol_max_function_en"}).value, 1);
    EXPECT_EQ(v.at({"Text_effect_vol_adj_max"}).fore, kWindowText);
}

TEST_F(ValuesTest, OnlyTheLimitSwitchChangingRedrawsEveryVolumeChannel) {
    settle();
    gen()[g::vol_max_function_en] = 1;
    incremental();
    for (const char* name : {"Text_music_vol_adj_max", "Text_mic_vol_adj_max", "Text_effect_vol_adj_max",
                             "Text_music_vol", "Text_mic_vol", "Text_effect_vol"})
        EXPECT_EQ(v.count(std::string("set_text ") + name + " "), 1) << name;
    v.clear_calls();
    incremental();
    EXPECT_EQ(v.count("set_text Text_music_vol"), 0);
}

TEST_F(ValuesTest, PowerOnVolumesFromTheUnitGreyTheirBoxes) {
    gen()[g::vol_power_on_read_eeprom_function_en] = 1;
    full();
    EXPECT_EQ(v.at({"Check_vol_power_on_read_eeprom_function_en"}).value, 0);
    EXPECT_EQ(v.at({"Text_mic_vol_power_on"}).fore, kGrey);
    gen()[g::vol_power_on_read_eeprom_function_en] = 0;
    incremental();
    EXPECT_EQ(v.at({"Check_vol_power_on_read_eeprom_function_en"}).value, 1);
    EXPECT_EQ(v.at({"Text_effect_vol_power_on"}).fore, kWindowText);
}

TEST_F(ValuesTest, CompressorThresholdIsShownNegative) {
    for (int k : {0, 2, 4}) {
        s.drc_channel_sel = static_cast<uint8_t>(k);
        for (int t : {0, 20, 35}) {
            write_u16(gen(), g::drc(k) + g::drc_threshold_db, static_cast<uint16_t>(t));
            write_u16(gen(), g::drc(k) + g::drc_attack, 4000);
            gen()[g::drc(k) + g::drc_enable] = 1;
            full();
            EXPECT_EQ(v.at({"vr_drc_threshold_db"}).s_value, -t);
            EXPECT_EQ(text({"Text_drc_threshold_db"}), std::to_string(-t));
            EXPECT_EQ(v.limiter, -t);
            EXPECT_EQ(text({"Text_drc_attack"}), "4000");
            EXPECT_EQ(v.at({"Check_drc_enable"}).value, 1);
            EXPECT_GE(v.count("limiter_set_dis_off_bit 1"), 1);
        }
    }
    EXPECT_TRUE(v.slider_errors.empty());
}

TEST_F(ValuesTest, TableValuesAndRawRightDelay) {
    eff()[e::echo_a_delay_l] = 12;
    eff()[e::echo_a_delay_r] = 12;
    gen()[g::mic1_exciter_freq_index_100] = 100;
    gen()[g::music_noise_suppressor_threshold] = 45;
    write_u16(gen(), g::mic1_noise_suppressor_release, 300);
    full();
    EXPECT_EQ(text({"Text_echo_a_delay_l"}), "200");
    EXPECT_EQ(text({"Text_echo_a_delay_r"}), "200");
    EXPECT_EQ(text({"Text_mic1_exciter_freq_index_100"}), "6000");
    EXPECT_EQ(v.at({"VR_mic1_exciter_freq_index_100"}).s_value, 100);
    EXPECT_EQ(text({"Text_music_noise_suppressor_threshold"}), "45");
    EXPECT_EQ(v.at({"VR_music_noise_suppressor_threshold"}).s_value, 45);
    EXPECT_EQ(text({"Text_mic1_noise_suppressor_release"}), "300");

    s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = 1;
    full();
    EXPECT_EQ(text({"Text_echo_a_delay_r"}), "12");
    EXPECT_EQ(text({"Text_echo_a_delay_l"}), "200");
}

TEST_F(ValuesTest, IndexesOutsideTheirTablesShowTheNearestEnd) {
    eff()[e::echo_a_delay_l] = 200;
    eff()[e::echo_a_delay_r] = 255;
    gen()[g::mic1_exciter_freq_index_100] = 250;
    full();
    EXPECT_EQ(text({"Text_echo_a_delay_l"}), "380");
    EXPECT_EQ(text({"Text_echo_a_delay_r"}), "380");
    EXPECT_EQ(text({"Text_mic1_exciter_freq_index_100"}), "6000");
    // The slider refuses what it cannot show; the refresh still completes.
    EXPECT_FALSE(v.slider_errors.empty());
    EXPECT_EQ(s.refresh_incremental, 1);
    EXPECT_TRUE(v.count("set_text Text_drc_release") == 1);
}

}  // namespace
}  // namespace tuner::testing
