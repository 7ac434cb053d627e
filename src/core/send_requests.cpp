#include "core/send_requests.h"

namespace tuner {
namespace {

// A unit without a mic-2 EQ cannot take a mic1/mic2 adjust mode.
void clamp_and_fix_mic2_mode(AppState& s) {
    param_range_check(s.param_image);
    if (s.eq_band_count[2] == 0) s.param_image.gen[gen_frame::mic1_mic2_eq_adj_mode] = 0;
}

}  // namespace

void send_req_clear_all(AppState& s) {
    clamp_and_fix_mic2_mode(s);
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) s.send_eq_req[ch] = kClear;
    s.send_effect_req = kClear;
    s.send_gen_req = kClear;
    s.send_input_req = kClear;
    s.send_bt_name_req = kClear;
}

void drop_mode_requests(AppState& s) {
    s.mode_recall_req = kNoRequest;
    s.mode_save_req = {0, kNoRequest};
    s.mode_reset_req = {0, 0, 0};
}

void send_req_set_all(AppState& s, WindowServices& ui) {
    clamp_and_fix_mic2_mode(s);
    if (!cpu_connected(s)) return;
    ui.display_wait_1s();
    // The wait pumps events: the link may have dropped meanwhile.
    if (!cpu_connected(s)) return;
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) s.send_eq_req[ch] = kPending;
    s.send_effect_req = kPending;
    s.send_gen_req = kPending;
    s.send_input_req = kPending;
}

}  // namespace tuner
