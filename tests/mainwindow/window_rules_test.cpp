// Switches, check boxes, test panel, menus, Bluetooth name, captions and start-up files at the end-to-end tests' edges.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/app_paths.h"
#include "core/image_match.h"
#include "mainwindow/bt_name_rules.h"
#include "mainwindow/captions.h"
#include "mainwindow/startup_config.h"
#include "mainwindow/test_panel_rules.h"
#include "rule_env_fixture.h"

namespace tuner::testing {
namespace {

namespace g = gen_frame;

class SwitchRulesTest : public ::testing::Test, public RuleEnvFixture {
protected:
    SwitchRulesTest() { set_connected(true); }
    uint8_t& gen(std::size_t off) { return s.param_image.gen[off]; }
    void click(std::string_view name, int index = -1) { rules.click(env, Ctl{name, index}); }
};

TEST_F(SwitchRulesTest, ToggleButtonsFlipTheirByte) {
    using Row = std::tuple<const char*, int, std::size_t>;
    for (auto [name, index, byte] :
         {Row{"key_main_out_lch_mute", -1, g::main_out_lch_mute},
          Row{"key_main_out_rch_mute", -1, g::main_out_rch_mute}, Row{"key_sub_out_mute", -1, g::sub_out_mute},
          Row{"key_sub_out_phase", -1, g::sub_out_phase}, Row{"key_mute", 0, g::master_mute},
          Row{"key_mute", 1, g::music_mute}, Row{"key_mute", 2, g::mic_mute}, Row{"key_mute", 3, g::effect_mute}}) {
        SCOPED_TRACE((Ctl{name, index}.str()));
        gen(byte) = 5;  // anything but 0 clears
        s.send_gen_req = kClear;
        click(name, index);
        EXPECT_EQ(gen(byte), 0);
        EXPECT_EQ(s.send_gen_req, kPending);
        click(name, index);
        EXPECT_EQ(gen(byte), 1);
    }
    const FrameImage before = s.param_image.gen;
    click("key_mute", 7);  // outside the array: nothing toggles, still redrawn
    EXPECT_TRUE(same_frame_bytes(s.param_image.gen, before)) << "gen frame after key_mute(7)";
    EXPECT_EQ(redraws(), 17);
}

TEST_F(SwitchRulesTest, SelectorsTakeOnlyTheirIndexes) {
    gen(g::mic_fbx) = 3;
    for (auto [level, stored, redrawn] : {std::tuple{3, 3, 0}, std::tuple{6, 6, 1}, std::tuple{9, 6, 2}}) {
        SCOPED_TRACE("level " + std::to_string(level));
        click("key_mic_fbx", level);
        EXPECT_EQ(gen(g::mic_fbx), stored);
        EXPECT_EQ(redraws(), redrawn);
        EXPECT_EQ(s.send_gen_req, redrawn ? kPending : kClear);
    }
    s.send_gen_req = kClear;
    click("key_power_bit", 2);
    click("key_power_bit", 9);  // not a power request
    EXPECT_EQ(s.power_req, 2);
    EXPECT_EQ(s.send_gen_req, kClear);
    for (int i = 0; i < 4; ++i) click("Command1", i);
    EXPECT_EQ(actions.calls, (std::vector<std::string>{"clear_list lstResults", "clear_list List_cpu_debug_out_display",
                                                       "clear_list List_pc_out_data_display"}));
    set_connected(false);  // offline a button stores its byte and raises nothing
    s.power_req = kNoRequest;
    click("key_mic_fbx", 4);
    click("key_power_bit", 0);
    EXPECT_EQ(gen(g::mic_fbx), 4);
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(s.power_req, kNoRequest);
}

TEST_F(SwitchRulesTest, AdjustModesMoveTheChannelOfTheirTab) {
    using Row = std::tuple<const char*, int, uint8_t, uint8_t, uint8_t, uint8_t>;  // mic-2 bands, channel before/after
    for (auto [selector, mode, mic2_bands, stored, before, after] :
         {Row{"key_mic1_mic2_eq_adj_mode", 2, 10, 2, 1, 2}, Row{"key_mic1_mic2_eq_adj_mode", 1, 10, 1, 2, 1},
          Row{"key_mic1_mic2_eq_adj_mode", 2, 0, 0, 2, 1},  // without a microphone-2 EQ: mode 0, channel 1
          Row{"key_echo_reverb_eq_adj_mode", 2, 0, 2, 3, 4}, Row{"key_echo_reverb_eq_adj_mode", 0, 0, 0, 0, 0}}) {
        SCOPED_TRACE(std::string(selector) + " " + std::to_string(mode));
        s.eq_band_count[2] = mic2_bands;
        s.eq_channel_sel = before;
        click(selector, mode);
        const bool mic = std::string_view(selector) == "key_mic1_mic2_eq_adj_mode";
        EXPECT_EQ(gen(mic ? g::mic1_mic2_eq_adj_mode : g::echo_reverb_eq_adj_mode), stored);
        EXPECT_EQ(s.eq_channel_sel, after);
    }
    const int before = redraws();
    click("key_echo_reverb_eq_adj_mode", 0);  // already in force
    EXPECT_EQ(redraws(), before);
}

TEST_F(SwitchRulesTest, MusicInputOfflineFollowsAtOnceAndTheLitInputDoesNothing) {
    click("key_input", 12);
    click("key_input", 10);
    EXPECT_EQ(svc.calls,
              (std::vector<std::string>{"display_wait_youxian_x100ms(16)", "display_wait_youxian_x100ms(23)"}));
    set_connected(false);
    svc.calls.clear();
    s.send_gen_req = s.send_input_req = kClear;
    gen(g::music_input_sel) = 255;
    click("key_input", 10);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 10);
    EXPECT_EQ(gen(g::music_input_sel), 255);
    EXPECT_EQ(svc.calls, std::vector<std::string>{"set_all_dis"});  // no wait
    svc.calls.clear();
    click("key_input", 10);  // the lit input
    click("key_input", 20);  // no such button
    EXPECT_THAT(svc.calls, ::testing::IsEmpty());
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(s.send_input_req, kClear);
}

// Greyed is ticked, the lock writes only 0 and 1, no option chosen writes nothing; the power-on volume box waits.
TEST_F(SwitchRulesTest, CheckBoxesWriteAndRaiseOnlyOnAChange) {
    using Row = std::tuple<const char*, std::size_t, int, int, int>;  // byte before, tick, byte after
    for (auto [box, byte, before, tick, after] :
         {Row{"Check_music_noise_suppressor_en", g::music_noise_suppressor_en, 1, 1, 1},
          Row{"Check_mic1_noise_suppressor_en", g::mic1_noise_suppressor_en, 7, 2, 1},
          Row{"Check_mic1_exciter_en", g::mic1_exciter_en, 7, 0, 0}, Row{"Check_lock", g::lock, 2, 1, 2},
          Row{"Check_lock", g::lock, 1, 0, 0}, Row{"Check_drc_enable", g::drc(0) + g::drc_enable, 0, 1, 1}}) {
        SCOPED_TRACE(std::string(box) + " byte " + std::to_string(before) + " ticked " + std::to_string(tick));
        gen(byte) = static_cast<uint8_t>(before);
        s.send_gen_req = kClear;
        user_sets(Ctl{box}, tick);
        EXPECT_EQ(gen(byte), after);
        EXPECT_EQ(s.send_gen_req, before == after ? kClear : kPending);
    }
    EXPECT_EQ(redraws(), 6);
    gen(g::vocal_cut_mode) = 2;
    rules.check_mouse_up(env, Ctl{"Option_VC_Mode", 0});  // none selected: nothing written, still raised
    EXPECT_EQ(gen(g::vocal_cut_mode), 2);
    EXPECT_EQ(s.send_gen_req, kPending);

    const Ctl box{"Check_vol_power_on_read_eeprom_function_en"};
    gen(g::vol_power_on_read_eeprom_function_en) = 1;
    s.send_gen_req = kClear;
    std::vector<bool> enabled_while_waiting;
    time.on_events = [&] { enabled_while_waiting.push_back(view.enabled(box)); };
    const int32_t start = time.t;
    user_sets(box, 0);
    EXPECT_EQ(gen(g::vol_power_on_read_eeprom_function_en), 1);
    EXPECT_GE(time.t - start, 10);
    ASSERT_FALSE(enabled_while_waiting.empty());
    for (bool on : enabled_while_waiting) EXPECT_FALSE(on) << "box enabled during its wait";
    EXPECT_TRUE(view.enabled(box)) << "box enabled after its wait";
    EXPECT_EQ(s.send_gen_req, kPending);
}

Ctl test_box(int i) { return Ctl{"Text_cpu_test_data", i}; }

// Steppers clamp at 0 and 255 and send while connected; a text that is no number keeps the byte; greyed is off.
TEST_F(SwitchRulesTest, TestPanel) {
    for (auto [text, stored, shown] : {std::tuple{"17", 17, "17"}, std::tuple{"-", 17, "17"}}) {
        view.set_text(test_box(3), text);
        rules.box_commit(env, test_box(3));
        EXPECT_EQ(s.cpu_test_data[kTestDataFirstByte + 3], stored) << "test byte 3 after \"" << text << "\"";
        EXPECT_EQ(view.text(test_box(3)), shown) << "box text after \"" << text << "\"";
    }
    for (bool online : {false, true}) {
        set_connected(online);
        for (auto [stepper, index, before, after] :
             {std::tuple{"cpu_test_data_inc", 9, 255, 255}, std::tuple{"cpu_test_data_dec", 0, 0, 0},
              std::tuple{"cpu_test_data_inc", 4, 1, 2}}) {
            SCOPED_TRACE(std::string(stepper) + " box " + std::to_string(index) + (online ? " online" : " offline"));
            uint8_t& byte = s.cpu_test_data[kTestDataFirstByte + static_cast<std::size_t>(index)];
            byte = static_cast<uint8_t>(before);
            s.send_cpu_test_req = kClear;
            EXPECT_TRUE(rules.step(env, stepper, index)) << "stepper not handled";
            EXPECT_EQ(byte, after);
            EXPECT_EQ(view.text(test_box(index)), std::to_string(after));
            EXPECT_TRUE(view.has_focus(test_box(index))) << "box focus";
            EXPECT_EQ(s.send_cpu_test_req, online ? kPending : kClear);
        }
    }
    EXPECT_FALSE(rules.step(env, "cpu_test_data_inc", 10)) << "stepper of box 10";
    EXPECT_FALSE(rules.step(env, "cpu_test_data_dec", -1)) << "stepper of box -1";
    user_sets(Ctl{"Check_cpu_test_sw"}, 2);  // greyed: off
    EXPECT_EQ(s.cpu_test_data[kTestSwitchByte], 0);
    EXPECT_EQ(s.send_cpu_test_req, kPending);
}

namespace fs = std::filesystem;

constexpr Ctl kEdit{"Text_bt_file_name_change", 1};
constexpr Ctl kAuto{"Check_updata_bt_name"};

class MenuRulesTest : public ::testing::Test, public RuleEnvFixture {
protected:
    void SetUp() override {
        set_app_dir(dir.string());
        s.Bt_Name = "Stored_Name";
        save_bt_name_setting(s, settings);
    }
    void menu(std::string_view name, int index = -1) { rules.menu(env, Ctl{name, index}); }
    void expect_no_mode_requests() const {
        EXPECT_EQ(s.mode_recall_req, kNoRequest);
        EXPECT_THAT(s.mode_save_req, ::testing::ElementsAre(0, kNoRequest));
        EXPECT_THAT(s.mode_reset_req, ::testing::ElementsAre(0, 0, 0));
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
        EXPECT_EQ(dialogs.opens.size(), 0u);
        EXPECT_EQ(dialogs.saves.size(), 0u);
        EXPECT_THAT(actions.calls, ::testing::IsEmpty());
        EXPECT_THAT(svc.messages, ::testing::IsEmpty());
    }
    for (auto [before, after] : {std::pair{1, 0}, std::pair{2, 1}, std::pair{255, 1}}) {
        SCOPED_TRACE("language " + std::to_string(before));
        s.Language = static_cast<uint8_t>(before);
        s.refresh_incremental = 1;
        menu("menu_key_language");
        EXPECT_EQ(s.Language, after);
        EXPECT_EQ(settings.get(kSettingsApp, kSettingsSection, "Language"), std::to_string(after));
    }
    EXPECT_EQ(redraws(), 3);
    EXPECT_EQ(svc.full_redraws, 3);
    menu("Menu_Index");
    menu("Menu_About");
    EXPECT_EQ(actions.calls, std::vector<std::string>{"show_about"});
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
             {"", ""}}) {
        const auto buf = bt_name_buffer(name);
        ASSERT_TRUE(buf) << name;
        EXPECT_EQ(std::string(buf->begin(), buf->end()), sent + std::string(40 - sent.size(), '\0')) << name;
    }
    EXPECT_FALSE(bt_name_buffer("Bt\tAudio")) << "a tab in the name";
    EXPECT_FALSE(bt_name_buffer("\x1F")) << "a control character as the name";
}

