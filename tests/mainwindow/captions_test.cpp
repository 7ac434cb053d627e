// Captions in both languages: a handful per language, the conditional rows, and the tables' completeness.
#include <gmock/gmock.h>
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
    using Row = std::tuple<std::string_view, int, const char*, const char*>;  // target; Chinese, English
    const Row rows[] = {
        {"menu_key_language", -1, " English ", "  中文  "},
        {"ucXTab1", 1, "麦克风", "MIC"},
        {"Frame_all_1", 4, "回声   ", "Echo"},
        {"Label_music_Noise_attack", -1, "   启动", "   Attack"},
        {"key_sub_out_phase", -1, "反相 180°", "Phase 180°"},
        {"Label1", 7, " 压限器", " Dynamic Range Compression"},  // a heading copies its frame with a blank
        {"FrmMain", -1, "标题", "Title"},
    };
    for (uint8_t lang : {0, 1, 2, 255}) {
        write(lang, {"标题", "Title"});
        for (auto [name, index, chinese, english] : rows)
            EXPECT_EQ(shown(name, index), lang ? english : chinese)
                << Ctl{name, index}.str() << " in language " << int(lang);
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
        SCOPED_TRACE("language " + std::to_string(lang) + ", aux caption flag " + std::to_string(aux_caps) + ", link " +
                     std::to_string(link) + ", echo delay mode " + std::to_string(delay_mode));
        write(lang);
        EXPECT_EQ(shown("key_input", 3), aux) << "aux input caption";
        EXPECT_EQ(shown("Label_echo_a_delay_l"), left) << "left delay label";
        EXPECT_EQ(shown("Label_echo_a_delay_r"), right) << "right delay label";
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
        const std::string target = row.target().str();
        const bool copy = row.rule == CaptionRule::Copy || row.rule == CaptionRule::CopyWithBlank;
        if (row.rule == CaptionRule::Title) {
            EXPECT_EQ(row.name, "FrmMain") << "a title row";
        }
        if (!copy && row.rule != CaptionRule::Title) {
            EXPECT_FALSE(row.chinese.empty()) << target << " has no Chinese text";
            EXPECT_FALSE(row.english.empty()) << target << " has no English text";
        }
        if (row.rule == CaptionRule::AuxInput || row.rule == CaptionRule::EchoDelay) {
            EXPECT_FALSE(row.chinese_alt.empty()) << target << " has no other Chinese text";
            EXPECT_FALSE(row.english_alt.empty()) << target << " has no other English text";
        }
    }
    for (uint8_t lang : {0, 1}) {
        AppState s;
        s.Language = lang;
        testing::FakeMainView view;
        set_Language_display(s, view);
        ASSERT_EQ(view.calls.size(), targets.size()) << "writes in language " << int(lang);
        for (std::size_t i = 0; i < targets.size(); ++i)
            EXPECT_THAT(view.calls[i], ::testing::StartsWith("set_text " + targets[i].str() + " "))
                << "write " << i << " in language " << int(lang);
        for (const CaptionRow& row : caption_rows()) {
            if (row.rule != CaptionRule::Copy && row.rule != CaptionRule::CopyWithBlank) continue;
            const std::string blank = row.rule == CaptionRule::CopyWithBlank ? " " : "";
            EXPECT_EQ(view.text(row.target()), blank + view.text(Ctl{row.source, row.source_index}))
                << row.target().str() << " in language " << int(lang);
        }
    }
}

}  // namespace
}  // namespace tuner
