// The display over a fake window: the refresh, its groups, the EQ view and the per-model layout plans.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <set>
#include <sstream>
#include <tuple>

#include "controls/text_input.h"
#include "core/image_match.h"
#include "core/param_table.h"
#include "core/value_tables.h"
#include "display/display.h"
#include "display/display_colors.h"
#include "display/model_layout.h"
#include "support/distinct_image.h"
#include "support/fake_main_view.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;
namespace e = eff_frame;
namespace q = eq_frame;
namespace ci = cpu_info_byte;

// "a|b|c" -> {"a", "b", "c"}.
std::vector<std::string> split(const std::string& list, char sep = '|') {
    std::vector<std::string> out;
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, sep);)
        if (!item.empty()) out.push_back(item);
    return out;
}

// A display over the fake window, sliders as after start-up, the hooks recorded.
class DisplayTest : public ::testing::Test {
protected:
    DisplayTest() {
        for (const ParamRow& r : param_table())
            for (int i = r.per_band ? 0 : -1; !r.slider.empty() && i < (r.per_band ? 10 : 0); ++i)
                slider_range({r.slider, i}, r.min, r.max);
        s.param_image = distinct_param_image();
    }

    void slider_range(Ctl c, int32_t min, int32_t max) {
        v.at(c).s_min = min;
        v.at(c).s_max = v.at(c).s_max_limit = max;
    }
    static void set(FrameImage& f, std::initializer_list<std::pair<std::size_t, uint8_t>> bytes) {
        for (auto [at, value] : bytes) f[at] = value;
    }
    FrameImage& gen() { return s.param_image.gen; }
    FrameImage& eff() { return s.param_image.eff; }
    FrameImage& eq(std::size_t ch = 0) { return s.param_image.eq[ch]; }

    void full() { refresh(0); }
    void incremental() { refresh(1); }
    void refresh(uint8_t incremental) {
        s.refresh_incremental = incremental;
        d.set_all_dis();
    }
    void settle() {
        full();
        v.clear_calls();
        links.clear();
        captions = 0;
    }

    // Controls named by the recorded calls, apart from the steps that run on every call.
    std::set<std::string> touched() const {
        static const std::set<std::string> always{"Frame_all_1(0)", "Picture_power_off_tishi(0)",
                                                  "Text_read_cpu_bt_name"};
        std::set<std::string> out;
        for (const std::string& line : v.calls) {
            const auto a = line.find(' ');
            const bool graph = line.rfind("peq_", 0) == 0 || line.rfind("limiter_", 0) == 0;
            const std::string name = graph ? line.substr(0, a) : line.substr(a + 1, line.find(' ', a + 1) - a - 1);
            if (!always.count(name)) out.insert(name);
        }
        return out;
    }
    const std::string& text(Ctl c) { return v.at(c).text; }

    AppState s;
    FakeMainView v;
    std::vector<std::string> debug;
    std::vector<int> links;
    int captions = 0;
    Display d{s, v,
              DisplayHooks{[this] { ++captions; }, [this](uint8_t c) { links.push_back(c); },
                           [this](const std::string& l) { debug.push_back(l); }}};
};

