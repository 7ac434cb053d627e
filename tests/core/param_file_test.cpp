#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "core/app_paths.h"
#include "core/default_image.h"
#include "core/param_file.h"

using namespace tuner;
namespace fs = std::filesystem;

namespace {

struct Recorder : NullWindowServices {
    std::vector<std::string> lines;
    std::vector<std::string> messages;
    int redraws = 0;
    int full_redraws = 0;
    int waits = 0;
    AppState* state = nullptr;
    void set_all_dis() override {
        ++redraws;
        if (state && state->refresh_incremental == 0) ++full_redraws;
        if (state) state->refresh_incremental = 1;
    }
    void debug_line(const std::string& l) override { lines.push_back(l); }
    void message_box(const std::string& t, const std::string&, MessageIcon) override { messages.push_back(t); }
    void display_wait_1s() override { ++waits; }
};

struct FakeDialogs : FileDialogs {
    std::optional<std::string> answer;
    FileDialogRequest last;
    std::optional<std::string> show_open(const FileDialogRequest& r) override {
        last = r;
        return answer;
    }
    std::optional<std::string> show_save(const FileDialogRequest& r) override {
        last = r;
        return answer;
    }
};

class ParamFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        dir = fs::temp_directory_path() /
              ("tuner_pf_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "_" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        set_app_dir(dir.string());
        ui.state = &s;
    }
    void TearDown() override { fs::remove_all(dir); }

    std::string write(const std::string& name, const std::string& text) {
        const auto p = dir / name;
        std::ofstream(p, std::ios::binary) << text;
        return p.string();
    }
    static std::string read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }

    fs::path dir;
    AppState s;
    Recorder ui;
    FakeDialogs dialogs;
};

std::string body(const std::vector<int>& values) {
    std::string t = "unsigned char const file_power_on_init_tab[ 3084]=\r\n{\r\n";
    for (int v : values) t += " " + std::to_string(v) + ",";
    return t + "\r\n};\r\n";
}

}  // namespace

TEST_F(ParamFileTest, WriterProducesTheExactFormat) {
    const std::string text = param_file_text(neutral_param_image());
    std::vector<std::string> lines;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const auto e = text.find("\r\n", pos);
        ASSERT_NE(e, std::string::npos) << "every line ends in CR LF";
        lines.push_back(text.substr(pos, e - pos));
        pos = e + 2;
    }
    ASSERT_EQ(lines.size(), 313u);
    EXPECT_EQ(lines[0], "unsigned char const file_power_on_init_tab[ 3084]=");
    EXPECT_EQ(lines[1], "{");
    EXPECT_EQ(lines[2], "         0, 165, 90, 1, 251, 0, 6, 1, 0, 0,");
    EXPECT_EQ(lines[310], "         0, 0, 0, 255,") << "the last line holds bytes 3080..3083";
    EXPECT_EQ(lines[311], "};");
    EXPECT_EQ(lines[312], "   ");
}

TEST_F(ParamFileTest, SaveThenLoadRoundTripsTheClampedImage) {
    ParamImage img = neutral_param_image();
    img.gen[gen_frame::master_mute] = 1;
    img.gen[gen_frame::music_input_sel] = 255;
    img.eq[5][eq_frame::eq_db + 3] = 170;
    s.param_image = img;
    s.cpu_state.cpu_music_input = 9;
    const std::string path = (dir / "a.ktv").string();
    ASSERT_EQ(save_param_file(s, path), SaveResult::Saved);
    EXPECT_EQ(s.param_image.gen[gen_frame::music_input_sel], 255) << "the live request is kept";

    AppState fresh;
    Recorder ui2;
    ui2.state = &fresh;
    ASSERT_EQ(load_param_file(fresh, ui2, path, LoadKind::User), LoadResult::Loaded);
    ParamImage expected = img;
    expected.gen[gen_frame::music_input_sel] = 9;
    expected.gen[gen_frame::master_mute] = 0;
    param_range_check(expected);
    EXPECT_EQ(fresh.param_image, expected);
    EXPECT_EQ(fresh.cpu_state.cpu_music_input, 9) << "offline load lights the recorded input";
    EXPECT_GE(ui2.full_redraws, 1);
    EXPECT_TRUE(ui2.messages.empty());
}

