#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gmock/gmock.h>

#include <fstream>
#include <map>
#include <optional>
#include <sstream>
#include <tuple>

#include "core/app_paths.h"
#include "core/atomic_file.h"
#include "core/bytes.h"
#include "core/default_image.h"
#include "core/delay.h"
#include "core/eq_filter.h"
#include "core/file_dialogs.h"
#include "core/param_file.h"
#include "core/param_table.h"
#include "core/send_requests.h"
#include "core/settings.h"
#include "core/utf8.h"
#include "core/value_tables.h"
#include "image_match.h"
#include "support/distinct_image.h"
#include "support/link_harness.h"
#include "support/memory_settings.h"
#include "temp_files.h"

using namespace tuner;
using namespace tuner::testing;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace fs = std::filesystem;

// Exact lookups or fallbacks; exact entries; rebuilds change nothing.
TEST(ValueTables, LookupsEntriesAndIndexReads) {
    EXPECT_EQ(peq_h_echo_delay_index(80), 0);
    EXPECT_EQ(peq_h_echo_delay_index(85), 30);
    EXPECT_EQ(peq_h_freq_index(1000), 239);
    EXPECT_EQ(peq_h_freq_index(5240), 402);
    EXPECT_EQ(peq_h_freq_index(10.2f), 1);
    EXPECT_EQ(peq_h_gain_index(-23.8f), 1);
    EXPECT_EQ(peq_h_gain_index(0.1f), 0);
    EXPECT_EQ(peq_h_q_index(2.5f), 25);
    EXPECT_EQ(peq_h_q_index(30), 250);
    EXPECT_EQ(peq_h_exciter_freq_index(5140), 92);
    EXPECT_EQ(peq_h_exciter_freq_index(1005), 100);
    const std::pair<double, double> read[] = {
        {eq_freq_at(31), 18.1},      {eq_freq_at(120), 101.0}, {eq_gain_at(119), -0.2},
        {eq_q_at(7), 0.7},           {eq_gain_at(-3), -24.0},  {echo_delay_at(200), 380.0},
        {eq_freq_at(1000), 23600.0}, {eq_q_at(251), 25.0},     {exciter_freq_at(101), 6000.0}};
    for (std::size_t i = 0; i < std::size(read); ++i) EXPECT_EQ(read[i].first, read[i].second) << "row " << i;
    const auto& t = value_tables();
    for (std::size_t i = 1; i < t.eq_freq_tab.size(); ++i) EXPECT_LT(t.eq_freq_tab[i - 1], t.eq_freq_tab[i]) << i;
    const ValueTables before = t;
    peq_h_build_tables();
    EXPECT_TRUE(value_tables() == before) << "rebuilt";
}

// Rows: type, frequency, Q and gain index, then dB at every curve point.
TEST(EqFilter, FastCurveAndReferenceMatchTheCommittedResponses) {
    std::ifstream in(std::string(TUNER_TEST_DATA_DIR) + "/eq-band-response.csv");
    std::array<double, kCurvePoints> curve{};
    int rows = 0;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::stringstream ss(line);
        std::vector<double> v;
        for (std::string cell; std::getline(ss, cell, ',');) v.push_back(std::stod(cell));
        ASSERT_EQ(v.size(), 4 + kCurvePoints) << line;
        ++rows;
        const int type = static_cast<int>(v[0]);
        const Biquad bq = design_biquad(type, eq_freq_at(static_cast<int>(v[1])), eq_q_at(static_cast<int>(v[2])),
                                        eq_gain_at(static_cast<int>(v[3])));
        eq_response_grid().band_curve(bq, curve);
        for (std::size_t i = 0; i < kCurvePoints; ++i) {
            ASSERT_NEAR(curve[i], v[4 + i], 1e-6) << "type " << type << " point " << i;
            ASSERT_NEAR(reference_response_db(bq, eq_freq_at(static_cast<int>(i))), v[4 + i], 1e-6) << "type " << type;
        }
    }
    EXPECT_GE(rows, 36);
}

