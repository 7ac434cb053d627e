// Sliders, switches, check boxes and options end to end: input reaches the unit as the right bytes.
#include <QAbstractButton>

#include "controls/param_text_box.h"
#include "core/param_table.h"
#include "dialogs/progress_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

// The sliders span their fields; frames from the unit move the window and its limits the sliders. A mute button toggles
// by clicks, check boxes by a click and Space, keeping the focus (no box starts editing), and show their bytes; the
// vocal-cut options set their two bytes; an input button sends behind a wait.
TEST(E2eEditing, ValuesSwitchesBoxesAndOptions) {
    WindowUnderTest w("e2e_switches");
    w.unit.image.gen[gen_frame::lock] = 2;  // locked, by a code the box does not write
    show_and_connect(w);
    const AppState& s = w.frm->state();

    // Frames from the unit.
    FrameImage& unit_gen = w.unit.image.gen;
    unit_gen[gen_frame::music_vol_abs_max] = 60;
    unit_gen[gen_frame::vol_max_function_en] = 1;
    unit_gen[gen_frame::music_vol_adj_max] = 20;
    unit_gen[gen_frame::music_vol] = 10;
    w.ticks(40);  // the poll reads the frame back
    auto* music = w.frm->registry().get<xiSlider>("vr_music_vol");
    EXPECT_EQ(music->max(), 60) << "music volume slider max";
    EXPECT_EQ(music->max_limit(), 20) << "music volume slider adjust maximum";
    EXPECT_EQ(music->Value(), 10) << "music volume slider below the lowered limit";
    EXPECT_EQ(w.frm->state().param_image.gen[gen_frame::music_vol], 10) << "music volume below the lowered limit";
    EXPECT_EQ(w.frm->view().value(Ctl{"Check_vol_max_function_en"}), 1) << "limit box";

    auto expect_held = [&](const char* name) {
        EXPECT_EQ(QApplication::focusWidget(), widget_of(w, name)) << "focus";
        for (const char* box : {"Text_music_vol_adj_max", "Text_mic_vol_adj_max", "Text_effect_vol_adj_max",
                                "Text_music_vol_power_on", "Text_mic_vol_power_on", "Text_effect_vol_power_on"}) {
            EXPECT_FALSE(qobject_cast<ParamTextBox*>(widget_of(w, box))->has_logical_focus())
                << box << " took the focus";
        }
    };
    // Tab, control, offset; the second toggle of a check box by Space.
    for (auto [tab, control, offset] : {std::tuple{0, "key_mute(1)", gen_frame::music_mute},
                                        {0, "Check_vol_max_function_en", gen_frame::vol_max_function_en},
                                        {1, "Check_mic1_exciter_en", gen_frame::mic1_exciter_en}}) {
        SCOPED_TRACE(control);
        click_tab(w, tab);
        auto* box = qobject_cast<QAbstractButton*>(w.frm->registry().object(control));
        const uint8_t before = w.frm->state().param_image.gen[offset];
        auto expect_tick = [box](bool on, const char* when) {  // a check box's tick (a button has none)
            if (box) {
                EXPECT_EQ(box->isChecked(), on) << "tick " << when;
            }
        };
        const auto on = write_after(
            w, cmd::gen, [&, control = control] { click(w, control, QPoint(7, 9)); });  // a box's tick square
        EXPECT_EQ(on[offset], before == 0 ? 1 : 0) << "mouse";
        expect_tick(before == 0, "after the mouse");
        if (box) expect_held(control);
        const auto off =
            write_after(w, cmd::gen, [&, control = control] { box ? key(w, Qt::Key_Space) : click(w, control); });
        EXPECT_EQ(off[offset], before) << "back";
        expect_tick(before != 0, "back");
        EXPECT_EQ(w.unit.image.gen[offset], before) << "unit's byte";
    }

    // A check box shows its byte after a click that stored nothing.
    auto* lock = qobject_cast<QAbstractButton*>(widget_of(w, "Check_lock"));
    EXPECT_TRUE(lock->isChecked()) << "lock byte 2 shows ticked";
    const auto lock_writes = writes_after(w, cmd::gen, [&] { click(w, "Check_lock", QPoint(7, 9)); });
    EXPECT_TRUE(lock_writes.empty()) << lock_writes.size() << " gen writes for an unchanged lock";
    EXPECT_EQ(s.param_image.gen[gen_frame::lock], 2) << "lock byte";
    EXPECT_TRUE(lock->isChecked()) << "lock box after the click";
    auto* eeprom = qobject_cast<QAbstractButton*>(widget_of(w, "Check_vol_power_on_read_eeprom_function_en"));
    for (const bool by_key : {false, true}) {
        SCOPED_TRACE(by_key ? "Space" : "click");
        by_key ? key(w, Qt::Key_Space) : click(w, "Check_vol_power_on_read_eeprom_function_en", QPoint(7, 9));
        w.ticks(4);
        EXPECT_EQ(s.param_image.gen[gen_frame::vol_power_on_read_eeprom_function_en], 1) << "byte 78";
        EXPECT_FALSE(eeprom->isChecked()) << "byte 1 shows the power-on box clear";
    }
    click_tab(w, 1);
    // Option, vocal-cut byte, mic-priority byte.
    for (auto [option, vocal_cut, mic_priority] : std::vector<std::array<int, 3>>{{2, 2, 0}, {3, 0, 1}, {0, 0, 0}}) {
        SCOPED_TRACE("option " + std::to_string(option));
        const auto f = write_after(
            w, cmd::gen, [&, option = option] { click(w, "Option_VC_Mode(" + std::to_string(option) + ")"); });
        EXPECT_EQ(f[gen_frame::vocal_cut_mode], vocal_cut) << "vocal-cut byte";
        EXPECT_EQ(f[gen_frame::mic_priority], mic_priority) << "mic-priority byte";
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(w.frm->view().value(Ctl{"Option_VC_Mode", i}), i == option ? 1 : 0) << "option " << i;
    }

    click_tab(w, 0);
    Wait& wait = w.frm->services().wait_dialog();
    const auto sent = write_after(
        w, cmd::gen,
        [&] {
            click(w, "key_input(10)");
            EXPECT_TRUE(wait.isVisible()) << "progress wait";
            EXPECT_FALSE(w.frm->isEnabled()) << "window during the wait";
        },
        2);
    EXPECT_EQ(sent[gen_frame::music_input_sel], 10) << "input sent";
    for (int i = 0; i < 80 && wait.isVisible(); ++i) w.ticks(1);
    EXPECT_FALSE(wait.isVisible()) << "wait after the input";
    EXPECT_TRUE(w.frm->isEnabled()) << "window after the wait";
    EXPECT_EQ(QApplication::focusWidget(), widget_of(w, "key_input(10)")) << "the pressed button keeps the keyboard";
    EXPECT_EQ(w.frm->view().back_color(Ctl{"key_input", 10}), 0xFFFF80u) << "the lit input";
}

}  // namespace
}  // namespace tuner::testing
