#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/settings.h"
#include "mainwindow/startup_config.h"
#include "rule_env_fixture.h"

namespace tuner {
namespace {

namespace fs = std::filesystem;
using testing::FakeMainView;
using testing::MemorySettings;

const std::string kCheck = "此行为中文编码测试行请不要修改";

class StartupConfigTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.set(kSettingsApp, kSettingsSection, "Language", "0");  // the user chose Chinese earlier
    }

    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    StartupConfig read() {
        s.Language = 7;  // whatever was there before
        return read_startup_config(dir.string(), s, settings);
    }

    testing::TempFolder tmp{"tuner_cfg_"};
    const fs::path& dir = tmp.path;
    AppState s;
    MemorySettings settings;
};

void expect_defaults(const StartupConfig& c, const AppState& s) {
    EXPECT_EQ(c.language_mode, "2");
    EXPECT_EQ(c.title_chinese, "Veltrana");
    EXPECT_EQ(c.title_english, "Veltrana");
    EXPECT_FALSE(c.language_menu_visible);
    EXPECT_FALSE(c.config_accepted);
    EXPECT_EQ(s.Language, 1);
}

TEST_F(StartupConfigTest, MissingFileGivesEnglishOnlyWhateverWasSaved) { expect_defaults(read(), s); }

TEST_F(StartupConfigTest, ValidFileSetsTitlesAndLanguageMode) {
    write("config.ini",
          "\xEF\xBB\xBF"
          "1\r\n卡拉OK 调音台\r\nKaraoke Tuner \r\n" +
              kCheck + "\r\n");
    const StartupConfig c = read();
    EXPECT_TRUE(c.config_accepted);
    EXPECT_EQ(c.title_chinese, "卡拉OK 调音台");
    EXPECT_EQ(c.title_english, "Karaoke Tuner ");  // taken whole, blanks kept
    EXPECT_EQ(c.titles().english, "Karaoke Tuner ");
    EXPECT_EQ(c.config_check_line, kCheck);
    EXPECT_EQ(s.Language, 0);
    EXPECT_FALSE(c.language_menu_visible);
}

TEST_F(StartupConfigTest, CheckLineMustBeginWithTheCheckText) {
    struct Case {
        std::string line4;
        bool accepted;
    } cases[] = {
        {kCheck, true},
        {kCheck + "，多余的文字也可以", true},
        {"此行为中文编码测试行请不要", false},  // too short
        {" " + kCheck, false},                  // leading blank
        {"this line checks the encoding", false},
        {"", false},
    };
    for (const auto& c : cases) {
        write("config.ini", "1\nZH\nEN\n" + c.line4 + "\n");
        const StartupConfig cfg = read();
        EXPECT_EQ(cfg.config_accepted, c.accepted) << c.line4;
        if (!c.accepted) expect_defaults(cfg, s);
    }
}

TEST_F(StartupConfigTest, FileInLegacyCodePageIsTreatedAsMissing) {
    // GBK bytes of the check line and a GBK Chinese title.
    const std::string gbk_check =
        "\xB4\xCB\xD0\xD0\xCE\xAA\xD6\xD0\xCE\xC4\xB1\xE0\xC2\xEB\xB2\xE2\xCA\xD4\xD0\xD0\xC7\xEB\xB2\xBB\xD2\xAA"
        "\xD0\xDE\xB8\xC4";
    write("config.ini", "1\r\n\xB1\xEA\xCC\xE2\r\nTitle\r\n" + gbk_check + "\r\n");
    expect_defaults(read(), s);
    // A valid check line does not rescue a file whose title is in GBK.
    write("config.ini", "1\r\n\xB1\xEA\xCC\xE2\r\nTitle\r\n" + kCheck + "\r\n");
    expect_defaults(read(), s);
}

TEST_F(StartupConfigTest, FolderNamedConfigIniIsMissing) {
    fs::create_directories(dir / "config.ini");
    expect_defaults(read(), s);
}

TEST_F(StartupConfigTest, LanguageModeByFirstCharacter) {
    struct Case {
        std::string line1;
        std::string stored;  // the saved choice
        uint8_t language;
        bool menu;
    } cases[] = {
        {"1", "1", 0, false}, {"12", "1", 0, false}, {"2", "0", 1, false}, {"0", "0", 0, true}, {"x", "1", 1, true},
        {"x", "2", 2, true},  {"中", "0", 0, true},  {"", "0", 1, true},   {"0", "", 0, true},  // nothing stored reads
                                                                                                // as Chinese
    };
    for (const auto& c : cases) {
        settings.values.clear();
        if (!c.stored.empty()) settings.set(kSettingsApp, kSettingsSection, "Language", c.stored);
        write("config.ini", c.line1 + "\nZH\nEN\n" + kCheck + "\n");
        const StartupConfig cfg = read();
        EXPECT_EQ(s.Language, c.language) << "[" << c.line1 << "] " << c.stored;
        EXPECT_EQ(cfg.language_menu_visible, c.menu) << "[" << c.line1 << "]";
    }
}

TEST_F(StartupConfigTest, EmptyTitlesAndShortFileReadAsEmpty) {
    write("config.ini", "2\n\n\n" + kCheck);
    StartupConfig c = read();
    EXPECT_TRUE(c.config_accepted);
    EXPECT_EQ(c.title_chinese, "");
    EXPECT_EQ(c.title_english, "");
    // Fewer than four lines: the check line is empty, the file is ignored.
    write("config.ini", "1\nZH\nEN\n");
    expect_defaults(read(), s);
}

TEST_F(StartupConfigTest, LanguageMenuFollowsTheConfiguration) {
    FakeMainView view;
    StartupConfig c;
    c.language_menu_visible = false;
    apply_language_menu(c, view);
    EXPECT_FALSE(view.visible(Ctl{"menu_key_language"}));
    c.language_menu_visible = true;
    apply_language_menu(c, view);
    EXPECT_TRUE(view.visible(Ctl{"menu_key_language"}));
}

TEST_F(StartupConfigTest, LogoFilesInTheirOrder) {
    EXPECT_EQ(find_logo_file(dir.string()), std::nullopt);
    write("logo_main.gif", "GIF89a");
    EXPECT_EQ(find_logo_file(dir.string()), (dir / "logo_main.gif").string());
    write("logo_main.ini", "picture");
    EXPECT_EQ(find_logo_file(dir.string()), (dir / "logo_main.ini").string());
    write("logo_main.bmp", "BM");
    EXPECT_EQ(find_logo_file(dir.string()), (dir / "logo_main.bmp").string());
    write("logo_main.jpg", "\xFF\xD8");
    EXPECT_EQ(find_logo_file(dir.string()), (dir / "logo_main.jpg").string());
    fs::remove(dir / "logo_main.jpg");
    fs::create_directories(dir / "logo_main.jpg");  // a folder is no logo
    EXPECT_EQ(find_logo_file(dir.string()), (dir / "logo_main.bmp").string());

    EXPECT_EQ(find_icon_file(dir.string()), std::nullopt);
    write("logo.ico", "icon");
    EXPECT_EQ(find_icon_file(dir.string()), (dir / "logo.ico").string());
}

}  // namespace
}  // namespace tuner
