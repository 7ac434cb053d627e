// The refresh's modes and order, the status groups and the switch groups.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "core/param_table.h"
#include "display/display_colors.h"
#include "display_fixture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace e = eff_frame;
namespace q = eq_frame;

using RefreshTest = DisplayTest;

TEST_F(RefreshTest, IncrementalCallWhileAWaitRunsDoesNothing) {
    settle();
    s.wait_busy = -1;
    gen()[g::master_mute] = 1;
    s.cpu_connect_state = 1;
    const ParamImage cache = s.param_display_cache;
    incremental();
    EXPECT_TRUE(v.calls.empty());
    EXPECT_EQ(s.param_display_cache, cache);

    // A full call runs whatever the wait.
    full();
    EXPECT_EQ(v.at({"key_mute", 0}).back, kLit);
    EXPECT_EQ(text({"Display_Connect_State"}), "Connected");
    EXPECT_EQ(s.refresh_incremental, 1);
}

struct OneByte {
    const char* what;
    bool eff;
    std::size_t offset;
    uint8_t value;
    std::set<std::string> expected;
};

class OneChangedByte : public DisplayTest, public ::testing::WithParamInterface<OneByte> {};

TEST_P(OneChangedByte, RedrawsOnlyItsGroup) {
    const OneByte& p = GetParam();
    settle();
    (p.eff ? eff() : gen())[p.offset] = p.value;
    incremental();
    EXPECT_EQ(touched(), p.expected);
    // Drawn once, the byte is cached: the next call draws nothing.
    v.clear_calls();
    incremental();
    EXPECT_TRUE(touched().empty());
}

INSTANTIATE_TEST_SUITE_P(
    Groups, OneChangedByte,
    ::testing::Values(
        OneByte{"mic_fbx",
                false,
                g::mic_fbx,
                3,
                {"key_mic_fbx(0)", "key_mic_fbx(1)", "key_mic_fbx(2)", "key_mic_fbx(3)", "key_mic_fbx(4)",
                 "key_mic_fbx(5)", "key_mic_fbx(6)"}},
        OneByte{"echo_reverb_eq_adj_mode",
                false,
                g::echo_reverb_eq_adj_mode,
                2,
                {"key_echo_reverb_eq_adj_mode(0)", "key_echo_reverb_eq_adj_mode(1)", "key_echo_reverb_eq_adj_mode(2)"}},
        OneByte{"mic_priority", false, g::mic_priority, 1, {"Option_VC_Mode(0)", "Option_VC_Mode(3)"}},
        OneByte{"master_mute", false, g::master_mute, 1, {"key_mute(0)"}},
        OneByte{"effect_mute", false, g::effect_mute, 1, {"key_mute(3)"}},
        OneByte{"sub_out_phase", false, g::sub_out_phase, 1, {"key_sub_out_phase"}},
        OneByte{"lock", false, g::lock, 1, {"Check_lock"}},
        OneByte{"echo_a_delay_l", true, e::echo_a_delay_l, 12, {"VR_echo_a_delay_l", "Text_echo_a_delay_l"}},
        OneByte{"plate_reverb_damping",
                true,
                e::plate_reverb_damping,
                9,
                {"VR_plate_reverb_damping", "Text_plate_reverb_damping"}},
        OneByte{"sub_out_vol", false, g::sub_out_vol, 20, {"VR_sub_out_vol", "Text_sub_out_vol"}},
        OneByte{"gate attack high byte",
                false,
                g::music_noise_suppressor_attack,
                1,
                {"Text_music_noise_suppressor_attack"}},
        OneByte{"mic gate ratio low byte",
                false,
                g::mic1_noise_suppressor_ratio + 1,
                5,
                {"Text_mic1_noise_suppressor_ratio"}},
        OneByte{"exciter frequency",
                false,
                g::mic1_exciter_freq_index_100,
                40,
                {"Text_mic1_exciter_freq_index_100", "VR_mic1_exciter_freq_index_100"}},
        OneByte{"power-on volume", false, g::mic_vol_power_on, 40, {"Text_mic_vol_power_on"}},
        OneByte{
            "compressor enable", false, g::drc(0) + g::drc_enable, 1, {"Check_drc_enable", "limiter_set_dis_off_bit"}},
        OneByte{"compressor of another record", false, g::drc(3) + g::drc_ratio, 1, {}}),
    [](const auto& info) {
        std::string n = info.param.what;
        for (char& c : n)
            if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
        return n;
    });

