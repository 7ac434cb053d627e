#include "mainwindow/control_table.h"

#include <unordered_map>

namespace tuner {

namespace table_build {

ControlRow& Rows::add(ControlKind kind, std::string name, int index, std::string container, int container_index, int x,
                      int y, int w, int h, std::string caption, int flags) {
    ControlRow r;
    r.name = std::move(name);
    r.index = index;
    r.kind = kind;
    r.area = area;
    r.container = std::move(container);
    r.container_index = container_index;
    r.left = x * 15;
    r.top = y * 15;
    r.width = w * 15;
    r.height = h * 15;
    r.caption = std::move(caption);
    r.flags = flags;
    out.push_back(std::move(r));
    return out.back();
}

// The main panel (everything the unit's readiness enables) and the standby notice over it.
void add_window_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Window};
    using K = ControlKind;
    r.add(K::Frame, "Frame_all_1", 0, "", -1, 0, 0, 1264, 576, "", kFlat);
}

void add_menu_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Menus};
    using K = ControlKind;
    auto item = [&](const char* name, int index, const char* parent, const char* caption, int flags = 0) {
        r.add(K::MenuItem, name, index, parent, -1, 0, 0, 0, 0, caption, flags);
    };
    auto group = [&](const char* name, const char* caption) {
        r.add(K::MenuGroup, name, -1, "", -1, 0, 0, 0, 0, caption);
    };
    item("menu_key_open_file_to_all_data", -1, "", " Open File ");
    item("menu_key_save_all_data_to_file", -1, "", " Save File ");
    group("menu_key_open_cpu_all_data_mode", " Recall Mode ");
    for (int i = 1; i <= 16; ++i)
        item("menu_key_read_all_data_from_cpu_group", i, "menu_key_open_cpu_all_data_mode",
             ("Mode " + std::to_string(i)).c_str());
    group("menu_save_all_data_to_cpu", " Save Mode ");
    for (int i = 1; i <= 16; ++i)
        item("menu_key_save_all_data_to_cpu_group", i, "menu_save_all_data_to_cpu",
             ("Mode " + std::to_string(i)).c_str());
    group("menu_system_set", "  System Setup  ");
    item("menu_reset_cpu_audio_mode_0", -1, "menu_system_set", "Reset Current State ");
    item("menu_reset_cpu_audio_mode_all", -1, "menu_system_set", "Reset All Mode");
    item("menu_cpu_audio_mode_set", -1, "menu_system_set", "Mode Setting");
    group("menu_key_help", "Help");
    item("Menu_About", -1, "menu_key_help", "About...");
    r.add(K::MenuSeparator, "menu_help_separator", -1, "menu_key_help", -1, 0, 0, 0, 0, "-");
    item("Menu_Index", -1, "menu_key_help", "Operation instruction");
    item("menu_key_language", -1, "", "  中文  ");
    // The owner's notice has no content in this program: kept hidden.
    item("display_ownerinfo", -1, "", "Info", kHidden);
}