// While a wait runs, an incremental call draws nothing and a full one draws.
TEST_F(DisplayTest, OneChangedByteRedrawsOnlyItsGroupOnce) {
    enum Frame { G, E, Q };
    using Row = std::tuple<Frame, std::size_t, uint8_t, const char*>;  // frame, offset, value, controls redrawn
    for (auto [frame, offset, value, expected] :
         {Row{G, g::vocal_cut_mode, 0, "Option_VC_Mode(0) Option_VC_Mode(3)"}, Row{G, g::master_mute, 1, "key_mute(0)"},
          Row{E, e::echo_a_delay_l, 12, "VR_echo_a_delay_l Text_echo_a_delay_l"},
          Row{G, g::music_noise_suppressor_attack, 1, "Text_music_noise_suppressor_attack"},  // high byte
          Row{G, g::mic1_noise_suppressor_ratio + 1, 5, "Text_mic1_noise_suppressor_ratio"},  // low byte
          Row{G, g::mic1_exciter_freq_index_100, 40, "Text_mic1_exciter_freq_index_100 VR_mic1_exciter_freq_index_100"},
          Row{G, g::drc(0) + g::drc_enable, 1, "Check_drc_enable limiter_set_dis_off_bit"},
          Row{G, g::drc(3) + g::drc_ratio, 1, ""},  // a compressor record not shown
          Row{Q, q::eq_db + 3, 150, "vr_eq_db(3) Text_eq_db(3) peq_EqIn"}}) {
        SCOPED_TRACE(expected);
        settle();
        (frame == G ? gen() : frame == E ? eff() : eq())[offset] = value;
        incremental();
        const auto want = split(expected, ' ');
        EXPECT_EQ(touched(), std::set<std::string>(want.begin(), want.end()));
        v.clear_calls();
        incremental();
        EXPECT_EQ(touched(), std::set<std::string>{});
    }
    s.wait_busy = -1;
    gen()[g::master_mute] = 0;
    v.clear_calls();
    incremental();
    EXPECT_EQ(v.calls, std::vector<std::string>{}) << "incremental call during a wait";
    full();
    EXPECT_EQ(v.at({"key_mute", 0}).back, kGrey) << "after a full call during the wait";
}

// A full refresh with nothing changed draws every group: each parameter box, the last item of each array, the graph.
TEST_F(DisplayTest, FullRefreshDrawsEveryGroup) {
    settle();
    full();
    auto every = split(
        "key_power_bit(2)|Picture_eqx(8)|key_input(19)|Check_eq_x_enable(9)|Text_eq_q(9)|key_mic_fbx(6)|"
        "menu_key_read_all_data_from_cpu_group(16)|Option_VC_Mode(3)|key_sub_out_phase|Check_lock|"
        "Display_Connect_State|Text_software_version|peq_Dis_Bypass_off|peq_input_pre_gain|limiter_set_db");
    for (const auto& row : param_table())
        if (row.frame != ParamFrame::Eq) every.emplace_back(row.text_box);
    for (const auto& name : every) EXPECT_TRUE(touched().count(name)) << name;
    EXPECT_EQ(links, std::vector<int>{0});
}

// Every field distinct: each slider, box and band of the graph shows its own field of the shown channel and record.
TEST_F(DisplayTest, EveryControlShowsItsOwnFieldOfTheShownChannelAndRecord) {
    ParamImage checked = s.param_image;
    param_range_check(checked);
    ASSERT_TRUE(checked == s.param_image) << "the range check changed the distinct image";
    for (uint8_t ch = 0; ch < kEqChannels; ++ch) {
        s.eq_channel_sel = ch;
        s.drc_channel_sel = ch % g::drc_rec_count;
        full();
        for (const ParamRow& r : param_table()) {
            for (int b = 0; b < (r.per_band ? 10 : 1); ++b) {
                const int index = r.per_band ? b : -1;
                const int32_t stored = param_get(s, r, b);
                SCOPED_TRACE(::testing::Message() << r.name << " of channel " << int{ch} << " band " << b);
                if (r.kind == ParamKind::EqQ) {  // the graph's band: type, frequency, Q of the type's row, gain
                    const FrameImage& f = eq(ch);
                    std::ostringstream call;
                    call << "peq_EqIn " << b << " " << int{f[q::eq_type + b]} << " " << eq_freq(f, b) << " " << stored
                         << " " << int{f[q::eq_db + b]};
                    EXPECT_EQ(v.count(call.str()), 1) << call.str();
                    EXPECT_EQ(v.at({"Check_eq_x_enable", b}).value, f[q::eq_x_enable + b]) << "band enable";
                } else if (!r.slider.empty() && r.kind != ParamKind::Volume) {
                    EXPECT_EQ(v.at({r.slider, index}).s_value, r.kind == ParamKind::DrcThreshold ? -stored : stored);
                } else {
                    EXPECT_EQ(text({r.text_box, index}), std::to_string(stored));
                }
            }
        }
        EXPECT_EQ(v.at({"Check_drc_enable"}).value, gen()[g::drc(s.drc_channel_sel) + g::drc_enable]) << ch;
    }
}

