// Start-up of the tuning window: every piece of shared state in its defined
// state before any unit has answered, the optional branding files, the EQ
// graph and slider set-up, the start-up parameter file, the first drawings
// in the chosen language, and the search for the unit.
#include <QLabel>
#include <QPixmap>

#include "controls/peq_graph.h"
#include "core/app_paths.h"
#include "core/param_file.h"
#include "core/send_requests.h"
#include "core/value_tables.h"
#include "dialogs/wheel_binding.h"
#include "mainwindow/bt_name_rules.h"
#include "mainwindow/captions.h"
#include "mainwindow/frm_main.h"
#include "platform/window_helpers.h"
#include "tabs/xtab.h"

namespace tuner {

void FrmMain::load_logo() {
    auto* logo = registry_.get<QLabel>("Picture_logo");
    const auto file = find_logo_file(app_dir());
    // The format is taken from the content, whatever the file's ending.
    const QPixmap picture = file ? QPixmap::fromImage(read_picture(*file)) : QPixmap();
    if (!picture.isNull() && logo) {
        view_->set_visible(Ctl{"Label_logo_text"}, false);
        logo->setPixmap(picture.scaled(logo->size(), Qt::KeepAspectRatio, Qt::SmoothTransformation));
        return;
    }
    // No logo, or one that is not a picture: the text logo.
    view_->set_visible(Ctl{"Label_logo_text"}, true);
}

void FrmMain::Form_Load() {
    MainView& v = *view_;
    namespace b = cpu_info_byte;
    read_bt_name_setting(s_, io_.settings);
    if (const auto ico = find_icon_file(app_dir())) set_window_icon(this, *ico);
    v.to_back(Ctl{"Frame_cpu_test"});
    // The window's tab strips never draw a focus rectangle.
    for (const char* name : {"ucXTab1", "ucXTab_main_vol"})
        if (auto* strip = registry_.get<XTab>(name)) strip->model().set(&XTabProps::ShowFocusRect, false);

    // Capabilities before any unit has answered.
    const auto defaults = default_cpu_info();
    for (std::size_t i : {b::cpu_cap_exciter, b::cpu_cap_frame15_b, b::cpu_cap_frame15, b::cpu_cap_vol_control,
                          b::cpu_cap_mic_eff_echo, b::cpu_cap_echo_vr, b::cpu_cap_reverb_vr, b::cpu_cap_lock})
        s_.cpu_info[i] = defaults[i];
    for (std::size_t i = 0; i < 10; ++i) s_.cpu_info[b::cpu_input_caps + i] = defaults[b::cpu_input_caps + i];
    s_.cpu_state.cpu_power_on = 1;
    display_->model_r27_layout();

    drop_mode_requests(s_);

    s_.Language = 1;
    config_ = read_startup_config(app_dir(), s_, io_.settings);
    apply_language_menu(config_, v);

    load_logo();
    clr_bt_name_display_and_read_bt_name_file2(s_, v, io_.settings, *program_);

    s_.cpu_version = {0, 0, 0};
    s_.cpu_state.cpu_music_input = 6;
    v.set_visible(Ctl{"Text_vr_error_cou"}, false);
    s_.refresh_incremental = 0;

    Text_add_mouse_and_key_up_down_output_function_power_on_call(
        this, [this](std::string_view stepper, int index) { rules_.step(*env_, stepper, index); },
        [this] { return view_->peq_select_eq_index(); });

    s_.hid_tx_cou = 0;
    s_.hid_rx_cou_last = 253;
    s_.power_req = kNoRequest;
    s_.cpu_state.cpu_mode_index = 0;
    s_.eq_band_count = {10, 10, 0, 10, 10, 10, 10, 10, 10, 10};
    allow_all_eq_bands(s_.cpu_info);
    peq_h_build_tables();
    s_.wait_busy = 0;
    s_.hid_device_detected = false;
    s_.eq_channel_sel = 0;
    s_.hid_rx_miss_cou = 0;

    v.set_visible(Ctl{"Frame_all_1", 10}, false);
    v.set_visible(Ctl{"Frame_all_1", 5}, false);

    if (PEQ* peq = view_->peq()) {
        PeqModel& m = peq->model();
        m.set_a__eq_num_max(9);
        m.set_a__db_adj_step(0.2);
        m.set_a__operate_to_step(true);
        m.set_a__SYSTEM_GRID_down(eq_gain_at(30));
        m.set_a__SYSTEM_GRID_up(eq_gain_at(180));
        m.set_a__SYSTEM_GRID_up_to_down_div(3);
    }
    for (int band = 0; band < 10; ++band) display_->display_eq_band_limits(band);

    for (int i = 0; i < 10; ++i) {
        const Ctl db{"vr_eq_db", i}, freq{"vr_eq_freq", i};
        v.set_slider_max(db, 180), v.set_slider_min(db, 30), v.set_slider_value(db, 120);
        v.set_slider_max(freq, 395), v.set_slider_min(freq, 35), v.set_slider_max_limit(freq, 395);
    }
    const Ctl pre{"vr_eq_pre_gain_db_index"};
    v.set_slider_max(pre, 180), v.set_slider_min(pre, 30), v.set_slider_value(pre, 120);
    v.set_slider_min(Ctl{"vr_drc_threshold_db"}, -35), v.set_slider_max(Ctl{"vr_drc_threshold_db"}, 0);
    for (const char* gate : {"VR_music_noise_suppressor_threshold", "VR_mic1_noise_suppressor_threshold"})
        v.set_slider_min(Ctl{gate}, 30), v.set_slider_max(Ctl{gate}, 80);

    open_file_to_all_data(s_, *program_, io_.dialogs, LoadKind::Startup);
    s_.refresh_incremental = 0;
    display_->set_all_dis();
    if (auto* strip = registry_.get<XTab>("ucXTab1")) strip->setActiveTab(0);
    set_Language_display(s_, v, config_.titles());
    s_.cpu_connect_state = connect_state::kSearching;
    device_search_start(*link_);
    v.peq_dis_peq_x(255);
    display_->display_model_layout();
    s_.refresh_incremental = 0;
    display_->set_all_dis();
}

}  // namespace tuner
