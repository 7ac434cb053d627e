#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/app_paths.h"
#include "core/atomic_file.h"
#include "core/delay.h"
#include "core/settings.h"
#include "core/utf8.h"
#include "support/link_harness.h"
#include "support/memory_settings.h"
#include "temp_files.h"

using namespace tuner;
using namespace tuner::testing;
namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {
const std::string kBom = "\xEF\xBB\xBF";
const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD
const std::string kLanguageKey = "Veltrana_m202301/eeprom/Language";
}  // namespace

TEST(Utf8, DecodeStopsAtZeroAndNeverYieldsInvalidText) {
    EXPECT_EQ(utf8_decode(utf8_encode("蓝牙音箱")), "蓝牙音箱");
    const uint8_t padded[] = {0x61, 0x62, 0x63, 0, 0x61};
    EXPECT_EQ(utf8_decode(padded), "abc");
    const uint8_t bad[] = {0x41, 0xC3, 0x28, 0xFF, 0xE4, 0xBD};
    EXPECT_EQ(utf8_decode(bad), "A" + kBad + "(" + kBad + kBad + kBad);
    EXPECT_EQ(utf8_sanitize("\xED\xA0\x80"), kBad + kBad + kBad) << "surrogates are not UTF-8";
}

TEST(Utf8, TextFiles) {
    TempDir dir("utf8");
    const auto path = dir.file("name.txt");
    EXPECT_EQ(utf8_file_write(path, "Bt_Audio"), TextFileError::NotFound) << "the caller creates the file first";
    std::ofstream(path).close();
    ASSERT_EQ(utf8_file_write(path, "Bt_Audio"), TextFileError::None);
    EXPECT_EQ(slurp(path), kBom + "Bt_Audio\r\n");
    EXPECT_EQ(utf8_file_read_line(path, 1), "Bt_Audio");

    std::ofstream(path, std::ios::binary) << "one\ntwo\rthree\r\n\r\nfive";
    const char* lines[] = {"", "one", "two", "three", "", "five", ""};
    for (int n = 0; n < 7; ++n) EXPECT_EQ(utf8_file_read_line(path, n), lines[n]) << n;
    {
        std::ofstream big(path, std::ios::binary);  // more lines than a 16-bit counter holds
        for (int i = 1; i <= 40000; ++i) big << i << "\r\n";
    }
    EXPECT_EQ(utf8_file_read_line(path, 40000), "40000");

    TextFileError err = TextFileError::None;
    EXPECT_EQ(utf8_file_read_line(dir.file("missing.txt"), 1, &err), "");
    EXPECT_EQ(err, TextFileError::NotFound);
    // A read that fails part way is an error, not an exception.
    EXPECT_EQ(utf8_file_read_line("/proc/self/mem", 1, &err), "");
    EXPECT_EQ(err, TextFileError::ReadFailed);
}

// Only the wanted first lines are kept, a line cut by its limit ends at a whole character, and a huge file costs no
// more than its first lines.
TEST(Utf8Lines, FirstLinesKeptUpToTheirLimitAtWholeCharacters) {
    TempDir dir("lines");
    const auto path = dir.file("lines.txt");
    std::ofstream(path, std::ios::binary) << kBom << "abcdef\r\n卡拉OK\r"
                                          << "\nthird\nfourth\nfifth";
    EXPECT_THAT(utf8_file_read_lines(path, 4, 64), ElementsAre("abcdef", "卡拉OK", "third", "fourth"));
    EXPECT_THAT(utf8_file_read_lines(path, 9, 64), ElementsAre("abcdef", "卡拉OK", "third", "fourth", "fifth"))
        << "a last line without a line end";
    // 4 bytes: "abcd", and of "卡拉" (3 bytes each) only the whole first character.
    EXPECT_THAT(utf8_file_read_lines(path, 2, 4), ElementsAre("abcd", "卡"));
    EXPECT_THAT(utf8_file_read_lines(path, 0, 64), ElementsAre()) << "no line wanted";

    EXPECT_EQ(utf8_first_chars("卡拉OK", 3), "卡拉O");
    EXPECT_EQ(utf8_first_chars("卡拉", 9), "卡拉");
}

TEST(Utf8Lines, AHugeLineIsReadThroughButNotKept) {
    TempDir dir("huge_line");
    const auto path = dir.file("huge.txt");
    {
        std::ofstream out(path, std::ios::binary);
        out << "1\n";
        const std::string block(1 << 20, 'T');
        for (int i = 0; i < 30; ++i) out << block;  // a 30 MB second line
        out << "\nlast\n";
    }
    TextFileError err = TextFileError::NotFound;
    const auto lines = utf8_file_read_lines(path, 3, 1020, &err);
    EXPECT_EQ(err, TextFileError::None);
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[1], std::string(1020, 'T')) << "the kept part of the long line";
    EXPECT_EQ(lines[2], "last") << "the line after it";
    EXPECT_EQ(utf8_file_read_line(path, 2).size(), kTextLineMaxBytes) << "one whole line, at its limit";
}

