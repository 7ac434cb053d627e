// Parameter editors end to end: what a user types, drags, wheels or steps
// reaches the unit as the frame bytes it should, and what the unit reports
// moves the window's boxes and sliders.
#include <QLineEdit>

#include "e2e_input.h"

namespace tuner::testing {
namespace {

struct BoxCase {
    int tab;  // of the channel tab strip
    const char* box;
    uint8_t command;
    std::size_t offset;
    const char* typed;
    uint8_t stored;
    const char* shown;
};

class TypedValue : public ::testing::TestWithParam<BoxCase> {};

TEST_P(TypedValue, EnterSendsTheFrameAndTheBoxShowsTheValue) {
    const BoxCase& c = GetParam();
    WindowUnderTest w(std::string("e2e_typed_") + c.box);
    w.unit.info[cpu_info_byte::cpu_cap_echo_vr] = 1;  // a model with the echo volume
    show_and_connect(w);
    click_tab(w, c.tab);
    const std::size_t from = w.unit.received.size();
    click(w, c.box);
    type(w, c.typed);
    key(w, Qt::Key_Return);
    w.ticks(4);
    const auto frames = writes_of(w.unit, c.command, from);
    ASSERT_FALSE(frames.empty()) << c.box;
    EXPECT_EQ(frames.back()[c.offset], c.stored) << c.box;
    EXPECT_EQ(text_of(w, c.box), c.shown);
    // The unit's copy is the window's, byte for byte.
    const FrameImage& mine = c.command == cmd::gen ? w.frm->state().param_image.gen : w.frm->state().param_image.eff;
    EXPECT_TRUE(std::equal(mine.begin() + 8, mine.begin() + 164, frames.back().begin() + 8));
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, TypedValue,
    ::testing::Values(BoxCase{0, "Text_music_vol", cmd::gen, gen_frame::music_vol, "25", 25, "25"},
                      BoxCase{2, "Text_echo_a_vol", cmd::effect, eff_frame::echo_a_vol, "12", 12, "12"},
                      BoxCase{2, "Text_echo_a_delay_l", cmd::effect, eff_frame::echo_a_delay_l, "95", 2, "100"},
                      BoxCase{0, "Text_music_noise_suppressor_attack", cmd::gen,
                              gen_frame::music_noise_suppressor_attack + 1, "300", 300 % 256, "300"},
                      BoxCase{1, "Text_mic1_exciter_vol", cmd::gen, gen_frame::mic1_exciter_vol, "99", 30, "30"}),
    [](const auto& info) { return std::string(info.param.box).substr(5); });

TEST(E2eEditing, ASliderDragSendsItsValueAndUpdatesTheBox) {
    WindowUnderTest w("e2e_drag");
    w.unit.info[cpu_info_byte::cpu_cap_echo_vr] = 1;
    show_and_connect(w);
    click_tab(w, 2);
    auto* s = w.frm->registry().get<xiSlider>("VR_echo_a_vol");
    ASSERT_NE(s, nullptr);
    const int32_t before = s->Value();
    const int32_t target = before > 15 ? 5 : 25;
    const std::size_t from = w.unit.received.size();
    drag(w, s, thumb_centre(s, before), thumb_centre(s, target), 10);
    w.ticks(4);
    EXPECT_NE(s->Value(), before);
    EXPECT_NEAR(s->Value(), target, 1);
    const auto frames = writes_of(w.unit, cmd::effect, from);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back()[eff_frame::echo_a_vol], s->Value());
    EXPECT_EQ(text_of(w, "Text_echo_a_vol"), std::to_string(s->Value()));
    EXPECT_EQ(w.unit.image.eff[eff_frame::echo_a_vol], s->Value());
}

TEST(E2eEditing, AWheelNotchAndAnUpKeyOverABoxStepTheParameter) {
    WindowUnderTest w("e2e_wheel");
    show_and_connect(w);
    click_tab(w, 2);
    const uint8_t start = w.frm->state().param_image.eff[eff_frame::echo_a_repeat];
    ASSERT_LT(start, 28);
    std::size_t from = w.unit.received.size();
    wheel(w, "Text_echo_a_repeat", 1);
    w.ticks(4);
    auto frames = writes_of(w.unit, cmd::effect, from);
    ASSERT_FALSE(frames.empty()) << "a wheel notch over the box reaches the unit";
    EXPECT_EQ(frames.back()[eff_frame::echo_a_repeat], start + 1);
    EXPECT_EQ(text_of(w, "Text_echo_a_repeat"), std::to_string(start + 1));
    EXPECT_EQ(w.frm->view().slider_value(Ctl{"VR_echo_a_repeat"}), start + 1);

    // The box has the focus now; the Up key steps once more.
    from = w.unit.received.size();
    key(w, Qt::Key_Up);
    w.ticks(4);
    frames = writes_of(w.unit, cmd::effect, from);
    ASSERT_FALSE(frames.empty()) << "an Up key in the box reaches the unit";
    EXPECT_EQ(frames.back()[eff_frame::echo_a_repeat], start + 2);
    EXPECT_EQ(text_of(w, "Text_echo_a_repeat"), std::to_string(start + 2));

    // A gate value without a slider steps by its own rule.
    click_tab(w, 1);
    const uint16_t ratio = read_u16(w.frm->state().param_image.gen, gen_frame::mic1_noise_suppressor_ratio);
    from = w.unit.received.size();
    wheel(w, "Text_mic1_noise_suppressor_ratio", -1);
    w.ticks(4);
    frames = writes_of(w.unit, cmd::gen, from);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(read_u16(frames.back(), gen_frame::mic1_noise_suppressor_ratio), ratio > 1 ? ratio - 1 : 1);
}

TEST(E2eEditing, AFrameFromTheUnitMovesSliderAndText) {
    WindowUnderTest w("e2e_from_unit");
    show_and_connect(w);
    w.unit.image.gen[gen_frame::music_vol] = 33;
    w.unit.image.eff[eff_frame::reverb_vol] = 21;
    w.unit.image.eff[eff_frame::echo_a_delay_r] = 4;  // 120 ms
    w.ticks(40);                                      // the poll reads both frames back
    MainView& v = w.frm->view();
    EXPECT_EQ(v.slider_value(Ctl{"vr_music_vol"}), 33);
    EXPECT_EQ(v.text(Ctl{"Text_music_vol"}), "33");
    EXPECT_EQ(v.slider_value(Ctl{"VR_reverb_vol"}), 21);
    EXPECT_EQ(v.text(Ctl{"Text_reverb_vol"}), "21");
    EXPECT_EQ(v.slider_value(Ctl{"VR_echo_a_delay_r"}), 4);
    EXPECT_EQ(v.text(Ctl{"Text_echo_a_delay_r"}), "120");
}

TEST(E2eEditing, TheAdjustMaximumLowersTheVolumeSlidersReach) {
    WindowUnderTest w("e2e_vol_limit");
    show_and_connect(w);
    w.unit.image.gen[gen_frame::music_vol_abs_max] = 60;
    w.unit.image.gen[gen_frame::vol_max_function_en] = 1;
    w.unit.image.gen[gen_frame::music_vol_adj_max] = 20;
    w.unit.image.gen[gen_frame::music_vol] = 10;
    w.ticks(40);
    auto* s = w.frm->registry().get<xiSlider>("vr_music_vol");
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->max(), 60);
    EXPECT_EQ(s->max_limit(), 20);
    EXPECT_TRUE(w.frm->view().value(Ctl{"Check_vol_max_function_en"}) == 1);

