// Rows of the shared EQ panel (graph, pre-gain, channel switches, the ten
// band columns built by a loop) and of the hidden test panel.
#include "mainwindow/control_table.h"

namespace tuner::table_build {

using K = ControlKind;

void add_eq_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Eq};
    const std::string panel = "Picture_eq_panel";
    // The graph takes what the band columns leave: wide enough for its
    // frequency labels to stand apart, tall enough for the curves.
    constexpr int kGraphW = 520, kGraphH = 266, kColumnX = 528, kBandX = 608, kBandPitch = 64;
    r.add(K::PictureBox, panel, -1, "Frame_all_1", 0, 4, 248, 1256, 324, "");
    r.add(K::Peq, "PEQ", -1, panel, -1, 4, 4, kGraphW, kGraphH);

    // Channel selectors of the MIC and EFFECT tabs, one at a time in the same place.
    const char* mic[3] = {"MIC1+2", "MIC1", "MIC2"};
    const char* eff[3] = {"Echo+Rev EQ", "Echo EQ", "Reverb EQ"};
    const int sel_y = 4 + kGraphH + 2, sel_w = (kGraphW - 16 - 2 * 8) / 3;
    r.add(K::Frame, "Frame_all_1", 10, panel, -1, 4, sel_y, kGraphW, 48, "", kHidden);
    for (int i = 0; i < 3; ++i)
        r.add(K::Button, "key_mic1_mic2_eq_adj_mode", i, "Frame_all_1", 10, 8 + i * (sel_w + 8), 15, sel_w, 24, mic[i]);
    r.add(K::Frame, "Frame_all_1", 5, panel, -1, 4, sel_y, kGraphW, 48, "", kHidden);
    for (int i = 0; i < 3; ++i)
        r.add(K::Button, "key_echo_reverb_eq_adj_mode", i, "Frame_all_1", 5, 8 + i * (sel_w + 8), 15, sel_w, 24,
              eff[i]);

    // Channel pre-gain and switches, their rows on the band columns' lines.
    const int cx = kColumnX;
    r.add(K::Label, "Label_input_vol", -1, panel, -1, cx, 6, 76, 14, "Input Vol", kHeading);
    r.add(K::Slider, "vr_eq_pre_gain_db_index", -1, panel, -1, cx + 29, 24, 25, 186, "", kVertical);
    r.add(K::NumericBox, "Text_eq_pre_gain_db_index", -1, panel, -1, cx + 12, 214, 52, 19);
    r.add(K::Button, "key_eq_chx_enable", -1, panel, -1, cx + 3, 242, 70, 22, "EQ ON");
    r.add(K::Button, "key_eq_chx_bypass", -1, panel, -1, cx + 3, 267, 70, 22, "EQ Bypass");
    r.add(K::Button, "key_eq_reset", -1, panel, -1, cx + 3, 292, 70, 22, "EQ Reset");

    // Ten band columns: type, on/off, gain, frequency, Q.
    for (int b = 0; b < 10; ++b) {
        const std::string col = "Picture_eqx";
        r.add(K::PictureBox, col, b, panel, -1, kBandX + b * kBandPitch, 4, kBandPitch - 2, 316, "");
        if (b == 0)
            r.add(K::Label, "Label_Low_Cut_Freq", -1, col, b, 1, 2, 60, 14, " HP  ", kHeading);
        else if (b == 9)
            r.add(K::Label, "Label_High_Cut_Freq", -1, col, b, 1, 2, 60, 14, " LP  ", kHeading);
        else
            r.add(K::Label, "Label_eq_band", b, col, b, 1, 2, 60, 14, "EQ " + std::to_string(b), kHeading);
        r.add(K::Button, "key_eq_type_peq", b, col, b, 2, 18, 28, 20, "PEQ");
        r.add(K::Button, "key_eq_type_ls", b, col, b, 32, 18, 28, 20, "LS");
        r.add(K::Button, "key_eq_type_hs", b, col, b, 2, 39, 28, 20, "HS");
        r.add(K::Button, "key_eq_type_lp", b, col, b, 32, 39, 28, 20, "LP");
        r.add(K::Button, "key_eq_type_hp", b, col, b, 2, 60, 58, 20, "HP");
        r.add(K::CheckBox, "Check_eq_x_enable", b, col, b, 2, 82, 60, 16, "ON/OFF");
        // Faders are one thumb plus 7 pixels of ticks wide, the thumb over the boxes' centre.
        r.add(K::Slider, "vr_eq_db", b, col, b, 22, 100, 25, 128, "", kVertical);
        r.add(K::NumericBox, "Text_eq_db", b, col, b, 5, 230, 52, 19);
        r.add(K::Slider, "vr_eq_freq", b, col, b, 2, 251, 58, 22);
        r.add(K::NumericBox, "Text_eq_freq", b, col, b, 5, 275, 52, 19);
        r.add(K::Label, "Label_eq_q", b, col, b, 3, 297, 12, 19, "Q");
        r.add(K::NumericBox, "Text_eq_q", b, col, b, 15, 297, 42, 19);
    }
}

void add_test_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Test};
    const std::string f = "Frame_cpu_test";
    r.add(K::Frame, f, -1, "", -1, 4, 248, 1256, 324, "Test", kHidden);
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
        r.add(K::ListBox, lists[i], -1, f, -1, x, 22, 304, 264);
        r.add(K::Button, "Command1", i, f, -1, x, 292, 80, 24, "清空");
    }
}

}  // namespace tuner::table_build
