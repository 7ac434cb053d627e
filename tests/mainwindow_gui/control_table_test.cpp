// The control table: every name once, every container present before its
// controls, every control inside its container, and the counts of each
// kind that the window's rules, captions and display address.
#include <map>
#include <set>

#include <gtest/gtest.h>

#include "mainwindow/control_table.h"

namespace tuner {
namespace {

// Width and height of a container: the client area, a row, or a tab page (the strip).
std::pair<int, int> container_size(const ControlRow& row, const std::map<std::string, const ControlRow*>& seen) {
    if (row.container.empty()) return {kClientWidthTwips, kClientHeightTwips};
    auto it = seen.find(row.container_object_name());
    if (it == seen.end() && row.container_index >= 0) it = seen.find(row.container);  // a tab page
    if (it == seen.end()) return {-1, -1};
    return {it->second->width, it->second->height};
}

TEST(ControlTable, NamesAreUniqueAndContainersComeFirst) {
    std::map<std::string, const ControlRow*> seen;
    for (const ControlRow& row : control_table()) {
        EXPECT_TRUE(seen.emplace(row.object_name(), &row).second) << "twice: " << row.object_name();
        if (row.kind == ControlKind::MenuItem || row.kind == ControlKind::MenuSeparator ||
            row.kind == ControlKind::MenuGroup) {
            if (!row.container.empty()) {
                EXPECT_EQ(seen.at(row.container)->kind, ControlKind::MenuGroup) << row.object_name();
            }
            continue;
        }
        const auto [w, h] = container_size(row, seen);
        ASSERT_GE(w, 0) << row.object_name() << " in missing container " << row.container_object_name();
        EXPECT_GE(row.left, 0) << row.object_name();
        EXPECT_GE(row.top, 0) << row.object_name();
        EXPECT_LE(row.left + row.width, w) << row.object_name() << " sticks out of " << row.container_object_name();
        EXPECT_LE(row.top + row.height, h) << row.object_name() << " sticks out of " << row.container_object_name();
        EXPECT_GT(row.width, 0) << row.object_name();
        EXPECT_GT(row.height, 0) << row.object_name();
    }
}

TEST(ControlTable, CountsOfEachKind) {
    std::map<ControlKind, int> count;
    for (const ControlRow& row : control_table()) ++count[row.kind];
    EXPECT_EQ(count[ControlKind::TextBox] + count[ControlKind::NumericBox], 82);
    EXPECT_EQ(count[ControlKind::Slider], 43);
    EXPECT_EQ(count[ControlKind::Button], 103);
    EXPECT_EQ(count[ControlKind::CheckBox], 19);
    EXPECT_EQ(count[ControlKind::OptionButton], 4);
    EXPECT_EQ(count[ControlKind::Peq], 1);
    EXPECT_EQ(count[ControlKind::Limiter], 1);
    EXPECT_EQ(count[ControlKind::TabStrip], 2);
    EXPECT_EQ(count[ControlKind::ListBox], 3);
    EXPECT_EQ(count[ControlKind::MenuGroup] + count[ControlKind::MenuItem] + count[ControlKind::MenuSeparator], 46);
}

TEST(ControlTable, NamedControlsOfTheWindow) {
    const char* names[] = {"PEQ",
                           "Limiter_drc",
                           "ucXTab1",
                           "ucXTab_main_vol",
                           "lstResults",
                           "List_cpu_debug_out_display",
                           "List_pc_out_data_display",
                           "Frame_all_1(3)",
                           "Frame_all_1(5)",
                           "Frame_all_1(10)",
                           "Frame_all_1(15)",
                           "Frame_cpu_test",
                           "Frame_Run_Test_Mode",
                           "Picture_LED_1_ON_1(0)",
                           "Picture_LED_1_OFF_1(0)",
                           "Picture_LED_1_OFF_2(0)",
                           "Picture_power_off_tishi(0)",
                           "Text_software_version",
                           "Display_Connect_State",
                           "Picture_logo",
                           "Label_logo_text",
                           "Text_vr_error_cou",
                           "Frame31(0)",
                           "Frame_music_input",
                           "Picture_mic_eff_echo_p(15)",
                           "Picture_mic_1_mic_exciter",
                           "Frame_mic_1_mic_exciter",
                           "menu_key_read_all_data_from_cpu_group(3)",
                           "menu_key_save_all_data_to_cpu_group(16)",
                           "Menu_About",
                           "menu_key_language",
                           "Text_bt_file_name_change(1)",
                           "text_echo_reverb_bili",
                           "Option_VC_Mode(3)",
                           "key_input(19)",
                           "key_mic_fbx(6)",
                           "Command1(2)",
                           "key_power_bit(2)",
                           "Check_eq_x_enable(9)"};
    for (const char* n : names) EXPECT_NE(find_control_row(n), nullptr) << n;
    for (int i = 0; i < 10; ++i) {
        for (const char* n :
             {"Picture_eqx", "vr_eq_db", "vr_eq_freq", "Text_eq_db", "Text_eq_freq", "Text_eq_q", "key_eq_type_peq",
              "key_eq_type_ls", "key_eq_type_hs", "key_eq_type_lp", "key_eq_type_hp", "Text_cpu_test_data"}) {
            const auto* row = find_control_row(std::string(n) + "(" + std::to_string(i) + ")");
            ASSERT_NE(row, nullptr) << n << "(" << i << ")";
            if (std::string(n) != "Picture_eqx" && std::string(n) != "Text_cpu_test_data") {
                EXPECT_EQ(row->container_object_name(), "Picture_eqx(" + std::to_string(i) + ")");
            }
        }
    }
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(find_control_row("key_input(" + std::to_string(i) + ")")->container, "Frame_music_input");
}

// The per-model layout moves controls to fixed twips inside their
// containers; the containers leave room for every place it uses.
TEST(ControlTable, ContainersHoldTheModelPositions) {
    auto fits = [](const char* name, int left, int top) {
        const ControlRow* row = find_control_row(name);
        const ControlRow* box = find_control_row(row->container_object_name());
        ASSERT_NE(box, nullptr) << name;
        EXPECT_LE(left + row->width, box->width) << name << " at " << left;
        EXPECT_LE(top + row->height, box->height) << name << " at " << top;
    };
    const ControlRow* in = find_control_row("Frame_music_input");
    // The button offsets count from the frame's own position.
    for (int off_x : {90, 480, 1260, 2010, 2430})
        for (int off_y : {240, 570, 900}) fits("key_input(6)", in->left + off_x, in->top + off_y);
    for (int l : {120, 420, 1050, 1490, 1920}) fits("Picture_vol(0)", l, 1560);
    for (int l : {30, 720, 1410, 2100, 2790, 120, 970, 1820, 2670}) {
        fits("Frame_echo_vr(0)", l, 210);
        fits("Frame_reverb_vr(0)", l, 210);
    }
    fits("Frame31(0)", 1620, 210);
    fits("Frame31(0)", 1080, 210);
    fits("Display_Connect_State", 1200, 750);
    fits("Display_Connect_State", 690, 750);
    fits("Text_mic_vol_adj_max", 400, 0);
    fits("Text_music_vol_adj_max", 1740, 0);
    fits("Label_vol_control(4)", 1890, 0);
}

}  // namespace
}  // namespace tuner
