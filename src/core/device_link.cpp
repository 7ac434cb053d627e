#include "core/device_link.h"

#include <algorithm>
#include <vector>

#include "core/frame_protocol.h"
#include "core/send_requests.h"
#include "core/send_service.h"

namespace tuner {

namespace {

enum class ConnectResult { Connected, NoInformation, Unsupported };

// Asks the open device for its information frame and, when it is accepted,
// takes it over and arranges the window for the unit.
ConnectResult connect_step(DeviceLink& link) {
    link.s.hid_buff.fill(0);
    if (!hid_send_frame(link, kCpuInfoRequestCommand, rws::R)) return ConnectResult::NoInformation;
    delay_ms(10, link.clock, link.pump);
    if (!link.s.hid_device_detected) return ConnectResult::NoInformation;  // lost meanwhile
    if (!i_hid_read_1_cmd(link, kCpuInfoRequestCommand)) return ConnectResult::NoInformation;
    if (!hid_buff_rec_cpu_info_pro(link)) return ConnectResult::Unsupported;
    send_req_clear_all(link.s);
    link.ui.display_model_layout();
    link.ui.model_r27_layout();
    link.ui.set_all_dis();
    return ConnectResult::Connected;
}

// RAII guard for the tick handlers.
class TickGuard {
public:
    explicit TickGuard(DeviceLink& link) : link_(link) { link_.tick_running = true; }
    ~TickGuard() { link_.tick_running = false; }
    TickGuard(const TickGuard&) = delete;
    TickGuard& operator=(const TickGuard&) = delete;

private:
    DeviceLink& link_;
};

bool matches_by_usage(const HidInterfaceInfo& info) {
    return info.usage == kUnitUsage && info.usage_page == kUnitUsagePage;
}

bool path_listed(const std::vector<std::string>& paths, const std::string& path) {
    return std::find(paths.begin(), paths.end(), path) != paths.end();
}
bool path_failed(const DeviceLink& link, const std::string& path) { return path_listed(link.failed_paths, path); }

// The matching interfaces in the order they are tried: usage matches before
// id matches, and within each, those not yet failed in this round first.
std::vector<HidInterfaceInfo> search_order(const DeviceLink& link, std::vector<HidInterfaceInfo> found) {
    std::erase_if(found, [](const HidInterfaceInfo& i) { return !hid_device_matches(i); });
    std::stable_partition(found.begin(), found.end(), matches_by_usage);
    std::stable_partition(found.begin(), found.end(),
                          [&](const HidInterfaceInfo& i) { return !path_failed(link, i.path); });
    return found;
}

}  // namespace

bool hid_device_matches(const HidInterfaceInfo& info) {
    return matches_by_usage(info) || (info.product_id == kUnitProductId && info.vendor_id == kUnitVendorId);
}

std::string permission_hint_line(const std::string& path) {
    return "No permission to open the unit at " + path +
           ": install packaging/70-veltrana-tuner.rules into /etc/udev/rules.d and plug the unit in again";
}

std::string permission_message(const std::string& path, uint8_t language) {
    // One command that writes the rule itself, so it works from any folder,
    // with or without the source beside the program; broken after each "|"
    // and "&&" so that it reads whole and still pastes into a shell as it stands.
    const std::string fix = std::string("echo '") + kUdevRule + "' |\n" + "sudo tee " + kUdevRulePath +
                            " >/dev/null &&\n"
                            "sudo udevadm control --reload-rules &&\n"
                            "sudo udevadm trigger";
    if (!is_english(language))
        return "找到了设备 " + path + "，但当前用户没有权限打开它。\n\n在任意目录中运行一次：\n" + fix +
               "\n\n然后重新插上设备。";
    return "The unit was found at " + path + ", but this user has no permission to open it.\n\n" +
           "Run this once, from any folder:\n" + fix + "\n\nthen plug the unit in again.";
}

bool hid_find_device(DeviceLink& link) {
    AppState& s = link.s;
    s.hid_device_detected = false;
    close_link_device(link);  // never leave an earlier handle open

    const std::vector<HidInterfaceInfo> found = search_order(link, link.hid.enumerate());
    // A unit unplugged since it was refused is told about again when it comes back.
    std::erase_if(link.permission_denied_paths, [&](const std::string& path) {
        return std::none_of(found.begin(), found.end(), [&](const HidInterfaceInfo& i) { return i.path == path; });
    });
    for (const HidInterfaceInfo& info : found) {
        HidOpenError error = HidOpenError::None;
        const HidHandle handle = link.hid.open(info.path, &error);
        if (handle == kNoHidHandle) {
            if (error == HidOpenError::PermissionDenied && !path_listed(link.permission_denied_paths, info.path)) {
                // One box for a unit, however many interfaces it shows.
                const bool told = !link.permission_denied_paths.empty();
                link.permission_denied_paths.push_back(info.path);
                link.ui.debug_line(permission_hint_line(info.path));
                if (!told) link.ui.message_box(permission_message(info.path, s.Language), "", MessageIcon::Exclamation);
            }
            continue;
        }
        s.hid_handle = handle;
        // Every candidate has failed once: this starts a new round.
        if (path_failed(link, info.path)) link.failed_paths.clear();
        link.open_path = info.path;
        link.ui.debug_line("  设备找到了！");
        s.hid_device_detected = true;
        break;
    }

    if (s.hid_device_detected) {
        link.ui.debug_line(" 设备联接成功");
        s.hid_not_found_cou = 0;
        // A new device starts with a clean count of missed reads.
        s.hid_rx_miss_cou = 0;
        return true;
    }
    link.ui.debug_line(" 没有找到设备。");
    if (s.hid_not_found_cou < 255) ++s.hid_not_found_cou;
    // Out of the standby look once per run of misses.
    if (s.hid_not_found_cou == 6 && !cpu_ready(s.cpu_state)) {
        s.cpu_state.cpu_power_on = 1;
        s.cpu_state.cpu_music_input = 20;
        link.ui.set_all_dis();
    }
    return false;
}

void hid_device_scan(DeviceLink& link) {
    AppState& s = link.s;
    if (s.cpu_search_active != 1) return;
    // A late tick of the stopped search timer must not connect a second time.
    if (link_connected(s)) return;
    if (!s.hid_device_detected) {
        hid_find_device(link);
        set_connect_state(link, connect_state::kSearching);
    }
    if (!s.hid_device_detected) return;

    switch (connect_step(link)) {
        case ConnectResult::NoInformation:
            // The device stays open: the next tick repeats the connect step. After
            // five missed reads the link was dropped: this interface goes to the
            // end of the search order and the next tick searches again.
            if (!s.hid_device_detected && !link.open_path.empty() && !path_failed(link, link.open_path))
                link.failed_paths.push_back(link.open_path);
            link.ui.scan_timer_start(kScanIntervalMs);
            set_connect_state(link, connect_state::kSearching);
            return;
        case ConnectResult::Unsupported:
            // The program is ending; make sure nothing runs on meanwhile.
            close_link_device(link);
            s.hid_device_detected = false;
            s.cpu_search_active = 0;
            link.ui.scan_timer_stop();
            link.ui.send_timer_stop();
            return;
        case ConnectResult::Connected: break;
    }

    link.failed_paths.clear();
    link.ui.scan_timer_stop();
    set_connect_state(link, connect_state::kConnected);
    hid_read_all_and_refresh(link);
    s.hid_wait_reply = 0;
    // The read may have lost the unit; then the search timer already runs.
    if (link_connected(s)) link.ui.send_timer_start();
}

void display_link_state(WindowServices& ui, uint8_t connected) {
    ui.set_link_picture_visible(LinkPicture::Picture_LED_1_ON_1, connected != 0);
    ui.set_link_picture_visible(LinkPicture::Picture_LED_1_OFF_1, connected == 0);
    ui.set_link_picture_visible(LinkPicture::Picture_LED_1_OFF_2, false);
}

void device_search_start(DeviceLink& link) {
    if (cpu_connected(link.s)) return;
    link.ui.scan_timer_start(kScanIntervalMs);
    link.s.cpu_connect_state = connect_state::kSearching;
    link.s.cpu_search_active = 1;
}

void device_lost(DeviceLink& link) {
    link.s.cpu_search_active = 0;
    drop_mode_requests(link.s);
    if (link.s.cpu_connect_state == connect_state::kIdle) return;
    link.s.cpu_connect_state = connect_state::kIdle;
    link.s.cpu_state.cpu_busy = 0;
    link.ui.set_all_dis();
}

void scan_timer_tick(DeviceLink& link) {
    if (link.tick_running) return;
    TickGuard guard(link);
    hid_device_scan(link);
}

void send_timer_tick(DeviceLink& link) {
    if (link.tick_running) return;
    TickGuard guard(link);
    hid_send_service(link);
}

}  // namespace tuner
