// Rows of the channel tab strip (inputs, switches, effects, outputs), the
// compressor panel over it, and the main-volume strip.
#include "mainwindow/control_table.h"

namespace tuner::table_build {

using K = ControlKind;

namespace {

// One labelled parameter: label, horizontal slider and box in a row.
void slider_row(Rows& r, const std::string& container, int ci, int y, const std::string& label,
                const std::string& label_caption, const std::string& slider, const std::string& box) {
    r.add(K::Label, label, -1, container, ci, 6, y + 4, 64, 16, label_caption);
    r.add(K::Slider, slider, -1, container, ci, 72, y, 112, 24);
    r.add(K::NumericBox, box, -1, container, ci, 188, y + 2, 48, 20);
}

// A noise gate: enable box, threshold slider, ratio / attack / release boxes.
void noise_gate(Rows& r, int frame, int heading, const std::string& p, int page, int x) {
    const std::string f = "Frame_all_1";
    const std::string& lp = p;
    r.add(K::Frame, f, frame, "Picture_tab_page", page, x, 6, 250, 130, "Noise Suppressor");
    r.add(K::Label, "Label1", heading, f, frame, 8, 16, 100, 16, " Noise Suppressor", kHidden);
    r.add(K::CheckBox, "Check_" + p + "_noise_suppressor_en", -1, f, frame, 10, 20, 90, 18, "ON/OFF");
    r.add(K::Label, "Label_" + lp + "_Noise_threshold", -1, f, frame, 10, 46, 62, 16, "Threshold");
    r.add(K::Slider, "VR_" + p + "_noise_suppressor_threshold", -1, f, frame, 74, 42, 118, 24);
    r.add(K::NumericBox, "Text_" + p + "_noise_suppressor_threshold", -1, f, frame, 196, 44, 46, 20);
    const char* fields[3] = {"ratio", "attack", "release"};
    const char* captions[3] = {"Ratio", "Attack", "Release"};
    const char* labels[3] = {"_Noise_ratio", "_Noise_attack", "_Noise_release"};
    for (int i = 0; i < 3; ++i) {
        r.add(K::Label, "Label_" + lp + labels[i], -1, f, frame, 10 + i * 80, 76, 74, 16, captions[i]);
        r.add(K::NumericBox, "Text_" + p + "_noise_suppressor_" + fields[i], -1, f, frame, 10 + i * 80, 94, 70, 20);
    }
}

// A vertical parameter strip inside one of the echo / reverb sub-frames.
void strip(Rows& r, const std::string& frame, int i, int x, const std::string& label, const std::string& caption,
           const std::string& slider, const std::string& box) {
    const int parent_index = frame == "Frame_echo_vr" ? 4 : 14;
    r.add(K::Frame, frame, i, "Frame_all_1", parent_index, x, 14, 46, 186, "", i == 0 ? kFlat | kHidden : kFlat);
    r.add(K::Label, label, -1, frame, i, 0, 0, 46, 16, caption);
    r.add(K::Slider, slider, -1, frame, i, 14, 18, 24, 146, "", kVertical);
    r.add(K::NumericBox, box, -1, frame, i, 1, 166, 44, 20);
}

}  // namespace

void add_volume_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Volumes};
    r.add(K::TabStrip, "ucXTab_main_vol", -1, "Frame_all_1", 0, 830, 4, 430, 240, "MAIN VOLUME");
    r.add(K::PictureBox, "Picture_main_vol_page", -1, "ucXTab_main_vol", 0, 2, 26, 426, 212, "", kFlat);
    const std::string page = "Picture_main_vol_page";
    r.add(K::Label, "Label_system_setup", 0, page, -1, 0, 0, 100, 16, "MAIN VOLUME", kHidden);
    const char* groups[3] = {"music", "mic", "effect"};
    const char* captions[3] = {"Music", "Mic", "Effect"};
    for (int i = 0; i < 3; ++i) {
        const int x = 8 + i * 60;
        const std::string g = groups[i];
        r.add(K::Label, "Label_vol_control", i, page, -1, x, 4, 56, 16, captions[i], kHeading);
        r.add(K::Slider, "vr_" + g + "_vol", -1, page, -1, x + 19, 22, 25, 114, "", kVertical);
        r.add(K::NumericBox, "Text_" + g + "_vol", -1, page, -1, x + 2, 138, 52, 20);
        r.add(K::Button, "key_mute", i + 1, page, -1, x + 2, 162, 52, 22, "MUTE");
    }
    r.add(K::Button, "key_mute", 0, page, -1, 10, 188, 168, 22, "MUTE");

    // Upper limits and power-on volumes; the per-model layout moves these columns.
    const std::string lim = "Frame_vol_limit";
    r.add(K::Frame, lim, -1, page, -1, 196, 4, 196, 162, "");
    r.add(K::Label, "Label_vol_control", 3, lim, -1, 8, 8, 110, 16, "Max Vol Limit", kHeading);
    r.add(K::CheckBox, "Check_vol_max_function_en", -1, lim, -1, 116, 6, 70, 18, "ON/OFF");
    r.add(K::Label, "Label_vol_control", 5, lim, -1, 14, 28, 44, 16, "Mic");
    r.add(K::Label, "Label_vol_control", 6, lim, -1, 72, 28, 44, 16, "Effect");
    r.add(K::Label, "Label_vol_control", 4, lim, -1, 126, 28, 44, 16, "Music");
    r.add(K::NumericBox, "Text_mic_vol_adj_max", -1, lim, -1, 8, 46, 44, 20);
    r.add(K::NumericBox, "Text_effect_vol_adj_max", -1, lim, -1, 66, 46, 44, 20);
    r.add(K::NumericBox, "Text_music_vol_adj_max", -1, lim, -1, 116, 46, 44, 20);
    r.add(K::Label, "Label_vol_control", 7, lim, -1, 8, 78, 110, 16, "Start Vol", kHeading);
    r.add(K::CheckBox, "Check_vol_power_on_read_eeprom_function_en", -1, lim, -1, 116, 76, 70, 18, "ON/OFF");
    const int pic_of[3] = {1, 2, 0};  // mic, effect, music from left to right
    const int pic_x[3] = {8, 70, 128};
    const char* pic_group[3] = {"mic", "effect", "music"};
    const char* pic_caption[3] = {"Mic", "Effect", "Music"};
    const int pic_label[3] = {9, 10, 8};
    for (int k = 0; k < 3; ++k) {
        r.add(K::PictureBox, "Picture_vol", pic_of[k], lim, -1, pic_x[k], 104, 52, 44, "", kFlat);
        r.add(K::Label, "Label_vol_control", pic_label[k], "Picture_vol", pic_of[k], 0, 0, 52, 16, pic_caption[k]);
        r.add(K::NumericBox, "Text_" + std::string(pic_group[k]) + "_vol_power_on", -1, "Picture_vol", pic_of[k], 0, 20,
              44, 20);
    }
}