TEST_F(ParamFileTest, UserLoadWhileConnectedSendsEverything) {
    const std::string path = write("b.ktv", param_file_text(neutral_param_image()));
    s.cpu_connect_state = 1;
    s.cpu_state.cpu_music_input = 3;
    ASSERT_EQ(load_param_file(s, ui, path, LoadKind::User), LoadResult::Loaded);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 3) << "a connected unit keeps reporting its own input";
    EXPECT_EQ(ui.waits, 1);
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) EXPECT_EQ(s.send_eq_req[ch], kPending);
    EXPECT_EQ(s.send_gen_req, kPending);
    EXPECT_EQ(s.send_effect_req, kPending);
    EXPECT_EQ(s.send_input_req, kPending);
    EXPECT_EQ(s.param_image_default, ParamImage{}) << "only the start-up load sets the default copy";
}

TEST_F(ParamFileTest, StartupLoadFillsTheDefaultCopyAndSendsNothing) {
    write(kStartupFileName, param_file_text(neutral_param_image()));
    s.cpu_connect_state = 1;
    ASSERT_EQ(open_file_to_all_data(s, ui, dialogs, "startup"), LoadResult::Loaded);
    EXPECT_EQ(s.param_image_default, neutral_param_image());
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(ui.waits, 0);
}

TEST_F(ParamFileTest, MissingFileSaysSoAndKeepsTheImage) {
    s.param_image = neutral_param_image();
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, "startup"), LoadResult::NotFound);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0], " File not found. Try again.");
    EXPECT_EQ(s.param_image, neutral_param_image());
}

TEST_F(ParamFileTest, InvalidFilesLeaveTheLiveImageAndSayWhy) {
    s.param_image = neutral_param_image();
    ParamImage bad = neutral_param_image();
    bad.eff[hid_frame::end] = 0;
    const std::string p1 = write("bad.ktv", param_file_text(bad));
    EXPECT_EQ(load_param_file(s, ui, p1, LoadKind::User), LoadResult::Invalid);
    EXPECT_EQ(ui.lines.back(), "If (temp_pc.eff.end <> &HFF) Then data_error = 1");
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(s.param_image, neutral_param_image());

    for (const char* text : {"", "hello world\n", "{ 1, 2, 3 }", "\x00\xff\xfe binary"}) {
        const std::string p = write("foreign.ktv", text);
        EXPECT_EQ(load_param_file(s, ui, p, LoadKind::User), LoadResult::Invalid) << text;
        EXPECT_EQ(s.param_image, neutral_param_image());
    }
}

TEST_F(ParamFileTest, ShortFileIsNotCompletedByTheFileBefore) {
    const std::string good = write("good.ktv", param_file_text(neutral_param_image()));
    ASSERT_EQ(load_param_file(s, ui, good, LoadKind::User), LoadResult::Loaded);
    // The first 257 values of a valid file: without the earlier load's
    // bytes the general and effect frames are empty and must fail.
    const std::string text = param_file_text(neutral_param_image());
    const std::string short_text = text.substr(0, text.find("\r\n", text.find("{") + 2 + 26 * 60));
    const std::string p = write("short.ktv", short_text + "\r\n};\r\n");
    AppState before = s;
    EXPECT_EQ(load_param_file(s, ui, p, LoadKind::User), LoadResult::Invalid);
    EXPECT_EQ(s.param_image, before.param_image);
}

TEST_F(ParamFileTest, TolerantReader) {
    // Comments, stray characters and values on the "{" line.
    auto st = ktv_parse_text(
        "// header { 9,\r\nx[ 3084]= { 7, 8,\r\n1, 2 // 3, 4\r\n// 12, 13,\r\n0x1F, 1.5, -5, 007,\r\n};\r\n{ 99, "
        "}\r\n");
    // "{ 7, 8," is on the brace line and lost; "2" runs on into "0x1F" after the
    // comment cut its line, giving 201; the second block is never read.
    ASSERT_EQ(st.value_count, 5);
    const uint8_t expect[] = {1, 201, 15, 5, 7};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(st.parse_buffer[i], expect[i]) << i;
}

TEST_F(ParamFileTest, ReaderSeparatorsAndNumbers) {
    auto st =
        ktv_parse_text("{\n12, 13,\n12, // 13,\n0x1F,\n1.5,\n,,\n300,\n99999999999999999999,\n00042,\n} 5,\n6,\n");
    ASSERT_EQ(st.value_count, 9);
    const uint8_t expect[] = {12, 13, 12, 1, 15, 255, 255, 42, 5};
    for (int i = 0; i < 9; ++i) EXPECT_EQ(st.parse_buffer[i], expect[i]) << i;
    EXPECT_EQ(st.values_above_255, 2);
}

