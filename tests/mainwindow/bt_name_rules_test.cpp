// The Bluetooth-name tools at the edges the end-to-end tests leave out.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/app_paths.h"
#include "core/settings.h"
#include "mainwindow/bt_name_rules.h"
#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

namespace fs = std::filesystem;

constexpr Ctl kEdit{"Text_bt_file_name_change", 1};
constexpr Ctl kAuto{"Check_updata_bt_name"};

std::string repeat(const std::string& piece, int n) {
    std::string out;
    for (int i = 0; i < n; ++i) out += piece;
    return out;
}

class BtName : public ::testing::Test, public RuleEnvFixture {
protected:
    void SetUp() override {
        set_app_dir(dir.string());
        store("Stored_Name");
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
    TempFolder tmp{"tuner_bt_"};
    const fs::path& dir = tmp.path;
};

TEST(BtNameBuffer, CutsOnACharacterBoundaryAndRefusesControlCharacters) {
    // The name; the buffer's bytes up to its zero padding.
    for (const auto& [name, sent] : std::initializer_list<std::pair<std::string, std::string>>{
             {"Bt_Audio", "Bt_Audio"},
             {repeat("a", 45), repeat("a", 40)},
             {repeat("蓝", 20), repeat("蓝", 13)},       // 13 characters of three bytes fit whole
             {repeat("a", 39) + "é", repeat("a", 39)},   // a two-byte character across byte 40
             {repeat("a", 40) + "\t", repeat("a", 40)},  // beyond the 40 bytes sent
             {"", ""},
         }) {
        const auto buf = bt_name_buffer(name);
        ASSERT_TRUE(buf) << name;
        // The 40 bytes as text, so a failure shows them escaped.
        EXPECT_EQ(std::string(buf->begin(), buf->end()), sent + std::string(40 - sent.size(), '\0')) << name;
    }
    EXPECT_FALSE(bt_name_buffer("Bt\tAudio"));
    EXPECT_FALSE(bt_name_buffer("\x1F"));
}

// An empty box keeps the stored name; a refused name is stored as typed but nothing is sent; offline stores only.
TEST_F(BtName, UpdateSendsOnlyAnAcceptedNameWhileConnected) {
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
    EXPECT_EQ(s.bt_name_tx[0], 'G');
}

// Ticked by mouse or keyboard: the box locks the name and sends it, also offline; an empty or refused name
// switches nothing on.
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
    EXPECT_EQ(svc.messages.size(), 1u);
}

// A cancelled, missing or empty import and an export to an unwritable path keep the name; no half-written file.
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
    EXPECT_EQ(svc.messages.size(), 3u);
    EXPECT_EQ(stored(), "Stored_Name") << "stored name";
    EXPECT_EQ(s.Bt_Name, "Stored_Name") << "name in use";
    EXPECT_FALSE(fs::exists(no_folder));
    EXPECT_TRUE(fs::is_directory(folder));
}

}  // namespace
}  // namespace tuner::testing