void add_input_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Inputs};
    r.add(K::TabStrip, "ucXTab1", -1, "Frame_all_1", 0, 4, 4, 820, 240, "MUSIC|MIC|EFFECT|MAIN OUT|SUB OUT");
    for (int t = 0; t < 5; ++t) r.add(K::PictureBox, "Picture_tab_page", t, "ucXTab1", t, 2, 26, 816, 212, "", kFlat);

    // MUSIC: the input selector and the music noise gate.
    const std::string in = "Frame_music_input";
    r.add(K::Frame, in, -1, "Picture_tab_page", 0, 8, 10, 250, 100, "Music Input Sel");
    r.add(K::Label, "Label1", 4, in, -1, 8, 16, 100, 16, " Music Input Sel", kHidden);
    static const char* input_caption[20] = {
        "Idle",  "Waiting",      "Rest",          "AUX 1",           "Card",
        "UDisk", "BT",           "BtHf",          "BtRecordPlay",    "Hdmi",
        "PC",    "UsbPhone",     "AUX 2",         "Optical",         "Coaxial",
        "I2SIn", "CardPlayBack", "UDiskPlayBack", "FlashFsPlayBack", "FlashPlayBack"};
    // The six inputs a unit may offer stand in a 3 x 2 grid; the others stay hidden.
    auto grid_pos = [](int i, int& x, int& y) {
        static const int order[6] = {6, 10, 13, 14, 3, 12};
        for (int k = 0; k < 6; ++k)
            if (order[k] == i) {
                x = 6 + (k % 3) * 78, y = 16 + (k / 3) * 44;
                return true;
            }
        x = 6, y = 16;
        return false;
    };
    for (int i = 0; i < 20; ++i) {
        int x = 0, y = 0;
        const bool shown = grid_pos(i, x, y);
        r.add(K::Button, "key_input", i, in, -1, x, y, 72, 22, input_caption[i], shown ? 0 : kHidden);
    }
    noise_gate(r, 12, 6, "music", 0, 264);

    // MIC: microphone gate, exciter, anti-feedback and vocal cut.
    noise_gate(r, 11, 3, "mic1", 1, 8);
    r.add(K::Frame, "Frame_mic_1_mic_exciter", -1, "Picture_tab_page", 1, 264, 6, 250, 130, "Exciter");
    const std::string ex = "Picture_mic_1_mic_exciter";
    r.add(K::PictureBox, ex, -1, "Frame_mic_1_mic_exciter", -1, 4, 16, 242, 108, "", kFlat);
    r.add(K::CheckBox, "Check_mic1_exciter_en", -1, ex, -1, 6, 4, 90, 18, "ON/OFF");
    slider_row(r, ex, -1, 30, "Label_mic1_exciter_vol", "Volume", "VR_mic1_exciter_vol", "Text_mic1_exciter_vol");
    slider_row(r, ex, -1, 64, "Label_mic1_exciter_freq_index_100", "Frequency", "VR_mic1_exciter_freq_index_100",
               "Text_mic1_exciter_freq_index_100");
    r.add(K::Frame, "Frame_all_1", 7, "Picture_tab_page", 1, 8, 142, 250, 58, "FBX");
    r.add(K::Label, "Label1", 2, "Frame_all_1", 7, 8, 16, 100, 16, " FBX", kHidden);
    for (int i = 0; i < 7; ++i)
        r.add(K::Button, "key_mic_fbx", i, "Frame_all_1", 7, 8 + i * 34, 24, 32, 24,
              i == 0 ? "OFF" : std::to_string(i));
    r.add(K::Frame, "Frame_all_1", 15, "Picture_tab_page", 1, 264, 142, 250, 58, "Vocal Cut / Mic Priority");
    r.add(K::Label, "Label1", 5, "Frame_all_1", 15, 8, 16, 100, 16, " Vocal Cut / Mic Priority", kHidden);
    const char* vc[4] = {"OFF", "V.Cut", "V.Auto", "M.PRI"};
    // Widths follow the captions' lengths in both languages.
    const int vc_x[4] = {4, 52, 114, 188}, vc_w[4] = {48, 62, 74, 58};
    for (int i = 0; i < 4; ++i)
        r.add(K::OptionButton, "Option_VC_Mode", i, "Frame_all_1", 15, vc_x[i], 26, vc_w[i], 20, vc[i]);

    // MAIN OUT: left and right mutes.
    r.add(K::Frame, "Frame_all_1", 8, "Picture_tab_page", 3, 8, 6, 250, 92, "Mute");
    r.add(K::Label, "Label_system_setup", 1, "Frame_all_1", 8, 8, 16, 100, 16, "Mute", kHidden);
    r.add(K::Label, "Label_LR_MUTE", 0, "Frame_all_1", 8, 12, 26, 80, 16, "L-CH", kHeading);
    r.add(K::Button, "key_main_out_lch_mute", -1, "Frame_all_1", 8, 12, 46, 90, 26, "Mute");
    r.add(K::Label, "Label_LR_MUTE", 1, "Frame_all_1", 8, 124, 26, 80, 16, "R-CH", kHeading);
    r.add(K::Button, "key_main_out_rch_mute", -1, "Frame_all_1", 8, 124, 46, 90, 26, "Mute");

    // SUB OUT: its three levels, mute and phase.
    const std::string sub = "Frame_sub_out";
    r.add(K::Frame, sub, -1, "Picture_tab_page", 4, 8, 6, 336, 200, "");
    const char* sub_names[3] = {"music_vol", "mic_vol", "vol"};
    const char* sub_caption[3] = {"Music Vol", "Mic Vol", "Vol"};
    const int sub_width[3] = {24, 24, 25};  // two small faders and the large one
    for (int i = 0; i < 3; ++i) {
        const int x = 6 + i * 76;
        r.add(K::Label, "Label_sub_x_vol", i, sub, -1, x, 12, 74, 16, sub_caption[i], kHeading);
        r.add(K::Slider, "VR_sub_out_" + std::string(sub_names[i]), -1, sub, -1, x + 28, 30, sub_width[i], 138, "",
              kVertical);
        r.add(K::NumericBox, "Text_sub_out_" + std::string(sub_names[i]), -1, sub, -1, x + 11, 172, 52, 20);
    }
    r.add(K::Button, "key_sub_out_mute", -1, sub, -1, 236, 30, 92, 26, "Mute");
    r.add(K::Button, "key_sub_out_phase", -1, sub, -1, 236, 64, 92, 26, "Phase 180°");
}

