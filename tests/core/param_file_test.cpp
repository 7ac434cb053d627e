#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

#include "core/app_paths.h"
#include "core/default_image.h"
#include "core/param_file.h"
#include "core/send_requests.h"
#include "image_match.h"
#include "support/link_harness.h"
#include "temp_files.h"

using namespace tuner;
using namespace tuner::testing;
using ::testing::ElementsAre;
using ::testing::EndsWith;
using ::testing::IsEmpty;
using ::testing::StartsWith;
namespace fs = std::filesystem;

namespace {

struct FakeDialogs : FileDialogs {
    std::optional<std::string> answer;
    FileDialogRequest last;
    std::optional<std::string> show_open(const FileDialogRequest& r) override { return last = r, answer; }
    std::optional<std::string> show_save(const FileDialogRequest& r) override { return show_open(r); }
};

class ParamFileTest : public ::testing::Test {
protected:
    void SetUp() override { set_app_dir(dir.path.string()); }
    std::string write(const std::string& name, const std::string& text) {
        std::ofstream(dir.path / name, std::ios::binary) << text;
        return dir.file(name);
    }

    TempDir dir{std::string("pf_") + ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    AppState s;
    RecordingWindowServices ui{s};
    FakeDialogs dialogs;
    const ParamImage neutral = neutral_param_image();
};

std::string body(const std::vector<int>& values) {
    std::string t = "unsigned char const file_power_on_init_tab[ 3084]=\r\n{\r\n";
    for (int v : values) t += " " + std::to_string(v) + ",";
    return t + "\r\n};\r\n";
}

}  // namespace

// The saved file has the exact format; loading it back gives the clamped image.
TEST_F(ParamFileTest, SaveThenLoadRoundTripsTheClampedImage) {
    const std::string text = param_file_text(neutral);
    EXPECT_THAT(text, StartsWith("unsigned char const file_power_on_init_tab[ 3084]=\r\n{\r\n"
                                 "         0, 165, 90, 1, 251, 0, 6, 1, 0, 0,\r\n"));
    EXPECT_THAT(text, EndsWith("\r\n         0, 0, 0, 255,\r\n};\r\n   \r\n"));  // the last line: bytes 3080..3083
    EXPECT_EQ(std::count(text.begin(), text.end(), '\n'), 313);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\r'), 313) << "every line ends in CR LF";

    ParamImage img = neutral;
    img.gen[gen_frame::master_mute] = 1;
    img.gen[gen_frame::music_input_sel] = 255;
    img.eq[5][eq_frame::eq_db + 3] = 170;
    s.param_image = img;
    s.cpu_state.cpu_music_input = 9;
    const std::string path = dir.file("a.ktv");
    ASSERT_EQ(save_param_file(s, path), SaveResult::Saved);
    EXPECT_EQ(s.param_image.gen[gen_frame::music_input_sel], 255) << "the live request is kept";

    AppState fresh;
    RecordingWindowServices ui2(fresh);
    ASSERT_EQ(load_param_file(fresh, ui2, path, LoadKind::User), LoadResult::Loaded);
    ParamImage expected = img;
    expected.gen[gen_frame::music_input_sel] = 9;
    expected.gen[gen_frame::master_mute] = 0;
    param_range_check(expected);
    EXPECT_TRUE(same_image(fresh.param_image, expected));
    EXPECT_EQ(fresh.cpu_state.cpu_music_input, 9) << "offline load lights the recorded input";
    EXPECT_GE(ui2.full_redraws, 1);
    EXPECT_THAT(ui2.messages, IsEmpty());
}

// While connected: a user load sends everything and keeps the default copy; a missing start-up file is reported and
// the neutral image taken instead; once there, the file fills the default copy and sends nothing.
TEST_F(ParamFileTest, LoadsWhileConnected) {
    s.cpu_connect_state = 1;
    s.cpu_state.cpu_music_input = 3;
    ASSERT_EQ(load_param_file(s, ui, write("b.ktv", param_file_text(neutral)), LoadKind::User), LoadResult::Loaded);
    EXPECT_EQ(s.cpu_state.cpu_music_input, 3) << "a connected unit keeps reporting its own input";
    EXPECT_EQ(ui.count("display_wait_1s"), 1);
    for (std::size_t ch = 0; ch < kEqChannels; ++ch) EXPECT_EQ(s.send_eq_req[ch], kPending) << "EQ channel " << ch;
    EXPECT_EQ(s.send_gen_req, kPending);
    EXPECT_EQ(s.send_effect_req, kPending);
    EXPECT_EQ(s.send_input_req, kPending);
    EXPECT_TRUE(same_image(s.param_image_default, ParamImage{})) << "only the start-up load sets the default copy";

    send_req_clear_all(s), ui.calls.clear();
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::Startup), LoadResult::NotFound);
    EXPECT_THAT(ui.messages, ElementsAre(" File not found. Try again."));
    EXPECT_TRUE(same_image(s.param_image_default, neutral)) << "without the file";
    ParamImage file = neutral;
    file.gen[gen_frame::music_vol] = 3;
    write(kStartupFileName, param_file_text(file));
    ASSERT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::Startup), LoadResult::Loaded);
    EXPECT_TRUE(same_image(s.param_image_default, file));
    EXPECT_EQ(s.send_gen_req, kClear);
    EXPECT_EQ(ui.count("display_wait_1s"), 0);
}