TEST_F(MenuRulesTest, UpdateSendsOnlyAnAcceptedNameWhileConnected) {
    rules.box_lost_focus(env, kEdit);
    EXPECT_EQ(view.at(kEdit).fore, 0xC0C0C0u);
    for (auto [text, online, kept, sent] :
         {std::tuple{"", true, "Stored_Name", false}, std::tuple{"Party", false, "Party", false},
          std::tuple{"Bad\tName", true, "Bad\tName", false}, std::tuple{"Good", true, "Good", true}}) {
        SCOPED_TRACE(std::string("box \"") + text + (online ? "\" online" : "\" offline"));
        set_connected(online);
        view.at(kEdit).text = text;
        click(0);
        EXPECT_EQ(stored(), kept);
        EXPECT_EQ(s.send_bt_name_req, sent ? kPending : kClear);
    }
    EXPECT_EQ(svc.messages, std::vector<std::string>{kBtNameRefusedText});
    EXPECT_EQ(s.bt_name_tx[0], 'G');
}

TEST_F(MenuRulesTest, AutoRenameLocksTheEditBoxAndSendsOnNextConnection) {
    for (auto [text, tick, locks] : {std::tuple{"Room_7", 1, true}, std::tuple{"Room_7", 0, false},
                                     std::tuple{"", 1, false}, std::tuple{"Bad\x01", 1, false}}) {
        SCOPED_TRACE(std::string(text) + " " + std::to_string(tick));
        s.send_bt_name_req = kClear;
        view.at(kEdit).text = text;
        user_sets(kAuto, tick);
        EXPECT_EQ(view.enabled(kEdit), !locks);
        EXPECT_EQ(s.send_bt_name_req, locks ? kPending : kClear);
        EXPECT_EQ(bt_name_auto_update(view), locks) << "box ticked";  // an empty or refused name unticks the box
        EXPECT_EQ(stored(), *text ? text : "Room_7");
    }
    EXPECT_EQ(svc.messages.size(), 1u);
}