// Bottom row outside the main panel: panel lock, link LED and state.
void add_status_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Status};
    using K = ControlKind;
    r.add(K::PictureBox, "Picture_status", -1, "", -1, 4, 580, 236, 76, "", 0);
    r.add(K::Label, "Label_lock", -1, "Picture_status", -1, 8, 12, 96, 16, "Panel Lock");
    r.add(K::CheckBox, "Check_lock", -1, "Picture_status", -1, 8, 32, 60, 18, "");
    r.add(K::Frame, "Frame31", 0, "Picture_status", -1, 108, 14, 32, 32, "", kFlat);
    r.add(K::PictureBox, "Picture_LED_1_ON_1", 0, "Frame31", 0, 8, 8, 16, 16, "", kFlat | kHidden);
    r.add(K::PictureBox, "Picture_LED_1_OFF_1", 0, "Frame31", 0, 8, 8, 16, 16, "", kFlat);
    r.add(K::PictureBox, "Picture_LED_1_OFF_2", 0, "Frame31", 0, 8, 8, 16, 16, "", kFlat | kHidden);
    r.add(K::Label, "Display_Connect_State", -1, "Picture_status", -1, 80, 50, 150, 20, "Disconnected", kHeading);
    r.add(K::TextBox, "Text_software_version", -1, "", -1, 988, 584, 272, 20, "", kReadOnly);
    r.add(K::PictureBox, "Picture_logo", -1, "", -1, 1140, 608, 120, 48, "", kFlat);
    r.add(K::Label, "Label_logo_text", -1, "", -1, 1140, 608, 120, 48, "Veltrana", kHeading | kHidden);
    // The slider fault code must be read whole: the box spans the status
    // column and lies over the logo's top while it is shown.
    r.add(K::TextBox, "Text_vr_error_cou", -1, "", -1, 988, 608, 272, 22, "", kReadOnly | kHidden);
    r.add(K::PictureBox, "Picture_power_off_tishi", 0, "", -1, 432, 240, 400, 96, "", kHidden);
    r.add(K::Label, "Label_system_setup", 5, "Picture_power_off_tishi", 0, 10, 30, 380, 36, "The device is on standby.",
          kHeading);
}

// The Bluetooth name group, and its batch tools in the hidden test frame.
void add_bluetooth_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Bluetooth};
    using K = ControlKind;
    r.add(K::Frame, "Frame_all_1", 2, "", -1, 246, 580, 440, 76, "");
    r.add(K::Label, "Label_name", 0, "Frame_all_1", 2, 8, 12, 200, 16, "Device Name", kHeading);
    r.add(K::Label, "Label_name", 3, "Frame_all_1", 2, 8, 32, 100, 18, "Bluetooth Name:");
    r.add(K::TextBox, "Text_read_cpu_bt_name", -1, "Frame_all_1", 2, 110, 31, 220, 19, "", kReadOnly);
    r.add(K::Label, "Label_name", 1, "Frame_all_1", 2, 8, 53, 100, 18, "Change Name:");
    r.add(K::TextBox, "Text_bt_file_name_change", 1, "Frame_all_1", 2, 110, 52, 220, 19, "");
    r.add(K::Button, "key_bt_neme", 0, "Frame_all_1", 2, 336, 51, 96, 21, "Updata");
    r.add(K::Frame, "Frame_Run_Test_Mode", -1, "", -1, 692, 580, 290, 76, "", kHidden);
    r.add(K::CheckBox, "Check_updata_bt_name", -1, "Frame_Run_Test_Mode", -1, 8, 10, 270, 18, "Auto Updata BT Name");
    r.add(K::Button, "key_bt_neme", 1, "Frame_Run_Test_Mode", -1, 8, 40, 134, 24, "Open BT Name File");
    r.add(K::Button, "key_bt_neme", 2, "Frame_Run_Test_Mode", -1, 148, 40, 134, 24, "Save BT Name File");
}

}  // namespace table_build

const std::vector<ControlRow>& control_table() {
    static const std::vector<ControlRow> table = [] {
        std::vector<ControlRow> t;
        t.reserve(600);
        using namespace table_build;
        add_window_rows(t);
        add_menu_rows(t);
        add_volume_rows(t);
        add_input_rows(t);
        add_effect_rows(t);
        add_compressor_rows(t);
        add_eq_rows(t);
        add_bluetooth_rows(t);
        add_status_rows(t);
        add_test_rows(t);
        return t;
    }();
    return table;
}

const ControlRow* find_control_row(const std::string& object_name) {
    static const std::unordered_map<std::string, const ControlRow*> index = [] {
        std::unordered_map<std::string, const ControlRow*> m;
        for (const auto& row : control_table()) m.emplace(row.object_name(), &row);
        return m;
    }();
    auto it = index.find(object_name);
    return it == index.end() ? nullptr : it->second;
}

}  // namespace tuner
