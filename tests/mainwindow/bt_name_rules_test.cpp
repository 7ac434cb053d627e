// The Bluetooth-name tools: the 40-byte send buffer, the three buttons, the
// automatic rename box and the text-file round trip.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/app_paths.h"
#include "core/settings.h"
#include "mainwindow/bt_name_rules.h"
#include "mainwindow/rule_env_fixture.h"

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

std::string file_bytes(const fs::path& p) {
    std::ifstream f(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

class BtName : public ::testing::Test, public testing::RuleEnvFixture {
protected:
    void SetUp() override {
        // One folder per test: the suite's tests may run in parallel processes.
        dir = fs::path(TUNER_TEST_OUTPUT_DIR) / "bt_name" /
              ::testing::UnitTest::GetInstance()->current_test_info()->name();
        fs::remove_all(dir);
        fs::create_directories(dir / kParamFolderName);
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
    bool build() { return clr_bt_name_display_and_read_bt_name_file2(s, view, settings, ui); }

    fs::path dir;
};

TEST(BtNameBuffer, CutsOnACharacterBoundaryAndRefusesControlCharacters) {
    const auto ascii = bt_name_buffer("Bt_Audio");
    ASSERT_TRUE(ascii);
    std::array<uint8_t, 40> want{};
    std::copy_n("Bt_Audio", 8, want.begin());
    EXPECT_EQ(*ascii, want);

    const auto long_ascii = bt_name_buffer(repeat("a", 45));
    ASSERT_TRUE(long_ascii);
    EXPECT_EQ(long_ascii->back(), 'a');

    // 20 characters of three bytes: 13 fit whole, the 14th is left out.
    const auto cjk = bt_name_buffer(repeat("蓝", 20));
    ASSERT_TRUE(cjk);
    EXPECT_EQ(std::string(cjk->begin(), cjk->begin() + 39), repeat("蓝", 13));
    EXPECT_EQ((*cjk)[39], 0);

    // A two-byte character across byte 40.
    const auto mixed = bt_name_buffer(repeat("a", 39) + "é");
    ASSERT_TRUE(mixed);
    EXPECT_EQ((*mixed)[38], 'a');
    EXPECT_EQ((*mixed)[39], 0);

    EXPECT_FALSE(bt_name_buffer("Bt\tAudio"));
    EXPECT_FALSE(bt_name_buffer("\x1F"));
    EXPECT_TRUE(bt_name_buffer(repeat("a", 40) + "\t"));  // beyond the 40 bytes sent
    EXPECT_EQ(*bt_name_buffer(""), (std::array<uint8_t, 40>{}));
}

TEST_F(BtName, BuildShowsTheNameAsItReachesTheUnit) {
    store(repeat("蓝", 20));
    EXPECT_TRUE(build());
    EXPECT_TRUE(s.bt_name_ready);
    EXPECT_EQ(view.text(kEdit), repeat("蓝", 13));
    EXPECT_TRUE(view.visible(Ctl{"key_bt_neme", 2}));
}

TEST_F(BtName, RefusedNameIsNotSent) {
    s.cpu_connect_state = 1;
    view.at(kEdit).text = "Bad\tName";
    click(0);
    EXPECT_EQ(stored(), "Bad\tName");  // the setting keeps what was typed
    EXPECT_EQ(ui.messages, std::vector<std::string>{kBtNameRefusedText});
    EXPECT_EQ(s.bt_name_tx, (std::array<uint8_t, 40>{}));
    EXPECT_FALSE(s.bt_name_ready);
    EXPECT_EQ(s.send_bt_name_req, kClear);

    view.at(kEdit).text = "Good";
    click(0);
    EXPECT_TRUE(s.bt_name_ready);
    EXPECT_EQ(s.send_bt_name_req, kPending);
    EXPECT_EQ(s.bt_name_tx[0], 'G');
}

TEST_F(BtName, UpdateTakesTheEditBox) {
    view.at(kEdit).text = "";
    click(0);
    EXPECT_EQ(stored(), "Stored_Name");

    view.at(kEdit).text = "Party";
    click(0);  // offline: stored, not sent
    EXPECT_EQ(stored(), "Party");
    EXPECT_EQ(s.send_bt_name_req, kClear);
    s.cpu_connect_state = 1;
    click(0);
    EXPECT_EQ(s.send_bt_name_req, kPending);
}

TEST_F(BtName, AutoRenameLocksTheEditBoxAndSendsOnNextConnection) {
    view.at(kEdit).text = "Room_7";
    view.at(kAuto).value = 1;  // ticked by mouse or keyboard
    rules.check_mouse_up(env, kAuto);
    EXPECT_FALSE(view.enabled(kEdit));
    EXPECT_EQ(stored(), "Room_7");
    EXPECT_EQ(s.send_bt_name_req, kPending);  // also offline
    EXPECT_TRUE(bt_name_auto_update(view));

    view.at(kAuto).value = 0;
    rules.check_mouse_up(env, kAuto);
    EXPECT_TRUE(view.enabled(kEdit));
    EXPECT_FALSE(bt_name_auto_update(view));

    s.send_bt_name_req = kClear;
    view.at(kEdit).text = "";
    view.at(kAuto).value = 1;
    rules.check_mouse_up(env, kAuto);
    EXPECT_TRUE(view.enabled(kEdit));
    EXPECT_EQ(s.send_bt_name_req, kClear);
}

TEST_F(BtName, AutoRenameWithARefusedNameIsSwitchedOff) {
    view.at(kEdit).text = "Bad\x01";
    view.at(kAuto).value = 1;
    rules.check_mouse_up(env, kAuto);
    EXPECT_EQ(s.send_bt_name_req, kClear);
    EXPECT_EQ(view.value(kAuto), 0);
    EXPECT_TRUE(view.enabled(kEdit));
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(BtName, EditBoxGreysWhenLeft) {
    rules.box_got_focus(env, kEdit);
    EXPECT_EQ(view.at(kEdit).fore, 0x404040u);
    rules.box_lost_focus(env, kEdit);
    EXPECT_EQ(view.at(kEdit).fore, 0xC0C0C0u);
    const Ctl unused{"Text_bt_file_name_change", 0};  // only element 1 is used
    rules.box_got_focus(env, unused);
    EXPECT_EQ(view.at(unused).fore, 0x80000008u);
}

TEST_F(BtName, ExportThenImportRoundTrip) {
    const fs::path file = dir / "name.txt";
    view.at(kEdit).text = "蓝牙 Audio";
    dialogs.save_answer = file.string();
    click(2);
    EXPECT_EQ(file_bytes(file),
              "\xEF\xBB\xBF"
              "蓝牙 Audio\r\n");
    EXPECT_EQ(stored(), "蓝牙 Audio");
    EXPECT_EQ(dialogs.saves.at(0).filter, "TXTFile (*.txt)|*.txt");
    EXPECT_EQ(s.send_bt_name_req, kClear);

    store("Other");
    dialogs.open_answer = file.string();
    click(1);
    EXPECT_EQ(stored(), "蓝牙 Audio");
    EXPECT_EQ(s.Bt_Name, "蓝牙 Audio");
    EXPECT_EQ(view.text(kEdit), "蓝牙 Audio");
    const FileDialogRequest& r = dialogs.opens.at(0);
    EXPECT_EQ(r.filter, "TXTFile (*.txt)|*.txt");
    EXPECT_EQ(fs::path(r.init_dir), dir / "AudioParmFile");
    EXPECT_EQ(s.send_bt_name_req, kClear);
}

TEST_F(BtName, ImportThatReadsNothingKeepsTheName) {
    click(1);  // cancelled
    EXPECT_EQ(stored(), "Stored_Name");
    EXPECT_TRUE(ui.messages.empty());

    dialogs.open_answer = (dir / "missing.txt").string();
    click(1);
    EXPECT_EQ(stored(), "Stored_Name");
    EXPECT_EQ(ui.messages, std::vector<std::string>{" File not found. Try again."});

    const fs::path empty = dir / "empty.txt";
    std::ofstream(empty, std::ios::binary) << "\xEF\xBB\xBF\r\nsecond\r\n";
    dialogs.open_answer = empty.string();
    click(1);
    EXPECT_EQ(stored(), "Stored_Name");
    EXPECT_EQ(s.Bt_Name, "Stored_Name");
}

TEST_F(BtName, UnwritableExportChangesNothing) {
    view.at(kEdit).text = "New_Name";
    const fs::path no_folder = dir / "no_such_folder" / "name.txt";
    dialogs.save_answer = no_folder.string();
    click(2);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(stored(), "Stored_Name");
    EXPECT_FALSE(fs::exists(no_folder));

    const fs::path folder = dir / "a_folder.txt";
    fs::create_directories(folder);
    dialogs.save_answer = folder.string();
    click(2);
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_TRUE(fs::is_directory(folder));
    EXPECT_EQ(stored(), "Stored_Name");
}

}  // namespace
}  // namespace tuner::testing
