#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/app_paths.h"
#include "core/param_file.h"
#include "rule_env_fixture.h"

namespace tuner {
namespace {

namespace fs = std::filesystem;

class MenuRulesTest : public ::testing::Test {
protected:
    void menu(std::string_view name, int index = -1) { f.rules.menu(f.env, Ctl{name, index}); }
    bool requests_untouched() const {
        return f.s.mode_recall_req == kNoRequest && f.s.mode_save_req == std::array<uint8_t, 2>{0, kNoRequest} &&
               f.s.mode_reset_req == std::array<uint8_t, 3>{0, 0, 0};
    }
    testing::RuleEnvFixture f;
};

TEST_F(MenuRulesTest, ModeCommandsWriteTheirRequestBytes) {
    menu("menu_key_read_all_data_from_cpu_group", 5);
    EXPECT_EQ(f.s.mode_recall_req, 5);
    EXPECT_EQ(f.s.cpu_state.cpu_mode_index, 0);  // the check mark waits for the unit
    EXPECT_EQ(f.s.mode_save_req, (std::array<uint8_t, 2>{0, kNoRequest}));

    menu("menu_key_save_all_data_to_cpu_group", 16);
    EXPECT_EQ(f.s.mode_save_req, (std::array<uint8_t, 2>{1, 16}));

    menu("menu_reset_cpu_audio_mode_0");
    EXPECT_EQ(f.s.mode_reset_req, (std::array<uint8_t, 3>{1, 0, 0}));
    menu("menu_reset_cpu_audio_mode_all");
    EXPECT_EQ(f.s.mode_reset_req, (std::array<uint8_t, 3>{0, 0, 1}));

    // No pending-send word, no redraw.
    EXPECT_EQ(f.s.send_gen_req, kClear);
    EXPECT_TRUE(f.svc.calls.empty());
}

TEST_F(MenuRulesTest, ModeEntriesOutsideOneToSixteenDoNothing) {
    for (int i : {0, 17, -1, 255}) {
        menu("menu_key_read_all_data_from_cpu_group", i);
        menu("menu_key_save_all_data_to_cpu_group", i);
    }
    EXPECT_TRUE(requests_untouched());
}

TEST_F(MenuRulesTest, UnitNotReadyIgnoresEveryGuardedEntry) {
    struct State {
        uint8_t input, power;
    } not_ready[] = {{0, 1}, {1, 1}, {2, 1}, {6, 0}};
    for (const auto& st : not_ready) {
        f.s.cpu_state.cpu_music_input = st.input;
        f.s.cpu_state.cpu_power_on = st.power;
        menu("menu_key_open_file_to_all_data");
        menu("menu_key_save_all_data_to_file");
        menu("menu_key_read_all_data_from_cpu_group", 3);
        menu("menu_key_save_all_data_to_cpu_group", 3);
        menu("menu_reset_cpu_audio_mode_0");
        menu("menu_reset_cpu_audio_mode_all");
        menu("menu_cpu_audio_mode_set");
        EXPECT_TRUE(requests_untouched());
        EXPECT_TRUE(f.dialogs.opens.empty() && f.dialogs.saves.empty());
        EXPECT_TRUE(f.actions.calls.empty());
        EXPECT_TRUE(f.svc.messages.empty());
    }
    // Language and About still work in standby.
    menu("menu_key_language");
    EXPECT_EQ(f.s.Language, 0);
    menu("Menu_About");
    EXPECT_EQ(f.actions.calls, std::vector<std::string>{"show_about"});
}

TEST_F(MenuRulesTest, LanguageToggleSavesAndRedrawsInFull) {
    int full_redraws = 0;
    f.svc.on_set_all_dis = [&] { full_redraws += f.s.refresh_incremental == 0; };
    struct Case {
        uint8_t before, after;
    } cases[] = {{1, 0}, {0, 1}, {2, 1}, {255, 1}};
    for (const auto& c : cases) {
        f.s.Language = c.before;
        f.s.refresh_incremental = 1;
        menu("menu_key_language");
        EXPECT_EQ(f.s.Language, c.after);
        EXPECT_EQ(f.settings.get(kSettingsApp, kSettingsSection, "Language"), std::to_string(c.after));
    }
    EXPECT_EQ(full_redraws, 4);
    EXPECT_EQ(f.svc.count("set_all_dis"), 4);
}

TEST_F(MenuRulesTest, AboutIndexAndModeDialog) {
    menu("Menu_Index");
    EXPECT_TRUE(f.actions.calls.empty());
    menu("menu_cpu_audio_mode_set");
    menu("Menu_About");
    EXPECT_EQ(f.actions.calls, (std::vector<std::string>{"show_audio_mode_dialog", "show_about"}));
}

class MenuFileTest : public MenuRulesTest {
protected:
    void SetUp() override { set_app_dir(tmp.path.string()); }
    testing::TempFolder tmp{"tuner_menu_"};
    const fs::path& dir = tmp.path;
};

// An image whose three checked frames carry valid headers.
ParamImage valid_image() {
    ParamImage img{};
    auto frame = [&](std::size_t first, uint8_t command) {
        img[first + 1] = 0xA5, img[first + 2] = 0x5A, img[first + 6] = command;
        img[first + 5] = img[first + 254] = 3;
        img[first + 256] = 0xFF;
    };
    frame(0, 6);
    frame(10 * 257, 8);
    frame(11 * 257, 7);
    return img;
}

TEST_F(MenuFileTest, SaveThenOpenThroughTheMenus) {
    const std::string path = (dir / "mode.ktv").string();
    f.s.param_image = valid_image();
    f.s.param_image.gen[99] = f.s.cpu_state.cpu_music_input;  // the file records the current input
    f.dialogs.answer = path;
    menu("menu_key_save_all_data_to_file");
    ASSERT_EQ(f.dialogs.saves.size(), 1u);
    EXPECT_EQ(f.dialogs.saves[0].filter, kParamFileFilter);
    ASSERT_TRUE(fs::exists(path));
    const ParamImage saved = f.s.param_image;

    f.s.param_image = ParamImage{};
    menu("menu_key_open_file_to_all_data");
    ASSERT_EQ(f.dialogs.opens.size(), 1u);
    EXPECT_EQ(f.s.param_image, saved);
    EXPECT_GE(f.svc.count("set_all_dis"), 1);
}

TEST_F(MenuFileTest, CancelledDialogsChangeNothing) {
    f.s.param_image = valid_image();
    const ParamImage before = f.s.param_image;
    f.dialogs.answer = std::nullopt;
    menu("menu_key_open_file_to_all_data");
    menu("menu_key_save_all_data_to_file");
    EXPECT_EQ(f.s.param_image, before);
    EXPECT_TRUE(f.svc.messages.empty());
    EXPECT_TRUE(fs::is_empty(dir));
}

TEST_F(MenuFileTest, OpenWhileConnectedSendsTheWholeImage) {
    ASSERT_TRUE(f.connect());
    const std::string path = (dir / "a.ktv").string();
    std::ofstream(path, std::ios::binary) << param_file_text(valid_image());
    f.dialogs.answer = path;
    menu("menu_key_open_file_to_all_data");
    EXPECT_EQ(f.s.send_gen_req, kPending);
    EXPECT_EQ(f.s.send_effect_req, kPending);
    EXPECT_EQ(f.s.send_eq_req[0], kPending);
}

}  // namespace
}  // namespace tuner
