// Parameter files: the whole 3084-byte image as a C table,
//   unsigned char const file_power_on_init_tab[ 3084]=
//   {
//           1, 2, 3, ... (ten values a line)
//   };
// The writer produces exactly that (CR LF line ends); the reader is
// tolerant (comments, any line ends, stray characters) and the loader
// validates the headers of the first EQ, general and effect frames before
// the file replaces the live image.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "core/app_state.h"
#include "core/file_dialogs.h"
#include "core/window_services.h"

namespace tuner {

constexpr std::size_t kParseBufferSize = 4096;
// A longer line ends the load: no parameter file has one.
constexpr std::size_t kKtvMaxLine = 32767;

// The file text of an image, byte for byte.
std::string param_file_text(const ParamImage& image);

// Reader state for one load. Every load starts from a fresh state, so a
// short or foreign file is never checked against an earlier file's bytes.
struct KtvParseState {
    uint8_t body_started = 0;
    uint8_t body_ended = 0;
    int16_t value_count = 0;
    std::string token;
    std::array<uint8_t, kParseBufferSize> parse_buffer{};
    bool overflow = false;       // more values than the buffer holds
    int values_above_255 = 0;    // each stored as 255
    bool line_too_long = false;  // a line above kKtvMaxLine ended the reading
};

// One text line (without its line end).
void ktv_line_parse(KtvParseState& st, std::string_view line);
// One character of the body.
void ktv_token_parse(KtvParseState& st, char c);

// Parses a whole file text; lines may end in CR LF, LF or a lone CR. Reading
// ends after the body, at an overflow, or at a line above kKtvMaxLine.
KtvParseState ktv_parse_text(std::string_view text);

// Header checks of the first EQ frame, the general and the effect frame.
// Returns true when the image passes; `eff_end_bad` reports the one check
// that leaves a debug line.
bool param_image_valid(const ParamImage& image, bool* eff_end_bad = nullptr);

enum class LoadKind { Startup, User };

enum class LoadResult {
    Loaded,
    Cancelled,
    NotFound,
    ReadFailed,
    TooManyValues,
    Invalid,
};

// Loads a parameter file from `path` into the state: parse into temp_pc,
// validate, and on success replace param_image (and, at start-up,
// param_image_default), unmute, clamp, and for a user load mark the whole
// image to be sent. Failures leave the live image as it was and say so.
LoadResult load_param_file(AppState& s, WindowServices& ui, const std::string& path, LoadKind kind);

// The same for a file's text already read.
LoadResult load_param_text(AppState& s, WindowServices& ui, std::string_view text, LoadKind kind);

// The file menu's open command (User: asks with the open dialog), or the
// start-up load of the file beside the program (Startup; when that file is
// missing or refused, after its message, the neutral image is taken instead).
LoadResult open_file_to_all_data(AppState& s, WindowServices& ui, FileDialogs& dialogs, LoadKind kind);

enum class SaveResult { Saved, Cancelled, Failed };

// Writes the clamped live image to `path`, recording the music input the
// unit reported. The old file is replaced only once the new one is whole.
SaveResult save_param_file(AppState& s, const std::string& path, std::string* error = nullptr);

// The file menu's save command: asks for a name, saves, and reports a failure.
SaveResult save_all_data_to_file(AppState& s, WindowServices& ui, FileDialogs& dialogs);

// Messages of the file commands.
constexpr const char* kMsgFileNotFound = " File not found. Try again.";
constexpr const char* kMsgFileNotFoundTitle = " Error";
constexpr const char* kMsgValueAbove255 = "读出的值大于255";
constexpr const char* kDebugEffEndBad = "If (temp_pc.eff.end <> &HFF) Then data_error = 1";

}  // namespace tuner
