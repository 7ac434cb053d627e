// The refresh: its two modes, the fixed order of the groups, and the status
// groups (power buttons, link, main panel, standby picture, Bluetooth name
// box, microphone-2 check, recall check marks, band permissions).
#include <algorithm>
#include <span>

#include "core/utf8.h"
#include "display/display.h"
#include "display/display_colors.h"

namespace tuner {

namespace g = gen_frame;

Display::Display(AppState& s, MainView& view, DisplayHooks hooks) : s_(s), v_(view), hooks_(std::move(hooks)) {}

bool Display::take(const FrameImage& live, FrameImage& cache, std::size_t off, std::size_t n) {
    const auto first = live.begin() + static_cast<std::ptrdiff_t>(off);
    const auto last = first + static_cast<std::ptrdiff_t>(n);
    const auto dst = cache.begin() + static_cast<std::ptrdiff_t>(off);
    if (!full() && std::equal(first, last, dst)) return false;
    std::copy(first, last, dst);
    return true;
}

bool Display::take_status(uint8_t now, uint8_t& shown) {
    if (!full() && now == shown) return false;
    shown = now;
    return true;
}

std::size_t Display::eq_ch() const { return s_.eq_channel_sel < kEqChannels ? s_.eq_channel_sel : 0; }

void Display::debug(const std::string& line) const {
    if (hooks_.debug_line) hooks_.debug_line(line);
}

void Display::set_all_dis() {
    if (s_.refresh_incremental != 0 && s_.wait_busy == -1) return;
    if (full()) {
        set_eq_enable_seg_display();
        if (hooks_.set_Language_display) hooks_.set_Language_display();
    }
    refresh_status_groups();
    refresh_recall_marks();
    refresh_switch_groups();
    refresh_eq_groups();
    refresh_lock_group();
    refresh_volume_groups();
    refresh_value_groups();

    // The user limits and their switch are compared by several value groups
    // and cached only here, once every group has seen them.
    const FrameImage& gen = s_.param_image.gen;
    FrameImage& cache = s_.param_display_cache.gen;
    for (std::size_t off : {g::vol_max_function_en, g::music_vol_adj_max, g::mic_vol_adj_max, g::effect_vol_adj_max})
        cache[off] = gen[off];
    s_.refresh_incremental = 1;
}

void Display::refresh_status_groups() {
    const CpuState& st = s_.cpu_state;
    if (take_status(st.cpu_power_on, shown_cpu_power_on))
        for (int i = 0; i < 3; ++i) v_.set_back_color({"key_power_bit", i}, lit_if(st.cpu_power_on != 0));

    if (take_status(s_.cpu_connect_state, shown_cpu_connect_state)) refresh_connection();

    v_.set_enabled({"Frame_all_1", 0}, cpu_ready(st));

    const Ctl standby{"Picture_power_off_tishi", 0};
    if (st.cpu_power_on != 0) {
        v_.to_back(standby);
        v_.set_visible(standby, false);
    } else {
        v_.to_front(standby);
        v_.set_visible(standby, true);
    }

    refresh_bt_name_box();

    // A unit without a microphone-2 EQ has only the microphone-1 mode.
    if (s_.eq_band_count[2] == 0) s_.param_image.gen[g::mic1_mic2_eq_adj_mode] = 0;
}

void Display::refresh_connection() {
    display_version_line();
    display_eq_band_enable();
    const bool en = english(s_);
    const Ctl caption{"Display_Connect_State"};
    if (!cpu_connected(s_)) {
        if (hooks_.display_link_state) hooks_.display_link_state(0);
        v_.set_text(caption, en ? "Disconnected" : "设备未连接");
        // A unit that is not connected is not busy: a progress wait on its
        // busy byte must be able to end.
        s_.cpu_state.cpu_busy = 0;
    } else {
        if (hooks_.display_link_state) hooks_.display_link_state(1);
        v_.set_text(caption, en ? "Connected" : "设备已连接");
    }
}

void Display::refresh_bt_name_box() {
    const Ctl box{"Text_read_cpu_bt_name"};
    if (!cpu_connected(s_)) {
        s_.bt_name_rx.fill(0);
        s_.bt_name_rx_copy.clear();
        v_.set_text(box, "");
        v_.set_back_color(box, kWhite);
        return;
    }
    // The name as the unit sent it (up to its first zero byte); the decoded
    // copy stands in when the bytes are empty.
    std::string name = utf8_decode(std::span<const uint8_t>(s_.bt_name_rx));
    if (name.empty()) name = utf8_sanitize(s_.bt_name_rx_copy);
    v_.set_text(box, name);
    v_.set_back_color(box, kLit);
}

void Display::refresh_recall_marks() {
    const uint8_t mode = s_.cpu_state.cpu_mode_index;
    if (!take_status(mode, shown_cpu_mode_index)) return;
    for (int i = 1; i <= 16; ++i) v_.set_value({"menu_key_read_all_data_from_cpu_group", i}, i == mode ? 1 : 0);
}

void Display::display_eq_band_enable() {
    // With no valid channel selected every band stays usable.
    const bool any_channel = s_.eq_channel_sel >= kEqChannels;
    for (std::size_t b = 0; b < kEqBands; ++b)
        v_.set_enabled({"Check_eq_x_enable", static_cast<int>(b)},
                       any_channel || eq_band_editable(s_, s_.eq_channel_sel, b));
}

void Display::refresh_eq_groups() {
    namespace q = eq_frame;
    const std::size_t ch = eq_ch();
    const FrameImage& eq = s_.param_image.eq[ch];
    FrameImage& cache = s_.param_display_cache.eq[ch];
    static_assert(q::eq_chx_bypass == q::eq_chx_enable + 1);
    if (take(eq, cache, q::eq_chx_enable, 2)) display_eq_bypass();
    if (take(eq, cache, q::eq_pre_gain_db_index)) {
        display_eq_pre_gain();
        cache[q::eq_pre_gain_db_index] = eq[q::eq_pre_gain_db_index];  // as lowered, if it was
    }
    for (int b = 0; b < static_cast<int>(kEqBands); ++b) display_eq_band(b);
}

}  // namespace tuner
