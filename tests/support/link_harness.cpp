#include "support/link_harness.h"

#include <algorithm>

#include "core/utf8.h"

namespace tuner::testing {

void RecordingWindowServices::clr_bt_name_display_and_read_bt_name_file2() {
    log("clr_bt_name_display_and_read_bt_name_file2");
    s_.bt_name_tx.fill(0);
    s_.bt_name_ready = true;
    const std::vector<uint8_t> bytes = utf8_encode(s_.Bt_Name);
    const std::size_t n = std::min(bytes.size(), s_.bt_name_tx.size());
    if (std::any_of(bytes.begin(), bytes.begin() + n, [](uint8_t b) { return b >= 1 && b <= 31; })) {
        messages.push_back("蓝牙名称不能出现非标字符，请检查 bt_name.ini 文件。");
        return;
    }
    std::copy_n(bytes.begin(), n, s_.bt_name_tx.begin());
}

LinkHarness::LinkHarness() {
    ui.clr_bt_name_display_and_read_bt_name_file2();
    device_search_start(link);
    ui.calls.clear();
}

void LinkHarness::tick() {
    if (ui.scan_timer_on)
        scan_timer_tick(link);
    else if (ui.send_timer_on)
        send_timer_tick(link);
}

bool LinkHarness::connect(int max_ticks) {
    for (int i = 0; i < max_ticks && !link_connected(s); ++i) scan_timer_tick(link);
    return link_connected(s) && ui.send_timer_on;
}

std::vector<std::string> LinkHarness::names_since(std::size_t from) const {
    std::vector<std::string> out;
    for (std::size_t i = from; i < unit.received.size(); ++i) {
        const FrameImage& f = unit.received[i];
        std::string n = std::to_string(f[hid_frame::command]);
        if (f[hid_frame::command] == cmd::eq) n.append(".").append(std::to_string(f[eq_frame::EQ_CH]));
        out.push_back(n + "/" + std::to_string(f[hid_frame::RWS]));
    }
    return out;
}

std::vector<std::string> LinkHarness::run(int ticks) {
    const std::size_t mark = unit.received.size();
    for (int i = 0; i < ticks; ++i) tick();
    return names_since(mark);
}

}  // namespace tuner::testing
