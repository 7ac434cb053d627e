// The menu bar end to end: mode recall, save and reset reach the unit as
// the exact EEPROM frames, the progress dialog runs and ends with a full
// redraw, the unit-ready guard holds, and the language entry re-captions
// the window and its title in both languages.
#include "dialogs/progress_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

// The payload of an EEPROM frame: the base row (zero, bytes 9 and 11 at FF) with the given bytes.
void expect_eeprom_frame(const FrameImage& f, std::map<std::size_t, uint8_t> bytes) {
    EXPECT_EQ(f[hid_frame::command], cmd::eeprom_mode);
    EXPECT_EQ(f[hid_frame::RWS], rws::W);
    EXPECT_EQ(f[hid_frame::end], hid_frame::end_byte);
    EXPECT_TRUE(std::equal(std::begin(hid_frame::start_code_bytes), std::end(hid_frame::start_code_bytes),
                           f.begin() + hid_frame::start_code));
    bytes.try_emplace(9, 0xFF);
    bytes.try_emplace(11, 0xFF);
    for (std::size_t i = hid_frame::payload; i <= hid_frame::payload_end; ++i) {
        const auto it = bytes.find(i);
        EXPECT_EQ(f[i], it == bytes.end() ? 0 : it->second) << "byte " << i;
    }
}

TEST(E2eMenus, RecallMode3SendsTheExactFrameAndShowsTheMode) {
    WindowUnderTest w("e2e_recall");
    w.unit.eeprom_modes[2].gen[gen_frame::music_vol] = 7;
    show_and_connect(w);
    const std::size_t from = w.unit.received.size();
    choose(w, "menu_key_read_all_data_from_cpu_group(3)");
    EXPECT_EQ(w.frm->state().mode_recall_req, 3);
    w.ticks(40);
    const auto frames = writes_of(w.unit, cmd::eeprom_mode, from);
    ASSERT_EQ(frames.size(), 1u);
    expect_eeprom_frame(frames[0], {{10, 1}, {11, 3}});
    EXPECT_EQ(w.unit.mode_index, 3);
    MainView& v = w.frm->view();
    EXPECT_EQ(v.text(Ctl{"Text_music_vol"}), "7");
    for (int m = 1; m <= 16; ++m)
        EXPECT_EQ(v.value(Ctl{"menu_key_read_all_data_from_cpu_group", m}), m == 3 ? 1 : 0) << "mode " << m;
}

TEST(E2eMenus, SaveModeRunsTheProgressDialogAndEndsWithAFullRedraw) {
    WindowUnderTest w("e2e_save");
    show_and_connect(w);
    const std::size_t from = w.unit.received.size();
    choose(w, "menu_key_save_all_data_to_cpu_group(16)");
    w.ticks(1);
    const auto frames = writes_of(w.unit, cmd::eeprom_mode, from);
    ASSERT_EQ(frames.size(), 1u);
    expect_eeprom_frame(frames[0], {{8, 1}, {9, 16}});
    Wait& wait = w.frm->services().wait_dialog();
    EXPECT_TRUE(wait.isVisible());
    EXPECT_FALSE(w.frm->isEnabled());
    EXPECT_EQ(w.frm->state().wait_busy, -1);

    // A control drawn wrong behind the display's back is put right only by a full redraw.
    w.frm->view().set_text(Ctl{"Text_echo_a_vol"}, "junk");
    for (int i = 0; i < 60 && wait.isVisible(); ++i) w.ticks(1);
    EXPECT_FALSE(wait.isVisible());
    EXPECT_TRUE(w.frm->isEnabled());
    EXPECT_EQ(w.frm->state().wait_busy, 0);
    EXPECT_EQ(w.frm->view().text(Ctl{"Text_echo_a_vol"}),
              std::to_string(w.frm->state().param_image.eff[eff_frame::echo_a_vol]));
    EXPECT_EQ(w.unit.mode_index, 16);
}

TEST(E2eMenus, ResetsSendTheirFlagsAndTheWindowShowsTheUnitsState) {
    WindowUnderTest w("e2e_reset");
    show_and_connect(w);
    w.unit.image.eff[eff_frame::echo_a_vol] = 3;
    w.ticks(40);
    ASSERT_EQ(text_of(w, "Text_echo_a_vol"), "3");
    ASSERT_NE(SimulatedUnit::factory_image().eff[eff_frame::echo_a_vol], 3);
    std::size_t from = w.unit.received.size();
    choose(w, "menu_reset_cpu_audio_mode_0");
    w.ticks(1);
    auto frames = writes_of(w.unit, cmd::eeprom_mode, from);
    ASSERT_EQ(frames.size(), 1u);
    expect_eeprom_frame(frames[0], {{15, 1}});
    for (int i = 0; i < 60 && w.frm->services().wait_dialog().isVisible(); ++i) w.ticks(1);
    w.ticks(40);
    EXPECT_EQ(text_of(w, "Text_echo_a_vol"), std::to_string(SimulatedUnit::factory_image().eff[eff_frame::echo_a_vol]));

    from = w.unit.received.size();
    choose(w, "menu_reset_cpu_audio_mode_all");
    w.ticks(6);
    frames = writes_of(w.unit, cmd::eeprom_mode, from);
    ASSERT_EQ(frames.size(), 1u);
    expect_eeprom_frame(frames[0], {{17, 1}});
}

