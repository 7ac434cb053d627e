#include "dialogs/audio_mode_rules.h"

namespace tuner {

namespace {

constexpr int32_t kPurple = 0x00800080;
constexpr int32_t kBlue = 0x00800000;
constexpr int32_t kBrown = 0x00004080;

// Spare boxes 21..40: two columns of ten right of the dialog's opening size.
constexpr AudioModeBox spare_box(int i) {
    const int k = i - 21;
    return AudioModeBox{nullptr, nullptr, k < 10 ? 16350 : 18090, 420 + (k % 10) * 600, i == 32 ? 1215 : 1245, -1};
}

constexpr const char* kSpareCaptions[20] = {"21", "22", "23", "24", "25", "26", "27", "28", "29", "30",
                                            "31", "32", "33", "34", "35", "36", "37", "38", "39", "40"};

constexpr std::array<AudioModeBox, kAudioModeBoxes> build_boxes() {
    std::array<AudioModeBox, kAudioModeBoxes> t{{
        {"Music Input Sel", "音乐输入选择", 1250, 420, 2295, kPurple},
        {"Music Vol", "音乐音量", 1250, 900, 2295, kBlue},
        {"Music EQ", "音乐 EQ", 3810, 900, 2295, kBlue},
        {"Music Noise Suppressor", "音乐噪声门", 6450, 900, 2295, kBlue},
        {"Music Dynamic Range Compression", "音乐压限", 8996, 900, 2295, kBlue},
        {"Vocal Cut / Mic Priority", "消人声/麦克风优先", 11580, 900, 2295, kBlue},
        {"Mic Vol", "麦克风音量", 1250, 1440, 2295, kBrown},
        {"Mic EQ", "麦克风 EQ", 3810, 1470, 2295, kBrown},
        {"Mic Noise Suppressor", "麦克风噪声门", 6450, 1470, 1515, kBrown},
        {"Mic Dynamic Range Compression", "麦克风压限", 9000, 1470, 2295, kBrown},
        {"FBX", "防啸叫", 11580, 1470, 2295, kBrown},
        {"Effect Vol", "效果音量", 1250, 2010, 2295, kBlue},
        {"Effect EQ", "效果 EQ", 3810, 2010, 2295, kBlue},
        {"Echo / Reverb", "回声/混响", 6450, 2010, 2295, kBlue},
        {"Main Out EQ", "主输出 EQ", 1250, 2550, 2295, kBrown},
        {"Sub Out Vol", "重低音音量", 1260, 3120, 2295, kBlue},
        {"Sub Out EQ", "重低音输出 EQ", 3810, 3120, 2295, kBlue},
        {"Sub Out Phase 180°", "重低音相位", 6450, 3120, 2295, kBlue},
        {"Max Vol Limit", "最大音量限制", 1250, 3750, 2295, kBrown},
        {"Power ON Vol", "开机音量", 3810, 3750, 1245, kBrown},
        {"Mic Exciter", "麦克风激励", 13530, 1500, 1245, kBrown},
    }};
    for (int i = 21; i < kAudioModeBoxes; ++i) {
        t[i] = spare_box(i);
        t[i].english = t[i].chinese = kSpareCaptions[i - 21];
    }
    return t;
}

// Flags that each preset clears after setting all 40.
constexpr int kSimpleOff[] = {0, 1, 3, 4, 5, 6, 8, 9, 10, 18};
constexpr int kAdvancedOff[] = {4, 5, 9, 10, 18};

}  // namespace

const std::array<AudioModeBox, kAudioModeBoxes> kAudioModeBoxTable = build_boxes();

const std::array<AudioModeButton, 3> kAudioModeButtonTable{{
    {"Join All Mode", "全部加入模式", 9840},
    {"Simple Mode", "简单模式", 780},
    {"Advanced Mode", "高级模式", 5580},
}};

const char* audio_mode_title(uint8_t language) { return is_english(language) ? "Mode Setting" : "模式设置"; }

const char* audio_mode_box_caption(int index, uint8_t language) {
    if (index < 0 || index >= kAudioModeBoxes) return "";
    const AudioModeBox& b = kAudioModeBoxTable[index];
    return is_english(language) ? b.english : b.chinese;
}

const char* audio_mode_button_caption(int index, uint8_t language) {
    if (index < 0 || index >= 3) return "";
    const AudioModeButton& b = kAudioModeButtonTable[index];
    return is_english(language) ? b.english : b.chinese;
}

std::array<uint8_t, kAudioModeFlags> audio_mode_preset_flags(int preset) {
    std::array<uint8_t, kAudioModeFlags> flags;
    flags.fill(1);
    if (preset == kSimpleMode) {
        for (int i : kSimpleOff) flags[i] = 0;
    } else if (preset == kAdvancedMode) {
        for (int i : kAdvancedOff) flags[i] = 0;
    }
    return flags;
}

void audio_mode_mark_for_sending(AppState& s) {
    if (cpu_connected(s)) s.send_audio_mode_config_req = kPending;
}

bool audio_mode_box_toggled(AppState& s, int index, bool ticked) {
    if (index < 0 || index >= kAudioModeFlags) return false;
    s.audio_mode_config[index] = ticked ? 1 : 0;
    audio_mode_mark_for_sending(s);
    return true;
}

void audio_mode_apply_preset(AppState& s, int preset) {
    s.audio_mode_config = audio_mode_preset_flags(preset);
    audio_mode_mark_for_sending(s);
}

}  // namespace tuner
