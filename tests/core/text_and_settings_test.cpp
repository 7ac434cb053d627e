#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "core/app_paths.h"
#include "core/atomic_file.h"
#include "core/delay.h"
#include "core/settings.h"
#include "core/utf8.h"
#include "support/link_harness.h"

using namespace tuner;
namespace fs = std::filesystem;

namespace {

fs::path temp_dir(const std::string& tag) {
    auto d = fs::temp_directory_path() / ("tuner_" + tag + "_" + std::to_string(::getpid()));
    fs::remove_all(d);
    fs::create_directories(d);
    return d;
}

std::string slurp(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

}  // namespace

TEST(Utf8, EncodeDecode) {
    EXPECT_EQ(utf8_encode("abc"), (std::vector<uint8_t>{0x61, 0x62, 0x63}));
    EXPECT_TRUE(utf8_encode("").empty());
    const uint8_t padded[] = {0x61, 0x62, 0x63, 0, 0};
    EXPECT_EQ(utf8_decode(padded), "abc");
    const uint8_t leading_zero[] = {0, 0x61};
    EXPECT_EQ(utf8_decode(leading_zero), "");
    const std::string chinese = "蓝牙音箱";
    const auto bytes = utf8_encode(chinese);
    EXPECT_EQ(bytes.size(), 12u);
    EXPECT_EQ(utf8_decode(bytes), chinese);
    // Invalid bytes from the unit never yield invalid text.
    const uint8_t bad[] = {0x41, 0xC3, 0x28, 0xFF, 0xE4, 0xBD};
    EXPECT_EQ(utf8_decode(bad), "A\xEF\xBF\xBD(\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(utf8_sanitize(std::string("\xED\xA0\x80", 3)), "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD")
        << "surrogates are not UTF-8";
}

TEST(Utf8, TextFiles) {
    const auto dir = temp_dir("utf8");
    const auto path = (dir / "name.txt").string();
    EXPECT_EQ(utf8_file_write(path, "Bt_Audio"), TextFileError::NotFound) << "the caller creates the file first";
    std::ofstream(path).close();
    ASSERT_EQ(utf8_file_write(path, "Bt_Audio"), TextFileError::None);
    EXPECT_EQ(slurp(path),
              "\xEF\xBB\xBF"
              "Bt_Audio\r\n");
    EXPECT_EQ(utf8_file_read_line(path, 1), "Bt_Audio");
    EXPECT_EQ(utf8_file_read_line(path, 2), "");
    EXPECT_EQ(utf8_file_read_line(path, 0), "");

    std::ofstream(path, std::ios::binary) << "one\ntwo\rthree\r\n\r\nfive";
    EXPECT_EQ(utf8_file_read_line(path, 2), "two");
    EXPECT_EQ(utf8_file_read_line(path, 3), "three");
    EXPECT_EQ(utf8_file_read_line(path, 4), "");
    EXPECT_EQ(utf8_file_read_line(path, 5), "five");

    // More lines than a 16-bit counter holds.
    {
        std::ofstream big(path, std::ios::binary);
        for (int i = 1; i <= 40000; ++i) big << i << "\r\n";
    }
    EXPECT_EQ(utf8_file_read_line(path, 40000), "40000");

    TextFileError err = TextFileError::None;
    EXPECT_EQ(utf8_file_read_line((dir / "missing.txt").string(), 1, &err), "");
    EXPECT_EQ(err, TextFileError::NotFound);
    fs::remove_all(dir);
}

TEST(AtomicFile, FailureLeavesTheOldFileWhole) {
    const auto dir = temp_dir("atomic");
    const auto path = dir / "f.txt";
    std::ofstream(path) << "old";
    std::string error;
    EXPECT_FALSE(write_file_atomically((dir / "f.txt" / "x").string(), "new", &error));
    EXPECT_FALSE(error.empty());
    EXPECT_EQ(slurp(path), "old");
    EXPECT_TRUE(write_file_atomically(path.string(), "new"));
    EXPECT_EQ(slurp(path), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 1) << "no temporary left behind";
    fs::remove_all(dir);
}

// A save through a symbolic link replaces the file it names and keeps the
// link; a read-only file is refused and stays whole. Both writers.
TEST(AtomicFile, WritesThroughLinksAndRefusesReadOnlyFiles) {
    const auto dir = temp_dir("links");
    fs::create_directories(dir / "real");
    const auto target = dir / "real" / "t.txt";
    std::ofstream(target) << "old";
    fs::create_symlink(fs::path("real") / "t.txt", dir / "link.txt");  // relative link
    fs::create_symlink(dir / "link.txt", dir / "chain.txt");           // a link to a link
    EXPECT_TRUE(write_file_atomically((dir / "chain.txt").string(), "new"));
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_TRUE(fs::is_symlink(dir / "chain.txt"));
    EXPECT_EQ(slurp(target), "new");
    EXPECT_EQ(utf8_file_write((dir / "link.txt").string(), "Bt"), TextFileError::None);
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(slurp(target),
              "\xEF\xBB\xBF"
              "Bt\r\n");

    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    std::string error;
    EXPECT_FALSE(write_file_atomically(target.string(), "x", &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_FALSE(write_file_atomically((dir / "link.txt").string(), "x"));
    EXPECT_EQ(utf8_file_write((dir / "link.txt").string(), "x"), TextFileError::NotWritable);
    EXPECT_EQ(slurp(target),
              "\xEF\xBB\xBF"
              "Bt\r\n");
    EXPECT_TRUE(fs::is_symlink(dir / "link.txt"));
    EXPECT_EQ(std::distance(fs::directory_iterator(dir / "real"), fs::directory_iterator()), 1);

    // A dangling link names the file to create.
    fs::create_symlink(fs::path("real") / "new.txt", dir / "dangling.txt");
    EXPECT_TRUE(write_file_atomically((dir / "dangling.txt").string(), "made"));
    EXPECT_EQ(slurp(dir / "real" / "new.txt"), "made");
    EXPECT_TRUE(fs::is_symlink(dir / "dangling.txt"));
    fs::permissions(target, fs::perms::owner_all);
    fs::remove_all(dir);
}

TEST(AppPaths, JoinNeverDoublesASeparator) {
    EXPECT_EQ(path_join("/opt/tool", "file_power_on_init_tab.c"), "/opt/tool/file_power_on_init_tab.c");
    EXPECT_EQ(path_join("/opt/tool/", "config.ini"), "/opt/tool/config.ini");
    EXPECT_EQ(path_join("/", "config.ini"), "/config.ini");
    EXPECT_EQ(path_join("/opt", "/AudioParmFile"), "/opt/AudioParmFile");
    set_app_dir("/srv/x");
    EXPECT_EQ(app_file("logo.ico"), "/srv/x/logo.ico");
    set_app_dir(".");
}

namespace {
struct MapStore : SettingsStore {
    std::map<std::string, std::string> values;
    std::optional<std::string> get(const std::string& a, const std::string& s, const std::string& k) override {
        auto it = values.find(a + "/" + s + "/" + k);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void set(const std::string& a, const std::string& s, const std::string& k, const std::string& v) override {
        values[a + "/" + s + "/" + k] = v;
    }
};
}  // namespace

TEST(Settings, DefaultsStoredFormsAndBadValues) {
    MapStore store;
    AppState s;
    s.Language = 7;
    read_language_setting(s, store);
    read_bt_name_setting(s, store);
    EXPECT_EQ(s.Language, 0);
    EXPECT_EQ(s.Bt_Name, "Bt_Audio");

    s.Language = 1;
    s.Bt_Name = "卡拉OK";
    save_language_setting(s, store);
    save_bt_name_setting(s, store);
    EXPECT_EQ(store.values["Veltrana_m202301/eeprom/Language"], "1");
    AppState t;
    read_language_setting(t, store);
    read_bt_name_setting(t, store);
    EXPECT_EQ(t.Language, 1);
    EXPECT_EQ(t.Bt_Name, "卡拉OK");

    for (const char* bad : {"abc", "", "-1", "256", "1e3", "0x1"}) {
        store.values["Veltrana_m202301/eeprom/Language"] = bad;
        t.Language = 1;
        read_language_setting(t, store);
        EXPECT_EQ(t.Language, 0) << bad;
    }
    EXPECT_EQ(parse_byte_setting(" 1 "), 1);
    EXPECT_EQ(parse_byte_setting("2.5"), 2) << "half to even";
    EXPECT_EQ(parse_byte_setting("3.5"), 4);
}

// A store that cannot be written: both savers say so, the first failure is
// reported once (debug line and message), the state is untouched.
TEST(Settings, FailedWriteIsReportedOnce) {
    struct BrokenStore : MapStore {
        bool write(const std::string&, const std::string&, const std::string&, const std::string&) override {
            return false;
        }
        std::string location() const override { return "/nowhere/settings.ini"; }
    } store;
    AppState s;
    tuner::testing::RecordingWindowServices ui(s);
    s.Language = 1;
    EXPECT_FALSE(save_language_setting(s, store, ui));
    EXPECT_FALSE(save_bt_name_setting(s, store, ui));
    EXPECT_FALSE(save_language_setting(s, store));
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.debug_lines, std::vector<std::string>{"Settings not saved: cannot write /nowhere/settings.ini"});
    EXPECT_TRUE(store.values.empty());

    MapStore good;
    EXPECT_TRUE(save_language_setting(s, good, ui));
    EXPECT_EQ(ui.messages.size(), 1u);
}

namespace {
struct FakeClock : Clock {
    int64_t t = 0;
    int32_t now_ms() override { return static_cast<int32_t>(static_cast<uint32_t>(t)); }
};
struct StepPump : EventPump {
    FakeClock& clock;
    int step;
    int pumps = 0;
    StepPump(FakeClock& c, int s) : clock(c), step(s) {}
    void process_events() override {
        ++pumps;
        clock.t += step;
    }
};
}  // namespace

TEST(DelayMs, WaitsPumpingEventsAndSurvivesTheCounterWrap) {
    FakeClock clock;
    StepPump pump(clock, 10);
    delay_ms(0, clock, pump);
    EXPECT_EQ(pump.pumps, 0);
    delay_ms(100, clock, pump);
    EXPECT_EQ(clock.t, 100);
    EXPECT_EQ(pump.pumps, 10);

    // Start 30 ms before the signed maximum: after the wrap the wait starts
    // again and runs its full length.
    clock.t = 0x7FFFFFFFLL - 30;
    pump.pumps = 0;
    const int64_t start = clock.t;
    delay_ms(100, clock, pump);
    EXPECT_GE(clock.t - start, 100);
}

// Each pump may sleep, but never past the end of the wait: it is handed the
// time left.
TEST(DelayMs, PumpsSleepForAtMostTheTimeLeft) {
    struct SleepingPump : EventPump {
        FakeClock& clock;
        std::vector<int32_t> offered;
        explicit SleepingPump(FakeClock& c) : clock(c) {}
        void process_events() override { ADD_FAILURE() << "a wait that can sleep must not spin"; }
        void wait_for_events(int32_t max_ms) override {
            offered.push_back(max_ms);
            clock.t += 30;  // an event came after 30 ms
        }
    };
    FakeClock clock;
    SleepingPump pump(clock);
    delay_ms(100, clock, pump);
    EXPECT_EQ(pump.offered, (std::vector<int32_t>{100, 70, 40, 10}));
    EXPECT_EQ(clock.t, 120);
}