TEST_F(DisplayTest, NameVersionAndConnectStateWhileConnectedAndTheLinkLostPath) {
    s.cpu_connect_state = 1;
    const std::string name = "麦克风 1";
    std::memcpy(s.bt_name_rx.data(), name.data(), name.size());
    s.cpu_version = {1, 22, 255};
    s.cpu_version_m = 513;
    s.cpu_state.cpu_version_s = 255;
    s.cpu_state.cpu_version_r = 256;
    s.cpu_state.cpu_version_p = 65535;
    settle();
    incremental();
    EXPECT_EQ(text({"Text_software_version"}), "PC:24.6.6  K:0.2.0  CPU:1.22.255  M:513  S:2040  R:256  P:65535");

    s.cpu_state.cpu_busy = 1;
    s.cpu_connect_state = 0;
    incremental();
    EXPECT_EQ(text({"Text_read_cpu_bt_name"}), "");
    EXPECT_EQ(v.at({"Text_read_cpu_bt_name"}).back, kWhite);
    EXPECT_EQ(s.bt_name_rx, (std::array<uint8_t, 40>{}));
    EXPECT_EQ(s.bt_name_rx_copy, "");
    EXPECT_EQ(s.cpu_state.cpu_busy, 0);
    EXPECT_EQ(links, std::vector<int>{0});
    EXPECT_EQ(text({"Text_software_version"}), "PC:24.6.6  K:0.2.0");

    using Row = std::tuple<uint8_t, uint8_t, const char*>;
    for (auto [language, state, caption] :
         {Row{0, 0, "设备未连接"}, Row{0, 1, "设备已连接"}, Row{1, 2, "Disconnected"}, Row{2, 1, "Connected"}}) {
        s.Language = language;
        s.cpu_connect_state = state;
        full();
        EXPECT_EQ(text({"Display_Connect_State"}), caption) << int(language) << " " << int(state);
    }
}

TEST_F(DisplayTest, BandEditPermissionsOfTheCurrentChannel) {
    s.cpu_info[43] = 0x0F;
    s.cpu_info[33] = 0x02;
    for (auto [channel, editable] : {std::pair{3, 0x20F}, {12, 0x3FF}}) {  // outside the ten: every band editable
        s.eq_channel_sel = static_cast<uint8_t>(channel);
        full();
        for (int b = 0; b < 10; ++b)
            EXPECT_EQ(v.at({"Check_eq_x_enable", b}).enabled, (editable >> b & 1) == 1) << channel << " band " << b;
    }
}

// Values past their buttons light nothing; without a microphone-2 EQ only the microphone-1 mode stands.
TEST_F(DisplayTest, UnitStatesAndSelectorValuesOutsideTheirButtons) {
    for (auto [power, input] : {std::pair<uint8_t, uint8_t>{1, 6}, {0, 6}, {1, 2}}) {
        SCOPED_TRACE(::testing::Message() << "power " << int(power) << ", input " << int(input));
        s.cpu_state.cpu_power_on = power;
        s.cpu_state.cpu_music_input = input;
        incremental();
        EXPECT_EQ(v.at({"Frame_all_1", 0}).enabled, power && input == 6);
        EXPECT_EQ(v.at({"Picture_power_off_tishi", 0}).visible, !power);
    }

    gen()[g::mic_fbx] = 2;
    settle();
    gen()[g::mic_fbx] = 7;
    s.cpu_state.cpu_music_input = 20;
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
    for (const auto& [phase, colour] : {std::pair<uint8_t, uint32_t>{1, kGrey}, {0, 0xFFFF80}, {255, kGrey}}) {
        gen()[g::sub_out_phase] = phase;
        incremental();
        EXPECT_EQ(v.at({"key_sub_out_phase"}).back, colour) << "sub-out phase byte " << int{phase};
    }
    for (uint8_t mic2_bands : {0, 10}) {
        s.eq_band_count[2] = mic2_bands;
        gen()[g::mic1_mic2_eq_adj_mode] = 2;
        incremental();
        EXPECT_EQ(gen()[g::mic1_mic2_eq_adj_mode], mic2_bands ? 2 : 0) << "mic-2 bands " << int(mic2_bands);
    }
}

