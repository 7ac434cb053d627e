// config.ini lines beyond what the window can take: titles cut at 255 whole
// characters, a huge file read only as far as its four lines.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "core/utf8.h"
#include "mainwindow/startup_config.h"
#include "rule_env_fixture.h"

namespace tuner {
namespace {

TEST(StartupConfigLimits, LongTitlesAreCutAtWholeCharacters) {
    testing::TempFolder tmp{"tuner_cfg_long_"};
    const std::string check = "此行为中文编码测试行请不要修改";
    std::string chinese;
    for (int i = 0; i < 300; ++i) chinese += "卡";
    {
        std::ofstream out(tmp.path / "config.ini", std::ios::binary);
        out << "2\n" << chinese << "\n";
        const std::string block(1 << 20, 'E');
        for (int i = 0; i < 30; ++i) out << block;  // a 30-million-character English title
        out << "\n" << check << "\n";
    }
    AppState s;
    testing::MemorySettings settings;
    const StartupConfig c = read_startup_config(tmp.path.string(), s, settings);
    EXPECT_TRUE(c.config_accepted) << "a long title does not hide the check line";
    EXPECT_EQ(c.title_chinese, utf8_first_chars(chinese, 255)) << "Chinese title";
    EXPECT_EQ(c.title_chinese.size(), 255u * 3) << "Chinese title bytes";
    EXPECT_EQ(c.title_english, std::string(255, 'E')) << "English title";
    EXPECT_EQ(s.Language, 1) << "language";
}

}  // namespace
}  // namespace tuner
