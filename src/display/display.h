// The state display: brings every control of the tuning window into line
// with the shared state (parameter image, unit information and status, link
// state, language), in full or only for the groups whose bytes changed since
// they were last shown; the EQ view of the current channel; the version line;
// and the per-model layout of the window by the unit's capability bytes.
// Writes to the window only through MainView.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "core/app_state.h"
#include "display/main_view.h"

namespace tuner {

// What the refresh calls back into the main window.
struct DisplayHooks {
    std::function<void()> set_Language_display;  // every caption in the current language
    // The three link pictures: 1 connected, 0 not (the window wires it to
    // core's display_link_state).
    std::function<void(uint8_t)> display_link_state;
    // One line appended to the debug list.
    std::function<void(const std::string&)> debug_line;
};

class Display {
public:
    Display(AppState& s, MainView& view, DisplayHooks hooks = {});

    // The refresh: full when refresh_incremental is 0, else only what changed
    // (and nothing at all while wait_busy is -1). Ends with refresh_incremental = 1.
    void set_all_dis();

    // Version line in Text_software_version.
    void display_version_line();
    // Band columns Picture_eqx(1..8) shown up to the current channel's band count.
    void set_eq_enable_seg_display();
    // EQ graph limits of one band of the current channel, by its filter type.
    void display_eq_band_limits(int band);

    // EQ view of the current channel (called by the refresh's EQ group).
    void display_eq_bypass();
    void display_eq_pre_gain();
    void display_eq_band(int band);
    // Band check boxes usable by the unit's band-edit permissions.
    void display_eq_band_enable();

    // Per-model layout from the capability bytes of cpu_info.
    void display_model_layout();
    void model_lock_layout();
    void model_r27_layout();

    // Last shown status values (compared by the incremental refresh).
    uint8_t shown_cpu_power_on = 0xFF;
    uint8_t shown_cpu_connect_state = 0xFF;
    uint8_t shown_cpu_mode_index = 0xFF;
    uint8_t shown_cpu_music_input = 0xFF;

private:
    // True in a full refresh (refresh_incremental 0).
    bool full() const { return s_.refresh_incremental == 0; }
    // Whether the group of `n` bytes at `off` of `live` is to be drawn: in a
    // full refresh, or when they differ from `cache`. Copies them into the cache.
    bool take(const FrameImage& live, FrameImage& cache, std::size_t off, std::size_t n = 1);
    // The same for a status byte against its last shown value.
    bool take_status(uint8_t now, uint8_t& shown);
    std::size_t eq_ch() const;

    void refresh_status_groups();
    void refresh_connection();
    void refresh_bt_name_box();
    void refresh_recall_marks();
    void refresh_eq_groups();
    void refresh_switch_groups();
    void refresh_lock_group();
    void refresh_volume_groups();
    void refresh_value_groups();

    void debug(const std::string& line) const;

    // The out-of-range pre-gain last written to the debug list (channel * 256
    // + value), so a unit that sends it back on every poll is reported once.
    int reported_pre_gain_ = -1;

    AppState& s_;
    MainView& v_;
    DisplayHooks hooks_;
};

}  // namespace tuner
