// The window's texts: captions in both languages with their conditional rows; config.ini (titles and language mode)
// and the logo files.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <tuple>

#include "core/settings.h"
#include "core/utf8.h"
#include "mainwindow/captions.h"
#include "mainwindow/startup_config.h"
#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

namespace fs = std::filesystem;

struct CaptionsTest : ::testing::Test {
    std::string shown(std::string_view name, int index = -1) { return view.text(Ctl{name, index}); }
    void write(uint8_t lang, WindowTitles titles = {}) {
        s.Language = lang;
        set_Language_display(s, view, titles);
    }
    AppState s;
    FakeMainView view;
};

// Any language but 0 is English; the window title comes from config.ini, an empty Chinese one stays empty; headings
// repeat their frame's caption, after a blank where the row says so.
TEST_F(CaptionsTest, BothSetsTitlesAndCopies) {
    for (uint8_t lang : {0, 1, 2, 255}) {
        SCOPED_TRACE("language " + std::to_string(lang));
        write(lang, {"标题", "Title"});
        EXPECT_EQ(shown("ucXTab1", 1), lang ? "MIC" : "麦克风");
        EXPECT_EQ(shown("key_sub_out_phase"), lang ? "Phase 180°" : "反相 180°");
        EXPECT_EQ(shown("FrmMain"), lang ? "Title" : "标题");
        EXPECT_EQ(shown("Label1", 7), lang ? " Dynamic Range Compression" : " 压限器");
        EXPECT_EQ(shown("Label1", 4), lang ? " Music Input Sel" : " 音乐输入选择");
        EXPECT_EQ(shown("Label_system_setup", 1), lang ? "Mute" : "静音");
    }
    write(0, {"", "Brand"});
    EXPECT_EQ(shown("FrmMain"), "");
}

TEST_F(CaptionsTest, AuxCaptionAndEchoDelayLabelsFollowTheUnit) {
    // language, aux caption flag, link, echo delay mode; the aux caption and the two delay labels
    using Case = std::tuple<uint8_t, uint8_t, uint8_t, uint8_t, const char*, const char*, const char*>;
    for (auto [lang, aux_caps, link, delay_mode, aux, left, right] : {
             Case{1, 1, 2, 0, "AUX 1", "L Dey", "R Dey"},
             {1, 0, 2, 3, "AUX", "Delay", "LR Dey"},
             {1, 0, 1, 0, "AUX", "L Dey", "R Dey"},
             {0, 0, 2, 3, "线路 1", "时间", "左右"},
             {0, 0, 0, 0, "线路 1", "左延时", "右延时"},
             {0, 0, 1, 0, "线路", "左延时", "右延时"},
             {0, 1, 1, 0, "线路 1", "左延时", "右延时"},
         }) {
        s.cpu_info[cpu_info_byte::cpu_input_caps + 6] = aux_caps;
        s.cpu_connect_state = link;
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = delay_mode;
        SCOPED_TRACE("language " + std::to_string(lang) + ", aux caption flag " + std::to_string(aux_caps) + ", link " +
                     std::to_string(link) + ", echo delay mode " + std::to_string(delay_mode));
        write(lang);
        EXPECT_EQ(shown("key_input", 3), aux);
        EXPECT_EQ(shown("Label_echo_a_delay_l"), left);
        EXPECT_EQ(shown("Label_echo_a_delay_r"), right);
    }
}

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
        EXPECT_FALSE(c.language_menu_visible) << "language menu shown";
        EXPECT_FALSE(c.config_accepted) << "accepted";
        EXPECT_EQ(s.Language, 1);
    }

    TempDir tmp{"cfg"};
    const fs::path& dir = tmp.path;
    AppState s;
    MemorySettings settings;
};

// Titles are taken whole with their blanks, cut at 255 whole characters; text after the check text is allowed.
TEST_F(StartupConfigTest, ValidFileSetsTitles) {
    write("config.ini", "\xEF\xBB\xBF" + std::string("1\r\n卡拉OK 调音台\r\nKaraoke Tuner \r\n") + kCheck + "\r\n");
    StartupConfig c = read();
    EXPECT_TRUE(c.config_accepted);
    EXPECT_EQ(c.title_chinese, "卡拉OK 调音台");
    EXPECT_EQ(c.titles().english, "Karaoke Tuner ");
    EXPECT_EQ(c.config_check_line, kCheck);

    std::string chinese;
    for (int i = 0; i < 300; ++i) chinese += "卡";
    write("config.ini", "2\n" + chinese + "\n" + std::string(300, 'E') + "\n" + kCheck + "，多余的文字也可以");
    c = read();
    EXPECT_TRUE(c.config_accepted) << "long titles, text after the check text";
    EXPECT_EQ(c.title_chinese, utf8_first_chars(chinese, 255));
    EXPECT_EQ(c.title_chinese.size(), 255u * 3);
    EXPECT_EQ(c.title_english, std::string(255, 'E'));

    write("config.ini", "2\n\n\n" + kCheck);
    c = read();
    EXPECT_TRUE(c.config_accepted) << "empty titles";
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
             {"x", "2", 2, true},
             {"", "0", 1, true},
             {"0", "", 0, true},
         }) {
        settings.values.clear();
        if (!stored.empty()) settings.set(kSettingsApp, kSettingsSection, "Language", stored);
        write("config.ini", line1 + "\nZH\nEN\n" + kCheck + "\n");
        SCOPED_TRACE("first line [" + line1 + "], saved choice [" + stored + "]");
        const StartupConfig cfg = read();
        EXPECT_EQ(s.Language, language);
        EXPECT_EQ(cfg.language_menu_visible, menu);
    }
}

TEST_F(StartupConfigTest, LogoFilesInTheirOrder) {
    EXPECT_EQ(find_logo_file(dir.string()), std::nullopt);
    for (const char* name : {"logo_main.gif", "logo_main.ini", "logo_main.bmp", "logo_main.jpg"}) {
        write(name, "picture");
        EXPECT_EQ(find_logo_file(dir.string()), (dir / name).string()) << "after writing " << name;
    }
    fs::remove(dir / "logo_main.jpg");
    fs::create_directories(dir / "logo_main.jpg");  // a folder is no logo
    EXPECT_EQ(find_logo_file(dir.string()), (dir / "logo_main.bmp").string());
    EXPECT_EQ(find_icon_file(dir.string()), std::nullopt);
    write("logo.ico", "icon");
    EXPECT_EQ(find_icon_file(dir.string()), (dir / "logo.ico").string());
}

}  // namespace
}  // namespace tuner::testing
