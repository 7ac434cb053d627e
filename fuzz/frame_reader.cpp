// Feeds arbitrary input reports to the frame readers (and to the send
// service, which reads every second tick) and checks after each read that
// the image stays within its legal ranges and the link state is consistent.
//
// Input: byte 0 chooses the mode, the rest is cut into 257-byte reports.
//   bit 0: the connect reader takes every second report
//   bit 1: repair start code, counters, end byte and checksum of each report,
//          so that its content reaches the dispatcher
//   bit 2: drive the send service instead of calling the readers directly
//   bit 3: drive the search and connect step through the two timer ticks,
//          against one matching interface (the reports answer the
//          information request, the whole-state read and the service)
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <deque>

#include "core/device_link.h"
#include "core/frame_protocol.h"
#include "core/send_service.h"
#include "core/utf8.h"

using namespace tuner;

namespace {

class FeedTransport : public HidTransport {
public:
    std::vector<HidInterfaceInfo> enumerate() override {
        if (!listed) return {};
        return {{"/dev/hidraw0", kUnitVendorId, kUnitProductId, kUnitUsagePage, kUnitUsage}};
    }
    HidHandle open(const std::string&, HidOpenError* error) override {
        if (error) *error = HidOpenError::None;
        ++open_handles;
        return ++next_handle;
    }
    bool write_report(HidHandle, const HidReport&) override { return true; }
    bool read_report(HidHandle, HidReport& report) override {
        if (reports.empty()) return false;
        report = reports.front();
        reports.pop_front();
        return true;
    }
    void close(HidHandle handle) override {
        if (handle != kNoHidHandle) --open_handles;
    }
    std::deque<HidReport> reports;
    bool listed = false;
    int open_handles = 0;
    HidHandle next_handle = 0;
};

// Keeps the timers' state, as the window does.
class TimerServices : public NullWindowServices {
public:
    void scan_timer_start(int) override { scan_on = true; }
    void scan_timer_stop() override { scan_on = false; }
    void send_timer_start() override { send_on = true; }
    void send_timer_stop() override { send_on = false; }
    void end_program() override { ended = true; }
    bool scan_on = false, send_on = false, ended = false;
};

class StepClock : public Clock {
public:
    int32_t now_ms() override { return t; }
    int32_t t = 0;
};

class StepPump : public EventPump {
public:
    explicit StepPump(StepClock& c) : clock(c) {}
    void process_events() override { ++clock.t; }
    StepClock& clock;
};

#define REQUIRE(cond)                                      \
    do {                                                   \
        if (!(cond)) {                                     \
            std::fprintf(stderr, "violated: %s\n", #cond); \
            std::abort();                                  \
        }                                                  \
    } while (0)

// As a successful search leaves it: device open, miss count cleared.
void connect(AppState& s) {
    s.hid_rx_miss_cou = 0;
    s.hid_handle = 1;
    s.hid_device_detected = true;
    s.cpu_connect_state = 1;
}

void check(const AppState& s) {
    ParamImage clamped = s.param_image;
    param_range_check(clamped);
    REQUIRE(clamped == s.param_image);
    REQUIRE(s.cpu_connect_state <= 2);
    REQUIRE(s.hid_device_detected == (s.hid_handle != kNoHidHandle));
    if (s.hid_rx_miss_cou >= kMaxMissedReads) REQUIRE(!s.hid_device_detected);
    REQUIRE(utf8_sanitize(s.bt_name_rx_copy) == s.bt_name_rx_copy);
    REQUIRE(s.hid_poll_index < kPollSteps);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0) return 0;
    const uint8_t mode = data[0];
    FeedTransport hid;
    for (size_t at = 1; at < size; at += kHidReportSize) {
        HidReport r{};
        for (size_t i = 0; i < kHidReportSize && at + i < size; ++i) r[i] = data[at + i];
        if (mode & 2) frame_stamp(r, r[hid_frame::hid_byte_cmd_inc_cou_1], r[hid_frame::command], r[hid_frame::RWS]);
        hid.reports.push_back(r);
    }

    AppState s;
    param_range_check(s.param_image);
    TimerServices ui;
    StepClock clock;
    StepPump pump(clock);
    DeviceLink link{s, hid, ui, clock, pump};

    if (mode & 8) {
        hid.listed = true;
        device_search_start(link);
        for (size_t step = 0; !hid.reports.empty() && !ui.ended && step < 4 * 1024; ++step) {
            REQUIRE(!(ui.scan_on && ui.send_on));
            if (ui.scan_on)
                scan_timer_tick(link);
            else if (ui.send_on)
                send_timer_tick(link);
            check(s);
            REQUIRE(hid.open_handles == (s.hid_handle != kNoHidHandle ? 1 : 0));
            REQUIRE(ui.send_on == link_connected(s) || ui.ended);
        }
        if (ui.ended) REQUIRE(hid.open_handles == 0 && !ui.scan_on && !ui.send_on);
        return 0;
    }

    connect(s);

    for (size_t step = 0; !hid.reports.empty() && step < 4 * 1024; ++step) {
        if (s.hid_handle == kNoHidHandle) connect(s);  // the link came back
        if (mode & 4)
            hid_send_service(link);
        else if ((mode & 1) && step % 2 == 1)
            i_hid_read_1_cmd(link, kCpuInfoRequestCommand);
        else
            i_hid_read_all_cmd(link);
        check(s);
    }
    return 0;
}
