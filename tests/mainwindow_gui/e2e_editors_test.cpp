// Editors, switches and the per-model layout end to end: input reaches the unit as the right bytes.
#include <QAbstractButton>

#include "controls/param_text_box.h"
#include "core/param_table.h"
#include "dialogs/progress_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

// Typed values and slider drags set a parameter; frames from the unit move the window, its limits the sliders.
TEST(E2eEditing, TypedDragAndTheUnitsFramesAndLimits) {
    WindowUnderTest w("e2e_drag_wheel");
    show_and_connect(w);
    const AppState& st = w.frm->state();
    // Tab, box, frame, offset, typed, stored, shown; committed by Enter or by clicking `leave_to`; a gate redraws.
    using Typed = std::tuple<int, const char*, uint8_t, std::size_t, const char*, int, const char*, const char*, bool>;
    for (auto [tab, box, command, offset, typed, stored, shown, leave_to, gate] :
         {Typed{0, "Text_music_vol", cmd::gen, gen_frame::music_vol, "25", 25, "25", nullptr, false},
          Typed{2, "Text_echo_a_delay_l", cmd::effect, eff_frame::echo_a_delay_l, "95", 2, "100", nullptr, false},
          Typed{1, "Text_mic1_exciter_vol", cmd::gen, gen_frame::mic1_exciter_vol, "99", 30, "30", nullptr, false},
          Typed{0, "Text_music_noise_suppressor_release", cmd::gen, gen_frame::music_noise_suppressor_release + 1,
                "321", 321 % 256, "321", "Text_music_noise_suppressor_attack", true}}) {
        SCOPED_TRACE(box);
        click_tab(w, tab);
        const FrameImage& mine = command == cmd::gen ? st.param_image.gen : st.param_image.eff;
        const FrameImage& drawn = command == cmd::gen ? st.param_display_cache.gen : st.param_display_cache.eff;
        const FrameImage sent =
            write_after(w, command, [&, box = box, typed = typed, leave_to = leave_to, gate = gate, offset = offset] {
                click(w, box);
                type(w, typed);
                leave_to ? click(w, leave_to) : key(w, Qt::Key_Return);
                if (gate) {
                    EXPECT_EQ(drawn[offset], mine[offset]) << "the display refreshed with the commit";
                }
            });
        EXPECT_EQ(sent[offset], stored) << "sent byte " << offset;
        EXPECT_EQ(text_of(w, box), shown) << "box text";
        EXPECT_TRUE(same_payload(mine, sent)) << "the window's frame and the one sent";
    }

    // Every parameter slider spans its field (the echo delays index a table): a drag past the top stores the end.
    for (const ParamRow& r : param_table()) {
        if (r.slider.empty() || r.per_band || r.kind == ParamKind::Volume || r.kind == ParamKind::EqPreGain) continue;
        EXPECT_EQ(w.frm->view().slider_min(Ctl{r.slider}), r.min) << r.slider << " min";
        EXPECT_EQ(w.frm->view().slider_max(Ctl{r.slider}), r.max) << r.slider << " max";
    }
    click_tab(w, 2);
    auto* delay = w.frm->registry().get<xiSlider>("VR_echo_a_delay_l");
    const auto top = write_after(w, cmd::effect, [&] {
        drag(w, delay, thumb_centre(delay, delay->Value()), {8, -300});
    });
    EXPECT_EQ(top[eff_frame::echo_a_delay_l], 30);
    EXPECT_EQ(text_of(w, "Text_echo_a_delay_l"), "380");

    // Frames from the unit (right delay index 4: 120 ms).
    FrameImage& unit_gen = w.unit.image.gen;
    unit_gen[gen_frame::music_vol_abs_max] = 60;
    unit_gen[gen_frame::vol_max_function_en] = 1;
    unit_gen[gen_frame::music_vol_adj_max] = 20;
    unit_gen[gen_frame::music_vol] = 10;
    w.unit.image.eff[eff_frame::echo_a_delay_r] = 4;
    w.ticks(40);  // the poll reads both frames back
    EXPECT_EQ(text_of(w, "Text_echo_a_delay_r"), "120");
    auto* s = w.frm->registry().get<xiSlider>("vr_music_vol");
    EXPECT_EQ(s->max(), 60) << "music volume slider max";
    EXPECT_EQ(s->max_limit(), 20) << "music volume slider adjust maximum";
    EXPECT_EQ(w.frm->view().value(Ctl{"Check_vol_max_function_en"}), 1);

    // Dragging to the top stops at the adjust maximum.
    const auto sent = write_after(w, cmd::gen, [&] { drag(w, s, thumb_centre(s, 10), thumb_centre(s, 60), 10); });
    EXPECT_EQ(s->Value(), 20) << "music volume slider dragged to the top";
    EXPECT_EQ(sent[gen_frame::music_vol], 20) << "music volume sent";
    EXPECT_EQ(text_of(w, "Text_music_vol"), "20") << "box after the drag";
}

