// The Bluetooth name through the unit and through a text file, and the
// audio-mode dialog opened from the menu, end to end.
#include <filesystem>
#include <fstream>
#include <iterator>

#include <QCheckBox>

#include "buttons/qb_buttons_h.h"
#include "dialogs/audio_mode_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

// Text typed as the keyboard delivers it (any characters, one key each).
void type_text(WindowUnderTest& w, const QString& text) {
    for (QChar ch : text) QTest::sendKeyEvent(QTest::Click, handle(w), Qt::Key_unknown, QString(ch), {});
    QCoreApplication::processEvents();
}

std::string file_bytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

TEST(E2eBtName, UpdataSendsTheUtf8NameAndTheUnitsNameShows) {
    WindowUnderTest w("e2e_bt_unit");
    show_and_connect(w);
    EXPECT_EQ(text_of(w, "Text_read_cpu_bt_name"), "Unit Name");
    click(w, "Text_bt_file_name_change(1)");
    key(w, Qt::Key_End);
    for (int i = 0; i < 40; ++i) key(w, Qt::Key_Backspace);
    const std::string name = "Bühne 蓝牙";
    type_text(w, QString::fromStdString(name));
    ASSERT_EQ(text_of(w, "Text_bt_file_name_change", 1), name);
    const std::size_t from = w.unit.received.size();
    click(w, "key_bt_neme(0)");
    w.ticks(4);
    const auto frames = writes_of(w.unit, cmd::bt_name, from);
    ASSERT_EQ(frames.size(), 1u);
    for (std::size_t i = 0; i < 40; ++i)
        EXPECT_EQ(frames[0][hid_frame::payload + i], i < name.size() ? static_cast<uint8_t>(name[i]) : 0) << i;
    // The poll reads the unit's new name back into the window.
    w.ticks(40);
    EXPECT_EQ(text_of(w, "Text_read_cpu_bt_name"), name);
    EXPECT_EQ(w.settings.get(kSettingsApp, kSettingsSection, "Bt_Name").value_or(""), name);
}

TEST(E2eBtName, ExportAndImportThroughATextFile) {
    WindowUnderTest w("e2e_bt_file");
    show_window(w);
    w.frm->services().show_test_panel(true);
    QCoreApplication::processEvents();
    const std::string dir = app_dir();
    const std::string out = dir + "/name_out.txt", in = dir + "/name_in.txt";
    click(w, "Text_bt_file_name_change(1)");
    key(w, Qt::Key_End);
    for (int i = 0; i < 40; ++i) key(w, Qt::Key_Backspace);
    type_text(w, QString::fromUtf8("Hall Ä"));
    w.dialogs.save_answer = out;
    click(w, "key_bt_neme(2)");
    EXPECT_EQ(file_bytes(out), "\xEF\xBB\xBF" + std::string("Hall Ä") + "\r\n");

    std::ofstream(in, std::ios::binary) << "\xEF\xBB\xBF"
                                        << "Imported 名"
                                        << "\r\nsecond line\r\n";
    w.dialogs.open_answer = in;
    click(w, "key_bt_neme(1)");
    EXPECT_EQ(w.frm->state().Bt_Name, "Imported 名");
    EXPECT_EQ(text_of(w, "Text_bt_file_name_change", 1), "Imported 名");
    EXPECT_TRUE(w.messages.empty());
}

TEST(E2eAudioMode, TheDialogFromTheMenuSendsAPresetAndGivesTheWindowBack) {
    WindowUnderTest w("e2e_audio_mode");
    show_and_connect(w);
    choose(w, "menu_cpu_audio_mode_set");
    AudioModeDialog* d = w.frm->services().audio_mode_dialog();
    ASSERT_NE(d, nullptr);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    EXPECT_FALSE(w.frm->isEnabled());
    EXPECT_TRUE(d->isEnabled());
    // The boxes show the unit's flags.
    for (int i = 0; i < 40; ++i) EXPECT_EQ(d->Check_audio_mode_config(i)->isChecked(), i % 3 == 0) << i;

    // A preset button clicked in the dialog.
    const std::size_t from = w.unit.received.size();
    qbButtons_H* preset = d->key_audio_mode_all_on_off(kSimpleMode);
    QTest::mouseClick(d->windowHandle(), Qt::LeftButton, {}, preset->mapTo(d, preset->rect().center()));
    QCoreApplication::processEvents();
    w.ticks(4);
    const auto frames = writes_of(w.unit, cmd::audio_mode_config, from);
    ASSERT_EQ(frames.size(), 1u);
    const auto flags = audio_mode_preset_flags(kSimpleMode);
    for (std::size_t i = 0; i < flags.size(); ++i) EXPECT_EQ(frames[0][hid_frame::payload + i], flags[i]) << i;
    EXPECT_TRUE(std::equal(flags.begin(), flags.end(), w.unit.audio_mode_config.begin()));
    for (int i = 0; i < 40; ++i) EXPECT_EQ(d->Check_audio_mode_config(i)->isChecked(), flags[i] != 0) << i;

    // A box ticked by hand is one flag more.
    const std::size_t from2 = w.unit.received.size();
    QCheckBox* box = d->Check_audio_mode_config(5);
    const bool was = box->isChecked();
    QTest::mouseClick(d->windowHandle(), Qt::LeftButton, {}, box->mapTo(d, QPoint(7, box->height() / 2)));
    w.ticks(4);
    const auto frames2 = writes_of(w.unit, cmd::audio_mode_config, from2);
    ASSERT_EQ(frames2.size(), 1u);
    EXPECT_EQ(frames2[0][hid_frame::payload + 5], was ? 0 : 1);

    d->close();
    QCoreApplication::processEvents();
    EXPECT_FALSE(d->isVisible());
    EXPECT_TRUE(w.frm->isEnabled());
    EXPECT_TRUE(QTest::qWaitForWindowActive(w.frm.get()));  // the keyboard is back in the window
}

}  // namespace
}  // namespace tuner::testing