TEST_F(MenuRulesTest, FailedFileExchangesKeepTheName) {
    std::ofstream(dir / "empty.txt", std::ios::binary) << "\xEF\xBB\xBF\r\nsecond\r\n";
    for (std::optional<fs::path> file : {std::optional<fs::path>{}, {dir / "missing.txt"}, {dir / "empty.txt"}}) {
        dialogs.open_answer = file ? std::optional(file->string()) : std::nullopt;
        click(1);
    }
    EXPECT_EQ(svc.messages, std::vector<std::string>{" File not found. Try again."});
    view.at(kEdit).text = "New_Name";
    const fs::path no_folder = dir / "no_such_folder" / "name.txt";
    dialogs.save_answer = no_folder.string();
    click(2);
    EXPECT_EQ(svc.messages.size(), 2u);
    EXPECT_EQ(stored(), "Stored_Name");
    EXPECT_EQ(s.Bt_Name, "Stored_Name");
    EXPECT_FALSE(fs::exists(no_folder)) << "file in a missing folder";
}

struct CaptionsTest : ::testing::Test {
    std::string shown(std::string_view name, int index = -1) { return view.text(Ctl{name, index}); }
    void write(uint8_t lang, WindowTitles titles = {}) {
        s.Language = lang;
        set_Language_display(s, view, titles);
    }
    AppState s;
    FakeMainView view;
};