// The limit switch on (1) lowers volumes and the sliders' reach to the user limit; 0 and 2 leave them (2 shows on).
TEST_F(DisplayTest, VolumeLimitsBySwitchValue) {
    for (uint8_t on : {0, 2, 1}) {
        SCOPED_TRACE(int(on));
        set(gen(),
            {{g::vol_max_function_en, on}, {g::mic_vol_adj_max, 40}, {g::mic_vol, 60}, {g::effect_vol_adj_max, 150}});
        set(gen(), {{g::mic_vol_abs_max, 128}, {g::effect_vol_abs_max, 128}});
        v.at({"vr_mic_vol"}).s_max_limit = 77;
        full();
        EXPECT_EQ(int{gen()[g::effect_vol_adj_max]}, 128);
        EXPECT_EQ(int{gen()[g::mic_vol]}, on == 1 ? 40 : 60);
        EXPECT_EQ(v.at({"vr_mic_vol"}).s_max_limit, on == 1 ? 40 : on == 0 ? 128 : 77);
        EXPECT_EQ(v.at({"Check_vol_max_function_en"}).value, on ? 1 : 0);
        EXPECT_EQ(v.at({"Text_mic_vol_adj_max"}).fore, on ? kSysWindowText : kGrey);
    }
    set(gen(), {{g::music_vol, 90}, {g::music_vol_adj_max, 50}});  // a lower limit from the unit
    incremental();
    EXPECT_EQ(int{gen()[g::music_vol]}, 50);
    EXPECT_EQ(v.at({"vr_music_vol"}).s_value, 50);
    EXPECT_EQ(v.slider_errors, std::vector<std::string>{});
}

TEST_F(DisplayTest, TableValuesAreReadBoundsSafe) {
    // Delay indexes left and right, exciter index, raw right delay; the texts shown.
    using Row = std::tuple<uint8_t, uint8_t, uint8_t, uint8_t, const char*, const char*, const char*>;
    for (const auto& [delay_l, delay_r, exciter, raw_delay, left, right, freq] :
         {Row{12, 12, 100, 0, "200", "200", "6000"}, Row{12, 12, 100, 1, "200", "12", "6000"},
          Row{200, 255, 250, 0, "380", "380", "6000"}}) {
        SCOPED_TRACE(::testing::Message() << "right delay " << int(delay_r) << ", raw mode " << int(raw_delay));
        eff()[e::echo_a_delay_l] = delay_l;
        eff()[e::echo_a_delay_r] = delay_r;
        gen()[g::mic1_exciter_freq_index_100] = exciter;
        s.cpu_info[ci::cpu_echo_delay_mode] = raw_delay;
        full();
        EXPECT_EQ(text({"Text_echo_a_delay_l"}), left);
        EXPECT_EQ(text({"Text_echo_a_delay_r"}), right);
        EXPECT_EQ(text({"Text_mic1_exciter_freq_index_100"}), freq);
    }
    EXPECT_EQ(v.count("set_text Text_drc_release"), 3);
    EXPECT_FALSE(v.slider_errors.empty());
}

TEST_F(DisplayTest, OffCaptionWinsOverBypass) {
    using Row = std::tuple<uint8_t, uint8_t, const char*>;  // enable, bypass, caption ("" = none)
    for (auto [enable, bypass, caption] :
         {Row{0, 1, " OFF "}, Row{1, 2, ""}, Row{1, 1, "BYPASS"}, Row{3, 0, ""}, Row{0, 0, " OFF "}}) {
        eq()[q::eq_chx_enable] = enable;
        eq()[q::eq_chx_bypass] = bypass;
        incremental();
        SCOPED_TRACE(::testing::Message() << "enable " << int(enable) << ", bypass " << int(bypass));
        EXPECT_EQ(v.bypass_text, caption);
        EXPECT_EQ(v.at({"key_eq_chx_enable"}).back, lit_if(enable != 0));
        EXPECT_EQ(v.at({"key_eq_chx_bypass"}).back, lit_if(bypass != 0));
    }
    EXPECT_EQ(v.count("peq_Dis_Bypass_on 118 1 60 [BYPASS] &H00FFFFFF"), 1);
}