void add_effect_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Effects};
    r.add(K::Frame, "Frame_all_1", 4, "Picture_tab_page", 2, 8, 4, 240, 206, "Echo");
    r.add(K::Label, "Label1", 0, "Frame_all_1", 4, 8, 16, 100, 16, " Echo", kHidden);
    // Element 0 (the level) is shown only on units with their own echo level;
    // the per-model layout places the columns.
    const int xs[5] = {2, 8, 65, 121, 178};
    strip(r, "Frame_echo_vr", 0, xs[0], "Label_echo_a_vol", "Vol", "VR_echo_a_vol", "Text_echo_a_vol");
    strip(r, "Frame_echo_vr", 1, xs[1], "Label_echo_a_delay_l", "L Dey", "VR_echo_a_delay_l", "Text_echo_a_delay_l");
    strip(r, "Frame_echo_vr", 2, xs[2], "Label_echo_a_delay_r", "R Dey", "VR_echo_a_delay_r", "Text_echo_a_delay_r");
    strip(r, "Frame_echo_vr", 3, xs[3], "Label_echo_a_repeat", "Repeat", "VR_echo_a_repeat", "Text_echo_a_repeat");
    strip(r, "Frame_echo_vr", 4, xs[4], "Label_echo_a_lpf", "HPF", "VR_echo_a_lpf", "Text_echo_a_lpf");

    r.add(K::Frame, "Frame_all_1", 14, "Picture_tab_page", 2, 254, 4, 240, 206, "Reverb");
    r.add(K::Label, "Label1", 1, "Frame_all_1", 14, 8, 16, 100, 16, " Reverb", kHidden);
    strip(r, "Frame_reverb_vr", 0, xs[0], "Label_reverb_vol", "Vol", "VR_reverb_vol", "Text_reverb_vol");
    strip(r, "Frame_reverb_vr", 1, xs[1], "Label_plate_reverb_predelay", "PreDey", "VR_plate_reverb_predelay",
          "Text_plate_reverb_predelay");
    strip(r, "Frame_reverb_vr", 2, xs[2], "Label_plate_reverb_time", "Time", "VR_plate_reverb_decay",
          "Text_plate_reverb_decay");
    strip(r, "Frame_reverb_vr", 3, xs[3], "Label_plate_reverb_diffusion", "Diffusion", "VR_plate_reverb_diffusion",
          "Text_plate_reverb_diffusion");
    strip(r, "Frame_reverb_vr", 4, xs[4], "Label_plate_reverb_damping", "HPF", "VR_plate_reverb_damping",
          "Text_plate_reverb_damping");

    // Echo / reverb balance of the microphone effect, drawn as a group like
    // the two above: title on the border, a horizontal slider across the
    // middle with its two ends named over them (more reverb to the right),
    // its box on the strips' line.
    const std::string bal = "Picture_mic_eff_echo_p";
    r.add(K::PictureBox, bal, 15, "Picture_tab_page", 2, 500, 4, 180, 206, "", kFlat);
    r.add(K::Label, "Label_echo_reverb_bili", -1, bal, 15, 6, 0, 90, 14, " Reverb Vol");
    r.add(K::Label, "Label_reverb_vol_Echo_max", -1, bal, 15, 6, 78, 82, 16, " Echo Max");
    r.add(K::Label, "Label_reverb_vol_Reverb_max", -1, bal, 15, 92, 78, 82, 16, "Reverb Max");
    r.add(K::Slider, "vr_echo_reverb_bili", -1, bal, 15, 10, 98, 160, 25);
    r.add(K::NumericBox, "text_echo_reverb_bili", -1, bal, 15, 68, 180, 44, 20);
}