// A mute button toggles by clicks, check boxes by a click and Space, keeping the focus (no box starts editing);
// the vocal-cut options set their two bytes; an input button sends behind a progress wait.
TEST(E2eSwitches, ButtonsBoxesAndOptionsWriteAndSend) {
    WindowUnderTest w("e2e_switches");
    show_and_connect(w);
    auto expect_held = [&](const char* name) {
        EXPECT_EQ(QApplication::focusWidget(), widget_of(w, name));
        for (const char* box : {"Text_music_vol_adj_max", "Text_mic_vol_adj_max", "Text_effect_vol_adj_max",
                                "Text_music_vol_power_on", "Text_mic_vol_power_on", "Text_effect_vol_power_on"}) {
            auto* t = qobject_cast<ParamTextBox*>(widget_of(w, box));  // red text: being edited
            EXPECT_FALSE(t->has_logical_focus()) << box << " took the focus";
            EXPECT_NE(t->fore_color(), 0x0000FFu) << box << " shows red (editing)";
        }
    };
    // Tab, control, offset, and whether the second toggle is by the keyboard.
    using Toggle = std::tuple<int, const char*, std::size_t, bool>;
    for (auto [tab, control, offset, space] :
         {Toggle{0, "key_mute(1)", gen_frame::music_mute, false},
          Toggle{0, "Check_vol_max_function_en", gen_frame::vol_max_function_en, true},
          Toggle{1, "Check_mic1_exciter_en", gen_frame::mic1_exciter_en, true}}) {
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
        if (space) expect_held(control);
        const auto off = write_after(
            w, cmd::gen, [&, space = space, control = control] { space ? key(w, Qt::Key_Space) : click(w, control); });
        EXPECT_EQ(off[offset], before) << "back";
        expect_tick(before != 0, "back");
        EXPECT_EQ(w.unit.image.gen[offset], before) << "unit's byte";
    }

    click(w, "Check_vol_power_on_read_eeprom_function_en", QPoint(7, 9));
    expect_held("Check_vol_power_on_read_eeprom_function_en");

    click_tab(w, 1);
    // Option, vocal-cut byte, mic-priority byte.
    for (auto [option, vocal_cut, mic_priority] :
         std::vector<std::array<int, 3>>{{2, 2, 0}, {3, 0, 1}, {1, 1, 0}, {0, 0, 0}}) {
        SCOPED_TRACE("option " + std::to_string(option));
        const auto f = write_after(
            w, cmd::gen, [&, option = option] { click(w, "Option_VC_Mode(" + std::to_string(option) + ")"); });
        EXPECT_EQ(f[gen_frame::vocal_cut_mode], vocal_cut) << "vocal-cut byte";
        EXPECT_EQ(f[gen_frame::mic_priority], mic_priority) << "mic-priority byte";
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(w.frm->view().value(Ctl{"Option_VC_Mode", i}), i == option ? 1 : 0) << "option " << i;
    }

    click_tab(w, 0);
    ASSERT_EQ(w.frm->state().cpu_state.cpu_music_input, 6);
    Wait& wait = w.frm->services().wait_dialog();
    const FrameImage& gen = w.frm->state().param_image.gen;
    const auto sent = write_after(
        w, cmd::gen,
        [&] {
            click(w, "key_input(10)");
            EXPECT_TRUE(wait.isVisible()) << "progress wait";
            EXPECT_FALSE(w.frm->isEnabled()) << "window during the wait";
            // The disabled window takes no wheel: no box or slider steps during the wait.
            const auto before = gen;
            for (const char* c : {"Text_music_vol", "vr_music_vol", "Text_music_vol_power_on"}) wheel(w, c, 1);
            EXPECT_TRUE(same_frame_bytes(gen, before)) << "gen frame after wheeling during the wait";
        },
        2);
    EXPECT_EQ(sent[gen_frame::music_input_sel], 10);
    EXPECT_EQ(w.unit.music_input, 10);
    for (int i = 0; i < 80 && wait.isVisible(); ++i) w.ticks(1);
    EXPECT_FALSE(wait.isVisible());
    EXPECT_TRUE(w.frm->isEnabled());
    EXPECT_EQ(QApplication::focusWidget(), widget_of(w, "key_input(10)")) << "the pressed button keeps the keyboard";
    EXPECT_EQ(w.frm->view().back_color(Ctl{"key_input", 10}), 0xFFFF80u) << "the lit input";
}

// A second unit model, pictured: the controls its capability bytes hide and move (in twips).
TEST(E2eLayout, ASecondModelLaidOutByItsCapabilityBytes) {
    WindowUnderTest w("e2e_layout_model2");
    pictured_unit(w.unit, true);
    show_and_connect(w);
    save_pictures(w, "frm_main_connected_model2", {0, 1, 2});
    for (const ControlRow& row : control_table()) {  // inside their containers where the layout put them
        const QWidget* c = widget_of(w, row.object_name());
        if (c && !c->isWindow()) {
            EXPECT_TRUE(c->parentWidget()->rect().contains(c->geometry())) << row.object_name() << " sticks out";
        }
    }
    MainView& v = w.frm->view();
    const int fl = v.left(Ctl{"Frame_music_input"}), ft = v.top(Ctl{"Frame_music_input"});
    for (auto [c, left, top] : {std::tuple{Ctl{"key_input", 6}, fl + 480, ft + 570},
                                {Ctl{"Frame31", 0}, 1080, 210},
                                {Ctl{"Picture_vol", 0}, 1490, 1560},
                                {Ctl{"Frame_echo_vr", 4}, 2790, 210}}) {
        EXPECT_TRUE(v.visible(c)) << c.str() << " hidden";
        EXPECT_EQ(widget_of(w, c.str())->pos(), QPoint(left / 15, top / 15)) << c.str();
    }
    for (Ctl c : {Ctl{"Check_lock"}, Ctl{"Text_effect_vol_adj_max"}, Ctl{"Frame_reverb_vr", 0}})
        EXPECT_FALSE(v.visible(c)) << c.str() << " shown";
    EXPECT_TRUE(v.visible(Ctl{"Frame_echo_vr", 0})) << "echo level";
}

}  // namespace
}  // namespace tuner::testing