TEST_F(RefreshTest, OneChangedEqBandRedrawsOnlyThatBand) {
    settle();
    eq()[q::eq_db + 3] = 150;
    incremental();
    EXPECT_EQ(touched(), (std::set<std::string>{"vr_eq_db(3)", "Text_eq_db(3)", "peq_EqIn"}));
    EXPECT_EQ(v.count("peq_EqIn 3 "), 1);
    EXPECT_EQ(text({"Text_eq_db", 3}), "6.0");
}

TEST_F(RefreshTest, FullRefreshSetsEveryGroupEvenWhenNothingChanged) {
    settle();
    full();
    const auto t = touched();
    std::vector<std::string> expected{"key_power_bit(2)",
                                      "Display_Connect_State",
                                      "Text_software_version",
                                      "Check_eq_x_enable(9)",
                                      "Picture_eqx(8)",
                                      "key_mic_fbx(6)",
                                      "key_echo_reverb_eq_adj_mode(2)",
                                      "key_mic1_mic2_eq_adj_mode(2)",
                                      "Option_VC_Mode(0)",
                                      "key_main_out_lch_mute",
                                      "key_main_out_rch_mute",
                                      "key_sub_out_mute",
                                      "key_mute(3)",
                                      "key_sub_out_phase",
                                      "key_input(19)",
                                      "key_eq_chx_enable",
                                      "key_eq_chx_bypass",
                                      "vr_eq_pre_gain_db_index",
                                      "Text_eq_q(9)",
                                      "key_eq_type_hp(9)",
                                      "Check_lock",
                                      "Check_vol_max_function_en",
                                      "Text_effect_vol",
                                      "Check_vol_power_on_read_eeprom_function_en",
                                      "Text_music_vol_adj_max",
                                      "vr_mic_vol",
                                      "Check_mic1_exciter_en",
                                      "Text_drc_release",
                                      "vr_drc_threshold_db",
                                      "Check_drc_enable",
                                      "peq_EqIn",
                                      "peq_Dis_Bypass_off",
                                      "peq_input_pre_gain",
                                      "limiter_set_db",
                                      "menu_key_read_all_data_from_cpu_group(16)"};
    for (const auto& row : param_table())
        if (row.frame != ParamFrame::Eq) expected.emplace_back(row.text_box);
    for (const auto& name : expected) EXPECT_TRUE(t.count(name)) << name;
    EXPECT_EQ(captions, 1);
    EXPECT_EQ(links, std::vector<int>{0});
}

