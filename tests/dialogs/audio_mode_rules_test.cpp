
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "dialogs/audio_mode_rules.h"

using namespace tuner;

// Flags stored always, queued only while connected; boxes 40 and -1 have none.
TEST(AudioModeRules, QueuedOnlyWhileConnected) {
    for (const auto& [link, queued] : {std::pair<uint8_t, int>{0, 0}, {1, -1}, {2, 0}}) {
        SCOPED_TRACE(::testing::Message() << "link state " << int(link));
        AppState s;
        s.cpu_connect_state = link;
        for (int box : {40, -1}) EXPECT_FALSE(audio_mode_box_toggled(s, box, true)) << "box " << box;
        EXPECT_EQ(s.send_audio_mode_config_req, 0) << "after boxes without a flag";
        audio_mode_apply_preset(s, kSimpleMode);
        EXPECT_EQ(s.audio_mode_config, audio_mode_preset_flags(kSimpleMode));
        EXPECT_EQ(s.send_audio_mode_config_req, queued) << "after a preset";
        s.send_audio_mode_config_req = 0;
        EXPECT_TRUE(audio_mode_box_toggled(s, 3, true));
        EXPECT_EQ(s.audio_mode_config[3], 1);
        EXPECT_EQ(s.send_audio_mode_config_req, queued) << "after a toggle";
    }
}

TEST(AudioModeRules, PresetsLeaveOutTheirBlocks) {
    const std::pair<int, std::vector<int>> presets[] = {
        {kJoinAllMode, {}}, {kSimpleMode, {0, 1, 3, 4, 5, 6, 8, 9, 10, 18}}, {kAdvancedMode, {4, 5, 9, 10, 18}}};
    for (const auto& [preset, left_out] : presets) {
        const auto flags = audio_mode_preset_flags(preset);
        for (int i = 0; i < 40; ++i) {
            const bool out = std::find(left_out.begin(), left_out.end(), i) != left_out.end();
            EXPECT_EQ(flags[i], out ? 0 : 1) << "preset " << preset << ", flag " << i;
        }
    }
}
