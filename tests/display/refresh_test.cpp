// The refresh's modes and order, the status groups and the switch groups.
#include <cstring>
#include <tuple>

#include "core/param_table.h"
#include "display/display_colors.h"
#include "display_fixture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace e = eff_frame;
namespace q = eq_frame;

using RefreshTest = DisplayTest;

TEST_F(RefreshTest, IncrementalCallWhileAWaitRunsDoesNothingAFullOneRuns) {
    settle();
    s.wait_busy = -1, s.cpu_connect_state = 1;
    gen()[g::master_mute] = 1;
    const ParamImage cache = s.param_display_cache;
    incremental();
    EXPECT_EQ(v.calls, std::vector<std::string>{});
    EXPECT_EQ(s.param_display_cache, cache);

    full();
    EXPECT_EQ(v.at({"key_mute", 0}).back, kLit);
    EXPECT_EQ(text({"Display_Connect_State"}), "Connected");
    EXPECT_EQ(s.refresh_incremental, 1);
}

TEST_F(RefreshTest, OneChangedByteRedrawsOnlyItsGroupOnce) {
    enum Frame { G, E, Q };
    using Row = std::tuple<Frame, std::size_t, uint8_t, const char*>;  // frame, offset, value, controls redrawn
    const Row rows[] = {
        {G, g::mic_priority, 1, "Option_VC_Mode(0) Option_VC_Mode(3)"},
        {G, g::master_mute, 1, "key_mute(0)"},
        {E, e::echo_a_delay_l, 12, "VR_echo_a_delay_l Text_echo_a_delay_l"},
        {G, g::music_noise_suppressor_attack, 1, "Text_music_noise_suppressor_attack"},  // high byte
        {G, g::mic1_noise_suppressor_ratio + 1, 5, "Text_mic1_noise_suppressor_ratio"},  // low byte
        {G, g::mic1_exciter_freq_index_100, 40, "Text_mic1_exciter_freq_index_100 VR_mic1_exciter_freq_index_100"},
        {G, g::drc(0) + g::drc_enable, 1, "Check_drc_enable limiter_set_dis_off_bit"},
        {G, g::drc(3) + g::drc_ratio, 1, ""},  // a compressor record not shown
        {Q, q::eq_db + 3, 150, "vr_eq_db(3) Text_eq_db(3) peq_EqIn"},
    };
    for (auto [frame, offset, value, expected] : rows) {
        SCOPED_TRACE(expected);
        settle();
        (frame == G ? gen() : frame == E ? eff() : eq())[offset] = value;
        incremental();
        const auto want = split(expected, ' ');
        EXPECT_EQ(touched(), std::set<std::string>(want.begin(), want.end()));
        v.clear_calls();
        incremental();
        EXPECT_EQ(touched(), std::set<std::string>{}) << "a second refresh with nothing changed";
    }
}

