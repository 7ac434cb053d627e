// Menu rules at the edges the end-to-end tests leave out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/app_paths.h"
#include "core/default_image.h"
#include "core/image_match.h"
#include "core/param_file.h"
#include "rule_env_fixture.h"

namespace tuner {
namespace {

namespace fs = std::filesystem;

class MenuRulesTest : public ::testing::Test, public testing::RuleEnvFixture {
protected:
    void SetUp() override { set_app_dir(tmp.path.string()); }
    void menu(std::string_view name, int index = -1) { rules.menu(env, Ctl{name, index}); }
    void expect_no_mode_requests() const {
        using ::testing::ElementsAre;
        EXPECT_EQ(s.mode_recall_req, kNoRequest) << "mode recall request";
        EXPECT_THAT(s.mode_save_req, ElementsAre(0, kNoRequest)) << "mode save request";
        EXPECT_THAT(s.mode_reset_req, ElementsAre(0, 0, 0)) << "mode reset requests";
    }
    testing::TempFolder tmp{"tuner_menu_"};
};

TEST_F(MenuRulesTest, ModeEntriesOutsideOneToSixteenDoNothing) {
    for (int i : {0, 17, -1, 255}) {
        menu("menu_key_read_all_data_from_cpu_group", i);
        menu("menu_key_save_all_data_to_cpu_group", i);
    }
    expect_no_mode_requests();
}

TEST_F(MenuRulesTest, UnitNotReadyIgnoresEveryGuardedEntry) {
    struct State {
        uint8_t input, power;
    } not_ready[] = {{0, 1}, {1, 1}, {2, 1}, {6, 0}};
    for (const auto& st : not_ready) {
        SCOPED_TRACE("input " + std::to_string(st.input) + " power " + std::to_string(st.power));
        s.cpu_state.cpu_music_input = st.input;
        s.cpu_state.cpu_power_on = st.power;
        for (const char* entry :
             {"menu_key_open_file_to_all_data", "menu_key_save_all_data_to_file", "menu_reset_cpu_audio_mode_0",
              "menu_reset_cpu_audio_mode_all", "menu_cpu_audio_mode_set"})
            menu(entry);
        menu("menu_key_read_all_data_from_cpu_group", 3);
        menu("menu_key_save_all_data_to_cpu_group", 3);
        expect_no_mode_requests();
        EXPECT_EQ(dialogs.opens.size(), 0u) << "open dialogs shown";
        EXPECT_EQ(dialogs.saves.size(), 0u) << "save dialogs shown";
        EXPECT_THAT(actions.calls, ::testing::IsEmpty());
        EXPECT_THAT(svc.messages, ::testing::IsEmpty());
    }
    // Language, About and the index still work in standby.
    menu("menu_key_language");
    EXPECT_EQ(s.Language, 0);
    menu("Menu_Index");
    menu("Menu_About");
    EXPECT_EQ(actions.calls, std::vector<std::string>{"show_about"});
}

// English goes to Chinese, anything else to English; the choice is saved, then one full redraw.
TEST_F(MenuRulesTest, LanguageToggleSavesAndRedrawsInFull) {
    svc.on_set_all_dis = [&] { EXPECT_EQ(s.refresh_incremental, 0); };
    for (auto [before, after] : {std::pair{1, 0}, std::pair{2, 1}, std::pair{255, 1}}) {
        s.Language = static_cast<uint8_t>(before);
        s.refresh_incremental = 1;
        menu("menu_key_language");
        EXPECT_EQ(s.Language, after);
        EXPECT_EQ(settings.get(kSettingsApp, kSettingsSection, "Language"), std::to_string(after));
    }
    EXPECT_EQ(redraws(), 3);
}

TEST_F(MenuRulesTest, ParameterFileRoundTripThroughTheMenus) {
    const std::string path = (tmp.path / "mode.ktv").string();
    s.param_image = neutral_param_image();
    s.param_image.gen[99] = s.cpu_state.cpu_music_input;  // the file records the current input
    const ParamImage before = s.param_image;
    menu("menu_key_open_file_to_all_data");  // cancelled dialogs change nothing
    menu("menu_key_save_all_data_to_file");
    EXPECT_TRUE(testing::same_image(s.param_image, before)) << "after cancelled dialogs";
    EXPECT_TRUE(fs::is_empty(tmp.path)) << "a file was written";

    dialogs.open_answer = dialogs.save_answer = path;
    menu("menu_key_save_all_data_to_file");
    ASSERT_EQ(dialogs.saves.size(), 2u);
    EXPECT_EQ(dialogs.saves[1].filter, kParamFileFilter);
    const ParamImage saved = s.param_image;
    s.param_image = ParamImage{};
    menu("menu_key_open_file_to_all_data");
    EXPECT_TRUE(testing::same_image(s.param_image, saved)) << "the opened file";
    EXPECT_GE(redraws(), 1);
    EXPECT_THAT(svc.messages, ::testing::IsEmpty());
    EXPECT_EQ(s.send_gen_req, kClear);  // offline: nothing to send

    ASSERT_TRUE(connect());  // while connected, the whole image goes to the unit
    menu("menu_key_open_file_to_all_data");
    EXPECT_EQ(s.send_gen_req, kPending) << "gen send word";
    EXPECT_EQ(s.send_effect_req, kPending) << "effect send word";
    EXPECT_EQ(s.send_eq_req[0], kPending) << "EQ channel 0 send word";
}

}  // namespace
}  // namespace tuner
