#include <gtest/gtest.h>

#include <tuple>

#include "core/default_image.h"
#include "core/param_image.h"
#include "image_match.h"

using namespace tuner;
using tuner::testing::same_image;

namespace {
// Bytes at offsets of one frame, set before and expected after the range check.
using Clamps = std::vector<std::tuple<std::size_t, int, int>>;
void check_clamps(FrameImage& f, ParamImage& img, const Clamps& cases) {
    for (const auto& [at, in, out] : cases) f[at] = static_cast<uint8_t>(in);
    param_range_check(img);
    for (const auto& [at, in, out] : cases) EXPECT_EQ(f[at], out) << "offset " << at << " from " << in;
}
}  // namespace

// A zero volume limit becomes 128 and its volume stays; a limit above 128 becomes 128; values above their group's limit
// fall to it. Sixteen-bit fields read unsigned (a high byte of 128 or more is simply above the limit).
TEST(ParamRangeCheck, GeneralFrameLimits) {
    using namespace gen_frame;
    ParamImage img;
    auto& g = img.gen;
    const std::size_t r = drc(2);
    write_u16(g, r + drc_ratio, 0x8001);   // 32769: above 1000
    write_u16(g, r + drc_attack, 0xFFFF);  // above 5000
    write_u16(g, music_noise_suppressor_ratio, 0);
    write_u16(g, mic1_noise_suppressor_release, 40000);
    check_clamps(g, img,
                 {{music_vol_abs_max, 0, 128},
                  {music_vol, 100, 100},
                  {mic_vol_abs_max, 200, 128},
                  {mic_vol, 250, 128},
                  {mic_vol_power_on, 129, 128},
                  {mic_vol_adj_max, 20, 20},
                  {effect_vol_abs_max, 40, 40},
                  {effect_vol, 50, 40},
                  {effect_vol_power_on, 30, 30},
                  {vol_power_on_read_eeprom_function_en, 0, 1},
                  {r + drc_threshold_db, 1, 0},
                  {r + drc_threshold_db + 1, 10, 10},
                  {drc(4) + drc_threshold_db + 1, 36, 35}});
    EXPECT_EQ(read_u16(g, r + drc_ratio), 1000);
    EXPECT_EQ(read_u16(g, r + drc_attack), 5000);
    EXPECT_EQ(read_u16(g, music_noise_suppressor_ratio), 1);
    EXPECT_EQ(read_u16(g, mic1_noise_suppressor_release), 5000);
}

TEST(ParamRangeCheck, EqBandsAndFixedEdges) {
    using namespace eq_frame;
    ParamImage img;
    auto& eq = img.eq[4];
    set_eq_freq(eq, 2, 0);
    set_eq_freq(eq, 3, 400);
    set_eq_freq(eq, 4, 0xFFFF);  // high byte >= 128 is simply above the limit
    // The pre-gain index is not clamped here.
    check_clamps(eq, img,
                 {{eq_q_shelf + 5, 21, 20},
                  {eq_q_peq + 5, 21, 21},
                  {eq_q_pass + 6, 0, 1},
                  {eq_db + 7, 200, 180},
                  {eq_pre_gain_db_index, 250, 250}});
    EXPECT_EQ(eq_freq(eq, 2), 35);
    EXPECT_EQ(eq_freq(eq, 3), 395);
    EXPECT_EQ(eq_freq(eq, 4), 395);
    // Every channel: fixed band types and levels at both edges.
    for (std::size_t c = 0; c < kEqChannels; ++c) {
        SCOPED_TRACE("EQ channel " + std::to_string(c));
        const auto& ch = img.eq[c];
        EXPECT_EQ(ch[eq_type], 4);
        EXPECT_EQ(ch[eq_type + 9], 3);
        EXPECT_EQ(ch[eq_db], 120);
        EXPECT_EQ(ch[eq_db + 9], 120);
    }
}

// A channel switched off stays off; any other enable value means on. A second check changes nothing.
TEST(ParamRangeCheck, ChannelEnableKeepsOffAndNormalisesOn) {
    ParamImage img;
    const int in[] = {0, 1, 7}, out[] = {0, 1, 1};
    for (std::size_t c = 0; c < 3; ++c) img.eq[c][eq_frame::eq_chx_enable] = static_cast<uint8_t>(in[c]);
    param_range_check(img);
    for (std::size_t c = 0; c < 3; ++c)
        EXPECT_EQ(img.eq[c][eq_frame::eq_chx_enable], out[c]) << "EQ channel " << c << " enable from " << in[c];
    ParamImage again = img;
    param_range_check(again);
    EXPECT_TRUE(same_image(again, img));
}

// Fixed effect bytes are forced, a second check changes nothing, and the neutral image is already in range.
TEST(ParamRangeCheck, FixedEffectBytesAndIdempotence) {
    ParamImage img;
    for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<uint8_t>(i * 37 + 11);
    check_clamps(img.eff, img, {{8, 7, 30}, {16, 7, 255}, {19, 7, 255}, {54, 7, 1}, {55, 7, 0}});
    const std::pair<const char*, ParamImage> images[] = {{"checked image", img},
                                                         {"neutral image", neutral_param_image()}};
    for (const auto& [name, once] : images) {
        ParamImage again = once;
        param_range_check(again);
        EXPECT_TRUE(same_image(again, once)) << name;
    }
}