// A failed write leaves the old file whole and no temporary behind; a save through a symbolic link (relative, chained,
// dangling) replaces the file it names and keeps the link; a read-only file is refused. Both writers.
TEST(AtomicFile, FailuresLinksAndReadOnlyFiles) {
    TempDir dir("atomic");
    fs::create_directories(dir.path / "real");
    const auto target = dir.path / "real" / "t.txt";
    std::ofstream(target) << "old";
    std::string error;
    EXPECT_FALSE(write_file_atomically((target / "x").string(), "new", &error));
    EXPECT_NE(error, "") << "a failed write says why";
    EXPECT_EQ(slurp(target), "old");

    fs::create_symlink(fs::path("real") / "t.txt", dir.path / "link.txt");
    fs::create_symlink(dir.path / "link.txt", dir.path / "chain.txt");
    EXPECT_TRUE(write_file_atomically(dir.file("chain.txt"), "new"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.txt"));
    EXPECT_TRUE(fs::is_symlink(dir.path / "chain.txt"));
    EXPECT_EQ(slurp(target), "new");
    EXPECT_EQ(utf8_file_write(dir.file("link.txt"), "Bt"), TextFileError::None);
    EXPECT_EQ(slurp(target), kBom + "Bt\r\n");

    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(write_file_atomically(target.string(), "x", &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_FALSE(write_file_atomically(dir.file("link.txt"), "x"));
    EXPECT_EQ(utf8_file_write(dir.file("link.txt"), "x"), TextFileError::NotWritable);
    EXPECT_EQ(slurp(target), kBom + "Bt\r\n");
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "real"), fs::directory_iterator()), 1)
        << "no temporary left behind";

    fs::create_symlink(fs::path("real") / "new.txt", dir.path / "dangling.txt");
    EXPECT_TRUE(write_file_atomically(dir.file("dangling.txt"), "made"));
    EXPECT_EQ(slurp(dir.path / "real" / "new.txt"), "made");
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling.txt"));
}

TEST(AppPaths, JoinNeverDoublesASeparator) {
    EXPECT_EQ(path_join("/opt/t", "c.ini"), "/opt/t/c.ini");
    EXPECT_EQ(path_join("/opt/t/", "c.ini"), "/opt/t/c.ini");
    EXPECT_EQ(path_join("/", "c.ini"), "/c.ini");
    EXPECT_EQ(path_join("/opt", "/AudioParmFile"), "/opt/AudioParmFile");
}

TEST(Settings, DefaultsRoundTripAndBadValues) {
    MemorySettings store;
    AppState s, t;
    s.Language = 7;
    read_language_setting(s, store), read_bt_name_setting(s, store);
    EXPECT_EQ(s.Language, 0);
    EXPECT_EQ(s.Bt_Name, "Bt_Audio");
    s.Language = 1, s.Bt_Name = "卡拉OK";
    save_language_setting(s, store), save_bt_name_setting(s, store);
    read_bt_name_setting(t, store);
    EXPECT_EQ(store.values[kLanguageKey], "1");
    EXPECT_EQ(t.Bt_Name, "卡拉OK");
    const std::pair<const char*, int> stored[] = {{"1", 1},   {"abc", 0}, {"", 0},    {"-1", 0},  {"256", 0},
                                                  {"1e3", 0}, {"0x1", 0}, {" 1 ", 1}, {"2.5", 2}, {"3.5", 4}};
    for (const auto& [text, language] : stored) {
        store.values[kLanguageKey] = text;
        t.Language = 9;
        read_language_setting(t, store);
        EXPECT_EQ(t.Language, language) << text;  // fractions round half to even
    }
}

// A store that cannot be written: both savers say so, the first failure is reported once (debug line and message), the
// state is untouched.
TEST(Settings, FailedWriteIsReportedOnce) {
    struct BrokenStore : MemorySettings {
        bool write(const std::string&, const std::string&, const std::string&, const std::string&) override {
            return false;
        }
        std::string location() const override { return "/nowhere/settings.ini"; }
    } store;
    AppState s;
    RecordingWindowServices ui(s);
    s.Language = 1;
    EXPECT_FALSE(save_language_setting(s, store, ui));
    EXPECT_FALSE(save_bt_name_setting(s, store, ui));
    EXPECT_FALSE(save_language_setting(s, store));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_THAT(store.values, IsEmpty());
    EXPECT_EQ(ui.debug_lines, std::vector<std::string>{"Settings not saved: cannot write /nowhere/settings.ini"});

    MemorySettings good;
    EXPECT_TRUE(save_language_setting(s, good, ui));
    EXPECT_EQ(ui.messages.size(), 1u) << "a later success adds no message";
}

// A clock that moves only in the pump: a plain pump lets 10 ms pass, a pump that can sleep is woken by an event after
// 30 ms.
struct FakeEvents : Clock, EventPump {
    int32_t now_ms() override { return static_cast<int32_t>(static_cast<uint32_t>(t)); }
    void process_events() override { ++pumps, t += 10; }
    void wait_for_events(int32_t max_ms) override {
        if (!can_sleep) return process_events();
        offered.push_back(max_ms);
        t += 30;
    }
    int64_t t = 0;
    int pumps = 0;
    bool can_sleep = false;
    std::vector<int32_t> offered;
};

// The wait pumps events until its time is up and survives the wrap of the signed millisecond counter (the wait starts
// again and runs its full length); a pump that can sleep is handed the time left and never spins.
TEST(DelayMs, PumpsUntilTheTimeIsUpAcrossTheCounterWrap) {
    FakeEvents e;
    delay_ms(0, e, e);
    EXPECT_EQ(e.pumps, 0);
    delay_ms(100, e, e);
    EXPECT_EQ(e.t, 100);
    EXPECT_EQ(e.pumps, 10);
    e.t = 0x7FFFFFFFLL - 30;
    const int64_t start = e.t;
    delay_ms(100, e, e);
    EXPECT_GE(e.t - start, 100);

    FakeEvents sleeper;
    sleeper.can_sleep = true;
    delay_ms(100, sleeper, sleeper);
    EXPECT_EQ(sleeper.offered, (std::vector<int32_t>{100, 70, 40, 10}));
    EXPECT_EQ(sleeper.t, 120);
    EXPECT_EQ(sleeper.pumps, 0);
}