namespace {
// Offset, byte before and after.
using Clamps = std::vector<std::tuple<std::size_t, int, int>>;
void check_clamps(FrameImage& f, ParamImage& img, const Clamps& cases) {
    for (const auto& [at, in, out] : cases) f[at] = static_cast<uint8_t>(in);
    param_range_check(img);
    for (const auto& [at, in, out] : cases) EXPECT_EQ(f[at], out) << "offset " << at << " from " << in;
}
}  // namespace

// Volume limits of 0 or above 128 become 128; 16-bit fields read unsigned.
TEST(ParamRangeCheck, GeneralFrameLimits) {
    using namespace gen_frame;
    ParamImage img;
    const std::size_t r = drc(2);
    const Clamps bytes = {{music_vol_abs_max, 0, 128},
                          {music_vol, 100, 100},
                          {mic_vol_abs_max, 200, 128},
                          {mic_vol, 250, 128},
                          {mic_vol_power_on, 129, 128},
                          {effect_vol_abs_max, 40, 40},
                          {effect_vol, 50, 40},
                          {r + drc_threshold_db, 1, 0},
                          {drc(4) + drc_threshold_db + 1, 36, 35},
                          {vol_power_on_read_eeprom_function_en, 0, 1}};
    const Clamps words = {{r + drc_ratio, 0x8001, 1000},
                          {r + drc_attack, 0xFFFF, 5000},
                          {music_noise_suppressor_ratio, 0, 1},
                          {mic1_noise_suppressor_release, 40000, 5000}};
    for (const auto& [at, in, out] : words) write_u16(img.gen, at, static_cast<uint16_t>(in));
    check_clamps(img.gen, img, bytes);
    for (const auto& [at, in, out] : words) EXPECT_EQ(read_u16(img.gen, at), out) << "offset " << at << " from " << in;
}

// Band fields are clamped; edge bands are fixed; an enable other than 0 means on.
TEST(ParamRangeCheck, EqBandsFixedEdgesAndChannelEnable) {
    using namespace eq_frame;
    ParamImage img;
    auto& eq = img.eq[4];
    const std::tuple<std::size_t, int, int> freqs[] = {{2, 0, 35}, {3, 0xFFFF, 395}, {4, 396, 395}, {5, 395, 395}};
    for (const auto& [band, f, clamped] : freqs) set_eq_freq(eq, band, static_cast<uint16_t>(f));
    img.eq[1][eq_chx_enable] = 7;
    img.eq[2][eq_chx_enable] = 1;
    const Clamps bytes = {{eq_q_shelf + 5, 21, 20},
                          {eq_q_peq + 5, 21, 21},
                          {eq_q_pass + 6, 0, 1},
                          {eq_db + 7, 200, 180},
                          {eq_pre_gain_db_index, 250, 250}};
    check_clamps(eq, img, bytes);
    for (const auto& [band, f, clamped] : freqs) EXPECT_EQ(eq_freq(eq, band), clamped) << "from " << f;
    for (std::size_t c = 0; c < kEqChannels; ++c) {
        SCOPED_TRACE("EQ channel " + std::to_string(c));
        const auto& ch = img.eq[c];
        EXPECT_EQ(ch[eq_frame::eq_type], 4);
        EXPECT_EQ(ch[eq_frame::eq_type + 9], 3);
        EXPECT_EQ(ch[eq_db], 120);
        EXPECT_EQ(ch[eq_db + 9], 120);
        EXPECT_EQ(ch[eq_chx_enable], c == 1 || c == 2 ? 1 : 0) << "enable";
    }
}

