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
}

// Presets and toggles store the flags whatever the link, queued only while connected; box 40 (or beyond) has none.
TEST(AudioModeRules, PresetsAndTogglesStoreAndQueueOnlyWhileConnected) {
    for (uint8_t link : {0, 1, 2}) {
        SCOPED_TRACE(int(link));
        AppState s;
        s.cpu_connect_state = link;
        EXPECT_FALSE(audio_mode_box_toggled(s, 40, true));
        EXPECT_FALSE(audio_mode_box_toggled(s, -1, true));
        EXPECT_EQ(s.audio_mode_config, AppState{}.audio_mode_config);
        EXPECT_EQ(s.send_audio_mode_config_req, 0);

        s.audio_mode_config.fill(7);
        audio_mode_apply_preset(s, kSimpleMode);
        EXPECT_EQ(s.audio_mode_config, audio_mode_preset_flags(kSimpleMode));
        EXPECT_EQ(s.send_audio_mode_config_req, link == 1 ? -1 : 0);

        s.send_audio_mode_config_req = 0;
        s.audio_mode_config[3] = 2;  // a value from the unit that shows as cleared
        EXPECT_FALSE(audio_mode_box_ticked(s.audio_mode_config[3]));
        EXPECT_TRUE(audio_mode_box_toggled(s, 3, true));
        EXPECT_EQ(s.audio_mode_config[3], 1);
        EXPECT_EQ(s.send_audio_mode_config_req, link == 1 ? -1 : 0);
    }
}

TEST(AudioModeRules, TableHasBothLanguagesAndDistinctPlaces) {
    std::set<std::pair<int, int>> places;
    for (int i = 0; i < kAudioModeBoxes; ++i) {
        const AudioModeBox& b = kAudioModeBoxTable[i];
        EXPECT_NE(std::string(audio_mode_box_caption(i, 0)), "") << i;
        EXPECT_NE(std::string(audio_mode_box_caption(i, 1)), "") << i;
        EXPECT_TRUE(places.insert({b.left, b.top}).second) << i;
        if (i > 20) EXPECT_EQ(std::string(b.english), std::to_string(i)) << "spare box " << i;
    }
    EXPECT_STREQ(audio_mode_box_caption(17, 1), "Sub Out Phase 180°");
}
