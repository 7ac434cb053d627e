// The audio-mode dialog's rules without widgets.
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "dialogs/audio_mode_rules.h"

using namespace tuner;

namespace {

std::array<uint8_t, 40> ones_except(std::initializer_list<int> off) {
    std::array<uint8_t, 40> f;
    f.fill(1);
    for (int i : off) f[i] = 0;
    return f;
}

}  // namespace

TEST(AudioModeRules, PresetsGiveTheExactFortyFlags) {
    EXPECT_EQ(audio_mode_preset_flags(kJoinAllMode), ones_except({}));
    EXPECT_EQ(audio_mode_preset_flags(kSimpleMode), ones_except({0, 1, 3, 4, 5, 6, 8, 9, 10, 18}));
    EXPECT_EQ(audio_mode_preset_flags(kAdvancedMode), ones_except({4, 5, 9, 10, 18}));
    // The preset columns of the box table, boxes 0..20.
    const int simple[21] = {0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1};
    const int advanced[21] = {1, 1, 1, 1, 0, 0, 1, 1, 1, 0, 0, 1, 1, 1, 1, 1, 1, 1, 0, 1, 1};
    for (int i = 0; i < 21; ++i) {
        EXPECT_EQ(audio_mode_preset_flags(kSimpleMode)[i], simple[i]) << i;
        EXPECT_EQ(audio_mode_preset_flags(kAdvancedMode)[i], advanced[i]) << i;
    }
}

TEST(AudioModeRules, PresetReplacesEveryFlagAndQueuesOnlyWhileConnected) {
    for (uint8_t link : {0, 1, 2}) {
        AppState s;
        s.cpu_connect_state = link;
        s.audio_mode_config.fill(7);
        audio_mode_apply_preset(s, kSimpleMode);
        EXPECT_EQ(s.audio_mode_config, audio_mode_preset_flags(kSimpleMode));
        EXPECT_EQ(s.send_audio_mode_config_req, link == 1 ? -1 : 0) << int(link);
    }
}

TEST(AudioModeRules, ToggleStoresTheFlagAndBoxFortyHasNone) {
    for (uint8_t link : {0, 1, 2}) {
        AppState s;
        s.cpu_connect_state = link;
        s.audio_mode_config[3] = 2;  // a value from the unit that shows as cleared
        EXPECT_FALSE(audio_mode_box_ticked(s.audio_mode_config[3]));
        EXPECT_TRUE(audio_mode_box_toggled(s, 3, true));
        EXPECT_EQ(s.audio_mode_config[3], 1);
        EXPECT_EQ(s.send_audio_mode_config_req, link == 1 ? -1 : 0);
        EXPECT_TRUE(audio_mode_box_toggled(s, 39, false));
        EXPECT_EQ(s.audio_mode_config[39], 0);

        AppState t;
        t.cpu_connect_state = link;
        const auto before = t.audio_mode_config;
        EXPECT_FALSE(audio_mode_box_toggled(t, 40, true));
        EXPECT_FALSE(audio_mode_box_toggled(t, -1, true));
        EXPECT_EQ(t.audio_mode_config, before);
        EXPECT_EQ(t.send_audio_mode_config_req, 0);
    }
}

TEST(AudioModeRules, TableHasBothLanguagesAndDistinctPlaces) {
    std::set<std::pair<int, int>> places;
    for (int i = 0; i < kAudioModeBoxes; ++i) {
        const AudioModeBox& b = kAudioModeBoxTable[i];
        EXPECT_NE(std::string(audio_mode_box_caption(i, 0)), "") << i;
        EXPECT_NE(std::string(audio_mode_box_caption(i, 1)), "") << i;
        EXPECT_TRUE(places.insert({b.left, b.top}).second) << i;
        if (i > 20) {
            EXPECT_EQ(std::string(b.english), std::to_string(i));
            EXPECT_GE(b.left, 16350);
            EXPECT_EQ(b.width, i == 32 ? 1215 : 1245);
        }
    }
    EXPECT_STREQ(audio_mode_box_caption(17, 1), "Sub Out Phase 180°");
    EXPECT_STREQ(audio_mode_box_caption(5, 0), "消人声/麦克风优先");
    EXPECT_STREQ(audio_mode_title(1), "Mode Setting");
    EXPECT_STREQ(audio_mode_title(0), "模式设置");
    EXPECT_STREQ(audio_mode_button_caption(0, 1), "Join All Mode");
    EXPECT_STREQ(audio_mode_button_caption(1, 0), "简单模式");
    EXPECT_STREQ(audio_mode_button_caption(2, 1), "Advanced Mode");
}