TEST_F(DisplayTest, PreGainAboveTheSliderIsLoweredWithOneDiagnostic) {
    slider_range({"vr_eq_pre_gain_db_index"}, 30, 210);
    v.at({"vr_eq_pre_gain_db_index"}).s_value = 120;
    eq()[q::eq_pre_gain_db_index] = 211;
    full();
    EXPECT_EQ(text({"Text_eq_pre_gain_db_index"}), "18.0");
    EXPECT_EQ(v.count("ask_yes_no"), 0);
    EXPECT_EQ(v.at({"vr_eq_pre_gain_db_index"}).s_value, 210);
    EXPECT_EQ(v.count("peq_input_pre_gain 210"), 1);
    EXPECT_EQ(debug, std::vector<std::string>{"FrmMain.VR_eq_pre_gain_db_index.max error,120210"});

    full();
    eq()[q::eq_pre_gain_db_index] = 211;
    incremental();
    EXPECT_EQ(int{eq()[q::eq_pre_gain_db_index]}, 210);
    EXPECT_EQ(debug.size(), 1u);

    eq()[q::eq_pre_gain_db_index] = 230;
    incremental();
    s.eq_channel_sel = 4;
    eq(4)[q::eq_pre_gain_db_index] = 230;
    full();
    EXPECT_EQ(int{eq(4)[q::eq_pre_gain_db_index]}, 210);
    EXPECT_EQ(debug.size(), 3u);
}

// A pre-gain below the slider's reach stays in the image: the slider refuses it and its thumb stands at the lowest
// end (one the user is dragging stays put), the box and the graph show the byte's own gain, on every channel and
// through later refreshes.
TEST_F(DisplayTest, PreGainBelowTheSliderStaysAsItIs) {
    const Ctl slider{"vr_eq_pre_gain_db_index"};
    slider_range(slider, 30, 180);
    using Row = std::tuple<std::size_t, uint8_t, const char*>;  // channel, byte, box text
    for (auto [ch, byte, shown] : {Row{0, 10, "-22.0"}, Row{0, 29, "-18.2"}, Row{3, 0, "-24.0"}}) {
        SCOPED_TRACE(::testing::Message() << "channel " << ch << ", pre-gain " << int{byte});
        s.eq_channel_sel = static_cast<uint8_t>(ch);
        v.at(slider).s_value = 120;
        v.slider_errors.clear();
        eq(ch)[q::eq_pre_gain_db_index] = byte;
        const FrameImage before = eq(ch);
        v.clear_calls();
        full();
        EXPECT_EQ(int{eq(ch)[q::eq_pre_gain_db_index]}, byte) << "image byte after a full refresh";
        EXPECT_TRUE(same_frame_bytes(eq(ch), before)) << "EQ frame after a full refresh";
        EXPECT_EQ(v.slider_errors, std::vector<std::string>{"vr_eq_pre_gain_db_index"}) << "slider error reports";
        EXPECT_EQ(v.at(slider).s_value, 30) << "slider thumb at its lowest end";
        EXPECT_EQ(text({"Text_eq_pre_gain_db_index"}), shown) << "pre-gain box";
        EXPECT_EQ(v.count("peq_input_pre_gain " + std::to_string(byte)), 1) << "graph's pre-gain";
        EXPECT_EQ(int{s.param_display_cache.eq[ch][q::eq_pre_gain_db_index]}, byte) << "cache byte";
        incremental();
        EXPECT_EQ(int{eq(ch)[q::eq_pre_gain_db_index]}, byte) << "image byte after an incremental refresh";
        EXPECT_EQ(v.slider_errors.size(), 1u) << "slider error reports after an incremental refresh";
    }
    EXPECT_EQ(debug, std::vector<std::string>{}) << "debug lines (the maximum's diagnostic)";
    v.at(slider).s_value = 120;
    v.at(slider).s_dragging = true;
    full();
    EXPECT_EQ(v.at(slider).s_value, 120) << "thumb under the user's drag";
}

