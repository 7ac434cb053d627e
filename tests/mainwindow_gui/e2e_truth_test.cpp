// What the window shows after an action is what the image and the unit hold.
#include <QAbstractButton>

#include "controls/peq_graph.h"
#include "core/param_file.h"
#include "display/display_colors.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

namespace e = eq_frame;

// A channel switched off stays off through polling, a band edit and a saved and reloaded file.
TEST(E2eTruth, AChannelSwitchedOffStaysOff) {
    WindowUnderTest w("e2e_channel_off");
    show_and_connect(w);
    const AppState& s = w.frm->state();
    PEQ* peq = w.frm->view().peq();
    auto expect_off = [&](const char* when) {
        SCOPED_TRACE(when);
        EXPECT_EQ(s.param_image.eq[0][e::eq_chx_enable], 0) << "image byte 33";
        EXPECT_EQ(w.unit.image.eq[0][e::eq_chx_enable], 0) << "unit's byte 33";
        EXPECT_TRUE(peq->model().bypass_on()) << "no banner over the graph";
        EXPECT_EQ(peq->model().bypass().text, " OFF ") << "banner";
        EXPECT_EQ(w.frm->view().back_color(Ctl{"key_eq_chx_enable"}), kGrey) << "channel button";
    };
    ASSERT_EQ(s.param_image.eq[0][e::eq_chx_enable], 1);
    const FrameImage off = write_after(w, cmd::eq, [&] { click(w, "key_eq_chx_enable"); });
    EXPECT_EQ(off[e::eq_chx_enable], 0) << "sent byte 33";
    w.ticks(40);  // two seconds of polling: every EQ channel read back
    expect_off("after polling");

    const FrameImage edit = write_after(w, cmd::eq, [&] { click(w, "key_eq_type_hs(4)"); });
    EXPECT_EQ(edit[e::eq_chx_enable], 0) << "a band edit must not switch the channel on";
    expect_off("after a band edit");

    const std::string path = app_file("channel_off.ktv");
    w.dialogs.save_answer = path;
    choose(w, "menu_key_save_all_data_to_file");
    const KtvParseState saved = ktv_parse_text(file_bytes(path));
    ASSERT_GE(saved.value_count, 3084) << path;
    EXPECT_EQ(saved.parse_buffer[e::eq_chx_enable], 0) << "byte 33 of channel 0 in the file";

    click(w, "key_eq_chx_enable");  // on again, then the file brings it back off
    w.ticks(4);
    ASSERT_EQ(s.param_image.eq[0][e::eq_chx_enable], 1);
    w.dialogs.open_answer = path;
    choose(w, "menu_key_open_file_to_all_data");
    for (int i = 0; i < 120 && !w.frm->isEnabled(); ++i) w.ticks(1);  // the whole image goes to the unit
    w.ticks(40);
    expect_off("after the file was loaded");
}

// A check box shows its byte after a click that stored nothing; a pre-gain of 0, below the slider's reach:
// slider, box and graph agree, and Up steps from there.
TEST(E2eTruth, CheckBoxesAndAPreGainBelowTheSliderShowTheirBytes) {
    WindowUnderTest w("e2e_check_truth");
    w.unit.image.gen[gen_frame::lock] = 2;  // locked, by a code the box does not write
    w.unit.image.eq[0][e::eq_pre_gain_db_index] = 0;
    show_and_connect(w);
    const AppState& s = w.frm->state();
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

    const int shown = w.frm->view().slider_value(Ctl{"vr_eq_pre_gain_db_index"});
    EXPECT_EQ(s.param_image.eq[0][e::eq_pre_gain_db_index], shown) << "image byte against the slider";
    EXPECT_EQ(text_of(w, "Text_eq_pre_gain_db_index"), "-18.0") << "pre-gain box";
    EXPECT_DOUBLE_EQ(w.frm->view().peq()->model().pre_gain_db(), -18.0) << "graph";
    const FrameImage up = write_after(w, cmd::eq, [&] {
        click(w, "Text_eq_pre_gain_db_index");
        key(w, Qt::Key_Up);
    });
    EXPECT_EQ(up[e::eq_pre_gain_db_index], shown + 1) << "one step up from what is shown";
}

}  // namespace
}  // namespace tuner::testing
