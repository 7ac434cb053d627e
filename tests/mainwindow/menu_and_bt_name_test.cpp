// Menu rules and the Bluetooth-name tools at the edges the end-to-end tests leave out.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/app_paths.h"
#include "core/file_dialogs.h"
#include "core/image_match.h"
#include "core/settings.h"
#include "mainwindow/bt_name_rules.h"
#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

namespace fs = std::filesystem;
using ::testing::IsEmpty;

constexpr Ctl kEdit{"Text_bt_file_name_change", 1};
constexpr Ctl kAuto{"Check_updata_bt_name"};

class MenuRulesTest : public ::testing::Test, public RuleEnvFixture {
protected:
    void SetUp() override {
        set_app_dir(dir.string());
        store("Stored_Name");
    }
    void menu(std::string_view name, int index = -1) { rules.menu(env, Ctl{name, index}); }
    void expect_no_mode_requests() const {
        EXPECT_EQ(s.mode_recall_req, kNoRequest) << "mode recall request";
        EXPECT_THAT(s.mode_save_req, ::testing::ElementsAre(0, kNoRequest)) << "mode save request";
        EXPECT_THAT(s.mode_reset_req, ::testing::ElementsAre(0, 0, 0)) << "mode reset requests";
    }
    void store(const std::string& name) {
        s.Bt_Name = name;
        save_bt_name_setting(s, settings);
    }
    std::string stored() {
        AppState probe;
        read_bt_name_setting(probe, settings);
        return probe.Bt_Name;
    }
    void click(int i) { rules.click(env, Ctl{"key_bt_neme", i}); }
    TempDir tmp{"menu"};
    const fs::path& dir = tmp.path;
};
using BtName = MenuRulesTest;

// A ready unit takes mode entries 1..16 only; a unit in standby or without a ready input ignores every guarded
// entry, while About, the index and the language (English to Chinese, anything else to English, saved) still work.
TEST_F(MenuRulesTest, GuardedEntriesNeedAReadyUnitTheLanguageAndAboutDoNot) {
    set_connected(true);
    s.cpu_state.cpu_music_input = 6;
    s.cpu_state.cpu_power_on = 1;
    for (int i : {0, 17, -1, 255}) {
        menu("menu_key_read_all_data_from_cpu_group", i);
        menu("menu_key_save_all_data_to_cpu_group", i);
    }
    expect_no_mode_requests();
    for (auto [input, power] : {std::pair{0, 1}, std::pair{2, 1}, std::pair{6, 0}}) {
        SCOPED_TRACE("input " + std::to_string(input) + " power " + std::to_string(power));
        s.cpu_state.cpu_music_input = static_cast<uint8_t>(input);
        s.cpu_state.cpu_power_on = static_cast<uint8_t>(power);
        for (const char* entry :
             {"menu_key_open_file_to_all_data", "menu_key_save_all_data_to_file", "menu_reset_cpu_audio_mode_0",
              "menu_reset_cpu_audio_mode_all", "menu_cpu_audio_mode_set"})
            menu(entry);
        menu("menu_key_read_all_data_from_cpu_group", 3);
        menu("menu_key_save_all_data_to_cpu_group", 3);
        expect_no_mode_requests();
        EXPECT_EQ(dialogs.opens.size(), 0u) << "open dialogs shown";
        EXPECT_EQ(dialogs.saves.size(), 0u) << "save dialogs shown";
        EXPECT_THAT(actions.calls, IsEmpty()) << "window actions";
        EXPECT_THAT(svc.messages, IsEmpty()) << "messages";
    }
    for (auto [before, after] : {std::pair{1, 0}, std::pair{2, 1}, std::pair{255, 1}}) {
        SCOPED_TRACE("language " + std::to_string(before));
        s.Language = static_cast<uint8_t>(before);
        s.refresh_incremental = 1;
        menu("menu_key_language");
        EXPECT_EQ(s.Language, after) << "language";
        EXPECT_EQ(settings.get(kSettingsApp, kSettingsSection, "Language"), std::to_string(after)) << "saved";
    }
    EXPECT_EQ(redraws(), 3) << "redraws by the language entry";
    EXPECT_EQ(svc.full_redraws, 3) << "full redraws by the language entry";
    menu("Menu_Index");
    menu("Menu_About");
    EXPECT_EQ(actions.calls, std::vector<std::string>{"show_about"});
}

// Cancelled file dialogs, which offer parameter files, change nothing and write nothing.
TEST_F(MenuRulesTest, CancelledFileDialogsChangeNothing) {
    s.param_image.gen[gen_frame::music_vol] = 9;
    const ParamImage before = s.param_image;
    menu("menu_key_open_file_to_all_data");
    menu("menu_key_save_all_data_to_file");
    ASSERT_EQ(dialogs.opens.size(), 1u) << "open dialogs shown";
    ASSERT_EQ(dialogs.saves.size(), 1u) << "save dialogs shown";
    EXPECT_EQ(dialogs.opens[0].filter, kParamFileFilter) << "open dialog filter";
    EXPECT_EQ(dialogs.saves[0].filter, kParamFileFilter) << "save dialog filter";
    EXPECT_TRUE(same_image(s.param_image, before)) << "image after cancelled dialogs";
    EXPECT_TRUE(fs::is_empty(dir)) << "a file was written";
    EXPECT_EQ(redraws(), 0) << "redraws by cancelled dialogs";
}

