#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/default_image.h"
#include "core/param_image.h"

using namespace tuner;

TEST(ParamImage, LayoutIsTwelveFramesInWireOrder) {
    ParamImage img;
    img.eq[3][0] = 1;
    img.gen[0] = 2;
    img.eff[256] = 3;
    EXPECT_EQ(img[3 * 257], 1);
    EXPECT_EQ(img[10 * 257], 2);
    EXPECT_EQ(img[3083], 3);
    EXPECT_EQ(&img.frame(10), &img.gen);
    EXPECT_EQ(&img.frame(11), &img.eff);
}

TEST(ParamRangeCheck, VolumeGroups) {
    ParamImage img;
    auto& g = img.gen;
    using namespace gen_frame;
    g[music_vol_abs_max] = 0;  // becomes 128, others unchanged
    g[music_vol] = 100;
    g[mic_vol_abs_max] = 200;  // becomes 128, values above it fall to 128
    g[mic_vol] = 250;
    g[mic_vol_power_on] = 129;
    g[mic_vol_adj_max] = 20;
    g[effect_vol_abs_max] = 40;  // a volume of 50 falls to 40, a power-on of 30 stays
    g[effect_vol] = 50;
    g[effect_vol_power_on] = 30;
    param_range_check(img);
    EXPECT_EQ(g[music_vol_abs_max], 128);
    EXPECT_EQ(g[music_vol], 100);
    EXPECT_EQ(g[mic_vol_abs_max], 128);
    EXPECT_EQ(g[mic_vol], 128);
    EXPECT_EQ(g[mic_vol_power_on], 128);
    EXPECT_EQ(g[mic_vol_adj_max], 20);
    EXPECT_EQ(g[effect_vol], 40);
    EXPECT_EQ(g[effect_vol_power_on], 30);
    EXPECT_EQ(g[vol_power_on_read_eeprom_function_en], 1);
}

TEST(ParamRangeCheck, EqBandsAndFixedEdges) {
    ParamImage img;
    auto& eq = img.eq[4];
    set_eq_freq(eq, 2, 0);
    set_eq_freq(eq, 3, 400);
    set_eq_freq(eq, 4, 0xFFFF);  // high byte >= 128 is simply above the limit
    eq[eq_frame::eq_q_shelf + 5] = 21;
    eq[eq_frame::eq_q_peq + 5] = 21;
    eq[eq_frame::eq_q_pass + 6] = 0;
    eq[eq_frame::eq_db + 7] = 200;
    eq[eq_frame::eq_type + 0] = 0;
    eq[eq_frame::eq_pre_gain_db_index] = 250;  // not clamped here
    param_range_check(img);
    EXPECT_EQ(eq[eq_frame::eq_freq_high + 2], 0);
    EXPECT_EQ(eq[eq_frame::eq_freq_low + 2], 35);
    EXPECT_EQ(eq[eq_frame::eq_freq_high + 3], 1);
    EXPECT_EQ(eq[eq_frame::eq_freq_low + 3], 139);
    EXPECT_EQ(eq_freq(eq, 4), 395);
    EXPECT_EQ(eq[eq_frame::eq_q_shelf + 5], 20);
    EXPECT_EQ(eq[eq_frame::eq_q_peq + 5], 21);
    EXPECT_EQ(eq[eq_frame::eq_q_pass + 6], 1);
    EXPECT_EQ(eq[eq_frame::eq_db + 7], 180);
    EXPECT_EQ(eq[eq_frame::eq_pre_gain_db_index], 250);
    for (const auto& ch : img.eq) {
        EXPECT_EQ(ch[eq_frame::eq_type + 0], 4);
        EXPECT_EQ(ch[eq_frame::eq_type + 9], 3);
        EXPECT_EQ(ch[eq_frame::eq_db + 0], 120);
        EXPECT_EQ(ch[eq_frame::eq_db + 9], 120);
        EXPECT_EQ(ch[eq_frame::eq_chx_enable], 1);
    }
}

TEST(ParamRangeCheck, SixteenBitFieldsReadUnsigned) {
    ParamImage img;
    auto& g = img.gen;
    using namespace gen_frame;
    const std::size_t r = drc(2);
    g[r + drc_threshold_db] = 1;
    g[r + drc_threshold_db + 1] = 10;
    write_u16(g, r + drc_ratio, 0x8001);   // 32769: above 1000
    write_u16(g, r + drc_attack, 0xFFFF);  // above 5000
    write_u16(g, music_noise_suppressor_ratio, 0);
    write_u16(g, mic1_noise_suppressor_release, 40000);
    g[drc(4) + drc_threshold_db + 1] = 36;
    param_range_check(img);
    EXPECT_EQ(g[r + drc_threshold_db], 0);
    EXPECT_EQ(g[r + drc_threshold_db + 1], 10);
    EXPECT_EQ(read_u16(g, r + drc_ratio), 1000);
    EXPECT_EQ(read_u16(g, r + drc_attack), 5000);
    EXPECT_EQ(read_u16(g, music_noise_suppressor_ratio), 1);
    EXPECT_EQ(read_u16(g, mic1_noise_suppressor_release), 5000);
    EXPECT_EQ(g[drc(4) + drc_threshold_db + 1], 35);
}

TEST(ParamRangeCheck, FixedEffectBytesAndIdempotence) {
    ParamImage img;
    for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<uint8_t>(i * 37 + 11);
    param_range_check(img);
    EXPECT_EQ(img.eff[8], 30);
    EXPECT_EQ(img.eff[16], 255);
    EXPECT_EQ(img.eff[19], 255);
    EXPECT_EQ(img.eff[54], 1);
    EXPECT_EQ(img.eff[55], 0);
    const ParamImage once = img;
    param_range_check(img);
    EXPECT_EQ(once, img);
}

TEST(ParamImage, NeutralImageIsAlreadyInRange) {
    ParamImage img = neutral_param_image();
    const ParamImage before = img;
    param_range_check(img);
    EXPECT_EQ(before, img);
}

TEST(Bytes, HighLowAndBits) {
    EXPECT_EQ(int_high_byte(5000), 19);
    EXPECT_EQ(int_low_byte(5000), 136);
    EXPECT_EQ(int_high_byte(255), 0);
    EXPECT_EQ(int_low_byte(255), 255);
    EXPECT_EQ(int_high_byte(256), 1);
    EXPECT_EQ(int_low_byte(256), 0);
    EXPECT_EQ(int_high_byte(32767), 127);
    EXPECT_EQ(int_low_byte(32767), 255);
    EXPECT_EQ(int_high_byte(65535), 255);
    EXPECT_EQ(bit_read(128, 7), 1);
    EXPECT_EQ(bit_read(127, 7), 0);
    EXPECT_EQ(bit_read(255, 8), 0);
}