void add_compressor_rows(std::vector<ControlRow>& out) {
    Rows r{out, ControlArea::Compressor};
    // Over the strip itself: shown on the MUSIC and MIC tabs, hidden on the others.
    const std::string f = "Frame_all_1";
    // The curve and the threshold fader side by side, the four numbers in a column beside them.
    r.add(K::Frame, f, 3, "ucXTab1", -1, 528, 30, 288, 206, "Dynamic Range Compression");
    r.add(K::Label, "Label1", 7, f, 3, 8, 16, 100, 16, " Dynamic Range Compression", kHidden);
    r.add(K::CheckBox, "Check_drc_enable", -1, f, 3, 10, 18, 90, 18, "ON/OFF");
    r.add(K::Limiter, "Limiter_drc", -1, f, 3, 10, 40, 156, 156);
    r.add(K::Slider, "vr_drc_threshold_db", -1, f, 3, 176, 40, 24, 156, "", kVertical);
    r.add(K::Label, "Label_drc_p", 3, f, 3, 210, 38, 70, 16, "Threshold");
    r.add(K::NumericBox, "Text_drc_threshold_db", -1, f, 3, 210, 54, 70, 20);
    const char* fields[3] = {"ratio", "attack", "release"};
    const char* captions[3] = {"Ratio", "Attack", "Release"};
    for (int i = 0; i < 3; ++i) {
        r.add(K::Label, "Label_drc_p", i, f, 3, 210, 84 + i * 40, 70, 16, captions[i]);
        r.add(K::NumericBox, std::string("Text_drc_") + fields[i], -1, f, 3, 210, 100 + i * 40, 70, 20);
    }
}

}  // namespace tuner::table_build