// The buffer's bytes up to its zero padding, compared as text so a failure shows them escaped.
TEST(BtNameBuffer, CutsOnACharacterBoundaryAndRefusesControlCharacters) {
    const std::string a39(39, 'a'), a40(40, 'a'), blue10 = "蓝蓝蓝蓝蓝蓝蓝蓝蓝蓝";
    for (const auto& [name, sent] : std::initializer_list<std::pair<std::string, std::string>>{
             {"Bt_Audio", "Bt_Audio"},
             {a40 + "aaaaa", a40},
             {blue10 + blue10, blue10 + "蓝蓝蓝"},  // 13 characters of three bytes fit whole
             {a39 + "é", a39},                      // a two-byte character across byte 40
             {a40 + "\t", a40},                     // beyond the 40 bytes sent
             {"", ""},
         }) {
        const auto buf = bt_name_buffer(name);
        ASSERT_TRUE(buf) << name;
        EXPECT_EQ(std::string(buf->begin(), buf->end()), sent + std::string(40 - sent.size(), '\0')) << name;
    }
    EXPECT_FALSE(bt_name_buffer("Bt\tAudio")) << "a tab in the name";
    EXPECT_FALSE(bt_name_buffer("\x1F")) << "a control character as the name";
}

// An empty box keeps the stored name; a refused name is stored as typed but nothing is sent; offline stores only.
// The box is dark grey while edited, light grey otherwise.
TEST_F(BtName, UpdateSendsOnlyAnAcceptedNameWhileConnected) {
    rules.box_got_focus(env, kEdit);
    EXPECT_EQ(view.at(kEdit).fore, 0x404040u) << "edit box colour while edited";
    rules.box_lost_focus(env, kEdit);
    EXPECT_EQ(view.at(kEdit).fore, 0xC0C0C0u) << "edit box colour after editing";
    for (auto [text, online, kept, sent] :
         {std::tuple{"", true, "Stored_Name", false}, std::tuple{"Party", false, "Party", false},
          std::tuple{"Bad\tName", true, "Bad\tName", false}, std::tuple{"Good", true, "Good", true}}) {
        SCOPED_TRACE(std::string("box \"") + text + (online ? "\" online" : "\" offline"));
        set_connected(online);
        view.at(kEdit).text = text;
        click(0);
        EXPECT_EQ(stored(), kept) << "stored name";
        EXPECT_EQ(s.send_bt_name_req, sent ? kPending : kClear) << "name send word";
    }
    EXPECT_EQ(svc.messages, std::vector<std::string>{kBtNameRefusedText});
    EXPECT_EQ(s.bt_name_tx[0], 'G') << "first byte of the name buffer";
}

// Ticked, the box locks the name and sends it, also offline; an empty or refused name switches nothing on.
TEST_F(BtName, AutoRenameLocksTheEditBoxAndSendsOnNextConnection) {
    for (auto [text, tick, locks] : {std::tuple{"Room_7", 1, true}, std::tuple{"Room_7", 0, false},
                                     std::tuple{"", 1, false}, std::tuple{"Bad\x01", 1, false}}) {
        SCOPED_TRACE(std::string(text) + " " + std::to_string(tick));
        s.send_bt_name_req = kClear;
        view.at(kEdit).text = text;
        user_sets(kAuto, tick);
        EXPECT_EQ(view.enabled(kEdit), !locks) << "edit box enabled";
        EXPECT_EQ(s.send_bt_name_req, locks ? kPending : kClear) << "name send word";
        EXPECT_EQ(bt_name_auto_update(view), locks) << "box ticked";  // an empty or refused name unticks the box
        EXPECT_EQ(stored(), *text ? text : "Room_7") << "stored name";
    }
    EXPECT_EQ(svc.messages.size(), 1u) << "messages";
}

// A cancelled, missing or empty import and a failed export keep the name; no half-written file.
TEST_F(BtName, FailedFileExchangesKeepTheName) {
    std::ofstream(dir / "empty.txt", std::ios::binary) << "\xEF\xBB\xBF\r\nsecond\r\n";
    for (std::optional<fs::path> file : {std::optional<fs::path>{}, {dir / "missing.txt"}, {dir / "empty.txt"}}) {
        dialogs.open_answer = file ? std::optional(file->string()) : std::nullopt;
        click(1);
    }
    EXPECT_EQ(svc.messages, std::vector<std::string>{" File not found. Try again."});
    view.at(kEdit).text = "New_Name";
    const fs::path no_folder = dir / "no_such_folder" / "name.txt", folder = dir / "a_folder.txt";
    fs::create_directories(folder);
    for (const fs::path& p : {no_folder, folder}) {
        dialogs.save_answer = p.string();
        click(2);
    }
    EXPECT_EQ(svc.messages.size(), 3u) << "messages after the failed exports";
    EXPECT_EQ(stored(), "Stored_Name") << "stored name";
    EXPECT_EQ(s.Bt_Name, "Stored_Name") << "name in use";
    EXPECT_FALSE(fs::exists(no_folder)) << "file in a missing folder";
    EXPECT_TRUE(fs::is_directory(folder)) << "folder chosen as the export file";
}

}  // namespace
}  // namespace tuner::testing