TEST_F(DisplayTest, TypeGroupsSetBandLimitsAndButtons) {
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

TEST_F(DisplayTest, OutOfRangeBandBytesAreCorrectedOrShownSafely) {
    set(eq(), {{q::eq_db + 1, 200}, {q::eq_x_enable + 1, 3}, {q::eq_type + 1, 40}, {q::eq_q_pass + 1, 30}});
    eq()[q::eq_type] = 0;  // peaking: the Q shown is the peaking row's
    eq()[q::eq_q_peq] = 255;
    set_eq_freq(eq(), 1, 1000);
    full();
    EXPECT_EQ(int{eq()[q::eq_db + 1]}, 180);
    EXPECT_EQ(int{eq()[q::eq_x_enable + 1]}, 1);
    EXPECT_EQ(text({"Text_eq_db", 1}), "12.0");
    EXPECT_EQ(text({"Text_eq_freq", 1}), double_to_text(value_tables().eq_freq_tab.back()));
    EXPECT_EQ(text({"Text_eq_q", 1}), "3.0");
    EXPECT_EQ(text({"Text_eq_q", 0}), "25.0");
    EXPECT_EQ(v.count("peq_EqIn 1 40 1000 30 180"), 1);

    for (auto [count, shown] : {std::pair<uint8_t, int>{0, 0}, {4, 4}, {10, 8}}) {
        s.eq_band_count[0] = count;
        d.set_eq_enable_seg_display();
        for (int i = 1; i <= 8; ++i) EXPECT_EQ(v.at({"Picture_eqx", i}).visible, i <= shown) << int(count) << " " << i;
    }
}

// Checks "name.v=1 name.l=90 name.t=none" (shown, left, top; none = never set) against the plan's last values.
void expect_state(const LayoutPlan& plan, const std::string& want) {
    std::map<std::string, int> m;
    for (const LayoutStep& s : plan) {
        const char* what = s.what == LayoutStep::What::Visible ? ".v" : s.what == LayoutStep::What::Left ? ".l" : ".t";
        m[s.ctl.str() + what] = s.value;
    }
    for (const auto& item : split(want, ' ')) {
        const auto eq = item.find('=');
        const std::string key = item.substr(0, eq);
        EXPECT_EQ(m.count(key) ? std::to_string(m.at(key)) : "none", item.substr(eq + 1)) << key;
    }
}

CpuInfo with(std::initializer_list<std::pair<std::size_t, uint8_t>> bytes) {
    CpuInfo info = default_cpu_info();
    for (auto [at, value] : bytes) info[at] = value;
    return info;
}

TEST(ModelLayoutPlan, CapabilityBits) {
    expect_state(model_r27_plan(with({{ci::cpu_cap_vol_control, 0}})),
                 "Picture_vol(2).v=0 Label_vol_control(6).v=0 Picture_vol(1).l=420 Picture_vol(0).l=1490 "
                 "Text_mic_vol_adj_max.l=400 Label_vol_control(5).l=500 Label_vol_control(4).l=1580");

    // Exciter bits "caps:shown" with shown "enable, level, frequency, frame".
    for (const auto& row : split("FF:1111 08:0101 00:0000 E3:0000 10:1001 1C:1111 04:0011", ' ')) {
        SCOPED_TRACE(row);
        const auto caps = static_cast<uint8_t>(std::stoi(row.substr(0, 2), nullptr, 16));
        const char* shown = row.c_str() + 3;
        char want[400];
        std::snprintf(want, sizeof want,
                      "Check_mic1_exciter_en.v=%c VR_mic1_exciter_vol.v=%c Label_mic1_exciter_freq_index_100.v=%c "
                      "Frame_mic_1_mic_exciter.v=%c Picture_mic_1_mic_exciter.v=%c",
                      shown[0], shown[1], shown[2], shown[3], shown[3]);
        expect_state(model_layout_plan(with({{ci::cpu_cap_exciter, caps}}), 0, 0), want);
    }
    // The vocal-cut frame shows, or comes back, for a unit with either of its two bits.
    for (auto [a, b] : {std::pair<uint8_t, uint8_t>{0, 0}, {0, 1}, {1, 0}, {3, 3}}) {
        SCOPED_TRACE(::testing::Message() << "vocal-cut bits " << int(a) << " " << int(b));
        expect_state(model_layout_plan(with({{ci::cpu_cap_frame15, a}, {ci::cpu_cap_frame15_b, b}}), 0, 0),
                     a || b ? "Frame_all_1(15).v=1" : "Frame_all_1(15).v=0");
    }
}

}  // namespace
}  // namespace tuner::testing