// Fixed effect bytes are forced; a second check changes nothing; the neutral bands go in octaves.
TEST(ParamRangeCheck, FixedEffectBytesAndIdempotence) {
    ParamImage img;
    for (std::size_t i = 0; i < kImageSize; ++i) img[i] = static_cast<uint8_t>(i * 37 + 11);
    check_clamps(img.eff, img, {{8, 7, 30}, {16, 7, 255}, {19, 7, 255}, {54, 7, 1}, {55, 7, 0}});
    const std::pair<const char*, ParamImage> images[] = {{"checked image", img},
                                                         {"neutral image", neutral_param_image()}};
    for (const auto& [name, once] : images) {
        ParamImage again = once;
        param_range_check(again);
        EXPECT_TRUE(same_image(again, once)) << name;
    }
    std::vector<double> band_hz;
    for (std::size_t b = 0; b < kEqBands; ++b) band_hz.push_back(eq_freq_at(eq_freq(neutral_param_image().eq[9], b)));
    EXPECT_THAT(band_hz, ElementsAre(19.7, 63.7, 125, 250, 500, 1000, 2000, 4000, 8000, 20200));
}

// No two rows share a byte; a band's Q lives in the row its type selects.
TEST(ParamTable, RowsOwnTheirBytesAndQFollowsTheBandType) {
    std::map<std::pair<ParamFrame, std::size_t>, std::string_view> owner;
    for (const ParamRow& r : param_table()) {
        const auto [it, fresh] = owner.emplace(std::pair(r.frame, r.offset), r.name);
        EXPECT_TRUE(fresh) << r.name << " shares its byte with " << it->second;
    }
    EXPECT_EQ(find_param("plate_reverb_predelay")->max, 100);
    AppState s;
    FrameImage& eq = s.param_image.eq[0];
    eq[eq_frame::eq_q_peq + 3] = 11;
    eq[eq_frame::eq_q_shelf + 3] = 22;
    eq[eq_frame::eq_q_pass + 3] = 33;
    const int q_of_type[] = {11, 22, 22, 33, 33};
    for (uint8_t type = 0; type < 5; ++type) {
        eq[eq_frame::eq_type + 3] = type;
        EXPECT_EQ(param_get(s, *find_param("eq_q"), 3), q_of_type[type]) << "band type " << int{type};
    }
}

namespace {

struct FakeDialogs : FileDialogs {
    std::optional<std::string> answer;
    FileDialogRequest last;
    std::optional<std::string> show_open(const FileDialogRequest& r) override { return last = r, answer; }
    std::optional<std::string> show_save(const FileDialogRequest& r) override { return show_open(r); }
};

struct ParamFileTest : ::testing::Test {
    void SetUp() override { set_app_dir(dir.path.string()); }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir.path / name, std::ios::binary) << text;
        return dir.file(name);
    }
    LoadResult load(const std::string& name, const std::string& text) {
        return load_param_file(s, ui, write(name, text), LoadKind::User);
    }

    TempDir dir{"param_file"};
    AppState s;
    RecordingWindowServices ui{s};
    FakeDialogs dialogs;
    const ParamImage neutral = neutral_param_image();
    const std::string neutral_text = param_file_text(neutral);
};

std::string body(const std::vector<int>& values) {
    std::string t = "unsigned char const file_power_on_init_tab[ 3084]=\r\n{\r\n";
    for (int v : values) t += " " + std::to_string(v) + ",";
    return t + "\r\n};\r\n";
}

// Lets the data segment of this (child) process grow by at most `bytes`.
void limit_memory_growth(long bytes) {
    std::ifstream status("/proc/self/status");
    long kb = 0;
    for (std::string key; status >> key;)
        if (key == "VmData:" && status >> kb) break;
    const rlimit limit{static_cast<rlim_t>(kb * 1024 + bytes), static_cast<rlim_t>(kb * 1024 + bytes)};
    ::setrlimit(RLIMIT_DATA, &limit);
}

}  // namespace

