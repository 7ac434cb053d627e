// The tuning window's controls as data: one row per control with its system
// name (arrays with an index), kind, container and rectangle in twips inside
// that container. The area panels create the widgets from these rows; tests
// check the table itself (unique names, containers, rectangles, counts).
#pragma once

#include <string>
#include <vector>

namespace tuner {

enum class ControlKind {
    Frame,  // group box; an empty caption draws a plain border
    Label,
    TextBox,     // plain text box
    NumericBox,  // parameter box with the numeric input rules
    Slider,      // xiSlider (flag kVertical for vertical travel)
    Button,      // qbButtons_H
    CheckBox,
    OptionButton,  // one option group per container
    ListBox,
    PictureBox,  // picture or plain container
    Peq,
    Limiter,
    TabStrip,   // ucXTab; its pages are containers with the tab as index
    MenuGroup,  // menu with entries
    MenuItem,
    MenuSeparator,
};

// Areas in build order; each area panel builds its own rows.
enum class ControlArea { Window, Menus, Volumes, Inputs, Effects, Compressor, Eq, Bluetooth, Status, Test };

constexpr int kVertical = 1;  // slider travels vertically
constexpr int kHidden = 2;    // hidden at design time
constexpr int kFlat = 4;      // frame or picture without border
constexpr int kReadOnly = 8;  // text box the user does not type in
constexpr int kHeading = 16;  // bold label

struct ControlRow {
    std::string name;
    int index = -1;
    ControlKind kind = ControlKind::Label;
    ControlArea area = ControlArea::Window;
    // "" = the window's client area; a tab strip's page has the tab as index,
    // the strip itself -1.
    std::string container;
    int container_index = -1;
    int left = 0, top = 0, width = 0, height = 0;  // twips
    std::string caption;                           // design caption (UTF-8)
    int flags = 0;

    std::string object_name() const { return index < 0 ? name : name + "(" + std::to_string(index) + ")"; }
    std::string container_object_name() const {
        return container_index < 0 ? container : container + "(" + std::to_string(container_index) + ")";
    }
};

// Size of the window's client area below the menu bar, in twips.
constexpr int kClientWidthTwips = 1264 * 15;
constexpr int kClientHeightTwips = 660 * 15;

// The whole table, containers before their controls.
const std::vector<ControlRow>& control_table();
// The row of an object name ("key_input(6)"), or null.
const ControlRow* find_control_row(const std::string& object_name);

// Builders shared by the table's parts: rectangles in pixels, stored as twips.
namespace table_build {
struct Rows {
    std::vector<ControlRow>& out;
    ControlArea area;
    ControlRow& add(ControlKind kind, std::string name, int index, std::string container, int container_index, int x,
                    int y, int w, int h, std::string caption = {}, int flags = 0);
};
void add_window_rows(std::vector<ControlRow>& out);
void add_menu_rows(std::vector<ControlRow>& out);
void add_volume_rows(std::vector<ControlRow>& out);
void add_input_rows(std::vector<ControlRow>& out);
void add_effect_rows(std::vector<ControlRow>& out);
void add_compressor_rows(std::vector<ControlRow>& out);
void add_eq_rows(std::vector<ControlRow>& out);
void add_bluetooth_rows(std::vector<ControlRow>& out);
void add_status_rows(std::vector<ControlRow>& out);
void add_test_rows(std::vector<ControlRow>& out);
}  // namespace table_build

}  // namespace tuner
