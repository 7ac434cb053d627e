// The per-model layout as data: from the capability bytes of the unit's
// information block, the list of show / hide / move steps that arranges the
// tuning window, built without widgets and applied through MainView.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "display/main_view.h"

namespace tuner {

struct LayoutStep {
    enum class What : uint8_t { Visible, Left, Top };
    Ctl ctl;
    What what;
    int value;  // Visible: 1 shown, 0 hidden; Left and Top in twips

    bool operator==(const LayoutStep&) const = default;
};
using LayoutPlan = std::vector<LayoutStep>;
using CpuInfo = std::array<uint8_t, 254>;

// Panel lock controls by cpu_cap_lock.
LayoutPlan model_lock_plan(const CpuInfo& info);
// Lock, vocal-cut frame, exciter group and music-input buttons. The input
// buttons sit in Frame_music_input, whose window position (frame_left,
// frame_top) is part of every button position.
LayoutPlan model_layout_plan(const CpuInfo& info, int frame_left, int frame_top);
// Volume-limit column, the microphone-effect picture and the echo and reverb frames.
LayoutPlan model_r27_plan(const CpuInfo& info);

// Carries the steps out in order (a Left or Top keeps the other coordinate).
void apply_layout(MainView& view, const LayoutPlan& plan);

}  // namespace tuner
