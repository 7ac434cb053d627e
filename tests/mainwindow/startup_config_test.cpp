#include <gtest/gtest.h>

#include <tuple>

#include <filesystem>
#include <fstream>

#include "core/settings.h"
#include "mainwindow/startup_config.h"
#include "rule_env_fixture.h"

namespace tuner {
namespace {

namespace fs = std::filesystem;

const std::string kCheck = "此行为中文编码测试行请不要修改";

class StartupConfigTest : public ::testing::Test {
protected:
    void SetUp() override { settings.set(kSettingsApp, kSettingsSection, "Language", "0"); }  // Chinese chosen earlier
    void write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir / name, std::ios::binary) << bytes;
    }
    StartupConfig read() {
        s.Language = 7;  // whatever was there before
        return read_startup_config(dir.string(), s, settings);
    }
    // A file that is not accepted reads as missing: English only, whatever was saved.
    void expect_defaults(const std::string& what) {
        SCOPED_TRACE(what);
        const StartupConfig c = read();
        EXPECT_EQ(c.language_mode, "2");
        EXPECT_EQ(c.title_chinese, "Veltrana");
        EXPECT_EQ(c.title_english, "Veltrana");
        EXPECT_FALSE(c.language_menu_visible);
        EXPECT_FALSE(c.config_accepted);
        EXPECT_EQ(s.Language, 1) << "language";
    }

    testing::TempFolder tmp{"tuner_cfg_"};
    const fs::path& dir = tmp.path;
    AppState s;
    testing::MemorySettings settings;
};

TEST_F(StartupConfigTest, ValidFileSetsTitlesAndLanguageMode) {
    write("config.ini", "\xEF\xBB\xBF" + std::string("1\r\n卡拉OK 调音台\r\nKaraoke Tuner \r\n") + kCheck + "\r\n");
    StartupConfig c = read();  // titles taken whole, blanks kept
    EXPECT_TRUE(c.config_accepted);
    EXPECT_EQ(c.title_chinese, "卡拉OK 调音台");
    EXPECT_EQ(c.titles().english, "Karaoke Tuner ");
    EXPECT_EQ(c.config_check_line, kCheck);

    write("config.ini", "2\n\n\n" + kCheck + "，多余的文字也可以");  // text after the check text is allowed
    c = read();
    EXPECT_TRUE(c.config_accepted) << "with text after the check text";
    EXPECT_EQ(c.title_chinese, "");
    EXPECT_EQ(c.title_english, "");
}

TEST_F(StartupConfigTest, UnacceptedFilesReadAsMissing) {
    expect_defaults("no file");
    // GBK bytes of the check line and of a Chinese title.
    const std::string gbk_check =
        "\xB4\xCB\xD0\xD0\xCE\xAA\xD6\xD0\xCE\xC4\xB1\xE0\xC2\xEB\xB2\xE2\xCA\xD4\xD0\xD0\xC7\xEB\xB2\xBB\xD2\xAA"
        "\xD0\xDE\xB8\xC4";
    for (const auto& [what, bytes] : std::initializer_list<std::pair<const char*, std::string>>{
             {"check line too short", "1\nZH\nEN\n此行为中文编码测试行请不要\n"},
             {"leading blank", "1\nZH\nEN\n " + kCheck + "\n"},
             {"other text", "1\nZH\nEN\nthis line checks the encoding\n"},
             {"three lines", "1\nZH\nEN\n"},
             {"GBK file", "1\r\n\xB1\xEA\xCC\xE2\r\nTitle\r\n" + gbk_check + "\r\n"},
             {"GBK title, valid check line", "1\r\n\xB1\xEA\xCC\xE2\r\nTitle\r\n" + kCheck + "\r\n"}}) {
        write("config.ini", bytes);
        expect_defaults(what);
    }
    fs::remove(dir / "config.ini");
    fs::create_directories(dir / "config.ini");
    expect_defaults("a folder");
}

TEST_F(StartupConfigTest, LanguageModeByFirstCharacter) {
    // The first line; the saved choice (nothing stored reads as Chinese); the language and whether the menu shows.
    using Case = std::tuple<std::string, std::string, uint8_t, bool>;
    for (const auto& [line1, stored, language, menu] : {
             Case{"1", "1", 0, false},
             {"12", "1", 0, false},
             {"2", "0", 1, false},
             {"0", "0", 0, true},
             {"x", "1", 1, true},
             {"x", "2", 2, true},
             {"中", "0", 0, true},
             {"", "0", 1, true},
             {"0", "", 0, true},
         }) {
        settings.values.clear();
        if (!stored.empty()) settings.set(kSettingsApp, kSettingsSection, "Language", stored);
        write("config.ini", line1 + "\nZH\nEN\n" + kCheck + "\n");
        SCOPED_TRACE("first line [" + line1 + "], saved choice [" + stored + "]");
        const StartupConfig cfg = read();
        EXPECT_EQ(s.Language, language) << "language";
        EXPECT_EQ(cfg.language_menu_visible, menu) << "language menu shown";
    }
}

TEST_F(StartupConfigTest, LogoFilesInTheirOrder) {
    EXPECT_EQ(find_logo_file(dir.string()), std::nullopt);
    for (const char* name : {"logo_main.gif", "logo_main.ini", "logo_main.bmp", "logo_main.jpg"}) {
        write(name, "picture");
        EXPECT_EQ(find_logo_file(dir.string()), (dir / name).string());
    }
    fs::remove(dir / "logo_main.jpg");
    fs::create_directories(dir / "logo_main.jpg");  // a folder is no logo
    EXPECT_EQ(find_logo_file(dir.string()), (dir / "logo_main.bmp").string());
    EXPECT_EQ(find_icon_file(dir.string()), std::nullopt);
    write("logo.ico", "icon");
    EXPECT_EQ(find_icon_file(dir.string()), (dir / "logo.ico").string());
}

}  // namespace
}  // namespace tuner
