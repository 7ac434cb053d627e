// Feeds arbitrary input reports to the frame readers (and to the send
// service, which reads every second tick) and checks after each read that
// the image stays within its legal ranges and the link state is consistent.
//
// Input: byte 0 chooses the mode, the rest is cut into 257-byte reports.
//   bit 0: the connect reader takes every second report
//   bit 1: repair start code, counters, end byte and checksum of each report,
//          so that its content reaches the dispatcher
//   bit 2: drive the send service instead of calling the readers directly
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
    std::vector<HidInterfaceInfo> enumerate() override { return {}; }
    HidHandle open(const std::string&, HidOpenError*) override { return kNoHidHandle; }
    bool write_report(HidHandle, const HidReport&) override { return true; }
    bool read_report(HidHandle, HidReport& report) override {
        if (reports.empty()) return false;
        report = reports.front();
        reports.pop_front();
        return true;
    }
    void close(HidHandle) override {}
    std::deque<HidReport> reports;
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
    NullWindowServices ui;
    StepClock clock;
    StepPump pump(clock);
    DeviceLink link{s, hid, ui, clock, pump};
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