// A full refresh with nothing changed draws every group, in the fixed order;
// within a group slider then text, or text then slider.
TEST_F(RefreshTest, FullRefreshDrawsEveryGroupInItsOrder) {
    settle();
    full();
    std::vector<std::string> order;
    for (auto& entry :
         split("key_power_bit(0)|Text_software_version|Check_eq_x_enable(0)|Display_Connect_State|Frame_all_1(0)|"
               "Picture_power_off_tishi(0)|Text_read_cpu_bt_name|menu_key_read_all_data_from_cpu_group(1)|"
               "key_mic_fbx(0)|key_echo_reverb_eq_adj_mode(0)|key_mic1_mic2_eq_adj_mode(0)|Option_VC_Mode(0)|"
               "key_main_out_lch_mute|key_sub_out_mute|key_mute(0)|key_mute(3)|key_sub_out_phase|key_input(0)|"
               "key_eq_chx_enable|key_eq_chx_bypass|vr_eq_pre_gain_db_index|Text_eq_pre_gain_db_index|"
               "key_eq_type_peq(0)|set_value Check_eq_x_enable(0)|vr_eq_db(0)|Text_eq_db(0)|vr_eq_freq(0)|"
               "Text_eq_freq(0)|Text_eq_q(0)|key_eq_type_peq(9)|Text_eq_q(9)|Check_lock|Check_vol_max_function_en|"
               "Text_music_vol_adj_max|Check_vol_power_on_read_eeprom_function_en|music|mic|effect|VR_echo_a_delay_l|"
               "Text_echo_a_delay_l|VR_echo_a_delay_r|Text_echo_a_delay_r|Text_plate_reverb_damping|"
               "text_echo_reverb_bili|Text_sub_out_vol|Check_music_noise_suppressor_en|"
               "Text_music_noise_suppressor_threshold|VR_music_noise_suppressor_threshold|"
               "Text_music_noise_suppressor_ratio|Check_mic1_exciter_en|Text_mic1_exciter_vol|VR_mic1_exciter_vol|"
               "Text_mic1_exciter_freq_index_100|VR_mic1_exciter_freq_index_100|Check_mic1_noise_suppressor_en|"
               "Text_mic1_noise_suppressor_ratio|Check_drc_enable|vr_drc_threshold_db|Text_drc_threshold_db|"
               "Text_drc_release")) {
        if (entry.find('_') != std::string::npos) {
            order.push_back(entry);
            continue;
        }
        // A volume channel's steps, as calls.
        for (std::string step :
             split("set_text Text_#_vol_power_on|set_slider_max_limit vr_#_vol|"
                   "set_text Text_#_vol_adj_max|set_slider_max vr_#_vol|"
                   "set_slider_max_limit vr_#_vol 128|set_slider_value vr_#_vol|set_text Text_#_vol "))
            order.push_back(step.replace(step.find('#'), 1, entry));
    }

    // A call entry (with a blank) is searched from the last match on; a control entry is its first call.
    auto find = [&](const std::string& entry, long start) {
        const bool call = entry.find(' ') != std::string::npos;
        for (auto i = static_cast<std::size_t>(call ? start : 0); i < v.calls.size(); ++i) {
            const std::string& line = v.calls[i];
            if (call ? line.rfind(entry, 0) == 0 : line.compare(line.find(' ') + 1, entry.size() + 1, entry + " ") == 0)
                return static_cast<long>(i);
        }
        return static_cast<long>(v.calls.size());
    };
    long last = -1;
    for (const std::string& entry : order) {
        const long at = find(entry, last + 1);
        EXPECT_GT(at, last) << entry;
        EXPECT_LT(at, static_cast<long>(v.calls.size())) << entry << " not drawn";
        last = at;
    }

    const auto t = touched();
    auto every =
        split("key_power_bit(2)|Picture_eqx(8)|key_input(19)|peq_Dis_Bypass_off|peq_input_pre_gain|limiter_set_db");
    for (const auto& row : param_table())
        if (row.frame != ParamFrame::Eq) every.emplace_back(row.text_box);
    for (const auto& name : every) EXPECT_TRUE(t.count(name)) << name;
    EXPECT_EQ(captions, 1);
    EXPECT_EQ(links, std::vector<int>{0});
}

// While connected the name box shows the name received from the unit (as UTF-8) and the version line the unit's
// versions; the link-lost path empties the box, clears busy and leaves the program's versions alone.
TEST_F(RefreshTest, NameVersionAndConnectStateWhileConnectedAndTheLinkLostPath) {
    s.cpu_connect_state = 1;
    const std::string name = "麦克风 1";
    std::memcpy(s.bt_name_rx.data(), name.data(), name.size());
    s.cpu_version = {1, 22, 255}, s.cpu_version_m = 513;
    s.cpu_state.cpu_version_s = 255, s.cpu_state.cpu_version_r = 256, s.cpu_state.cpu_version_p = 65535;
    settle();
    incremental();
    EXPECT_EQ(text({"Text_read_cpu_bt_name"}), name);
    EXPECT_EQ(text({"Text_software_version"}), "PC:24.6.6  K:0.2.0  CPU:1.22.255  M:513  S:2040  R:256  P:65535");

    s.cpu_state.cpu_busy = 1, s.cpu_connect_state = 0;
    incremental();
    EXPECT_EQ(text({"Text_read_cpu_bt_name"}), "");
    EXPECT_EQ(v.at({"Text_read_cpu_bt_name"}).back, kWhite);
    EXPECT_EQ(s.bt_name_rx, (std::array<uint8_t, 40>{}));
    EXPECT_EQ(s.bt_name_rx_copy, "");
    EXPECT_EQ(s.cpu_state.cpu_busy, 0);
    EXPECT_EQ(text({"Display_Connect_State"}), "Disconnected");
    EXPECT_EQ(links, std::vector<int>{0});
    EXPECT_EQ(text({"Text_software_version"}), "PC:24.6.6  K:0.2.0");

    // Language 0 is Chinese, every other value English.
    using Row = std::tuple<uint8_t, uint8_t, const char*>;
    for (auto [language, state, caption] :
         {Row{0, 0, "设备未连接"}, Row{0, 1, "设备已连接"}, Row{1, 2, "Disconnected"}, Row{2, 1, "Connected"}}) {
        s.Language = language, s.cpu_connect_state = state;
        full();
        EXPECT_EQ(text({"Display_Connect_State"}), caption) << int(language) << " " << int(state);
    }
}