// Any language but 0 is English; titles from config.ini (an empty one stays empty); headings repeat their frame.
TEST_F(CaptionsTest, BothSetsTitlesAndCopies) {
    for (uint8_t lang : {0, 1, 2, 255}) {
        SCOPED_TRACE("language " + std::to_string(lang));
        write(lang, {"标题", "Title"});
        EXPECT_EQ(shown("FrmMain"), lang ? "Title" : "标题");
        EXPECT_EQ(shown("Label1", 7), lang ? " Dynamic Range Compression" : " 压限器");
        EXPECT_EQ(shown("Label1", 4), lang ? " Music Input Sel" : " 音乐输入选择");
    }
    write(0, {"", "Brand"});
    EXPECT_EQ(shown("FrmMain"), "");
}

TEST_F(CaptionsTest, AuxCaptionAndEchoDelayLabelsFollowTheUnit) {
    // language, aux caption flag, link, echo delay mode; the aux caption and the two delay labels
    using Case = std::tuple<uint8_t, uint8_t, uint8_t, uint8_t, const char*, const char*, const char*>;
    for (auto [lang, aux_caps, link, delay_mode, aux, left, right] :
         {Case{1, 1, 2, 0, "AUX 1", "L Dey", "R Dey"}, Case{1, 0, 2, 3, "AUX", "Delay", "LR Dey"},
          Case{1, 0, 1, 0, "AUX", "L Dey", "R Dey"}, Case{0, 0, 2, 3, "线路 1", "时间", "左右"},
          Case{0, 0, 0, 0, "线路 1", "左延时", "右延时"}, Case{0, 0, 1, 0, "线路", "左延时", "右延时"},
          Case{0, 1, 1, 0, "线路 1", "左延时", "右延时"}}) {
        s.cpu_info[cpu_info_byte::cpu_input_caps + 6] = aux_caps;
        s.cpu_connect_state = link;
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = delay_mode;
        SCOPED_TRACE(::testing::Message()
                     << int(lang) << " " << int(aux_caps) << " " << int(link) << " " << int(delay_mode));
        write(lang);
        EXPECT_EQ(shown("key_input", 3), aux);
        EXPECT_EQ(shown("Label_echo_a_delay_l"), left);
        EXPECT_EQ(shown("Label_echo_a_delay_r"), right);
    }
}

