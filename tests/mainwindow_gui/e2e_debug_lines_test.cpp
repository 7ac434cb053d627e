// The debug lines of the link, the protocol and the files in the real window: all of them in lstResults, in the
// order they happen, none in the test panel's two other lists; the panel's three clear buttons; the line cap.
#include <QListWidget>

#include "dialogs/progress_dialog.h"
#include "e2e_input.h"

namespace tuner::testing {
namespace {

const std::string kNotFound = " 没有找到设备。";
const std::string kEepromAck =
    "收到命令为i_hid_cmd_read_write_eeprom_audio_mode 后cpu_to_pc_display_read_eeprom_audio_mode_index=";

QListWidget* list_of(WindowUnderTest& w, const char* name) { return w.frm->registry().get<QListWidget>(name); }

std::vector<std::string> lines_of(QListWidget* list) {
    std::vector<std::string> out;
    for (int i = 0; i < list->count(); ++i) out.push_back(list->item(i)->text().toStdString());
    return out;
}

// The lines a list gained since it held `from` lines.
std::vector<std::string> lines_since(QListWidget* list, std::size_t from) {
    const auto all = lines_of(list);
    return from < all.size() ? std::vector<std::string>(all.begin() + static_cast<std::ptrdiff_t>(from), all.end())
                             : std::vector<std::string>{};
}

// Ten releases on the version line open the test panel with the lists and their clear buttons.
void open_test_panel(WindowUnderTest& w) {
    for (int i = 0; i < 10; ++i) click(w, "Text_software_version");
    ASSERT_TRUE(w.frm->view().visible(Ctl{"Frame_cpu_test"})) << "test panel after ten releases";
}

// A menu command that shows the progress wait, and the ticks until the wait is over and the poll runs again.
void run_menu_command(WindowUnderTest& w, const char* entry) {
    choose(w, entry);
    Wait& wait = w.frm->services().wait_dialog();
    for (int i = 0; i < 6; ++i) w.ticks(1);
    for (int i = 0; i < 60 && wait.model().timer_on(); ++i) w.ticks(1);
    EXPECT_FALSE(wait.model().timer_on()) << entry << ": progress wait still running";
    w.ticks(10);
}

// From start-up without a unit to a lost link: every line where the link, the protocol and the file loader
// write it, each step's lines in their order, and the two other lists left empty.
TEST(E2eDebugLines, EveryLineInTheResultsListInOrder) {
    WindowUnderTest w("e2e_debug_lines");
    w.unit.unplug();
    show_window(w);
    QListWidget* results = list_of(w, "lstResults");
    QListWidget* unit_list = list_of(w, "List_cpu_debug_out_display");
    QListWidget* pc_list = list_of(w, "List_pc_out_data_display");
    ASSERT_NE(results, nullptr);
    ASSERT_NE(unit_list, nullptr);
    ASSERT_NE(pc_list, nullptr);
    EXPECT_EQ(lines_of(results), std::vector<std::string>{}) << "lines after start-up";

    std::size_t from = 0;
    auto step = [&](const std::string& what, const std::vector<std::string>& want, const std::function<void()>& act) {
        from = static_cast<std::size_t>(results->count());
        act();
        EXPECT_EQ(lines_since(results, from), want) << "lines of " << what;
    };

    step("three searches without a unit", {kNotFound, kNotFound, kNotFound}, [&] { w.ticks(3); });
    step("the unit plugged in and connected",
         {"  设备找到了！", " 设备联接成功", "======================hid_buff_rec_cpu_info_pro"}, [&] {
             w.unit.replug("/dev/hidraw4");
             ASSERT_TRUE(w.connect());
             w.ticks(40);  // the whole-state read, its wait and a poll round: no lines
         });
    step("the model and firmware query", {"TX110", "固件版本1.2.3", "音库版本4.5.6"}, [&] {
        w.unit.scripted.push_back(FrameImage{0, 0xA5, 0x5A, 0, 7, 3, 1, 2, 3, 4, 5, 6, 0x16});
        w.frm->display_device_version();
    });
    step("the Bluetooth name sent", {"i_hid_cmd_pc_tx_req_read_wrtie_bt_name  RWS=W"}, [&] {
        click(w, "key_bt_neme(0)");
        w.ticks(6);
    });
    open_test_panel(w);
    step("the test block sent", {"i_hid_pc_tx_cpu_test_cmd  RWS=W"}, [&] {
        enter_value(w, "Text_cpu_test_data(0)", "7");
        w.ticks(6);
    });
    step("a mode saved", {"write eeprom.  MODE========2", kEepromAck},
         [&] { run_menu_command(w, "menu_key_save_all_data_to_cpu_group(2)"); });
    // The recall reads the whole state at once: the reply to the mode frame is never read.
    step("a mode recalled", {"read_eeprom.  MODE========3"},
         [&] { run_menu_command(w, "menu_key_read_all_data_from_cpu_group(3)"); });
    step("the current mode reset", {"RESET eeprom.", kEepromAck},
         [&] { run_menu_command(w, "menu_reset_cpu_audio_mode_0"); });
    step("a parameter file whose effect frame has a wrong end byte",
         {"If (temp_pc.eff.end <> &HFF) Then data_error = 1"}, [&] {
             ParamImage bad = distinct_startup_image();
             bad.eff[hid_frame::end] = 0xFE;
             const std::string path = app_file("bad_end.ktv");
             std::ofstream(path, std::ios::binary) << param_file_text(bad);
             w.dialogs.open_answer = path;
             choose(w, "menu_key_open_file_to_all_data");
             w.ticks(4);
         });
    step("the unit unplugged, then two searches", {"设备 = pc_offline_call", kNotFound, kNotFound}, [&] {
        w.unit.unplug();
        for (int i = 0; i < 12 && link_connected(w.frm->state()); ++i) w.ticks(1);
        ASSERT_FALSE(link_connected(w.frm->state())) << "link after the unplug";
        w.ticks(2);
    });

    EXPECT_EQ(lines_of(unit_list), std::vector<std::string>{}) << "List_cpu_debug_out_display";
    EXPECT_EQ(lines_of(pc_list), std::vector<std::string>{}) << "List_pc_out_data_display";
}

// Each clear button of the test panel empties its own list and leaves the other two.
TEST(E2eDebugLines, EachClearButtonEmptiesItsOwnList) {
    WindowUnderTest w("e2e_debug_clear");
    show_and_connect(w);
    open_test_panel(w);
    const char* names[3] = {"lstResults", "List_cpu_debug_out_display", "List_pc_out_data_display"};
    for (int b = 0; b < 3; ++b) {
        SCOPED_TRACE("Command1(" + std::to_string(b) + ")");
        for (const char* name : names) list_of(w, name)->addItem(QStringLiteral("a line"));
        click(w, "Command1(" + std::to_string(b) + ")");
        for (int l = 0; l < 3; ++l) EXPECT_EQ(list_of(w, names[l])->count(), l == b ? 0 : 1) << names[l];
        for (const char* name : names) list_of(w, name)->clear();
    }
}

// A search that never finds the unit adds a line every half second for as long as it runs: the list keeps the
// newest lines up to its cap and drops the oldest first.
TEST(E2eDebugLines, TheResultsListKeepsTheNewestLinesUpToItsCap) {
    WindowUnderTest w("e2e_debug_cap");
    w.unit.unplug();
    show_window(w);
    QListWidget* results = list_of(w, "lstResults");
    w.ticks(5);
    for (int i = 0; i < kDebugListMaxLines - 1; ++i) w.frm->services().debug_line("line " + std::to_string(i));
    ASSERT_EQ(results->count(), kDebugListMaxLines) << "lines kept";
    EXPECT_EQ(results->item(0)->text().toStdString(), kNotFound) << "oldest line kept: the fifth search";
    EXPECT_EQ(results->item(1)->text().toStdString(), "line 0") << "second oldest line";
    w.ticks(1);
    ASSERT_EQ(results->count(), kDebugListMaxLines) << "lines kept after one more search";
    EXPECT_EQ(results->item(0)->text().toStdString(), "line 0") << "oldest line kept";
    EXPECT_EQ(results->item(kDebugListMaxLines - 1)->text().toStdString(), kNotFound) << "newest line";
    EXPECT_EQ(list_of(w, "List_cpu_debug_out_display")->count(), 0) << "List_cpu_debug_out_display";
    EXPECT_EQ(list_of(w, "List_pc_out_data_display")->count(), 0) << "List_pc_out_data_display";

    // The lines came while the test panel was hidden; opened, it shows the newest, and goes on following them.
    auto in_view = [&](int row) {
        return results->viewport()->rect().intersects(results->visualItemRect(results->item(row)));
    };
    open_test_panel(w);
    EXPECT_TRUE(in_view(kDebugListMaxLines - 1)) << "newest line in view when the panel opens";
    EXPECT_FALSE(in_view(0)) << "oldest line in view when the panel opens";
    w.frm->services().debug_line("after opening");
    QCoreApplication::processEvents();
    EXPECT_TRUE(in_view(kDebugListMaxLines - 1)) << "newest line in view on the open panel";
    EXPECT_EQ(results->item(kDebugListMaxLines - 1)->text().toStdString(), "after opening") << "newest line";
}

// With the test panel open and the list far below its cap, each new line of the search is scrolled into view as it
// comes.
TEST(E2eDebugLines, TheOpenPanelShowsEachNewLineBelowTheCap) {
    WindowUnderTest w("e2e_debug_follow");
    w.unit.unplug();
    show_window(w);
    open_test_panel(w);
    QListWidget* results = list_of(w, "lstResults");
    auto in_view = [&](int row) {
        return results->viewport()->rect().intersects(results->visualItemRect(results->item(row)));
    };
    for (int search = 1; search <= 40; ++search) {
        w.ticks(1);
        ASSERT_EQ(results->count(), search) << "lines after search " << search;
        EXPECT_TRUE(in_view(search - 1)) << "newest line in view after search " << search;
    }
    EXPECT_FALSE(in_view(0)) << "oldest line in view after 40 searches (the list overflowed)";
}

}  // namespace
}  // namespace tuner::testing