TEST_F(RefreshTest, BandEditPermissionsOfTheCurrentChannel) {
    s.eq_channel_sel = 3, s.cpu_info[43] = 0x0F, s.cpu_info[33] = 0x02;
    full();
    for (int b = 0; b < 10; ++b) EXPECT_EQ(v.at({"Check_eq_x_enable", b}).enabled, b <= 3 || b == 9) << b;

    // Recomputed only when the link state changes or in a full call.
    s.cpu_info[43] = 0xFF;
    for (uint8_t link : {s.cpu_connect_state, uint8_t{1}}) {
        s.cpu_connect_state = link;
        incremental();
        EXPECT_EQ(v.at({"Check_eq_x_enable", 5}).enabled, link == 1);
    }

    // A channel outside the ten: every band editable, and the refresh completes.
    s.eq_channel_sel = 12;
    full();
    for (int b = 0; b < 10; ++b) EXPECT_TRUE(v.at({"Check_eq_x_enable", b}).enabled) << b;
    EXPECT_EQ(s.refresh_incremental, 1);
}

// Standby or an input not ready yet disables the panel; standby shows its picture. Selector values past their
// buttons light nothing and leave the buttons as they were; the recall mark is only for modes 1 to 16.
TEST_F(RefreshTest, UnitStatesAndSelectorValuesOutsideTheirButtons) {
    for (auto [power, input] : {std::pair<uint8_t, uint8_t>{1, 6}, {0, 6}, {1, 2}}) {
        SCOPED_TRACE(::testing::Message() << "power " << int(power) << ", input " << int(input));
        s.cpu_state.cpu_power_on = power, s.cpu_state.cpu_music_input = input;
        incremental();
        EXPECT_EQ(v.at({"Frame_all_1", 0}).enabled, power && input == 6) << "panel enabled";
        EXPECT_EQ(v.at({"Picture_power_off_tishi", 0}).visible, !power) << "standby picture";
    }

    gen()[g::mic_fbx] = 2;
    settle();
    gen()[g::mic_fbx] = 7, s.cpu_state.cpu_music_input = 20;
    incremental();
    EXPECT_EQ(v.count("set_back_color key_mic_fbx"), 0);
    for (int i = 0; i < 20; ++i) EXPECT_EQ(v.at({"key_input", i}).back, kGrey) << "input button " << i;

    for (int mode : {5, 0, 17, 16, 1}) {
        s.cpu_state.cpu_mode_index = static_cast<uint8_t>(mode);
        incremental();
        for (int i = 1; i <= 16; ++i)
            EXPECT_EQ(v.at({"menu_key_read_all_data_from_cpu_group", i}).value, int(i == mode))
                << "recall mark " << i << " for mode " << mode;
    }
}

// The sub-out phase button is lit (&HFFFF80) while its byte is 0 (normal phase), grey for any other value.
TEST_F(RefreshTest, SubOutPhaseButtonIsLitOnlyForZero) {
    settle();
    EXPECT_EQ(v.at({"key_sub_out_phase"}).back, 0xFFFF80u) << "after the full refresh, byte 0";
    for (const auto& [phase, colour] : {std::pair<uint8_t, uint32_t>{1, kGrey}, {0, 0xFFFF80}, {255, kGrey}}) {
        gen()[g::sub_out_phase] = phase;
        incremental();
        EXPECT_EQ(v.at({"key_sub_out_phase"}).back, colour) << "byte " << int{phase};
    }
}

}  // namespace
}  // namespace tuner::testing