// Files that are refused leave the live image as it was: a wrong end byte (the debug line says which check failed),
// foreign text, the first 257 values of a valid file (not completed by the bytes of the load before), too many values.
TEST_F(ParamFileTest, RefusedFilesLeaveTheLiveImage) {
    const std::string text = param_file_text(neutral);
    ASSERT_EQ(load_param_file(s, ui, write("good.ktv", text), LoadKind::User), LoadResult::Loaded);
    ParamImage bad_end = neutral;
    bad_end.eff[hid_frame::end] = 0;
    const std::string short_text = text.substr(0, text.find("\r\n", text.find("{") + 2 + 26 * 60)) + "\r\n};\r\n";
    EXPECT_EQ(load_param_file(s, ui, write("end.ktv", param_file_text(bad_end)), LoadKind::User), LoadResult::Invalid);
    EXPECT_EQ(ui.debug_lines.back(), "If (temp_pc.eff.end <> &HFF) Then data_error = 1");
    for (const std::string& content : {std::string(), std::string("hello world\n"), std::string("{ 1, 2, 3 }"),
                                       std::string("\x00\xff\xfe binary", 10), short_text}) {
        SCOPED_TRACE(content.substr(0, 20));
        EXPECT_EQ(load_param_file(s, ui, write("refused.ktv", content), LoadKind::User), LoadResult::Invalid);
        EXPECT_TRUE(same_image(s.param_image, neutral));
    }
    // A read that fails part way (an input/output error: a regular file that refuses reads even to root) is
    // reported, not thrown.
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

// Values on the "{" line are lost; "2" runs on into "0x1F" after the comment cut its line, giving 201; a second
// block is never read; values above 255 are counted and kept as 255.
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
}

// LF or CR line ends, and values after the image, still load; values above 255 load with one warning.
TEST_F(ParamFileTest, LineEndsOfAnyKindExtraValuesAndValuesAbove255) {
    const std::string crlf = param_file_text(neutral);
    std::string lf, cr, extra = crlf;
    for (char c : crlf)
        if (c != '\r') lf += c, cr += c == '\n' ? '\r' : c;
    extra.insert(extra.find("};"), " 1, 2, 3,\r\n");
    const std::pair<const char*, std::string> texts[] = {{"LF", lf}, {"CR", cr}, {"values after the image", extra}};
    for (const auto& [kind, text] : texts) {
        s.param_image = ParamImage{};
        EXPECT_EQ(load_param_file(s, ui, write("le.ktv", text), LoadKind::User), LoadResult::Loaded) << kind;
        EXPECT_TRUE(same_image(s.param_image, neutral)) << kind;
    }
    EXPECT_THAT(ui.messages, IsEmpty());
    load_param_file(s, ui, write("big.ktv", body(std::vector<int>(3084, 300))), LoadKind::User);
    EXPECT_EQ(std::count(ui.messages.begin(), ui.messages.end(), std::string("读出的值大于255")), 1);
}

// A save that cannot be written (a folder that is a file, a read-only file) keeps the old file and tells the user
// (links and temporaries: the atomic writer's tests).
TEST_F(ParamFileTest, FailedSaveKeepsTheOldFile) {
    s.param_image = neutral;
    const std::string path = write("keep.ktv", "old content");
    fs::permissions(path, fs::perms::owner_read | fs::perms::group_read);
    for (const std::string& answer : {path + "/inner.ktv", path}) {
        dialogs.answer = answer;
        EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Failed) << answer;
        EXPECT_EQ(slurp(path), "old content");
    }
    EXPECT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(dialogs.last.init_dir, path_join(dir.path.string(), "AudioParmFile"));
}

// One dialog name for all file dialogs: the open dialog starts from the last chosen file, every save dialog starts
// empty, and a cancel (or an empty answer) keeps the name and changes nothing.
TEST_F(ParamFileTest, DialogsStartFromTheLastChosenFileAndCancelsChangeNothing) {
    s.param_image = neutral;
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Cancelled);
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::User), LoadResult::Cancelled);
    const std::string saved = dir.file("saved.ktv");
    dialogs.answer = saved;
    ASSERT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Saved);
    for (const auto& answer : {std::optional<std::string>(), std::optional<std::string>("")}) {
        dialogs.answer = answer;
        EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::User), LoadResult::Cancelled);
        EXPECT_EQ(dialogs.last.file_name, saved);
    }
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_TRUE(same_image(s.param_image, neutral));
    dialogs.answer = saved;
    EXPECT_EQ(open_file_to_all_data(s, ui, dialogs, LoadKind::User), LoadResult::Loaded);
    EXPECT_EQ(save_all_data_to_file(s, ui, dialogs), SaveResult::Saved);
    EXPECT_EQ(dialogs.last.file_name, "") << "the save dialog starts empty";
    EXPECT_EQ(save_txt_file_dialog(dialogs), saved);
    EXPECT_EQ(dialogs.last.file_name, "") << "the text save dialog starts empty";
}
