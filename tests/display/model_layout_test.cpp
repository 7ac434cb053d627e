// Per-model layout plans and their application to the window.
#include <cstdio>
#include <map>

#include "display/model_layout.h"
#include "display_fixture.h"

namespace tuner::testing {
namespace {

namespace b = cpu_info_byte;
using W = LayoutStep::What;

// Checks "name.v=1 name.l=90 name.t=none ..." (v shown, l left, t top; none =
// never set) against the last value each property takes in the plan.
void expect_state(const LayoutPlan& plan, const std::string& want) {
    std::map<std::string, int> m;
    for (const LayoutStep& s : plan)
        m[s.ctl.str() + (s.what == W::Visible ? ".v" : s.what == W::Left ? ".l" : ".t")] = s.value;
    for (const auto& item : split(want, ' ')) {
        const auto eq = item.find('=');
        const std::string key = item.substr(0, eq), value = item.substr(eq + 1);
        EXPECT_EQ(m.count(key) ? std::to_string(m.at(key)) : "none", value) << key;
    }
}

CpuInfo with(std::initializer_list<std::pair<std::size_t, uint8_t>> bytes) {
    CpuInfo info = default_cpu_info();
    for (auto [at, value] : bytes) info[at] = value;
    return info;
}

// The music-input buttons for the defaults and each input pattern, placed
// relative to Frame_music_input: "element:shown,left,top" (-1 = not moved).
TEST(ModelLayoutPlan, InputButtonsForTheDefaultsAndEachPattern) {
    constexpr int fx = 120, fy = 150;
    using Row = std::pair<const char*, const char*>;  // input caps, buttons
    for (auto [caps, buttons] : {
             Row{"1101111000", "6:1,90,240 10:1,1260,240 13:1,2430,240 14:1,90,900 3:1,1260,900 12:1,2430,900"},
             Row{"1000010000", "6:1,480,570 3:1,2010,570 10:0,0,0 13:0,0,0 14:0,0,0 12:0,0,0"},
             Row{"1100010000", "6:1,90,570 10:1,1260,570 3:1,2430,570 13:0,0,0 14:0,0,0 12:0,0,0"},
             Row{"1100100000", "10:1,90,570 6:1,1260,570 14:1,2430,570 13:0,0,0 12:0,0,0 3:0,2430,570"},
             Row{"0100011000", "10:1,90,570 3:1,1260,570 12:1,2430,570 6:0,-1,-1 13:0,-1,-1 14:0,-1,-1"},
             Row{"2000010000", "6:1,90,240 3:1,1260,900 12:1,2430,900"},  // 2 is not "set": the full grid
             Row{"0000000000", "14:1,90,900 13:1,2430,240"},
         }) {
        SCOPED_TRACE(caps);
        CpuInfo info = default_cpu_info();
        for (int i = 0; i < 10; ++i) info[b::cpu_input_caps + i] = static_cast<uint8_t>(caps[i] - '0');
        std::string want;
        for (const auto& item : split(buttons, ' ')) {
            int e, shown, l, t;
            ASSERT_EQ(std::sscanf(item.c_str(), "%d:%d,%d,%d", &e, &shown, &l, &t), 4);
            const std::string n = " key_input(" + std::to_string(e) + ")";
            want += n + ".v=" + std::to_string(shown) + n + ".l=" + (l < 0 ? "none" : std::to_string(fx + l)) + n +
                    ".t=" + (t < 0 ? "none" : std::to_string(fy + t));
        }
        expect_state(model_layout_plan(info, fx, fy), want);
    }
}

// Lock, exciter and effect-frame plans for the defaults; other units' plans
// are applied end to end in the window's layout test.
TEST(ModelLayoutPlan, DefaultsAndCapabilityBits) {
    expect_state(model_lock_plan(with({{b::cpu_cap_lock, 2}})),
                 "Check_lock.v=1 Label_lock.v=1 Frame31(0).l=1620 Frame31(0).t=210 Display_Connect_State.l=1200 "
                 "Display_Connect_State.t=750");
    expect_state(model_r27_plan(default_cpu_info()),
                 "Picture_vol(2).v=1 Text_effect_vol_adj_max.v=1 Picture_vol(1).l=120 Picture_vol(2).l=1050 "
                 "Picture_vol(0).l=1920 Picture_mic_eff_echo_p(15).v=1 Frame_echo_vr(0).v=0 Frame_reverb_vr(0).v=0 "
                 "Frame_echo_vr(0).l=30 Frame_echo_vr(1).l=120 Frame_echo_vr(4).l=2670 Frame_reverb_vr(2).l=970 "
                 "Frame_reverb_vr(3).l=1820 Frame_reverb_vr(3).t=210");

    // Exciter bits "caps:shown" with shown "enable, level, frequency, frame".
    for (const auto& row : split("FF:1111 08:0101 00:0000 E3:0000 10:1001 1C:1111 04:0011", ' ')) {
        SCOPED_TRACE(row);
        const auto caps = static_cast<uint8_t>(std::stoi(row.substr(0, 2), nullptr, 16));
        const char* shown = row.c_str() + 3;
        char want[400];
        std::snprintf(want, sizeof want,
                      "Check_mic1_exciter_en.v=%c VR_mic1_exciter_vol.v=%c Label_mic1_exciter_freq_index_100.v=%c "
                      "Frame_mic_1_mic_exciter.v=%c Picture_mic_1_mic_exciter.v=%c",
                      shown[0], shown[1], shown[2], shown[3], shown[3]);
        expect_state(model_layout_plan(with({{b::cpu_cap_exciter, caps}}), 0, 0), want);
    }
}
using DisplayLayout = DisplayTest;

TEST_F(DisplayLayout, VocalCutFrameComesBackForAUnitWithIt) {
    for (auto [a, bb] : {std::pair<uint8_t, uint8_t>{0, 0}, {0, 1}, {1, 0}, {3, 3}}) {
        v.at({"Frame_all_1", 15}).visible = !(a || bb);
        s.cpu_info[b::cpu_cap_frame15] = a;
        s.cpu_info[b::cpu_cap_frame15_b] = bb;
        d.display_model_layout();
        EXPECT_EQ(v.at({"Frame_all_1", 15}).visible, a || bb) << int(a) << " " << int(bb);
    }
}

}  // namespace
}  // namespace tuner::testing
