#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "mainwindow/captions.h"
#include "support/fake_main_view.h"

namespace tuner {
namespace {

struct CaptionsTest : ::testing::Test {
    std::string shown(std::string_view name, int index = -1) { return view.text(Ctl{name, index}); }
    void write(uint8_t lang, WindowTitles titles = {}) {
        s.Language = lang;
        set_Language_display(s, view, titles);
    }
    AppState s;
    testing::FakeMainView view;
};

// Any language but 0 is English; blanks inside the texts are kept.
TEST_F(CaptionsTest, BothSetsWithTheirBlanks) {
    struct Row {
        std::string_view name;
        int index;
        const char *chinese, *english;
    } rows[] = {
        {"menu_key_language", -1, " English ", "  中文  "},
        {"menu_key_open_file_to_all_data", -1, "   打开文件   ", " Open File "},
        {"menu_key_save_all_data_to_cpu_group", 16, "模式 16", "Mode 16"},
        {"ucXTab1", 4, nullptr, "SUB OUT"},
        {"ucXTab1", 1, "麦克风", nullptr},
        {"Frame_all_1", 4, "回声   ", nullptr},
        {"Label_music_Noise_attack", -1, nullptr, "   Attack"},
        {"key_sub_out_phase", -1, nullptr, "Phase 180°"},
        {"key_input", 10, "USB/电脑", nullptr},
        {"key_bt_neme", 2, nullptr, "Save BT Name File"},
        {"FrmMain", -1, "标题", "Title"},
    };
    for (uint8_t lang : {0, 1, 2, 255}) {
        write(lang, {"标题", "Title"});
        for (const Row& r : rows) {
            const char* want = lang ? r.english : r.chinese;
            EXPECT_EQ(shown(r.name, r.index), want ? want : shown(r.name, r.index)) << int(lang);
        }
    }
    write(0, {"", "Brand"});  // an empty Chinese title stays empty
    EXPECT_EQ(shown("FrmMain"), "");
}

TEST_F(CaptionsTest, HeadingsCopyTheirFrameInEitherLanguage) {
    const std::pair<int, std::pair<std::string_view, int>> headings[] = {
        {4, {"Frame_music_input", -1}}, {6, {"Frame_all_1", 12}}, {3, {"Frame_all_1", 11}}, {5, {"Frame_all_1", 15}},
        {7, {"Frame_all_1", 3}},        {2, {"Frame_all_1", 7}},  {0, {"Frame_all_1", 4}},  {1, {"Frame_all_1", 14}}};
    for (uint8_t lang : {0, 1}) {
        write(lang);
        for (const auto& [label, frame] : headings)
            EXPECT_EQ(shown("Label1", label), " " + shown(frame.first, frame.second)) << int(lang) << " " << label;
        EXPECT_EQ(shown("Label_system_setup", 1), shown("Frame_all_1", 8));
    }
    EXPECT_EQ(shown("Label1", 7), " Dynamic Range Compression");
}

TEST_F(CaptionsTest, AuxCaptionAndEchoDelayLabelsFollowTheUnit) {
    struct Case {
        uint8_t lang, aux_caps, link, delay_mode;
        const char *aux, *left, *right;
    } cases[] = {
        {1, 1, 2, 0, "AUX 1", "L Dey", "R Dey"},  {1, 0, 2, 3, "AUX", "Delay", "LR Dey"},
        {1, 0, 1, 0, "AUX", "L Dey", "R Dey"},    {1, 1, 1, 0, "AUX 1", "L Dey", "R Dey"},
        {0, 0, 2, 3, "线路 1", "时间", "左右"},   {0, 0, 0, 0, "线路 1", "左延时", "右延时"},
        {0, 0, 1, 0, "线路", "左延时", "右延时"}, {0, 1, 1, 0, "线路 1", "左延时", "右延时"},
    };
    for (const auto& c : cases) {
        s.cpu_info[cpu_info_byte::cpu_input_caps + 6] = c.aux_caps;
        s.cpu_connect_state = c.link;
        s.cpu_info[cpu_info_byte::cpu_echo_delay_mode] = c.delay_mode;
        write(c.lang);
        SCOPED_TRACE(::testing::Message() << int(c.lang) << int(c.aux_caps) << int(c.link) << int(c.delay_mode));
        EXPECT_EQ(shown("key_input", 3), c.aux);
        EXPECT_EQ(shown("Label_echo_a_delay_l"), c.left);
        EXPECT_EQ(shown("Label_echo_a_delay_r"), c.right);
    }
}

// Every row complete, each source written before it is copied, unique targets walked in the same order in both
// languages, the title after the menus and before the tabs.
TEST(CaptionTable, BothLanguagesCompleteWithUniqueTargets) {
    const auto targets = caption_targets();
    EXPECT_EQ(targets.size(), 170u);  // 163 captions, six tabs and the window title
    std::set<std::string> seen;
    for (const Ctl& c : targets) EXPECT_TRUE(seen.insert(c.str()).second) << "duplicate " << c.str();
    std::set<std::string> written;
    for (const CaptionRow& row : caption_rows()) {
        const std::string t = row.target().str();
        const bool copy = row.rule == CaptionRule::Copy || row.rule == CaptionRule::CopyWithBlank;
        const bool alt = row.rule == CaptionRule::AuxInput || row.rule == CaptionRule::EchoDelay;
        EXPECT_TRUE(!copy || written.count(Ctl{row.source, row.source_index}.str())) << t;  // source written first
        EXPECT_TRUE(row.rule != CaptionRule::Title || row.name == "FrmMain") << t;
        EXPECT_TRUE(copy || row.rule == CaptionRule::Title || !(row.chinese.empty() || row.english.empty())) << t;
        EXPECT_TRUE(!alt || !(row.chinese_alt.empty() || row.english_alt.empty())) << t;
        written.insert(t);
    }
    for (uint8_t lang : {0, 1}) {
        AppState s;
        s.Language = lang;
        testing::FakeMainView view;
        set_Language_display(s, view);
        ASSERT_EQ(view.calls.size(), targets.size());
        for (std::size_t i = 0; i < targets.size(); ++i)
            EXPECT_EQ(view.calls[i].rfind("set_text " + targets[i].str() + " ", 0), 0u) << view.calls[i];
        auto at = [&](const std::string& prefix) {
            return std::find_if(view.calls.begin(), view.calls.end(),
                                [&](const std::string& l) { return l.rfind(prefix, 0) == 0; });
        };
        EXPECT_LT(at("set_text Menu_Index "), at("set_text FrmMain "));
        EXPECT_LT(at("set_text FrmMain "), at("set_text ucXTab1(0) "));
    }
}

}  // namespace
}  // namespace tuner
