// The state display: brings every control of the tuning window into line
// with the shared state (parameter image, unit information and status, link
// state, language), in full or only for the groups whose bytes changed since
// they were last shown; the EQ view of the current channel; the version line;
// and the per-model layout of the window by the unit's capability bytes.
// Writes to the window only through MainView.
#pragma once

#include <cstdint>
#include <functional>

#include "core/app_state.h"
#include "display/main_view.h"

namespace tuner {

// What the refresh calls back into the main window.
struct DisplayHooks {
    std::function<void()> set_Language_display;  // every caption in the current language
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
    AppState& s_;
    MainView& v_;
    DisplayHooks hooks_;
};

}  // namespace tuner
