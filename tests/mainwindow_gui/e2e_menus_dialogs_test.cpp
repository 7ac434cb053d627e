// The menus, the audio-mode dialog and the Bluetooth name tools end to end.
#include <QCheckBox>

#include <gmock/gmock.h>

#include "buttons/qb_buttons_h.h"
#include "dialogs/audio_mode_dialog.h"
#include "dialogs/progress_dialog.h"
#include "e2e_input.h"
#include "platform/ole_color.h"

namespace tuner::testing {
namespace {

// The payload of an EEPROM frame: the base row (zero, bytes 9 and 11 at FF) with the given bytes.
void expect_eeprom_frame(const FrameImage& f, std::map<std::size_t, uint8_t> bytes) {
    bytes.try_emplace(9, 0xFF), bytes.try_emplace(11, 0xFF);
    FrameImage want = f;
    std::fill(want.begin() + hid_frame::payload, want.begin() + hid_frame::payload_end + 1, 0);
    for (auto [i, b] : bytes) want[i] = b;
    EXPECT_TRUE(same_frame_bytes(f, want)) << "EEPROM mode frame";
}

void write_config(const std::string& dir) {
    std::ofstream(dir + "/config.ini", std::ios::binary) << "0\r\n调音台\r\nTuning Desk\r\n"
                                                         << kConfigCheckText << "\r\n";
}

// Recall and save of the first and the last mode and the two resets behind their progress waits: the exact frame,
// then the unit's state shown.
TEST(E2eMenus, ModeCommandsAndLanguage) {
    WindowUnderTest w("e2e_modes", write_config);
    w.unit.eeprom_modes[2].gen[gen_frame::music_vol] = 7;
    w.unit.eeprom_modes[2].eff[eff_frame::echo_a_vol] = 3;
    show_and_connect(w);
    MainView& v = w.frm->view();
    Wait& wait = w.frm->services().wait_dialog();
    std::size_t from = 0;
    auto start = [&](const char* entry) {
        from = w.unit.received.size();
        choose(w, entry);
        for (int i = 0; i < 6 && writes_of(w.unit, cmd::eeprom_mode, from).empty(); ++i) w.ticks(1);
    };
    auto finish = [&](std::map<std::size_t, uint8_t> bytes) {
        for (int i = 0; i < 60 && wait.isVisible(); ++i) w.ticks(1);
        EXPECT_FALSE(wait.isVisible()) << "progress wait still shown";
        w.ticks(40);
        const auto frames = writes_of(w.unit, cmd::eeprom_mode, from);
        ASSERT_EQ(frames.size(), 1u) << "mode frames sent";
        expect_eeprom_frame(frames[0], bytes);
    };
    auto marked = [&](int mode) {
        for (int m = 1; m <= 16; ++m)
            EXPECT_EQ(v.value(Ctl{"menu_key_read_all_data_from_cpu_group", m}), m == mode ? 1 : 0) << "mode " << m;
    };
    start("menu_key_read_all_data_from_cpu_group(1)");
    finish({{10, 1}, {11, 1}});
    start("menu_key_read_all_data_from_cpu_group(3)");
    finish({{10, 1}, {11, 3}});
    EXPECT_EQ(v.text(Ctl{"Text_music_vol"}), "7");
    marked(3);
    // The check mark stays with the mode the unit reports, not the one chosen.
    from = w.unit.received.size();
    choose(w, "menu_key_read_all_data_from_cpu_group(16)");
    marked(3);
    finish({{10, 1}, {11, 16}});
    marked(16);

    start("menu_key_save_all_data_to_cpu_group(16)");
    EXPECT_FALSE(w.frm->isEnabled()) << "window during the save";
    finish({{8, 1}, {9, 16}});
    start("menu_key_save_all_data_to_cpu_group(1)");
    finish({{8, 1}, {9, 1}});

    start("menu_reset_cpu_audio_mode_0");
    finish({{15, 1}});
    EXPECT_EQ(text_of(w, "Text_echo_a_vol"), std::to_string(SimulatedUnit::factory_image().eff[eff_frame::echo_a_vol]));
    start("menu_reset_cpu_audio_mode_all");
    finish({{17, 1}});

    // The language entry re-captions the title and the menus both ways (the pictures hold the rest in both languages).
    ASSERT_EQ(w.frm->state().Language, 0);  // no stored choice yet
    for (const auto& [language, want] : std::vector<std::pair<int, std::vector<std::string>>>{
             {1, {"Tuning Desk", " Open File ", "  中文  "}}, {0, {"调音台", "   打开文件   ", " English "}}}) {
        SCOPED_TRACE("language " + std::to_string(language));
        choose(w, "menu_key_language");
        EXPECT_EQ(w.frm->windowTitle().toStdString(), want[0]) << "window title";
        EXPECT_EQ(v.text(Ctl{"menu_key_open_file_to_all_data"}), want[1]);
        EXPECT_EQ(v.text(Ctl{"menu_key_language"}), want[2]);
    }
}

// Clears the name box and types a name as the keyboard delivers it (any characters, one key each).
void type_name(WindowUnderTest& w, const std::string& name) {
    click(w, "Text_bt_file_name_change(1)");
    key(w, Qt::Key_End);
    for (int i = 0; i < 40; ++i) key(w, Qt::Key_Backspace);
    for (QChar ch : QString::fromStdString(name))
        QTest::sendKeyEvent(QTest::Click, handle(w), Qt::Key_unknown, QString(ch), {});
    QCoreApplication::processEvents();
    ASSERT_EQ(text_of(w, "Text_bt_file_name_change", 1), name);
}

// A typed name goes to the unit and is read back, the box takes 40 characters. The audio-mode dialog from the menu
// shows the unit's flags, a box and a preset send the block; the window comes back once the dialog and any wait are
// gone; one About box.
TEST(E2eBtNameAndAudioMode, NameDialogWaitAndAbout) {
    WindowUnderTest w("e2e_audio_mode");
    w.unit.audio_mode_config[7] = 2;  // a value the box shows cleared
    show_and_connect(w);
    const std::string name = "Bühne 蓝牙";
    type_name(w, name);
    QWidget* edit = widget_of(w, "Text_bt_file_name_change(1)");
    EXPECT_EQ(edit->palette().color(QPalette::Text), to_qcolor(0x404040)) << "dark grey text while edited";
    const auto sent = write_after(w, cmd::bt_name, [&] { click(w, "key_bt_neme(0)"); });
    const auto* payload = sent.data() + hid_frame::payload;
    EXPECT_EQ(std::string(payload, payload + 40), name + std::string(40 - name.size(), '\0'));
    w.ticks(40);  // the poll reads the new name back
    EXPECT_EQ(text_of(w, "Text_read_cpu_bt_name"), name);
    EXPECT_EQ(w.settings.get(kSettingsApp, kSettingsSection, "Bt_Name").value_or(""), name);
    type_name(w, std::string(40, 'N'));
    type(w, "X");
    EXPECT_EQ(text_of(w, "Text_bt_file_name_change", 1), std::string(40, 'N')) << "a 41st character typed";

    choose(w, "menu_cpu_audio_mode_set");
    AudioModeDialog* d = w.frm->services().audio_mode_dialog();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    EXPECT_FALSE(w.frm->isEnabled()) << "window behind the dialog";
    for (int i = 0; i < 40; ++i) EXPECT_EQ(d->Check_audio_mode_config(i)->isChecked(), i % 3 == 0) << "box " << i;

    auto release = [&](QWidget* c, QPoint at) {  // the blocks a click on the dialog sent
        return writes_after(w, cmd::audio_mode_config, [&] {
            QTest::mouseClick(d->windowHandle(), Qt::LeftButton, {}, c->mapTo(d, at));
            QCoreApplication::processEvents();
        });
    };
    QCheckBox* box = d->Check_audio_mode_config(7);
    const auto ticked = release(box, QPoint(7, box->height() / 2));
    ASSERT_EQ(ticked.size(), 1u) << "blocks sent for box 7";
    EXPECT_EQ(ticked[0][hid_frame::payload + 7], 1) << "flag 7 sent";
    EXPECT_EQ(w.frm->state().audio_mode_config[7], 1) << "flag 7 stored";
    EXPECT_TRUE(box->isChecked()) << "box 7";
    qbButtons_H* preset = d->key_audio_mode_all_on_off(kSimpleMode);
    const auto frames = release(preset, preset->rect().center());
    ASSERT_EQ(frames.size(), 1u) << "blocks sent for the preset";
    const auto flags = audio_mode_preset_flags(kSimpleMode);
    const auto* sent_flags = frames[0].data() + hid_frame::payload;
    EXPECT_THAT(std::vector<uint8_t>(sent_flags, sent_flags + flags.size()), ::testing::ElementsAreArray(flags))
        << "flags sent";
    for (int i = 0; i < 40; ++i) EXPECT_EQ(d->Check_audio_mode_config(i)->isChecked(), flags[i] != 0) << "box " << i;

    Wait& wait = w.frm->services().wait_dialog();
    auto wait_out = [&] {
        for (int i = 0; i < 40 && wait.model().timer_on(); ++i) w.ticks(1);
    };
    w.frm->services().display_wait_1s();
    wait_out();
    EXPECT_FALSE(w.frm->isEnabled()) << "window with the dialog open";
    w.frm->services().display_wait_1s();
    d->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(d->isVisible()) << "dialog after closing";
    EXPECT_FALSE(w.frm->isEnabled()) << "window while a wait runs";
    wait_out();
    EXPECT_TRUE(w.frm->isEnabled()) << "window after both";
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.frm.get()));  // the keyboard is back in the window

    auto boxes = [] {
        const auto all = QApplication::topLevelWidgets();
        return std::count_if(all.begin(), all.end(),
                             [](QWidget* t) { return t->objectName() == "About" && t->isVisible(); });
    };
    for (int i = 0; i < 3; ++i) choose(w, "Menu_About");
    EXPECT_EQ(boxes(), 1);
}

}  // namespace
}  // namespace tuner::testing
