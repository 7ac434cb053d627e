// A transport that hands out queued input reports, one per read, and keeps
// what was written: for feeding the readers exact frames.
#pragma once

#include <deque>
#include <vector>

#include "core/hid_transport.h"

namespace tuner::testing {

class ScriptedTransport : public HidTransport {
public:
    std::vector<HidInterfaceInfo> enumerate() override { return {}; }
    HidHandle open(const std::string&, HidOpenError* error) override {
        if (error) *error = HidOpenError::Failed;
        return kNoHidHandle;
    }
    bool write_report(HidHandle, const HidReport& report) override {
        written.push_back(report);
        return true;
    }
    bool read_report(HidHandle, HidReport& report) override {
        if (inputs.empty()) return false;
        report = inputs.front();
        inputs.pop_front();
        return true;
    }
    void close(HidHandle) override {}

    std::deque<HidReport> inputs;
    std::vector<HidReport> written;
};

}  // namespace tuner::testing