// The exact file format; a load unmutes and clamps; connected, a user load sends all, a start-up load sets defaults.
TEST_F(ParamFileTest, SaveAndLoad) {
    EXPECT_THAT(neutral_text, StartsWith("unsigned char const file_power_on_init_tab[ 3084]=\r\n{\r\n"
                                         "         0, 165, 90, 1, 251, 0, 6, 1, 0, 0,\r\n"));
    EXPECT_THAT(neutral_text, EndsWith("\r\n         0, 0, 0, 255,\r\n};\r\n   \r\n"));  // bytes 3080..3083
    EXPECT_EQ(std::count(neutral_text.begin(), neutral_text.end(), '\n'), 313);
    EXPECT_EQ(std::count(neutral_text.begin(), neutral_text.end(), '\r'), 313) << "every line ends in CR LF";

    ParamImage img = distinct_param_image();
    img.gen[gen_frame::master_mute] = 1;
    img.gen[gen_frame::music_input_sel] = 255;
    img.eq[5][eq_frame::eq_db + 3] = 170;
    s.param_image = img;
    s.cpu_state.cpu_music_input = 9;
    const std::string path = dir.file("a.ktv");
    ASSERT_EQ(save_param_file(s, path), SaveResult::Saved);
    EXPECT_EQ(s.param_image.gen[gen_frame::music_input_sel], 255) << "the live request is kept";
    s.param_image = ParamImage{};
    s.cpu_state.cpu_music_input = 0;
    ASSERT_EQ(load_param_file(s, ui, path, LoadKind::User), LoadResult::Loaded);
    img.gen[gen_frame::music_input_sel] = 9;
    img.gen[gen_frame::master_mute] = 0;
    param_range_check(img);
    EXPECT_TRUE(same_image(s.param_image, img));
    EXPECT_EQ(s.cpu_state.cpu_music_input, 9) << "offline: the recorded input";

    s.cpu_connect_state = 1;
    s.cpu_state.cpu_music_input = 3;
    ASSERT_EQ(load("b.ktv", neutral_text), LoadResult::Loaded);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 3) << "connected: the unit's input";
    EXPECT_EQ(ui.count("display_wait_1s"), 1);
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) EXPECT_EQ(s.send_eq_req[ch], kPending) << "EQ channel " << ch;
    EXPECT_EQ(s.send_gen_req, kPending);
    EXPECT_EQ(s.send_effect_req, kPending);
    EXPECT_EQ(s.send_input_req, kPending);
    EXPECT_TRUE(same_image(s.param_image_default, ParamImage{})) << "a user load keeps the default copy";

    send_req_clear_all(s);
    ui.calls.clear();
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::Startup), LoadResult::NotFound);
    EXPECT_THAT(ui.messages, ElementsAre(" File not found. Try again."));
    EXPECT_TRUE(same_image(s.param_image_default, neutral)) << "without the file: the neutral copy";
    write(kStartupFileName, param_file_text(img));
    ASSERT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::Startup), LoadResult::Loaded);
    EXPECT_TRUE(same_image(s.param_image_default, img));
    EXPECT_EQ(s.send_gen_req, kClear);
}

// Refused files leave the live image.
TEST_F(ParamFileTest, RefusedFilesLeaveTheLiveImage) {
    ASSERT_EQ(load("good.ktv", neutral_text), LoadResult::Loaded);
    ParamImage bad_end = neutral, bad_command = neutral;
    bad_end.eff[hid_frame::end] = 0;
    bad_command.gen[hid_frame::command] = cmd::effect;
    EXPECT_EQ(load("end.ktv", param_file_text(bad_end)), LoadResult::Invalid);
    EXPECT_EQ(ui.debug_lines.back(), "If (temp_pc.eff.end <> &HFF) Then data_error = 1");
    const std::string short_text = neutral_text.substr(0, neutral_text.find("\r\n", 26 * 60 + 60)) + "\r\n};\r\n";
    for (const std::string& content : {param_file_text(bad_command), std::string(), std::string("{ 1, 2, 3 }"),
                                       std::string("\x00\xff\xfe binary", 10), short_text}) {
        SCOPED_TRACE(content.substr(0, 70));
        EXPECT_EQ(load("refused.ktv", content), LoadResult::Invalid);
        EXPECT_TRUE(same_image(s.param_image, neutral));
    }
    const std::pair<std::string, LoadResult> refused[] = {
        {write("many.ktv", body(std::vector<int>(5000, 1))), LoadResult::TooManyValues},
        {"/proc/self/mem", LoadResult::ReadFailed}};
    for (const auto& [path, result] : refused) {
        ui.messages.clear();
        EXPECT_EQ(load_param_file(s, ui, path, LoadKind::User), result) << path;
        EXPECT_TRUE(same_image(s.param_image, neutral)) << path;
        EXPECT_EQ(ui.messages.size(), 1u) << path;
    }
}

