// Captions in both languages: a handful per language, the conditional rows, and the tables' completeness.
#include <gtest/gtest.h>

#include <tuple>

#include <algorithm>
#include <set>
#include <string>

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
    using Row = std::tuple<std::string_view, int, const char*, const char*>;  // target; Chinese, English (or as is)
    const Row rows[] = {
        {"menu_key_language", -1, " English ", "  中文  "},
        {"ucXTab1", 1, "麦克风", nullptr},
        {"Frame_all_1", 4, "回声   ", nullptr},
        {"Label_music_Noise_attack", -1, nullptr, "   Attack"},
        {"key_sub_out_phase", -1, nullptr, "Phase 180°"},
        {"Label1", 7, nullptr, " Dynamic Range Compression"},  // a heading copies its frame with a blank
        {"FrmMain", -1, "标题", "Title"},
    };
    for (uint8_t lang : {0, 1, 2, 255}) {
        write(lang, {"标题", "Title"});
        for (auto [name, index, chinese, english] : rows) {
            const char* want = lang ? english : chinese;
            EXPECT_EQ(shown(name, index), want ? want : shown(name, index)) << int(lang);
        }
    }
    write(0, {"", "Brand"});  // an empty Chinese title stays empty
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
        write(lang);
        EXPECT_EQ(std::vector({shown("key_input", 3), shown("Label_echo_a_delay_l"), shown("Label_echo_a_delay_r")}),
                  std::vector<std::string>({aux, left, right}))
            << int(lang) << int(aux_caps) << int(link) << int(delay_mode);
    }
}

// Unique targets, the title after the menus and before the tabs, every row complete, walked in the same order in
// both languages, each copy equal to its source as written before it.
TEST(CaptionTable, BothLanguagesCompleteWithUniqueTargets) {
    const auto targets = caption_targets();
    EXPECT_EQ(targets.size(), 170u);  // 163 captions, six tabs and the window title
    std::set<std::string> seen;
    for (const Ctl& c : targets) EXPECT_TRUE(seen.insert(c.str()).second) << "duplicate " << c.str();
    auto pos = [&](const std::string& n) {
        return std::find_if(targets.begin(), targets.end(), [&](const Ctl& c) { return c.str() == n; }) -
               targets.begin();
    };
    EXPECT_LT(pos("Menu_Index"), pos("FrmMain"));
    EXPECT_LT(pos("FrmMain"), pos("ucXTab1(0)"));
    for (const CaptionRow& row : caption_rows()) {
        const bool copy = row.rule == CaptionRule::Copy || row.rule == CaptionRule::CopyWithBlank;
        const bool alt = row.rule == CaptionRule::AuxInput || row.rule == CaptionRule::EchoDelay;
        EXPECT_TRUE(row.rule != CaptionRule::Title || row.name == "FrmMain");
        EXPECT_TRUE(copy || row.rule == CaptionRule::Title || !(row.chinese.empty() || row.english.empty()))
            << row.target().str();
        EXPECT_TRUE(!alt || !(row.chinese_alt.empty() || row.english_alt.empty())) << row.target().str();
    }
    for (uint8_t lang : {0, 1}) {
        AppState s;
        s.Language = lang;
        testing::FakeMainView view;
        set_Language_display(s, view);
        ASSERT_EQ(view.calls.size(), targets.size());
        for (std::size_t i = 0; i < targets.size(); ++i)
            EXPECT_EQ(view.calls[i].rfind("set_text " + targets[i].str() + " ", 0), 0u) << view.calls[i];
        for (const CaptionRow& row : caption_rows()) {
            if (row.rule != CaptionRule::Copy && row.rule != CaptionRule::CopyWithBlank) continue;
            EXPECT_EQ(view.text(row.target()), (row.rule == CaptionRule::CopyWithBlank ? " " : "") +
                                                   view.text(Ctl{row.source, row.source_index}))
                << row.target().str();
        }
    }
}

}  // namespace
}  // namespace tuner