TEST_F(RefreshTest, FullRefreshDrawsTheGroupsInTheirOrder) {
    settle();
    full();
    // Position of the first call on each control (or, for an entry holding a
    // blank, of the next call that starts with it), in the order the groups
    // draw them; within a group slider then text, or text then slider.
    auto first = [&](const std::string& ctl) {
        for (std::size_t i = 0; i < v.calls.size(); ++i) {
            const std::string& line = v.calls[i];
            const auto a = line.find(' ');
            if (line.compare(a + 1, ctl.size() + 1, ctl + " ") == 0) return static_cast<long>(i);
        }
        ADD_FAILURE() << ctl << " not drawn";
        return -1L;
    };
    // The first call from `from` on that starts with `prefix`.
    auto index_of = [&](const std::string& prefix, long from = 0) {
        const auto it = std::find_if(v.calls.begin() + from, v.calls.end(),
                                     [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
        return static_cast<long>(it - v.calls.begin());
    };
    const std::vector<std::string> order{"key_power_bit(0)",
                                         "Text_software_version",
                                         "Check_eq_x_enable(0)",
                                         "Display_Connect_State",
                                         "Frame_all_1(0)",
                                         "Picture_power_off_tishi(0)",
                                         "Text_read_cpu_bt_name",
                                         "menu_key_read_all_data_from_cpu_group(1)",
                                         "key_mic_fbx(0)",
                                         "key_echo_reverb_eq_adj_mode(0)",
                                         "key_mic1_mic2_eq_adj_mode(0)",
                                         "Option_VC_Mode(0)",
                                         "key_main_out_lch_mute",
                                         "key_main_out_rch_mute",
                                         "key_sub_out_mute",
                                         "key_mute(0)",
                                         "key_mute(1)",
                                         "key_mute(2)",
                                         "key_mute(3)",
                                         "key_sub_out_phase",
                                         "key_input(0)",
                                         "key_eq_chx_enable",
                                         "key_eq_chx_bypass",
                                         "vr_eq_pre_gain_db_index",
                                         "Text_eq_pre_gain_db_index",
                                         "key_eq_type_peq(0)",
                                         "Check_eq_x_enable(0)",
                                         "vr_eq_db(0)",
                                         "Text_eq_db(0)",
                                         "vr_eq_freq(0)",
                                         "Text_eq_freq(0)",
                                         "Text_eq_q(0)",
                                         "key_eq_type_peq(9)",
                                         "Text_eq_q(9)",
                                         "Check_lock",
                                         "Check_vol_max_function_en",
                                         "Text_music_vol_adj_max",
                                         "Check_vol_power_on_read_eeprom_function_en",
                                         "set_text Text_music_vol_power_on",
                                         "set_slider_max_limit vr_music_vol",
                                         "set_text Text_music_vol_adj_max",
                                         "set_slider_max vr_music_vol",
                                         "set_slider_max_limit vr_music_vol 128",
                                         "set_slider_value vr_music_vol",
                                         "set_text Text_music_vol ",
                                         "set_text Text_mic_vol_power_on",
                                         "set_slider_max_limit vr_mic_vol",
                                         "set_text Text_mic_vol_adj_max",
                                         "set_slider_max vr_mic_vol",
                                         "set_slider_max_limit vr_mic_vol 128",
                                         "set_slider_value vr_mic_vol",
                                         "set_text Text_mic_vol ",
                                         "set_text Text_effect_vol_power_on",
                                         "set_slider_max_limit vr_effect_vol",
                                         "set_text Text_effect_vol_adj_max",
                                         "set_slider_max vr_effect_vol",
                                         "set_slider_max_limit vr_effect_vol 128",
                                         "set_slider_value vr_effect_vol",
                                         "set_text Text_effect_vol ",
                                         "VR_echo_a_delay_l",
                                         "Text_echo_a_delay_l",
                                         "VR_echo_a_delay_r",
                                         "Text_echo_a_delay_r",
                                         "Text_echo_a_vol",
                                         "Text_reverb_vol",
                                         "Text_echo_a_repeat",
                                         "Text_echo_a_lpf",
                                         "Text_plate_reverb_predelay",
                                         "Text_plate_reverb_decay",
                                         "Text_plate_reverb_diffusion",
                                         "Text_plate_reverb_damping",
                                         "text_echo_reverb_bili",
                                         "Text_sub_out_music_vol",
                                         "Text_sub_out_mic_vol",
                                         "Text_sub_out_vol",
                                         "Check_music_noise_suppressor_en",
                                         "Text_music_noise_suppressor_threshold",
                                         "VR_music_noise_suppressor_threshold",
                                         "Text_music_noise_suppressor_attack",
                                         "Text_music_noise_suppressor_release",
                                         "Text_music_noise_suppressor_ratio",
                                         "Check_mic1_exciter_en",
                                         "Text_mic1_exciter_vol",
                                         "VR_mic1_exciter_vol",
                                         "Text_mic1_exciter_freq_index_100",
                                         "VR_mic1_exciter_freq_index_100",
                                         "Check_mic1_noise_suppressor_en",
                                         "Text_mic1_noise_suppressor_threshold",
                                         "VR_mic1_noise_suppressor_threshold",
                                         "Text_mic1_noise_suppressor_attack",
                                         "Text_mic1_noise_suppressor_release",
                                         "Text_mic1_noise_suppressor_ratio",
                                         "Check_drc_enable",
                                         "vr_drc_threshold_db",
                                         "Text_drc_threshold_db",
                                         "Text_drc_ratio",
                                         "Text_drc_attack",
                                         "Text_drc_release"};
    // Check_eq_x_enable(0) is enabled in the connection step and ticked by band 0.
    long last = -1;
    for (std::size_t i = 0; i < order.size(); ++i) {
        const std::string& ctl = order[i];
        long at = ctl.find(' ') != std::string::npos ? index_of(ctl, last + 1) : first(ctl);
        if (ctl == "Check_eq_x_enable(0)" && i > 3) at = index_of("set_value Check_eq_x_enable(0)", last + 1);
        EXPECT_GT(at, last) << ctl;
        EXPECT_LT(at, static_cast<long>(v.calls.size())) << ctl;
        last = at;
    }
}

TEST_F(RefreshTest, LinkLostEmptiesTheNameBoxAndClearsBusy) {
    s.cpu_connect_state = 1;
    const char name[] = "Karaoke 1";
    std::memcpy(s.bt_name_rx.data(), name, sizeof name - 1);
    s.bt_name_rx_copy = name;
    settle();
    EXPECT_EQ(text({"Text_read_cpu_bt_name"}), "Karaoke 1");
    EXPECT_EQ(v.at({"Text_read_cpu_bt_name"}).back, kLit);

    // Refreshes while connected keep the name.
    incremental();
    EXPECT_EQ(text({"Text_read_cpu_bt_name"}), "Karaoke 1");

    s.cpu_state.cpu_busy = 1;
    s.cpu_connect_state = 0;
    incremental();
    EXPECT_EQ(text({"Text_read_cpu_bt_name"}), "");
    EXPECT_EQ(v.at({"Text_read_cpu_bt_name"}).back, kWhite);
    EXPECT_EQ(s.bt_name_rx, (std::array<uint8_t, 40>{}));
    EXPECT_TRUE(s.bt_name_rx_copy.empty());
    EXPECT_EQ(s.cpu_state.cpu_busy, 0);
    EXPECT_EQ(text({"Display_Connect_State"}), "Disconnected");
    EXPECT_EQ(links, std::vector<int>{0});
    EXPECT_EQ(text({"Text_software_version"}).find("CPU"), std::string::npos);
}

TEST_F(RefreshTest, NameDecodedFromTheReceivedBytes) {
    s.cpu_connect_state = 1;
    const std::string name = "麦克风";
    std::memcpy(s.bt_name_rx.data(), name.data(), name.size());
    full();
    EXPECT_EQ(text({"Text_read_cpu_bt_name"}), name);
}

TEST_F(RefreshTest, LanguageZeroIsChineseEveryOtherValueEnglish) {
    struct Row {
        uint8_t language, state;
        const char* caption;
    };
    for (const Row& r : {Row{0, 0, "设备未连接"}, Row{0, 1, "设备已连接"}, Row{1, 2, "Disconnected"},
                         Row{1, 1, "Connected"}, Row{2, 0, "Disconnected"}, Row{2, 1, "Connected"}}) {
        s.Language = r.language;
        s.cpu_connect_state = r.state;
        full();
        EXPECT_EQ(text({"Display_Connect_State"}), r.caption) << int(r.language) << " " << int(r.state);
    }
}

TEST_F(RefreshTest, RecallMarkOnlyForModesOneToSixteen) {
    for (int mode : {5, 0, 17, 16, 1}) {
        s.cpu_state.cpu_mode_index = static_cast<uint8_t>(mode);
        incremental();
        for (int i = 1; i <= 16; ++i)
            EXPECT_EQ(v.at({"menu_key_read_all_data_from_cpu_group", i}).value, i == mode ? 1 : 0) << mode << " " << i;
    }
}

TEST_F(RefreshTest, BandEditPermissionsOfTheCurrentChannel) {
    s.eq_channel_sel = 3;
    s.cpu_info[43] = 0x0F;
    s.cpu_info[33] = 0x02;
    full();
    for (int b = 0; b < 10; ++b) EXPECT_EQ(v.at({"Check_eq_x_enable", b}).enabled, b <= 3 || b == 9) << b;

    // Recomputed only when the link state changes or in a full call.
    s.cpu_info[43] = 0xFF;
    incremental();
    EXPECT_FALSE(v.at({"Check_eq_x_enable", 5}).enabled);
    s.cpu_connect_state = 1;
    incremental();
    EXPECT_TRUE(v.at({"Check_eq_x_enable", 5}).enabled);

    // A channel outside the ten: every band editable, and the refresh completes.
    s.eq_channel_sel = 12;
    full();
    for (int b = 0; b < 10; ++b) EXPECT_TRUE(v.at({"Check_eq_x_enable", b}).enabled) << b;
    EXPECT_EQ(s.refresh_incremental, 1);
}

TEST_F(RefreshTest, PowerAndReadinessDecideThePanelAndTheStandbyPicture) {
    struct Row {
        uint8_t power, input;
        bool panel, standby;
    };
    for (const Row& r : {Row{1, 6, true, false}, Row{0, 6, false, true}, Row{1, 0, false, false},
                         Row{1, 2, false, false}, Row{1, 3, true, false}}) {
        s.cpu_state.cpu_power_on = r.power;
        s.cpu_state.cpu_music_input = r.input;
        incremental();
        EXPECT_EQ(v.at({"Frame_all_1", 0}).enabled, r.panel) << int(r.power) << " " << int(r.input);
        EXPECT_EQ(v.at({"Picture_power_off_tishi", 0}).visible, r.standby);
        EXPECT_EQ(v.at({"Picture_power_off_tishi", 0}).z, r.standby ? 1 : -1);
        EXPECT_EQ(v.at({"key_power_bit", 1}).back, r.power ? kLit : kGrey);
    }
}

TEST_F(RefreshTest, NoMicrophoneTwoEqForcesTheMicrophoneMode) {
    gen()[g::mic1_mic2_eq_adj_mode] = 2;
    full();
    EXPECT_EQ(gen()[g::mic1_mic2_eq_adj_mode], 0);
    EXPECT_EQ(v.at({"key_mic1_mic2_eq_adj_mode", 0}).back, kLit);
    EXPECT_EQ(v.at({"key_mic1_mic2_eq_adj_mode", 2}).back, kGrey);

    s.eq_band_count[2] = 10;
    gen()[g::mic1_mic2_eq_adj_mode] = 2;
    incremental();
    EXPECT_EQ(v.at({"key_mic1_mic2_eq_adj_mode", 2}).back, kLit);
}

TEST_F(RefreshTest, SelectorRules) {
    gen()[g::mic_fbx] = 2;
    gen()[g::echo_reverb_eq_adj_mode] = 5;
    full();
    EXPECT_EQ(v.at({"key_mic_fbx", 2}).back, kLit);
    EXPECT_EQ(v.at({"key_echo_reverb_eq_adj_mode", 1}).back, kLit);

    // Seven or more leaves the buttons as they were, but is cached.
    v.clear_calls();
    gen()[g::mic_fbx] = 7;
    incremental();
    EXPECT_EQ(v.count("set_back_color key_mic_fbx"), 0);
    EXPECT_EQ(s.param_display_cache.gen[g::mic_fbx], 7);
    gen()[g::mic_fbx] = 0;
    incremental();
    EXPECT_EQ(v.at({"key_mic_fbx", 0}).back, kLit);
    EXPECT_EQ(v.at({"key_mic_fbx", 2}).back, kGrey);

    // Microphone priority wins over the vocal-cut choice, which is selected first.
    v.clear_calls();
    gen()[g::vocal_cut_mode] = 2;
    gen()[g::mic_priority] = 1;
    incremental();
    const auto first = std::find(v.calls.begin(), v.calls.end(), "set_value Option_VC_Mode(2) 1");
    const auto then = std::find(v.calls.begin(), v.calls.end(), "set_value Option_VC_Mode(3) 1");
    EXPECT_TRUE(first != v.calls.end() && then != v.calls.end() && first < then);

    // The sub-out phase button is lit for the normal phase.
    gen()[g::sub_out_phase] = 0;
    full();
    EXPECT_EQ(v.at({"key_sub_out_phase"}).back, kLit);

    // The input the unit reports; 20 (none yet) lights nothing.
    s.cpu_state.cpu_music_input = 20;
    incremental();
    for (int i = 0; i < 20; ++i) EXPECT_EQ(v.at({"key_input", i}).back, kGrey) << i;
    s.cpu_state.cpu_music_input = 13;
    incremental();
    EXPECT_EQ(v.at({"key_input", 13}).back, kLit);
}

TEST_F(RefreshTest, VersionLine) {
    struct Row {
        uint8_t state;
        std::array<uint8_t, 3> cpu;
        uint16_t m;
        uint8_t vs;
        uint16_t r, p;
        const char* line;
    };
    for (const Row& r : {
             Row{0, {1, 2, 3}, 5, 1, 1, 1, "PC:24.6.6  K:0.2.0"},
             Row{2, {1, 2, 3}, 5, 1, 1, 1, "PC:24.6.6  K:0.2.0"},
             Row{1, {0, 0, 0}, 0, 0, 0, 0, "PC:24.6.6  K:0.2.0  CPU:0.0.0  M:0  S:0  R:0  P:0"},
             Row{1,
                 {1, 22, 255},
                 513,
                 255,
                 256,
                 65535,
                 "PC:24.6.6  K:0.2.0  CPU:1.22.255  M:513  S:2040  R:256  P:65535"},
             Row{1, {0, 0, 0}, 0, 0, 0x8000, 0, "PC:24.6.6  K:0.2.0  CPU:0.0.0  M:0  S:0  R:32768  P:0"},
         }) {
        s.cpu_connect_state = r.state;
        s.cpu_version = r.cpu;
        s.cpu_version_m = r.m;
        s.cpu_state.cpu_version_s = r.vs;
        s.cpu_state.cpu_version_r = r.r;
        s.cpu_state.cpu_version_p = r.p;
        d.display_version_line();
        EXPECT_EQ(text({"Text_software_version"}), r.line);
    }
}

}  // namespace
}  // namespace tuner::testing