TEST_F(ParamFileTest, LineEndsOfAnyKind) {
    const std::string crlf = param_file_text(neutral_param_image());
    std::string lf;
    std::string cr;
    for (std::size_t i = 0; i < crlf.size(); ++i) {
        if (crlf[i] == '\r') continue;
        lf += crlf[i];
        cr += crlf[i] == '\n' ? '\r' : crlf[i];
    }
    for (const std::string& text : {lf, cr}) {
        AppState t;
        Recorder r;
        r.state = &t;
        EXPECT_EQ(load_param_file(t, r, write("le.ktv", text), LoadKind::User), LoadResult::Loaded);
        EXPECT_EQ(t.param_image, neutral_param_image());
    }
}

TEST_F(ParamFileTest, ValuesAbove255WarnOnceAndTooManyValuesEndTheLoad) {
    std::vector<int> values(3084, 300);
    const std::string p = write("big.ktv", body(values));
    load_param_file(s, ui, p, LoadKind::User);
    EXPECT_EQ(std::count(ui.messages.begin(), ui.messages.end(), std::string("读出的值大于255")), 1);

    s.param_image = neutral_param_image();
    std::vector<int> many(5000, 1);
    EXPECT_EQ(load_param_file(s, ui, write("many.ktv", body(many)), LoadKind::User), LoadResult::TooManyValues);
    EXPECT_EQ(s.param_image, neutral_param_image());
}

TEST_F(ParamFileTest, ExtraValuesAfterTheImageAreIgnored) {
    std::string text = param_file_text(neutral_param_image());
    text.insert(text.find("};"), " 1, 2, 3,\r\n");
    EXPECT_EQ(load_param_file(s, ui, write("extra.ktv", text), LoadKind::User), LoadResult::Loaded);
}

TEST_F(ParamFileTest, FailedSaveKeepsTheOldFileAndTellsTheUser) {
    const std::string path = write("keep.ktv", "old content");
    s.param_image = neutral_param_image();
    // The target's folder is not writable: a path below a regular file.
    dialogs.answer = path + "/inner.ktv";
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Failed);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(read(path), "old content");
    EXPECT_EQ(dialogs.last.filter, "AudioParmFile (*.ktv)|*.ktv");
    EXPECT_EQ(dialogs.last.init_dir, path_join(dir.string(), "AudioParmFile"));

    dialogs.answer = path;
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Saved);
    EXPECT_EQ(read(path), param_file_text(s.param_image));
}

TEST_F(ParamFileTest, CancelledDialogsChangeNothing) {
    s.param_image = neutral_param_image();
    dialogs.answer.reset();
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Cancelled);
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, ""), LoadResult::Cancelled);
    dialogs.answer = "";
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, ""), LoadResult::Cancelled);
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(s.param_image, neutral_param_image());
}

// One dialog name for all file dialogs: the open dialog starts from the last
// chosen file, the save dialog starts empty, and a cancel keeps the name.
TEST_F(ParamFileTest, OpenDialogStartsFromTheLastChosenFile) {
    s.param_image = neutral_param_image();
    const std::string saved = (dir / "saved.ktv").string();
    dialogs.answer = saved;
    ASSERT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Saved);
    EXPECT_EQ(dialogs.last.file_name, "");
    dialogs.answer.reset();
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, ""), LoadResult::Cancelled);
    EXPECT_EQ(dialogs.last.file_name, saved);
    dialogs.answer = saved;
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, ""), LoadResult::Loaded);
    EXPECT_EQ(dialogs.last.file_name, saved);
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, ""), LoadResult::Loaded);
    EXPECT_EQ(dialogs.last.file_name, saved);
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Saved);
    EXPECT_EQ(dialogs.last.file_name, "") << "cleared before every save dialog";
    EXPECT_EQ(save_txt_file_dialog(dialogs), saved);
    EXPECT_EQ(dialogs.last.file_name, "");
}

// Saving over a link replaces the file it names; a read-only file is refused
// with a message and keeps its content.
TEST_F(ParamFileTest, SaveWritesThroughLinksAndRefusesReadOnlyFiles) {
    s.param_image = neutral_param_image();
    const std::string real = write("real.ktv", "old");
    fs::create_symlink(real, dir / "link.ktv");
    dialogs.answer = (dir / "link.ktv").string();
    ASSERT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Saved);
    EXPECT_TRUE(fs::is_symlink(dir / "link.ktv"));
    EXPECT_EQ(read(real), param_file_text(s.param_image));

    const std::string locked = write("locked.ktv", "keep me");
    fs::permissions(locked, fs::perms::owner_read | fs::perms::group_read);
    dialogs.answer = locked;
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Failed);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(read(locked), "keep me");
    fs::permissions(locked, fs::perms::owner_all);
}
