// Per-model layout plans and their application to the window.
#include <map>

#include "display/model_layout.h"
#include "display_fixture.h"

namespace tuner::testing {
namespace {

namespace b = cpu_info_byte;
using W = LayoutStep::What;

// The last value each control property takes in a plan: "name.v", "name.l", "name.t".
std::map<std::string, int> end_state(const LayoutPlan& plan) {
    std::map<std::string, int> out;
    for (const LayoutStep& s : plan)
        out[s.ctl.str() + (s.what == W::Visible ? ".v" : s.what == W::Left ? ".l" : ".t")] = s.value;
    return out;
}

CpuInfo defaults() { return default_cpu_info(); }

CpuInfo with_inputs(std::array<uint8_t, 10> caps) {
    CpuInfo info = defaults();
    std::copy(caps.begin(), caps.end(), info.begin() + b::cpu_input_caps);
    return info;
}

constexpr int kFx = 120, kFy = 150;  // Frame_music_input in the window's design

TEST(ModelLayoutPlan, StartUpDefaults) {
    const auto lock = end_state(model_lock_plan(defaults()));
    EXPECT_EQ(lock.at("Check_lock.v"), 1);
    EXPECT_EQ(lock.at("Label_lock.v"), 1);
    EXPECT_EQ(lock.at("Frame31(0).l"), 1620);
    EXPECT_EQ(lock.at("Frame31(0).t"), 210);
    EXPECT_EQ(lock.at("Display_Connect_State.l"), 1200);
    EXPECT_EQ(lock.at("Display_Connect_State.t"), 750);

    const auto m = end_state(model_layout_plan(defaults(), kFx, kFy));
    EXPECT_EQ(m.at("Frame_all_1(15).v"), 1);
    for (const char* c :
         {"Check_mic1_exciter_en", "Text_mic1_exciter_vol", "VR_mic1_exciter_vol", "Label_mic1_exciter_vol",
          "Text_mic1_exciter_freq_index_100", "VR_mic1_exciter_freq_index_100", "Label_mic1_exciter_freq_index_100",
          "Frame_mic_1_mic_exciter", "Picture_mic_1_mic_exciter"})
        EXPECT_EQ(m.at(std::string(c) + ".v"), 1) << c;
    // The full grid of six, two rows.
    const std::map<int, std::pair<int, int>> grid{{6, {90, 240}},  {10, {1260, 240}}, {13, {2430, 240}},
                                                  {14, {90, 900}}, {3, {1260, 900}},  {12, {2430, 900}}};
    for (auto [e, pos] : grid) {
        const std::string n = "key_input(" + std::to_string(e) + ")";
        EXPECT_EQ(m.at(n + ".v"), 1);
        EXPECT_EQ(m.at(n + ".l"), kFx + pos.first);
        EXPECT_EQ(m.at(n + ".t"), kFy + pos.second);
    }

    const auto r = end_state(model_r27_plan(defaults()));
    EXPECT_EQ(r.at("Picture_vol(2).v"), 1);
    EXPECT_EQ(r.at("Text_effect_vol_adj_max.v"), 1);
    EXPECT_EQ(r.at("Picture_vol(1).l"), 120);
    EXPECT_EQ(r.at("Picture_vol(2).l"), 1050);
    EXPECT_EQ(r.at("Picture_vol(0).l"), 1920);
    EXPECT_EQ(r.at("Picture_mic_eff_echo_p(15).v"), 1);
    for (const char* f : {"Frame_echo_vr", "Frame_reverb_vr"}) {
        EXPECT_EQ(r.at(std::string(f) + "(0).v"), 0);
        const int lefts[5] = {30, 120, 970, 1820, 2670};
        for (int i = 0; i < 5; ++i) {
            EXPECT_EQ(r.at(std::string(f) + "(" + std::to_string(i) + ").l"), lefts[i]);
            EXPECT_EQ(r.at(std::string(f) + "(" + std::to_string(i) + ").t"), 210);
        }
    }
}

TEST(ModelLayoutPlan, LockStepsInOrder) {
    CpuInfo info = defaults();
    info[b::cpu_cap_lock] = 0;
    EXPECT_EQ(model_lock_plan(info), (LayoutPlan{{{"Check_lock"}, W::Visible, 0},
                                                 {{"Label_lock"}, W::Visible, 0},
                                                 {{"Frame31", 0}, W::Left, 1080},
                                                 {{"Frame31", 0}, W::Top, 210},
                                                 {{"Display_Connect_State"}, W::Left, 690},
                                                 {{"Display_Connect_State"}, W::Top, 750}}));
    info[b::cpu_cap_lock] = 2;
    EXPECT_EQ(end_state(model_lock_plan(info)).at("Check_lock.v"), 1);
}

struct InputCase {
    const char* what;
    std::array<uint8_t, 10> caps;
    // element -> shown, left offset, top offset (-1 = not moved)
    std::map<int, std::tuple<int, int, int>> expected;
};

class InputPatterns : public ::testing::TestWithParam<InputCase> {};

TEST_P(InputPatterns, ShowHideAndPlace) {
    const InputCase& c = GetParam();
    const auto m = end_state(model_layout_plan(with_inputs(c.caps), kFx, kFy));
    for (auto [e, want] : c.expected) {
        const std::string n = "key_input(" + std::to_string(e) + ")";
        auto [shown, l, t] = want;
        EXPECT_EQ(m.at(n + ".v"), shown) << n;
        if (l < 0) {
            EXPECT_EQ(m.count(n + ".l"), 0u) << n;
        } else {
            EXPECT_EQ(m.at(n + ".l"), kFx + l) << n;
            EXPECT_EQ(m.at(n + ".t"), kFy + t) << n;
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Patterns, InputPatterns,
                         ::testing::Values(InputCase{"bt_aux",
                                                     {1, 0, 0, 0, 0, 1, 0, 0, 0, 0},
                                                     {{6, {1, 480, 570}},
                                                      {3, {1, 2010, 570}},
                                                      {10, {0, 0, 0}},
                                                      {13, {0, 0, 0}},
                                                      {14, {0, 0, 0}},
                                                      {12, {0, 0, 0}}}},
                                           InputCase{"bt_usb_aux",
                                                     {1, 1, 0, 0, 0, 1, 0, 0, 0, 0},
                                                     {{6, {1, 90, 570}},
                                                      {10, {1, 1260, 570}},
                                                      {3, {1, 2430, 570}},
                                                      {13, {0, 0, 0}},
                                                      {14, {0, 0, 0}},
                                                      {12, {0, 0, 0}}}},
                                           InputCase{"usb_bt_coaxial",
                                                     {1, 1, 0, 0, 1, 0, 0, 0, 0, 0},
                                                     {{10, {1, 90, 570}},
                                                      {6, {1, 1260, 570}},
                                                      {14, {1, 2430, 570}},
                                                      {13, {0, 0, 0}},
                                                      {12, {0, 0, 0}},
                                                      {3, {0, 2430, 570}}}},
                                           InputCase{"usb_aux_aux2",
                                                     {0, 1, 0, 0, 0, 1, 1, 0, 0, 0},
                                                     {{10, {1, 90, 570}},
                                                      {3, {1, 1260, 570}},
                                                      {12, {1, 2430, 570}},
                                                      {6, {0, -1, -1}},
                                                      {13, {0, -1, -1}},
                                                      {14, {0, -1, -1}}}},
                                           // A byte of 2 is not "set": no pattern matches, the full grid.
                                           InputCase{"byte_two_is_not_set",
                                                     {2, 0, 0, 0, 0, 1, 0, 0, 0, 0},
                                                     {{6, {1, 90, 240}}, {3, {1, 1260, 900}}, {12, {1, 2430, 900}}}},
                                           InputCase{"all_zero",
                                                     {0, 0, 0, 0, 0, 0, 0, 0, 0, 0},
                                                     {{14, {1, 90, 900}}, {13, {1, 2430, 240}}}}),
                         [](const auto& info) { return std::string(info.param.what); });

TEST(ModelLayoutPlan, InputStepOrderForPatternFour) {
    const LayoutPlan plan = model_layout_plan(with_inputs({0, 1, 0, 0, 0, 1, 1, 0, 0, 0}), 0, 0);
    std::vector<std::string> inputs;
    for (const LayoutStep& s : plan)
        if (s.ctl.name == "key_input")
            inputs.push_back(s.ctl.str() + (s.what == W::Visible ? "v" : s.what == W::Left ? "l" : "t"));
    EXPECT_EQ(inputs, (std::vector<std::string>{"key_input(6)v", "key_input(10)v", "key_input(13)v", "key_input(14)v",
                                                "key_input(3)v", "key_input(12)v", "key_input(10)l", "key_input(10)t",
                                                "key_input(3)l", "key_input(3)t", "key_input(12)l", "key_input(12)t"}));
}

TEST(ModelLayoutPlan, ExciterBits) {
    struct Row {
        uint8_t caps;
        bool en, vol, freq, frame;
    };
    for (const Row& r : {Row{0x08, false, true, false, true}, Row{0x00, false, false, false, false},
                         Row{0xE3, false, false, false, false}, Row{0x10, true, false, false, true},
                         Row{0x1C, true, true, true, true}, Row{0x04, false, false, true, true}}) {
        CpuInfo info = defaults();
        info[b::cpu_cap_exciter] = r.caps;
        const auto m = end_state(model_layout_plan(info, 0, 0));
        EXPECT_EQ(m.at("Check_mic1_exciter_en.v"), r.en) << int(r.caps);
        EXPECT_EQ(m.at("VR_mic1_exciter_vol.v"), r.vol) << int(r.caps);
        EXPECT_EQ(m.at("Label_mic1_exciter_freq_index_100.v"), r.freq) << int(r.caps);
        EXPECT_EQ(m.at("Frame_mic_1_mic_exciter.v"), r.frame) << int(r.caps);
        EXPECT_EQ(m.at("Picture_mic_1_mic_exciter.v"), r.frame) << int(r.caps);
    }
}

TEST(ModelLayoutPlan, VolumeColumnAndEffectFramesForOtherUnits) {
    CpuInfo info = defaults();
    info[b::cpu_cap_vol_control] = 0;
    info[b::cpu_cap_mic_eff_echo] = 0;
    info[b::cpu_cap_echo_vr] = 1;
    const auto r = end_state(model_r27_plan(info));
    EXPECT_EQ(r.at("Picture_vol(2).v"), 0);
    EXPECT_EQ(r.at("Label_vol_control(6).v"), 0);
    EXPECT_EQ(r.at("Picture_vol(1).l"), 420);
    EXPECT_EQ(r.at("Picture_vol(0).l"), 1490);
    EXPECT_EQ(r.at("Picture_vol(0).t"), 1560);
    EXPECT_EQ(r.at("Text_mic_vol_adj_max.l"), 400);
    EXPECT_EQ(r.at("Label_vol_control(5).l"), 500);
    EXPECT_EQ(r.at("Text_music_vol_adj_max.l"), 1450);
    EXPECT_EQ(r.at("Label_vol_control(4).l"), 1580);
    EXPECT_EQ(r.at("Picture_mic_eff_echo_p(15).v"), 0);
    EXPECT_EQ(r.at("Frame_echo_vr(0).v"), 1);
    EXPECT_EQ(r.at("Frame_echo_vr(4).l"), 2790);
    EXPECT_EQ(r.at("Frame_reverb_vr(4).l"), 2670);
}

using LayoutTest = DisplayTest;

TEST_F(LayoutTest, VocalCutFrameComesBackForAUnitWithIt) {
    s.cpu_info[b::cpu_cap_frame15] = 0;
    s.cpu_info[b::cpu_cap_frame15_b] = 0;
    d.display_model_layout();
    EXPECT_FALSE(v.at({"Frame_all_1", 15}).visible);
    for (auto [a, bb] : {std::pair<uint8_t, uint8_t>{0, 1}, {1, 0}, {3, 3}}) {
        v.at({"Frame_all_1", 15}).visible = false;
        s.cpu_info[b::cpu_cap_frame15] = a;
        s.cpu_info[b::cpu_cap_frame15_b] = bb;
        d.display_model_layout();
        EXPECT_TRUE(v.at({"Frame_all_1", 15}).visible) << int(a) << " " << int(bb);
    }
}

TEST_F(LayoutTest, ApplyMovesOneCoordinateAndReadsTheFramePosition) {
    v.move({"Frame_music_input"}, 300, 400);
    v.move({"Frame31", 0}, 5, 6);
    d.display_model_layout();
    EXPECT_EQ(v.left({"Frame31", 0}), 1620);
    EXPECT_EQ(v.top({"Frame31", 0}), 210);
    EXPECT_EQ(v.left({"key_input", 14}), 300 + 90);
    EXPECT_EQ(v.top({"key_input", 14}), 400 + 900);

    d.model_r27_layout();
    EXPECT_EQ(v.left({"Frame_reverb_vr", 2}), 970);
    EXPECT_EQ(v.top({"Frame_reverb_vr", 2}), 210);
    EXPECT_FALSE(v.at({"Frame_reverb_vr", 0}).visible);

    s.cpu_info[b::cpu_cap_lock] = 0;
    d.model_lock_layout();
    EXPECT_FALSE(v.at({"Check_lock"}).visible);
    EXPECT_EQ(v.left({"Display_Connect_State"}), 690);
}

}  // namespace
}  // namespace tuner::testing
