// A display over the fake window, with the sliders set up as the window's
// start-up leaves them, and the hooks recorded.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "display/display.h"
#include "support/fake_main_view.h"

namespace tuner::testing {

// "a|b|c" -> {"a", "b", "c"}: long lists of control names kept compact.
inline std::vector<std::string> split(const std::string& list, char sep = '|') {
    std::vector<std::string> out;
    std::istringstream in(list);
    for (std::string item; std::getline(in, item, sep);)
        if (!item.empty()) out.push_back(item);
    return out;
}

class DisplayTest : public ::testing::Test {
protected:
    DisplayTest() {
        for (int i = 0; i < 10; ++i) slider_range({"vr_eq_db", i}, 30, 180), slider_range({"vr_eq_freq", i}, 35, 395);
        slider_range({"vr_eq_pre_gain_db_index"}, 30, 180);
        slider_range({"vr_drc_threshold_db"}, -35, 0);
        for (auto sl : {"VR_music_noise_suppressor_threshold", "VR_mic1_noise_suppressor_threshold"})
            slider_range({sl}, 30, 80);
        for (auto sl : {"VR_echo_a_delay_l", "VR_echo_a_delay_r"}) slider_range({sl}, 0, 30);
        slider_range({"VR_mic1_exciter_freq_index_100"}, 0, 100);
        for (auto sl : {"vr_music_vol", "vr_mic_vol", "vr_effect_vol"}) slider_range({sl}, 0, 128);
        for (std::size_t off :
             {gen_frame::music_vol_abs_max, gen_frame::mic_vol_abs_max, gen_frame::effect_vol_abs_max})
            gen()[off] = 128;
        gen()[gen_frame::music_noise_suppressor_threshold] = gen()[gen_frame::mic1_noise_suppressor_threshold] = 30;
        for (auto& eq : s.param_image.eq) {
            for (std::size_t b = 0; b < kEqBands; ++b) {
                eq[eq_frame::eq_db + b] = 120, eq[eq_frame::eq_q_peq + b] = 10, eq[eq_frame::eq_x_enable + b] = 1;
                eq[eq_frame::eq_q_shelf + b] = eq[eq_frame::eq_q_pass + b] = 7;
                set_eq_freq(eq, b, 200);
            }
            eq[eq_frame::eq_chx_enable] = 1, eq[eq_frame::eq_pre_gain_db_index] = 120;
        }
    }

    void slider_range(Ctl c, int32_t min, int32_t max) {
        v.at(c).s_min = min, v.at(c).s_max = v.at(c).s_max_limit = max;
    }
    // Sets bytes of a frame: set(gen(), {{offset, value}, ...}).
    static void set(FrameImage& f, std::initializer_list<std::pair<std::size_t, uint8_t>> bytes) {
        for (auto [at, value] : bytes) f[at] = value;
    }
    FrameImage& gen() { return s.param_image.gen; }
    FrameImage& eff() { return s.param_image.eff; }
    FrameImage& eq(std::size_t ch = 0) { return s.param_image.eq[ch]; }

    void full() { s.refresh_incremental = 0, d.set_all_dis(); }
    void incremental() { s.refresh_incremental = 1, d.set_all_dis(); }
    // Full refresh, then a clean call log.
    void settle() {
        full();
        v.clear_calls(), debug.clear(), links.clear(), captions = 0;
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

}  // namespace tuner::testing
