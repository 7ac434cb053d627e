// Rows of the shared EQ panel (graph, pre-gain, channel switches, the ten
// band columns built by a loop) and of the hidden test panel.
#include "mainwindow/control_table.h"

namespace tuner::table_build {

using K = ControlKind;

void add_eq_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Eq};
    const std::string panel = "Picture_eq_panel";
    r.add(K::PictureBox, panel, -1, "Frame_all_1", 0, 4, 308, 1256, 264, "");
    r.add(K::Peq, "PEQ", -1, panel, -1, 4, 4, 372, 206);

    // Channel selectors of the MIC and EFFECT tabs, one at a time in the same place.
    const char* mic[3] = {"MIC1+2", "MIC1", "MIC2"};
    const char* eff[3] = {"Echo+Rev EQ", "Echo EQ", "Reverb EQ"};
    r.add(K::Frame, "Frame_all_1", 10, panel, -1, 4, 212, 372, 48, "", kHidden);
    for (int i = 0; i < 3; ++i)
        r.add(K::Button, "key_mic1_mic2_eq_adj_mode", i, "Frame_all_1", 10, 8 + i * 120, 16, 112, 24, mic[i]);
    r.add(K::Frame, "Frame_all_1", 5, panel, -1, 4, 212, 372, 48, "", kHidden);
    for (int i = 0; i < 3; ++i)
        r.add(K::Button, "key_echo_reverb_eq_adj_mode", i, "Frame_all_1", 5, 8 + i * 120, 16, 112, 24, eff[i]);

    // Channel pre-gain and switches.
    r.add(K::Label, "Label_input_vol", -1, panel, -1, 380, 4, 70, 16, "Input Vol", kHeading);
    r.add(K::Slider, "vr_eq_pre_gain_db_index", -1, panel, -1, 397, 22, 36, 122, "", kVertical);
    r.add(K::NumericBox, "Text_eq_pre_gain_db_index", -1, panel, -1, 384, 148, 62, 20);
    r.add(K::Button, "key_eq_chx_enable", -1, panel, -1, 380, 176, 70, 24, "EQ ON");
    r.add(K::Button, "key_eq_chx_bypass", -1, panel, -1, 380, 204, 70, 24, "EQ Bypass");
    r.add(K::Button, "key_eq_reset", -1, panel, -1, 380, 232, 70, 24, "EQ Reset");

    // Ten band columns: type, on/off, gain, frequency, Q.
    for (int b = 0; b < 10; ++b) {
        const std::string col = "Picture_eqx";
        r.add(K::PictureBox, col, b, panel, -1, 456 + b * 80, 4, 78, 256, "");
        if (b == 0) r.add(K::Label, "Label_Low_Cut_Freq", -1, col, b, 1, 2, 76, 14, " HP  ", kHeading);
        else if (b == 9) r.add(K::Label, "Label_High_Cut_Freq", -1, col, b, 1, 2, 76, 14, " LP  ", kHeading);
        else r.add(K::Label, "Label_eq_band", b, col, b, 1, 2, 76, 14, "EQ " + std::to_string(b), kHeading);
        r.add(K::Button, "key_eq_type_peq", b, col, b, 2, 17, 36, 20, "PEQ");
        r.add(K::Button, "key_eq_type_ls", b, col, b, 40, 17, 36, 20, "LS");
        r.add(K::Button, "key_eq_type_hs", b, col, b, 2, 38, 36, 20, "HS");
        r.add(K::Button, "key_eq_type_lp", b, col, b, 40, 38, 36, 20, "LP");
        r.add(K::Button, "key_eq_type_hp", b, col, b, 2, 59, 74, 20, "HP");
        r.add(K::CheckBox, "Check_eq_x_enable", b, col, b, 6, 80, 70, 16, "ON/OFF");
        r.add(K::Slider, "vr_eq_db", b, col, b, 21, 97, 36, 75, "", kVertical);
        r.add(K::NumericBox, "Text_eq_db", b, col, b, 9, 174, 60, 19);
        r.add(K::Slider, "vr_eq_freq", b, col, b, 2, 196, 74, 18);
        r.add(K::NumericBox, "Text_eq_freq", b, col, b, 9, 215, 60, 19);
        r.add(K::Label, "Label_eq_q", b, col, b, 3, 238, 14, 16, "Q");
        r.add(K::NumericBox, "Text_eq_q", b, col, b, 17, 236, 52, 19);
    }
}

void add_test_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Test};
    const std::string f = "Frame_cpu_test";
    r.add(K::Frame, f, -1, "", -1, 4, 308, 1256, 264, "Test", kHidden);
    r.add(K::CheckBox, "Check_cpu_test_sw", -1, f, -1, 10, 22, 100, 18, "Test");
    for (int i = 0; i < 10; ++i) {
        const int x = 10 + (i % 5) * 58, y = 48 + (i / 5) * 44;
        r.add(K::Label, "Label_cpu_test_data", i, f, -1, x, y, 52, 16, std::to_string(i));
        r.add(K::NumericBox, "Text_cpu_test_data", i, f, -1, x, y + 18, 52, 20, "255");
    }
    const char* power[3] = {"Power off", "Power on", "set power"};
    for (int i = 0; i < 3; ++i) r.add(K::Button, "key_power_bit", i, f, -1, 10 + i * 96, 150, 90, 24, power[i]);
    const char* lists[3] = {"lstResults", "List_cpu_debug_out_display", "List_pc_out_data_display"};
    for (int i = 0; i < 3; ++i) {
        const int x = 310 + i * 314;
        r.add(K::ListBox, lists[i], -1, f, -1, x, 22, 304, 206);
        r.add(K::Button, "Command1", i, f, -1, x, 232, 80, 24, "清空");
    }
}

}  // namespace tuner::table_build