TEST(E2eMenus, AUnitThatIsNotReadyTakesNoModeCommand) {
    WindowUnderTest w("e2e_guard");
    show_and_connect(w);
    w.unit.music_input = 1;  // waiting
    w.ticks(20);
    ASSERT_EQ(w.frm->state().cpu_state.cpu_music_input, 1);
    const std::size_t from = w.unit.received.size();
    for (const char* entry :
         {"menu_key_read_all_data_from_cpu_group(3)", "menu_key_save_all_data_to_cpu_group(2)",
          "menu_reset_cpu_audio_mode_0", "menu_reset_cpu_audio_mode_all", "menu_cpu_audio_mode_set"})
        choose(w, entry);
    w.ticks(20);
    EXPECT_TRUE(writes_of(w.unit, cmd::eeprom_mode, from).empty());
    EXPECT_EQ(w.frm->state().mode_recall_req, kNoRequest);
    EXPECT_TRUE(w.frm->isEnabled());
    auto* dialog = w.frm->services().audio_mode_dialog();
    EXPECT_TRUE(dialog == nullptr || !dialog->isVisible());

    // Ready again: the same entry works.
    w.unit.music_input = 6;
    w.ticks(20);
    choose(w, "menu_key_read_all_data_from_cpu_group(3)");
    w.ticks(4);
    EXPECT_EQ(writes_of(w.unit, cmd::eeprom_mode, from).size(), 1u);
}

void write_config(const std::string& dir) {
    std::ofstream(dir + "/config.ini", std::ios::binary) << "0\r\n调音台\r\nTuning Desk\r\n"
                                                         << kConfigCheckText << "\r\n";
}

TEST(E2eMenus, TheLanguageEntryRecaptionsTheWindowBothWays) {
    WindowUnderTest w("e2e_language", write_config);
    show_window(w);
    MainView& v = w.frm->view();
    ASSERT_TRUE(v.visible(Ctl{"menu_key_language"}));
    ASSERT_EQ(w.frm->state().Language, 0);  // no stored choice yet
    EXPECT_EQ(w.frm->windowTitle().toStdString(), "调音台");

    choose(w, "menu_key_language");
    EXPECT_EQ(w.frm->state().Language, 1);
    EXPECT_EQ(w.frm->windowTitle().toStdString(), "Tuning Desk");
    EXPECT_EQ(v.text(Ctl{"menu_key_open_file_to_all_data"}), " Open File ");
    EXPECT_EQ(v.text(Ctl{"menu_key_language"}), "  中文  ");
    EXPECT_EQ(w.settings.get(kSettingsApp, kSettingsSection, "Language").value_or(""), "1");

    choose(w, "menu_key_language");
    EXPECT_EQ(w.frm->state().Language, 0);
    EXPECT_EQ(w.frm->windowTitle().toStdString(), "调音台");
    EXPECT_EQ(v.text(Ctl{"menu_key_open_file_to_all_data"}), "   打开文件   ");
    EXPECT_EQ(v.text(Ctl{"menu_key_read_all_data_from_cpu_group", 4}), "模式 4");
    EXPECT_EQ(v.text(Ctl{"menu_key_language"}), " English ");
    EXPECT_EQ(v.text(Ctl{"key_input", 6}), "蓝牙");
    EXPECT_EQ(w.settings.get(kSettingsApp, kSettingsSection, "Language").value_or(""), "0");

    choose(w, "menu_key_language");
    EXPECT_EQ(w.frm->state().Language, 1);
    EXPECT_EQ(w.frm->windowTitle().toStdString(), "Tuning Desk");
    EXPECT_EQ(v.text(Ctl{"menu_key_open_file_to_all_data"}), " Open File ");
    EXPECT_EQ(v.text(Ctl{"menu_key_read_all_data_from_cpu_group", 4}), "Mode 4");
    EXPECT_EQ(v.text(Ctl{"menu_key_language"}), "  中文  ");
    EXPECT_EQ(v.text(Ctl{"key_input", 6}), "BT");
}

}  // namespace
}  // namespace tuner::testing