// Values on the "{" line are lost; "2" runs on after a comment (201); a second block is never read.
TEST_F(ParamFileTest, TolerantReader) {
    const auto values = [](const KtvParseState& st) {
        return std::vector<int>(st.parse_buffer.begin(), st.parse_buffer.begin() + st.value_count);
    };
    auto st = ktv_parse_text(
        "// header { 9,\r\nx[ 3084]= { 7, 8,\r\n1, 2 // 3, 4\r\n// 12, 13,\r\n0x1F, 1.5, -5, 007,\r\n};\r\n{ 99, "
        "}\r\n");
    EXPECT_EQ(values(st), (std::vector<int>{1, 201, 15, 5, 7}));
    st = ktv_parse_text("{\n12, 13,\n12, // 13,\n0x1F,\n1.5,\n,,\n300,\n99999999999999999999,\n00042,\n} 5,\n6,\n");
    EXPECT_EQ(values(st), (std::vector<int>{12, 13, 12, 1, 15, 255, 255, 42, 5}));
    EXPECT_EQ(st.values_above_255, 2);

    // LF or CR line ends and values after the image load; values above 255 warn once.
    std::string lf = neutral_text, extra = neutral_text;
    std::erase(lf, '\r');
    std::string cr = lf;
    std::replace(cr.begin(), cr.end(), '\n', '\r');
    extra.insert(extra.find("};"), " 1, 2, 3,\r\n");
    for (const std::string& text : {lf, cr, extra}) {
        s.param_image = ParamImage{};
        EXPECT_EQ(load("le.ktv", text), LoadResult::Loaded) << text.substr(text.size() - 30);
        EXPECT_TRUE(same_image(s.param_image, neutral)) << text.substr(text.size() - 30);
    }
    EXPECT_THAT(ui.messages, IsEmpty());
    load("big.ktv", body(std::vector<int>(3084, 300)));
    EXPECT_EQ(std::count(ui.messages.begin(), ui.messages.end(), std::string("读出的值大于255")), 1);
}

// Open dialogs start from the last file, save dialogs empty; a failed save keeps the file.
TEST_F(ParamFileTest, DialogsAndFailedSaves) {
    s.param_image = neutral;
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Cancelled);
    const std::string saved = dir.file("saved.ktv");
    dialogs.answer = saved;
    ASSERT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Saved);
    EXPECT_EQ(dialogs.last.init_dir, path_join(dir.path.string(), "AudioParmFile"));
    EXPECT_EQ(path_join("/opt/t/", "c.ini"), "/opt/t/c.ini") << "joined";
    EXPECT_EQ(path_join("/", "c.ini"), "/c.ini");
    EXPECT_EQ(path_join("/opt", "/AudioParmFile"), "/opt/AudioParmFile");
    for (const auto& answer : {std::optional<std::string>(), std::optional<std::string>("")}) {
        dialogs.answer = answer;
        EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::User), LoadResult::Cancelled);
        EXPECT_EQ(dialogs.last.file_name, saved);
    }
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_TRUE(same_image(s.param_image, neutral));
    dialogs.answer = saved;
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::User), LoadResult::Loaded);
    EXPECT_EQ(save_txt_file_dialog(dialogs), saved);
    EXPECT_EQ(dialogs.last.file_name, "") << "save dialog";

    const std::string path = write("keep.ktv", "old content");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    for (const std::string& answer : {path + "/inner.ktv", path}) {
        dialogs.answer = answer;
        EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Failed) << answer;
        EXPECT_EQ(slurp(path), "old content");
    }
    EXPECT_EQ(ui.messages.size(), 2u);
}