    // Dragging to the top stops at the adjust maximum.
    std::size_t from = w.unit.received.size();
    drag(w, s, thumb_centre(s, 10), thumb_centre(s, 60), 10);
    w.ticks(4);
    EXPECT_EQ(s->Value(), 20);
    auto frames = writes_of(w.unit, cmd::gen, from);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back()[gen_frame::music_vol], 20);

    // Typing above it commits it.
    from = w.unit.received.size();
    click(w, "Text_music_vol");
    type(w, "45");
    key(w, Qt::Key_Return);
    w.ticks(4);
    frames = writes_of(w.unit, cmd::gen, from);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back()[gen_frame::music_vol], 20);
    EXPECT_EQ(text_of(w, "Text_music_vol"), "20");

    // Lowering the adjust maximum from its box pulls the volume down with it.
    from = w.unit.received.size();
    click(w, "Text_music_vol_adj_max");
    type(w, "12");
    key(w, Qt::Key_Return);
    w.ticks(4);
    EXPECT_EQ(s->max_limit(), 12);
    EXPECT_EQ(s->Value(), 12);
    frames = writes_of(w.unit, cmd::gen, from);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back()[gen_frame::music_vol_adj_max], 12);
    EXPECT_EQ(frames.back()[gen_frame::music_vol], 12);
}

TEST(E2eEditing, LeavingABoxCommitsWhatWasTyped) {
    WindowUnderTest w("e2e_focus_loss");
    show_and_connect(w);
    click_tab(w, 2);
    const std::size_t from = w.unit.received.size();
    click(w, "Text_plate_reverb_decay");
    type(w, "7");
    click(w, "Text_plate_reverb_diffusion");  // the focus moves on
    w.ticks(4);
    EXPECT_FALSE(w.frm->registry().widget("Text_plate_reverb_decay")->hasFocus());
    const auto frames = writes_of(w.unit, cmd::effect, from);
    ASSERT_FALSE(frames.empty());
    EXPECT_EQ(frames.back()[eff_frame::plate_reverb_decay], 7);
    EXPECT_EQ(text_of(w, "Text_plate_reverb_decay"), "7");
    EXPECT_EQ(w.frm->view().slider_value(Ctl{"VR_plate_reverb_decay"}), 7);
}

TEST(E2eEditing, LeavingAGateBoxRefreshesTheDisplayAsEnterDoes) {
    WindowUnderTest w("e2e_gate_focus_loss");
    show_and_connect(w);
    const AppState& s = w.frm->state();
    const std::size_t at = gen_frame::music_noise_suppressor_attack;
    click(w, "Text_music_noise_suppressor_attack");
    type(w, "321");
    click(w, "Text_music_noise_suppressor_release");  // the focus moves on: no Enter
    EXPECT_EQ(read_u16(s.param_image.gen, at), 321);
    // The refresh that follows every key of a gate box also followed the commit of the focus loss.
    EXPECT_EQ(read_u16(s.param_display_cache.gen, at), 321);
    EXPECT_EQ(text_of(w, "Text_music_noise_suppressor_attack"), "321");
}

}  // namespace
}  // namespace tuner::testing