// The Chinese set gives character set 1 to the fonts of the page controls, buttons included, and not to the
// menus, the tabs, the title or five of the labels; the English set sets no font at all.
TEST_F(CaptionsTest, ChineseSetGivesTheFontsCharacterSetOne) {
    write(1);
    EXPECT_EQ(view.count("set_font_charset"), 0) << "English set";
    write(0);
    const Ctl given[] = {
        {"key_mute", 0},           {"key_input", 3},          {"key_eq_reset"},      {"key_bt_neme", 2},
        {"Display_Connect_State"}, {"Label_system_setup", 1}, {"Option_VC_Mode", 3}, {"Label1", 7},
        {"Check_drc_enable"}};
    for (const Ctl& c : given) EXPECT_EQ(view.at(c).charset, 1) << "character set of " << c.str();
    const Ctl kept[] = {{"menu_key_language"},
                        {"Menu_About"},
                        {"menu_key_read_all_data_from_cpu_group", 3},
                        {"FrmMain"},
                        {"ucXTab1", 0},
                        {"ucXTab_main_vol", 0},
                        {"Label_system_setup", 5},
                        {"Label_echo_a_vol"},
                        {"Label_reverb_vol"},
                        {"Label_mic1_exciter_vol"},
                        {"Label_mic1_exciter_freq_index_100"}};
    for (const Ctl& c : kept) EXPECT_EQ(view.count("set_font_charset " + c.str() + " "), 0) << c.str();
    // Back to English: the fonts keep set 1.
    view.clear_calls();
    write(1);
    EXPECT_EQ(view.count("set_font_charset"), 0) << "English set after Chinese";
    EXPECT_EQ(view.at(Ctl{"key_mute", 0}).charset, 1) << "key_mute(0) after the switch back";
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

// Titles are taken whole with their blanks, cut at 255 characters; text may follow the check text.
TEST_F(StartupConfigTest, ValidFileSetsTitles) {
    write("config.ini", "\xEF\xBB\xBF" + std::string("1\r\n卡拉OK 调音台\r\nKaraoke Tuner \r\n") + kCheck + "\r\n");
    StartupConfig c = read();
    EXPECT_TRUE(c.config_accepted);
    EXPECT_EQ(c.title_chinese, "卡拉OK 调音台");
    EXPECT_EQ(c.titles().english, "Karaoke Tuner ");
    EXPECT_EQ(c.config_check_line, kCheck);

    write("config.ini", "2\n卡\n" + std::string(300, 'E') + "\n" + kCheck + "，多余的文字也可以");
    c = read();
    EXPECT_TRUE(c.config_accepted) << "a long title, text after the check text";
    EXPECT_EQ(c.title_english, std::string(255, 'E'));
}

// Only line 4 decides; a title with bytes that are not UTF-8 shows them as
// replacement characters, and the language line and the other title count.
TEST_F(StartupConfigTest, StrayBytesInTitlesShowAsReplacementCharacters) {
    const std::string bad = "\xEF\xBF\xBD";  // U+FFFD
    write("config.ini", "1\r\n\xB1\xEA\xCC\xE2 Desk\r\nKaraoke Tuner\r\n" + kCheck + "\r\n");
    StartupConfig c = read();
    EXPECT_TRUE(c.config_accepted) << "GBK bytes in the Chinese title";
    EXPECT_EQ(c.title_chinese, bad + bad + bad + bad + " Desk") << "Chinese title";
    EXPECT_EQ(c.title_english, "Karaoke Tuner") << "English title";
    EXPECT_EQ(s.Language, 0) << "language line 1: Chinese only";
    EXPECT_FALSE(c.language_menu_visible) << "language menu";

    write("config.ini", "2\nZH\nTuner \xC0\xAF\xFE" + std::string(300, 'E') + "\n" + kCheck + "\xFF tail\n");
    c = read();
    EXPECT_TRUE(c.config_accepted) << "a stray byte after the check text";
    EXPECT_EQ(c.title_chinese, "ZH") << "Chinese title";
    EXPECT_EQ(c.title_english, "Tuner " + bad + bad + bad + std::string(246, 'E')) << "English title, 255 characters";
    EXPECT_EQ(s.Language, 1) << "language line 2: English only";

    write("config.ini", "\xFF\nZH\nEN\n" + kCheck + "\n");  // neither "1" nor "2": the saved choice
    settings.set(kSettingsApp, kSettingsSection, "Language", "1");
    c = read();
    EXPECT_TRUE(c.language_menu_visible) << "language menu after a stray byte on line 1";
    EXPECT_EQ(s.Language, 1) << "the saved choice";
}

TEST_F(StartupConfigTest, UnacceptedFilesReadAsMissing) {
    expect_defaults("no file");
    for (const auto& [what, bytes] : std::initializer_list<std::pair<const char*, std::string>>{
             {"check line too short", "1\nZH\nEN\n此行为中文编码测试行请不要\n"},
             {"leading blank", "1\nZH\nEN\n " + kCheck + "\n"},
             {"other text", "1\nZH\nEN\nthis line checks the encoding\n"},
             // The check line saved in a legacy code page (GBK): the whole file is another encoding.
             {"GBK check line", "1\r\nZH\r\nEN\r\n\xB4\xCB\xD0\xD0\xCE\xAA\xD6\xD0\xCE\xC4\r\n"},
             {"a stray byte in the check text", "1\nZH\nEN\n\xFF" + kCheck + "\n"}}) {
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
    for (const auto& [line1, stored, language, menu] :
         {Case{"1", "1", 0, false}, Case{"12", "1", 0, false}, Case{"2", "0", 1, false}, Case{"0", "0", 0, true},
          Case{"x", "2", 2, true}, Case{"", "0", 1, true}, Case{"0", "", 0, true}}) {
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