// Each refused save leaves what was there and says why; the program runs on.
TEST_F(ParamFileTest, SavesTheSystemRefusesFailWithAMessage) {
    s.param_image = neutral;
    const std::string fifo = dir.file("pipe.ktv"), device = dir.file("full.ktv");
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
    fs::create_symlink("pipe.ktv", dir.path / "to_pipe.ktv");
    // A reader on the pipe, so that opening it for writing cannot block this test.
    const int reader = ::open(fifo.c_str(), O_RDONLY | O_NONBLOCK);
    const bool have_device = ::mknod(device.c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;  // as root only
    std::string deep = dir.path.string();
    while (deep.size() < 4200) deep += "/abcdefgh";
    const struct {
        std::string path, why;
    } refused[] = {
        {dir.path.string() + "/" + std::string(300, 'a') + "/x.ktv", "File name too long"},
        {deep + "/x.ktv", "File name too long"},
        {fifo, "is not an ordinary file"},
        {dir.file("to_pipe.ktv"), "is not an ordinary file"},
        {have_device ? device : fifo, "is not an ordinary file"},
    };
    for (const auto& [path, why] : refused) {
        SCOPED_TRACE(path.substr(0, 80));
        ui.messages.clear();
        dialogs.answer = path;
        EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Failed);
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_THAT(ui.messages[0], HasSubstr(why));
        EXPECT_EQ(utf8_file_write(path, "name"), TextFileError::NotFound) << "the name-file writer refuses it too";
    }
    EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo))) << "the pipe stays a pipe";
    if (have_device) {
        EXPECT_TRUE(fs::is_character_file(fs::symlink_status(device))) << "the device node stays";
    }
    EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir.file("to_pipe.ktv")))) << "the link stays";
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path), fs::directory_iterator()), have_device ? 3 : 2)
        << "no temporary left behind";
    EXPECT_TRUE(same_image(s.param_image, neutral)) << "the live image is kept";
    dialogs.answer = dir.file("after.ktv");
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Saved) << "the next save works";
    ::close(reader);
}

// A line above 32767 characters refuses the load like any refused file;
// after the body's end nothing more is read.
TEST_F(ParamFileTest, OverlongLinesAndWhatFollowsTheBody) {
    const std::string comment_32767 = "//" + std::string(32765, 'c') + "\r\n";
    const std::string comment_32768 = "//" + std::string(32766, 'c') + "\r\n";
    ASSERT_EQ(load("longest.ktv", comment_32767 + neutral_text), LoadResult::Loaded);
    EXPECT_TRUE(ui.messages.empty()) << ui.messages.front();

    s.param_image = ParamImage{};
    for (const std::string& text :
         {comment_32768 + neutral_text, neutral_text.substr(0, 500) + comment_32768 + neutral_text.substr(500)}) {
        SCOPED_TRACE(text.substr(0, 40));
        ui.messages.clear();
        EXPECT_EQ(load("long.ktv", text), LoadResult::Invalid);
        EXPECT_THAT(ui.messages, ::testing::ElementsAre("The file is not a valid parameter file; nothing was loaded."));
        EXPECT_TRUE(same_image(s.param_image, ParamImage{})) << "the live image is kept";
        EXPECT_EQ(ktv_parse_text(text).line_too_long, true) << "the text reader refuses the same";
    }
    EXPECT_EQ(load("tail.ktv", neutral_text + comment_32768 + "{ 1, 2, 3 }\r\n"), LoadResult::Loaded);
    EXPECT_TRUE(same_image(s.param_image, neutral));
}

// A file far larger than memory allows is read a line at a time: under a
// 64 MB limit a 512 MB file is refused or loaded, never ends the program.
TEST_F(ParamFileTest, HugeFilesLoadInBoundedMemory) {
#ifdef TUNER_SANITIZED
    GTEST_SKIP() << "the sanitizer's own memory use hides the limit";
#endif
    constexpr auto kHuge = std::uintmax_t{512} << 20;
    const std::string zeros = write("zeros.ktv", ""), after_body = write("after.ktv", neutral_text);
    fs::resize_file(zeros, kHuge);  // sparse: one line of zero bytes
    fs::resize_file(after_body, kHuge);
    const auto load_limited = [&](const std::string& path) {
        limit_memory_growth(64 << 20);
        std::exit(static_cast<int>(load_param_file(s, ui, path, LoadKind::User)));
    };
    EXPECT_EXIT(load_limited(zeros), ::testing::ExitedWithCode(static_cast<int>(LoadResult::Invalid)), "");
    EXPECT_EXIT(load_limited(after_body), ::testing::ExitedWithCode(static_cast<int>(LoadResult::Loaded)), "");
}

