// Switches end to end (mute buttons, the music input, check boxes by mouse
// and by keyboard, the vocal-cut options) and the per-model layout that the
// unit's capability bytes choose at connect.
#include <QAbstractButton>

#include "controls/param_text_box.h"
#include "dialogs/progress_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

uint8_t sent_gen_byte(WindowUnderTest& w, std::size_t from, std::size_t offset) {
    const auto frames = writes_of(w.unit, cmd::gen, from);
    EXPECT_FALSE(frames.empty()) << "no gen frame for byte " << offset;
    return frames.empty() ? 0xEE : frames.back()[offset];
}

TEST(E2eSwitches, AMuteButtonClickTogglesAndSends) {
    WindowUnderTest w("e2e_mute");
    show_and_connect(w);
    const uint8_t before = w.frm->state().param_image.gen[gen_frame::music_mute];
    std::size_t from = w.unit.received.size();
    click(w, "key_mute(1)");
    w.ticks(4);
    EXPECT_EQ(sent_gen_byte(w, from, gen_frame::music_mute), before == 0 ? 1 : 0);
    EXPECT_EQ(w.unit.image.gen[gen_frame::music_mute], before == 0 ? 1 : 0);
    from = w.unit.received.size();
    click(w, "key_mute(1)");
    w.ticks(4);
    EXPECT_EQ(sent_gen_byte(w, from, gen_frame::music_mute), before == 0 ? 0 : 1);
}

TEST(E2eSwitches, AnInputButtonWaitsForTheUnitAndSendsTheInput) {
    WindowUnderTest w("e2e_input");
    show_and_connect(w);
    ASSERT_EQ(w.frm->state().cpu_state.cpu_music_input, 6);
    const std::size_t from = w.unit.received.size();
    click(w, "key_input(10)");
    Wait& wait = w.frm->services().wait_dialog();
    EXPECT_TRUE(wait.isVisible());
    EXPECT_FALSE(w.frm->isEnabled());
    EXPECT_EQ(wait.model().Max(), 23);
    EXPECT_EQ(w.frm->state().send_input_req, kPending);
    w.ticks(2);
    EXPECT_EQ(sent_gen_byte(w, from, gen_frame::music_input_sel), 10);
    EXPECT_EQ(w.frm->state().send_input_req, kClear);
    EXPECT_EQ(w.unit.music_input, 10);
    for (int i = 0; i < 80 && wait.isVisible(); ++i) w.ticks(1);
    EXPECT_FALSE(wait.isVisible());
    EXPECT_TRUE(w.frm->isEnabled());
    EXPECT_EQ(w.frm->state().cpu_state.cpu_music_input, 10);
    EXPECT_EQ(w.frm->view().back_color(Ctl{"key_input", 10}), 0xFFFF80u);  // the lit input
    EXPECT_NE(w.frm->view().back_color(Ctl{"key_input", 6}), 0xFFFF80u);
}

struct BoxToggle {
    int tab;
    const char* box;
    std::size_t offset;
};

class CheckBoxes : public ::testing::TestWithParam<BoxToggle> {};

TEST_P(CheckBoxes, MouseAndSpaceBothWriteAndSend) {
    const BoxToggle& c = GetParam();
    WindowUnderTest w(std::string("e2e_check_") + c.box);
    show_and_connect(w);
    click_tab(w, c.tab);
    auto* box = qobject_cast<QAbstractButton*>(w.frm->registry().object(c.box));
    ASSERT_NE(box, nullptr);
    const uint8_t before = w.frm->state().param_image.gen[c.offset];
    ASSERT_EQ(box->isChecked(), before != 0);
    std::size_t from = w.unit.received.size();
    click(w, c.box, QPoint(7, box->height() / 2));  // on the tick square
    w.ticks(4);
    EXPECT_EQ(sent_gen_byte(w, from, c.offset), before == 0 ? 1 : 0) << "mouse";
    EXPECT_EQ(box->isChecked(), before == 0);

    // The box has the focus now: Space toggles it back.
    ASSERT_TRUE(box->hasFocus());
    from = w.unit.received.size();
    key(w, Qt::Key_Space);
    w.ticks(4);
    EXPECT_EQ(sent_gen_byte(w, from, c.offset), before) << "keyboard";
    EXPECT_EQ(box->isChecked(), before != 0);
    EXPECT_EQ(w.unit.image.gen[c.offset], before);
}

INSTANTIATE_TEST_SUITE_P(
    Boxes, CheckBoxes,
    ::testing::Values(BoxToggle{0, "Check_lock", gen_frame::lock},
                      BoxToggle{0, "Check_music_noise_suppressor_en", gen_frame::music_noise_suppressor_en},
                      BoxToggle{1, "Check_mic1_noise_suppressor_en", gen_frame::mic1_noise_suppressor_en},
                      BoxToggle{1, "Check_mic1_exciter_en", gen_frame::mic1_exciter_en}),
    [](const auto& info) { return std::string(info.param.box).substr(6); });

TEST(E2eSwitches, VocalCutOptionsSetTheirTwoBytes) {
    WindowUnderTest w("e2e_vc");
    show_and_connect(w);
    click_tab(w, 1);
    struct Step {
        int option;
        uint8_t vocal_cut, mic_priority;
    };
    for (const Step& st : {Step{2, 2, 0}, Step{3, 0, 1}, Step{1, 1, 0}, Step{0, 0, 0}}) {
        const std::size_t from = w.unit.received.size();
        click(w, "Option_VC_Mode(" + std::to_string(st.option) + ")");
        w.ticks(4);
        EXPECT_EQ(sent_gen_byte(w, from, gen_frame::vocal_cut_mode), st.vocal_cut) << "option " << st.option;
        EXPECT_EQ(sent_gen_byte(w, from, gen_frame::mic_priority), st.mic_priority) << "option " << st.option;
        for (int o = 0; o < 4; ++o) EXPECT_EQ(w.frm->view().value(Ctl{"Option_VC_Mode", o}), o == st.option ? 1 : 0);
    }
}

