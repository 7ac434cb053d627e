#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "mainwindow/captions.h"
#include "support/fake_main_view.h"

namespace tuner {
namespace {

using testing::FakeMainView;

struct CaptionsTest : ::testing::Test {
    std::string shown(std::string_view name, int index = -1) { return view.text(Ctl{name, index}); }
    AppState s;
    FakeMainView view;
};

TEST_F(CaptionsTest, EnglishSetForAnyNonZeroLanguage) {
    for (uint8_t lang : {1, 2, 255}) {
        s.Language = lang;
        set_Language_display(s, view, {"标题", "Title"});
        EXPECT_EQ(shown("menu_key_language"), "  中文  ");
        EXPECT_EQ(shown("menu_key_open_file_to_all_data"), " Open File ");
        EXPECT_EQ(shown("menu_reset_cpu_audio_mode_0"), "Reset Current State ");
        EXPECT_EQ(shown("menu_key_save_all_data_to_cpu_group", 16), "Mode 16");
        EXPECT_EQ(shown("ucXTab1", 4), "SUB OUT");
        EXPECT_EQ(shown("ucXTab_main_vol", 0), "MAIN VOLUME");
        EXPECT_EQ(shown("FrmMain"), "Title");
        EXPECT_EQ(shown("Label_music_Noise_attack"), "   Attack");
        EXPECT_EQ(shown("key_sub_out_phase"), "Phase 180°");
        EXPECT_EQ(shown("key_bt_neme", 2), "Save BT Name File");
    }
}

TEST_F(CaptionsTest, ChineseSet) {
    s.Language = 0;
    set_Language_display(s, view, {"标题", "Title"});
    EXPECT_EQ(shown("menu_key_language"), " English ");
    EXPECT_EQ(shown("menu_key_open_file_to_all_data"), "   打开文件   ");
    EXPECT_EQ(shown("menu_cpu_audio_mode_set"), " 模式设置  ");
    EXPECT_EQ(shown("menu_key_read_all_data_from_cpu_group", 1), "模式 1");
    EXPECT_EQ(shown("Display_Connect_State"), "   设备已连接   ");
    EXPECT_EQ(shown("FrmMain"), "标题");
    EXPECT_EQ(shown("ucXTab1", 1), "麦克风");
    EXPECT_EQ(shown("Frame_all_1", 4), "回声   ");
    EXPECT_EQ(shown("Option_VC_Mode", 2), "自动接唱");
    EXPECT_EQ(shown("key_input", 10), "USB/电脑");
    EXPECT_EQ(shown("Check_updata_bt_name"), "批量改蓝牙名称");
}

TEST_F(CaptionsTest, HeadingsCopyTheirFrameInEitherLanguage) {
    for (uint8_t lang : {0, 1}) {
        s.Language = lang;
        set_Language_display(s, view);
        const std::pair<int, std::pair<std::string_view, int>> headings[] = {
            {4, {"Frame_music_input", -1}}, {6, {"Frame_all_1", 12}}, {3, {"Frame_all_1", 11}},
            {5, {"Frame_all_1", 15}},       {7, {"Frame_all_1", 3}},  {2, {"Frame_all_1", 7}},
            {0, {"Frame_all_1", 4}},        {1, {"Frame_all_1", 14}}};
        for (const auto& [label, frame] : headings)
            EXPECT_EQ(shown("Label1", label), " " + shown(frame.first, frame.second)) << int(lang) << " " << label;
        EXPECT_EQ(shown("Label_system_setup", 1), shown("Frame_all_1", 8));
    }
    EXPECT_EQ(shown("Label1", 7), " Dynamic Range Compression");
    EXPECT_EQ(shown("Label_system_setup", 1), "Mute");
}

TEST_F(CaptionsTest, AuxCaptionFollowsCapabilityAndLinkInChinese) {
    auto& aux_caps = s.cpu_info[cpu_info_byte::cpu_input_caps + 6];
    struct Case {
        uint8_t lang, caps, link;
        const char* text;
    } cases[] = {
        {1, 1, 2, "AUX 1"},  {1, 0, 2, "AUX"},    {1, 0, 1, "AUX"},  {1, 1, 1, "AUX 1"},
        {0, 0, 2, "线路 1"}, {0, 0, 0, "线路 1"}, {0, 0, 1, "线路"}, {0, 1, 1, "线路 1"},
    };
    for (const auto& c : cases) {
        s.Language = c.lang;
        aux_caps = c.caps;
        s.cpu_connect_state = c.link;
        set_Language_display(s, view);
        EXPECT_EQ(shown("key_input", 3), c.text) << int(c.lang) << int(c.caps) << int(c.link);
    }
}

TEST_F(CaptionsTest, EchoDelayLabelsFollowDelayMode) {
    struct Case {
        uint8_t lang, mode;
        const char *left, *right;
    } cases[] = {
        {1, 0, "L Dey", "R Dey"}, {1, 3, "Delay", "LR Dey"}, {0, 3, "时间", "左右"}, {0, 0, "左延时", "右延时"}};
    for (const auto& c : cases) {
        s.Language = c.lang;
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = c.mode;
        set_Language_display(s, view);
        EXPECT_EQ(shown("Label_echo_a_delay_l"), c.left);
        EXPECT_EQ(shown("Label_echo_a_delay_r"), c.right);
    }
}

TEST_F(CaptionsTest, EmptyChineseTitleGivesEmptyWindowTitle) {
    s.Language = 0;
    view.set_text(Ctl{"FrmMain"}, "old");
    set_Language_display(s, view, {"", "Brand"});
    EXPECT_EQ(shown("FrmMain"), "");
}

TEST_F(CaptionsTest, TitleIsWrittenAfterTheMenusAndBeforeTheTabs) {
    set_Language_display(s, view);
    auto at = [&](const std::string& prefix) {
        return std::find_if(view.calls.begin(), view.calls.end(),
                            [&](const std::string& l) { return l.rfind(prefix, 0) == 0; }) -
               view.calls.begin();
    };
    EXPECT_LT(at("set_text Menu_Index "), at("set_text FrmMain "));
    EXPECT_LT(at("set_text FrmMain "), at("set_text ucXTab1(0) "));
}

TEST_F(CaptionsTest, WritingTwiceGivesTheSameWindow) {
    s.Language = 0;
    set_Language_display(s, view);
    const auto once = view.props;
    set_Language_display(s, view);
    EXPECT_EQ(view.props.size(), once.size());
    for (const auto& [name, p] : once) EXPECT_EQ(view.props[name].text, p.text) << name;
}

TEST(CaptionTable, BothLanguagesCompleteWithUniqueTargets) {
    const auto targets = caption_targets();
    // 163 captions, six tabs and the window title.
    EXPECT_EQ(targets.size(), 170u);
    std::set<std::string> seen;
    for (const Ctl& c : targets) EXPECT_TRUE(seen.insert(c.str()).second) << "duplicate " << c.str();

    std::set<std::string> written;
    for (const CaptionRow& row : caption_rows()) {
        const std::string t = row.target().str();
        switch (row.rule) {
            case CaptionRule::Text:
                EXPECT_FALSE(row.chinese.empty()) << t;
                EXPECT_FALSE(row.english.empty()) << t;
                break;
            case CaptionRule::AuxInput:
            case CaptionRule::EchoDelay:
                EXPECT_FALSE(row.chinese.empty() || row.english.empty() || row.chinese_alt.empty() ||
                             row.english_alt.empty())
                    << t;
                break;
            case CaptionRule::Copy:
            case CaptionRule::CopyWithBlank:
                // The source was written by an earlier row.
                EXPECT_TRUE(written.count(Ctl{row.source, row.source_index}.str())) << t;
                break;
            case CaptionRule::Title: EXPECT_EQ(row.name, "FrmMain"); break;
        }
        written.insert(t);
    }

    // Both sets walk the same targets in the same order.
    for (uint8_t lang : {0, 1}) {
        AppState s;
        s.Language = lang;
        testing::FakeMainView view;
        set_Language_display(s, view);
        ASSERT_EQ(view.calls.size(), targets.size());
        for (std::size_t i = 0; i < targets.size(); ++i)
            EXPECT_EQ(view.calls[i].rfind("set_text " + targets[i].str() + " ", 0), 0u) << view.calls[i];
    }
}

}  // namespace
}  // namespace tuner