namespace {
const std::string kBom = "\xEF\xBB\xBF";
const std::string kBad = "\xEF\xBF\xBD";  // U+FFFD
const std::string kLanguageKey = "Veltrana_m202301/eeprom/Language";
}  // namespace

// Decoding stops at a zero and replaces bad bytes; lines are cut at whole characters.
TEST(Utf8, TextAndTextFiles) {
    EXPECT_EQ(utf8_decode(utf8_encode("蓝牙音箱")), "蓝牙音箱");
    const uint8_t bad[] = {0x41, 0xC3, 0x28, 0xFF, 0xE4, 0xBD, 0, 0x61};
    EXPECT_EQ(utf8_decode(bad), "A" + kBad + "(" + kBad + kBad + kBad) << "up to the first zero";
    EXPECT_EQ(utf8_sanitize("\xED\xA0\x80"), kBad + kBad + kBad) << "surrogates are not UTF-8";
    EXPECT_EQ(utf8_sanitize("\xE0\x82\x80"), kBad + kBad + kBad) << "an overlong form is not UTF-8";
    TempDir dir("utf8");
    const auto path = dir.file("name.txt");
    EXPECT_EQ(utf8_file_write(path, "Bt_Audio"), TextFileError::NotFound) << "no such file";
    std::ofstream(path).close();
    ASSERT_EQ(utf8_file_write(path, "Bt_Audio"), TextFileError::None);
    EXPECT_EQ(slurp(path), kBom + "Bt_Audio\r\n");

    std::ofstream(path, std::ios::binary) << kBom << "abcdef\r\n卡拉OK\r"
                                          << "\nthird\rfourth\n\nsixth";
    EXPECT_THAT(utf8_file_read_lines(path, 4, 64), ElementsAre("abcdef", "卡拉OK", "third", "fourth"));
    EXPECT_THAT(utf8_file_read_lines(path, 9, 64), ElementsAre("abcdef", "卡拉OK", "third", "fourth", "", "sixth"))
        << "a last line without a line end";
    EXPECT_THAT(utf8_file_read_lines(path, 2, 4), ElementsAre("abcd", "卡"));
    EXPECT_EQ(utf8_file_read_line(path, 7), "") << "past the last line";
    EXPECT_EQ(utf8_first_chars("卡拉OK", 3), "卡拉O");

    std::ofstream(path, std::ios::binary) << "1\n" << std::string(200000, 'T') << "\nlast\n";
    TextFileError err = TextFileError::NotFound;
    EXPECT_THAT(utf8_file_read_lines(path, 3, 1020, &err), ElementsAre("1", std::string(1020, 'T'), "last"));
    EXPECT_EQ(err, TextFileError::None);
    EXPECT_EQ(utf8_file_read_line(path, 2).size(), kTextLineMaxBytes) << "one whole line, at its limit";
    EXPECT_EQ(utf8_file_read_line(dir.file("missing.txt"), 1, &err), "");
    EXPECT_EQ(err, TextFileError::NotFound);
    EXPECT_EQ(utf8_file_read_line("/proc/self/mem", 1, &err), "") << "a read that fails part way";
    EXPECT_EQ(err, TextFileError::ReadFailed);
}