// Capability bytes of the unit's information block arrange the window after connect.
TEST(E2eLayout, CapabilityBytesHideAndMoveControls) {
    WindowUnderTest w("e2e_layout");
    namespace b = cpu_info_byte;
    auto& info = w.unit.info;
    const uint8_t caps[10] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0};  // BT and AUX only
    std::copy(std::begin(caps), std::end(caps), info.begin() + b::cpu_input_caps);
    info[b::cpu_cap_exciter] = 0x08;  // exciter level only
    info[b::cpu_cap_lock] = 0;
    info[b::cpu_cap_vol_control] = 0;
    info[b::cpu_cap_echo_vr] = 1;
    info[b::cpu_cap_reverb_vr] = 0;
    show_and_connect(w);
    MainView& v = w.frm->view();
    const int fl = v.left(Ctl{"Frame_music_input"}), ft = v.top(Ctl{"Frame_music_input"});
    EXPECT_TRUE(v.visible(Ctl{"key_input", 6}));
    EXPECT_EQ(v.left(Ctl{"key_input", 6}), fl + 480);
    EXPECT_EQ(v.top(Ctl{"key_input", 6}), ft + 570);
    EXPECT_TRUE(v.visible(Ctl{"key_input", 3}));
    EXPECT_EQ(v.left(Ctl{"key_input", 3}), fl + 2010);
    for (int hidden : {10, 13, 14, 12}) EXPECT_FALSE(v.visible(Ctl{"key_input", hidden})) << hidden;

    click_tab(w, 1);
    EXPECT_TRUE(v.visible(Ctl{"Text_mic1_exciter_vol"}));
    EXPECT_TRUE(v.visible(Ctl{"VR_mic1_exciter_vol"}));
    EXPECT_FALSE(v.visible(Ctl{"Check_mic1_exciter_en"}));
    EXPECT_FALSE(v.visible(Ctl{"Text_mic1_exciter_freq_index_100"}));

    EXPECT_FALSE(v.visible(Ctl{"Check_lock"}));
    EXPECT_EQ(v.left(Ctl{"Frame31", 0}), 1080);
    EXPECT_EQ(v.top(Ctl{"Frame31", 0}), 210);
    EXPECT_EQ(v.left(Ctl{"Display_Connect_State"}), 690);
    EXPECT_EQ(v.top(Ctl{"Display_Connect_State"}), 750);

    EXPECT_FALSE(v.visible(Ctl{"Text_effect_vol_adj_max"}));
    EXPECT_EQ(v.left(Ctl{"Picture_vol", 1}), 420);
    EXPECT_EQ(v.left(Ctl{"Picture_vol", 0}), 1490);
    EXPECT_EQ(v.top(Ctl{"Picture_vol", 0}), 1560);
    EXPECT_EQ(v.left(Ctl{"Text_mic_vol_adj_max"}), 400);

    click_tab(w, 2);
    EXPECT_TRUE(v.visible(Ctl{"Frame_echo_vr", 0}));
    EXPECT_EQ(v.left(Ctl{"Frame_echo_vr", 4}), 2790);
    EXPECT_FALSE(v.visible(Ctl{"Frame_reverb_vr", 0}));
    EXPECT_EQ(v.left(Ctl{"Frame_reverb_vr", 1}), 120);
    EXPECT_EQ(v.top(Ctl{"Frame_reverb_vr", 1}), 210);
    // The twips are the widgets' own places.
    EXPECT_EQ(w.frm->registry().widget("Frame_echo_vr(4)")->x(), 2790 / 15);
}

// The two volume-function boxes are disabled for their short wait; the
// keyboard focus stays with the box and no numeric box starts editing.
TEST(E2eSwitches, AHeldBoxKeepsTheFocus) {
    WindowUnderTest w("e2e_held_focus");
    show_and_connect(w);
    for (const char* name : {"Check_vol_max_function_en", "Check_vol_power_on_read_eeprom_function_en"}) {
        SCOPED_TRACE(name);
        QWidget* b = widget_of(w, name);
        ASSERT_TRUE(b && b->isVisible());
        const uint8_t before = w.frm->state().param_image.gen[gen_frame::vol_max_function_en];
        click(w, name, QPoint(7, b->height() / 2));
        EXPECT_EQ(QApplication::focusWidget(), b);
        for (const char* box : {"Text_music_vol_adj_max", "Text_mic_vol_adj_max", "Text_effect_vol_adj_max",
                                "Text_music_vol_power_on", "Text_mic_vol_power_on", "Text_effect_vol_power_on"}) {
            auto* t = qobject_cast<ParamTextBox*>(widget_of(w, box));
            ASSERT_NE(t, nullptr);
            EXPECT_FALSE(t->has_logical_focus()) << box;
            EXPECT_NE(t->fore_color(), 0x0000FFu) << box;  // not red: not being edited
        }
        if (std::string(name) == "Check_vol_max_function_en") {
            EXPECT_EQ(w.frm->state().param_image.gen[gen_frame::vol_max_function_en], before == 0 ? 1 : 0);
        }
    }
}

}  // namespace
}  // namespace tuner::testing
