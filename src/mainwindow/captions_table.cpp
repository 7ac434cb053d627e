// The caption table of the tuning window: one row per target, Chinese and
// English side by side, in the order the texts are written.
#include <array>

#include "mainwindow/captions.h"

namespace tuner {

namespace {

using R = CaptionRow;
constexpr CaptionRule kCopyBlank = CaptionRule::CopyWithBlank;
constexpr CaptionRule kCopy = CaptionRule::Copy;

// A heading label that repeats its frame's caption after a blank.
constexpr R heading(int index, std::string_view frame, int frame_index = -1) {
    return R{"Label1", index, {}, {}, kCopyBlank, {}, {}, frame, frame_index};
}

constexpr auto kRows = std::to_array<R>({
    // Status and menus.
    {"Display_Connect_State", -1, "   设备已连接   ", "CONNECTED"},
    {"Label_system_setup", 5, "设备已待机", "The device is on standby."},
    {"menu_key_language", -1, " English ", "  中文  "},
    {"menu_key_open_file_to_all_data", -1, "   打开文件   ", " Open File "},
    {"menu_key_save_all_data_to_file", -1, "   保存文件   ", " Save File "},
    {"menu_key_open_cpu_all_data_mode", -1, "   调用模式   ", " Recall Mode "},
    {"menu_save_all_data_to_cpu", -1, "   保存模式   ", " Save Mode "},
    {"menu_system_set", -1, "   系统设置   ", "  System Setup  "},
    {"menu_reset_cpu_audio_mode_0", -1, " 复位当前状态 ", "Reset Current State "},
    {"menu_reset_cpu_audio_mode_all", -1, " 复位全部模式 ", "Reset All Mode"},
    {"menu_cpu_audio_mode_set", -1, " 模式设置  ", "Mode Setting"},
    {"menu_key_read_all_data_from_cpu_group", 1, "模式 1", "Mode 1"},
    {"menu_key_read_all_data_from_cpu_group", 2, "模式 2", "Mode 2"},
    {"menu_key_read_all_data_from_cpu_group", 3, "模式 3", "Mode 3"},
    {"menu_key_read_all_data_from_cpu_group", 4, "模式 4", "Mode 4"},
    {"menu_key_read_all_data_from_cpu_group", 5, "模式 5", "Mode 5"},
    {"menu_key_read_all_data_from_cpu_group", 6, "模式 6", "Mode 6"},
    {"menu_key_read_all_data_from_cpu_group", 7, "模式 7", "Mode 7"},
    {"menu_key_read_all_data_from_cpu_group", 8, "模式 8", "Mode 8"},
    {"menu_key_read_all_data_from_cpu_group", 9, "模式 9", "Mode 9"},
    {"menu_key_read_all_data_from_cpu_group", 10, "模式 10", "Mode 10"},
    {"menu_key_read_all_data_from_cpu_group", 11, "模式 11", "Mode 11"},
    {"menu_key_read_all_data_from_cpu_group", 12, "模式 12", "Mode 12"},
    {"menu_key_read_all_data_from_cpu_group", 13, "模式 13", "Mode 13"},
    {"menu_key_read_all_data_from_cpu_group", 14, "模式 14", "Mode 14"},
    {"menu_key_read_all_data_from_cpu_group", 15, "模式 15", "Mode 15"},
    {"menu_key_read_all_data_from_cpu_group", 16, "模式 16", "Mode 16"},
    {"menu_key_save_all_data_to_cpu_group", 1, "模式 1", "Mode 1"},
    {"menu_key_save_all_data_to_cpu_group", 2, "模式 2", "Mode 2"},
    {"menu_key_save_all_data_to_cpu_group", 3, "模式 3", "Mode 3"},
    {"menu_key_save_all_data_to_cpu_group", 4, "模式 4", "Mode 4"},
    {"menu_key_save_all_data_to_cpu_group", 5, "模式 5", "Mode 5"},
    {"menu_key_save_all_data_to_cpu_group", 6, "模式 6", "Mode 6"},
    {"menu_key_save_all_data_to_cpu_group", 7, "模式 7", "Mode 7"},
    {"menu_key_save_all_data_to_cpu_group", 8, "模式 8", "Mode 8"},
    {"menu_key_save_all_data_to_cpu_group", 9, "模式 9", "Mode 9"},
    {"menu_key_save_all_data_to_cpu_group", 10, "模式 10", "Mode 10"},
    {"menu_key_save_all_data_to_cpu_group", 11, "模式 11", "Mode 11"},
    {"menu_key_save_all_data_to_cpu_group", 12, "模式 12", "Mode 12"},
    {"menu_key_save_all_data_to_cpu_group", 13, "模式 13", "Mode 13"},
    {"menu_key_save_all_data_to_cpu_group", 14, "模式 14", "Mode 14"},
    {"menu_key_save_all_data_to_cpu_group", 15, "模式 15", "Mode 15"},
    {"menu_key_save_all_data_to_cpu_group", 16, "模式 16", "Mode 16"},
    {"menu_key_help", -1, " 帮助 ", "Help"},
    {"Menu_About", -1, "关于...", "About..."},
    {"Menu_Index", -1, "操作说明书", "Operation instruction"},
    // Window title, then the tabs.
    {"FrmMain", -1, {}, {}, CaptionRule::Title},
    {"ucXTab1", 0, "音乐", "MUSIC"},
    {"ucXTab1", 1, "麦克风", "MIC"},
    {"ucXTab1", 2, "效果", "EFFECT"},
    {"ucXTab1", 3, "主输出", "MAIN OUT"},
    {"ucXTab1", 4, "重低音输出", "SUB OUT"},
    {"ucXTab_main_vol", 0, "主音量", "MAIN VOLUME"},
    // EQ page.
    {"Label_system_setup", 0, "主音量", "MAIN VOLUME"},
    {"Label_Low_Cut_Freq", -1, " 高通  ", " HP  "},
    {"Label_High_Cut_Freq", -1, " 低通  ", " LP  "},
    {"Check_eq_x_enable", 0, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 1, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 2, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 3, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 4, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 5, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 6, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 7, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 8, "开/关", "ON/OFF"},
    {"Check_eq_x_enable", 9, "开/关", "ON/OFF"},
    {"Label_input_vol", -1, "输入音量", "Input Vol"},
    {"key_echo_reverb_eq_adj_mode", 0, "回声+混响 EQ", "Echo+Rev EQ"},
    {"key_echo_reverb_eq_adj_mode", 1, "回声 EQ", "Echo EQ"},
    {"key_echo_reverb_eq_adj_mode", 2, "混响 EQ", "Reverb EQ"},
    {"key_mic1_mic2_eq_adj_mode", 0, "麦克风1+2", "MIC1+2"},
    {"key_mic1_mic2_eq_adj_mode", 1, "麦克风1", "MIC1"},
    {"key_mic1_mic2_eq_adj_mode", 2, "麦克风2", "MIC2"},
    {"key_eq_reset", -1, "EQ 复位", "EQ Reset"},
    {"key_eq_chx_bypass", -1, "EQ 直通", "EQ Bypass"},
    // Music input.
    {"Frame_music_input", -1, "音乐输入选择", "Music Input Sel"},
    heading(4, "Frame_music_input"),
    {"key_input", 6, "蓝牙", "BT"},
    {"key_input", 10, "USB/电脑", "USB/PC"},
    {"key_input", 13, "光纤", "Optical"},
    {"key_input", 14, "同轴", "Coaxial"},
    {"key_input", 3, "线路 1", "AUX 1", CaptionRule::AuxInput, "线路", "AUX"},
    {"key_input", 12, "线路 2", "AUX 2"},
    // Music noise suppressor.
    {"Frame_all_1", 12, "降噪", "Noise Suppressor"},
    heading(6, "Frame_all_1", 12),
    {"Check_music_noise_suppressor_en", -1, "开/关", "ON/OFF"},
    {"Label_music_Noise_threshold", -1, "阈值", "Threshold"},
    {"Label_music_Noise_ratio", -1, "比率", "Ratio"},
    {"Label_music_Noise_attack", -1, "   启动", "   Attack"},
    {"Label_music_Noise_release", -1, "  释放", "  Release"},
    // Exciter.
    {"Frame_mic_1_mic_exciter", -1, "激励", "Exciter"},
    {"Label_mic1_exciter_vol", -1, "音量", "Volume"},
    {"Label_mic1_exciter_freq_index_100", -1, "频率", "Frequency"},
    {"Check_mic1_exciter_en", -1, "开/关", "ON/OFF"},
    // Microphone noise suppressor.
    {"Frame_all_1", 11, "降噪", "Noise Suppressor"},
    heading(3, "Frame_all_1", 11),
    {"Check_mic1_noise_suppressor_en", -1, "开/关", "ON/OFF"},
    {"Label_mic1_Noise_threshold", -1, "阈值", "Threshold"},
    {"Label_mic1_Noise_ratio", -1, "比率", "Ratio"},
    {"Label_mic1_Noise_attack", -1, "启动", "Attack"},
    {"Label_mic1_Noise_release", -1, "释放", "Release"},
    // Vocal cut.
    {"Frame_all_1", 15, "消人声 / 麦优先", "Vocal Cut / Mic Priority"},
    heading(5, "Frame_all_1", 15),
    {"Option_VC_Mode", 0, "关闭", "OFF"},
    {"Option_VC_Mode", 1, "消人声", "V.Cut"},
    {"Option_VC_Mode", 2, "自动接唱", "V.Auto"},
    {"Option_VC_Mode", 3, "麦优先", "M.PRI"},
    // Compressor.
    {"Frame_all_1", 3, "压限器", "Dynamic Range Compression"},
    heading(7, "Frame_all_1", 3),
    {"Check_drc_enable", -1, "开/关", "ON/OFF"},
    {"Label_drc_p", 0, "比率", "Ratio"},
    {"Label_drc_p", 1, "启动", "Attack"},
    {"Label_drc_p", 2, "释放", "Release"},
    {"Label_drc_p", 3, "阈值", "Threshold"},
    // Anti-feedback.
    {"Frame_all_1", 7, "防啸叫", "FBX"},
    heading(2, "Frame_all_1", 7),
    {"key_mic_fbx", 0, "关闭", "OFF"},
    // Echo.
    {"Frame_all_1", 4, "回声   ", "Echo"},
    heading(0, "Frame_all_1", 4),
    {"Label_echo_a_delay_l", -1, "左延时", "L Dey", CaptionRule::EchoDelay, "时间", "Delay"},
    {"Label_echo_a_delay_r", -1, "右延时", "R Dey", CaptionRule::EchoDelay, "左右", "LR Dey"},
    {"Label_echo_a_vol", -1, "音量", "Vol"},
    {"Label_reverb_vol", -1, "音量", "Vol"},
    {"Label_echo_a_repeat", -1, "重复", "Repeat"},
    {"Label_echo_a_lpf", -1, "高通", "HPF"},
    // Reverb.
    {"Frame_all_1", 14, "混响", "Reverb"},
    heading(1, "Frame_all_1", 14),
    {"Label_plate_reverb_predelay", -1, "预延时", "PreDey"},
    {"Label_plate_reverb_time", -1, "时间", "Time"},
    {"Label_plate_reverb_diffusion", -1, "扩散", "Diffusion"},
    {"Label_plate_reverb_damping", -1, "高通", "HPF"},
    {"Label_echo_reverb_bili", -1, " 混响音量", " Reverb Vol"},
    {"Label_reverb_vol_Echo_max", -1, " 回声最大", " Echo Max"},
    {"Label_reverb_vol_Reverb_max", -1, "混响最大", "Reverb Max"},
    // Outputs.
    {"Frame_all_1", 8, "静音", "Mute"},
    {"Label_system_setup", 1, {}, {}, kCopy, {}, {}, "Frame_all_1", 8},
    {"Label_LR_MUTE", 0, "左声道", "L-CH"},
    {"Label_LR_MUTE", 1, "右声道", "R-CH"},
    {"key_main_out_lch_mute", -1, "静音", "Mute"},
    {"key_main_out_rch_mute", -1, "静音", "Mute"},
    {"key_sub_out_mute", -1, "静音", "Mute"},
    {"key_sub_out_phase", -1, "反相 180°", "Phase 180°"},
    {"Label_sub_x_vol", 0, "音乐音量", "Music Vol"},
    {"Label_sub_x_vol", 1, "麦克风音量", "Mic Vol"},
    {"Label_sub_x_vol", 2, "音量", "Vol"},
    // Volumes.
    {"Label_vol_control", 0, "音乐", "Music"},
    {"Label_vol_control", 1, "麦克风", "Mic"},
    {"Label_vol_control", 2, "效果", "Effect"},
    {"key_mute", 0, "总静音", "MUTE"},
    {"key_mute", 1, "静音", "MUTE"},
    {"key_mute", 2, "静音", "MUTE"},
    {"key_mute", 3, "静音", "MUTE"},
    {"Label_vol_control", 3, "最大音量限制", "Max Vol Limit"},
    {"Check_vol_max_function_en", -1, "开/关", "ON/OFF"},
    {"Check_vol_power_on_read_eeprom_function_en", -1, "开/关", "ON/OFF"},
    {"Label_vol_control", 4, "音乐", "Music"},
    {"Label_vol_control", 5, "麦克风", "Mic"},
    {"Label_vol_control", 6, "效果", "Effect"},
    {"Label_vol_control", 7, "开机音量", "Start Vol"},
    {"Label_vol_control", 8, "音乐", "Music"},
    {"Label_vol_control", 9, "麦克风", "Mic"},
    {"Label_vol_control", 10, "效果", "Effect"},
    // Panel lock and Bluetooth name.
    {"Label_lock", -1, "面板锁", "Panel Lock"},
    {"Check_updata_bt_name", -1, "批量改蓝牙名称", "Auto Updata BT Name"},
    {"Label_name", 0, "设备名称", "Device Name"},
    {"Label_name", 1, "修改名称：", "Change Name:"},
    {"Label_name", 3, "蓝牙名称：", "Bluetooth Name:"},
    {"key_bt_neme", 0, "修改", "Updata"},
    {"key_bt_neme", 1, "打开蓝牙名文件", "Open BT Name File"},
    {"key_bt_neme", 2, "保存蓝牙名文件", "Save BT Name File"},
});

}  // namespace

std::span<const CaptionRow> caption_rows() { return kRows; }

}  // namespace tuner