// Failed writes leave no temporary; links are followed; read-only files are refused.
TEST(AtomicFile, FailuresLinksAndReadOnlyFiles) {
    TempDir dir("atomic");
    fs::create_directories(dir.path / "real");
    const auto target = dir.path / "real" / "t.txt";
    std::ofstream(target) << "old";
    std::string error;
    EXPECT_FALSE(write_file_atomically((target / "x").string(), "new", &error));
    EXPECT_NE(error, "");
    fs::create_symlink(fs::path("real") / "t.txt", dir.path / "link.txt");
    EXPECT_EQ(utf8_file_write(dir.file("link.txt"), "Bt"), TextFileError::None);
    EXPECT_TRUE(fs::is_symlink(dir.path / "link.txt"));
    EXPECT_EQ(slurp(target), kBom + "Bt\r\n");

    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_FALSE(write_file_atomically(dir.file("link.txt"), "x", &error));
    EXPECT_NE(error.find("read-only"), std::string::npos) << error;
    EXPECT_EQ(utf8_file_write(dir.file("link.txt"), "x"), TextFileError::NotWritable);
    EXPECT_EQ(slurp(target), kBom + "Bt\r\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir.path / "real"), fs::directory_iterator()), 1)
        << "no temporary left behind";

    fs::create_symlink(fs::path("real") / "new.txt", dir.path / "dangling.txt");
    EXPECT_TRUE(write_file_atomically(dir.file("dangling.txt"), "made"));
    EXPECT_EQ(slurp(dir.path / "real" / "new.txt"), "made");
    EXPECT_TRUE(fs::is_symlink(dir.path / "dangling.txt"));
}

// Stored languages and bad values; a store that cannot be written is reported once.
TEST(Settings, LanguageValuesAndFailedWrites) {
    MemorySettings store;
    AppState s;
    RecordingWindowServices ui(s);
    const std::pair<const char*, int> stored[] = {{"abc", 0}, {"", 0},    {"-1", 0},  {"256", 0}, {"255", 255},
                                                  {"1e3", 0}, {"0x1", 0}, {" 1 ", 1}, {"2.5", 2}, {"3.5", 4}};
    for (const auto& [text, language] : stored) {
        store.values[kLanguageKey] = text;
        s.Language = 9;
        read_language_setting(s, store);
        EXPECT_EQ(s.Language, language) << text;  // fractions round half to even
    }
    EXPECT_TRUE(save_language_setting(s, store, ui));
    EXPECT_EQ(store.values[kLanguageKey], "4");

    struct BrokenStore : MemorySettings {
        bool write(const std::string&, const std::string&, const std::string&, const std::string&) override {
            return false;
        }
        std::string location() const override { return "/nowhere/settings.ini"; }
    } broken;
    EXPECT_FALSE(save_language_setting(s, broken, ui));
    EXPECT_FALSE(save_bt_name_setting(s, broken, ui));
    EXPECT_EQ(ui.debug_lines, std::vector<std::string>{"Settings not saved: cannot write /nowhere/settings.ini"});
    EXPECT_TRUE(save_language_setting(s, store, ui));
    EXPECT_EQ(ui.messages.size(), 1u) << "messages";
}

// A pump woken by an event after 30 ms.
struct FakeEvents : Clock, EventPump {
    int32_t now_ms() override { return static_cast<int32_t>(static_cast<uint32_t>(t)); }
    void process_events() override { ADD_FAILURE() << "the wait spins"; }
    void wait_for_events(int32_t max_ms) override {
        offered.push_back(max_ms);
        t += 30;
    }
    int64_t t = 0;
    std::vector<int32_t> offered;
};

// The wait hands the pump the time left, also across the counter wrap.
TEST(DelayMs, PumpsUntilTheTimeIsUpAcrossTheCounterWrap) {
    FakeEvents e;
    delay_ms(0, e, e);
    EXPECT_THAT(e.offered, IsEmpty());
    delay_ms(100, e, e);
    EXPECT_THAT(e.offered, ElementsAre(100, 70, 40, 10));
    EXPECT_EQ(e.t, 120);
    e.t = 0x7FFFFFFFLL - 30;
    delay_ms(100, e, e);
    EXPECT_GE(e.t - (0x7FFFFFFFLL - 30), 100) << "the wait after the wrap";
}
