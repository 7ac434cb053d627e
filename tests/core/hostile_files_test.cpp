// Paths and files a user can pick that the system treats specially: names too
// long for it, pipes and devices, files far larger than a parameter file.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

#include <gmock/gmock.h>

#include <fstream>

#include "core/utf8.h"
#include "image_match.h"
#include "param_file_fixture.h"

using namespace tuner;
using namespace tuner::testing;
using ::testing::HasSubstr;
namespace fs = std::filesystem;

#if defined(__SANITIZE_ADDRESS__)
#define TUNER_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define TUNER_ASAN 1
#endif
#endif

namespace {

// The file's type as `ls -l` shows it.
char file_type(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0) return '?';
    return S_ISFIFO(st.st_mode) ? 'p' : S_ISCHR(st.st_mode) ? 'c' : S_ISREG(st.st_mode) ? '-' : 'o';
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
    EXPECT_EQ(file_type(fifo), 'p') << "the pipe stays a pipe";
    if (have_device) EXPECT_EQ(file_type(device), 'c') << "the device node stays";
    EXPECT_EQ(file_type(dir.file("to_pipe.ktv")), 'o') << "the link stays";
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
#ifdef TUNER_ASAN
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
