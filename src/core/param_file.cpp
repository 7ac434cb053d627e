#include "core/param_file.h"

#include <algorithm>

#include "core/app_paths.h"
#include "core/atomic_file.h"
#include "core/default_image.h"
#include "core/line_reader.h"
#include "core/send_requests.h"

namespace tuner {

std::string param_file_text(const ParamImage& image) {
    std::string out;
    out.reserve(14000);
    out += "unsigned char const file_power_on_init_tab[ 3084]=\r\n{\r\n";
    for (std::size_t i = 0; i < kImageSize; i += 10) {
        out += "        ";
        for (std::size_t k = i; k < std::min(i + 10, kImageSize); ++k) {
            out += ' ';
            out += std::to_string(image[k]);
            out += ',';
        }
        out += "\r\n";
    }
    out += "};\r\n   \r\n";
    return out;
}

void ktv_token_parse(KtvParseState& st, char c) {
    if (c == ' ') return;
    if (c >= '0' && c <= '9') {
        // Leading zeros carry no value; long tokens saturate below.
        if (st.token == "0") {
            st.token.assign(1, c);
        } else {
            st.token += c;
        }
        return;
    }
    if (c != ',' && c != '}') return;  // every other character is ignored
    if (c == '}') st.body_ended = 1;
    if (st.token.empty()) return;
    unsigned value = 0;
    if (st.token.size() > 3) {
        value = 256;  // more than three significant digits: above a byte
    } else {
        value = static_cast<unsigned>(std::stoul(st.token));
    }
    st.token.clear();
    if (value > 255) {
        ++st.values_above_255;
        value = 255;
    }
    if (st.value_count < 0 || static_cast<std::size_t>(st.value_count) >= kParseBufferSize) {
        st.overflow = true;
        return;
    }
    st.parse_buffer[static_cast<std::size_t>(st.value_count)] = static_cast<uint8_t>(value);
    ++st.value_count;
}

void ktv_line_parse(KtvParseState& st, std::string_view line) {
    if (line.empty() || st.overflow) return;
    if (!st.body_started) {
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == '/' && i + 1 < line.size() && line[i + 1] == '/') return;
            if (line[i] == '{') {
                // Whatever follows "{" on its own line is not read.
                st.body_started = 1;
                st.body_ended = 0;
                st.value_count = 0;
                st.token.clear();
                return;
            }
        }
        return;
    }
    if (st.body_ended) return;
    for (std::size_t i = 0; i < line.size() && !st.overflow; ++i) {
        if (line[i] == '/' && i + 1 < line.size() && line[i + 1] == '/') return;
        ktv_token_parse(st, line[i]);
    }
}

namespace {

// Hands lines to the reader until nothing more can be used: after the body's
// end, or once the values overflow the buffer.
LineFn ktv_lines(KtvParseState& st) {
    return [&st](std::string_view line, bool) {
        ktv_line_parse(st, line);
        return !st.overflow && !st.body_ended;
    };
}

}  // namespace

KtvParseState ktv_parse_text(std::string_view text) {
    KtvParseState st;
    LineSplitter lines(kKtvMaxLine, LongLine::Stop);
    const LineFn on_line = ktv_lines(st);
    if (lines.feed(text, on_line)) lines.finish(on_line);
    st.line_too_long = lines.too_long();
    return st;
}

namespace {

bool frame_header_ok(const FrameImage& f, uint8_t command) {
    bool ok = true;
    if (f[hid_frame::command] != command) ok = false;
    if (f[hid_frame::start_code] != hid_frame::start_code_bytes[0]) ok = false;
    if (f[hid_frame::start_code + 1] != hid_frame::start_code_bytes[1]) ok = false;
    if (f[hid_frame::hid_byte_cmd_inc_cou_1] != f[hid_frame::hid_byte_cmd_inc_cou_2]) ok = false;
    return ok;
}

void full_redraw(AppState& s, WindowServices& ui) {
    s.refresh_incremental = 0;
    ui.set_all_dis();
}

// Takes a checked image as the live one (and, at start-up, as the copy EQ
// reset restores), unmuted and clamped.
void take_loaded_image(AppState& s, WindowServices& ui, const ParamImage& image, LoadKind kind) {
    s.param_image = image;
    if (kind == LoadKind::Startup) s.param_image_default = image;
    s.param_image.gen[gen_frame::master_mute] = 0;  // a loaded file never starts muted
    param_range_check(s.param_image);
    if (!cpu_connected(s)) {
        s.cpu_state.cpu_music_input = s.param_image.gen[gen_frame::music_input_sel];
        ui.set_all_dis();
    }
    if (kind == LoadKind::User) send_req_set_all(s, ui);
    full_redraw(s, ui);
}

}  // namespace

bool param_image_valid(const ParamImage& image, bool* eff_end_bad) {
    bool ok = frame_header_ok(image.eq[0], cmd::eq) && image.eq[0][hid_frame::end] == hid_frame::end_byte;
    ok = frame_header_ok(image.gen, cmd::gen) && image.gen[hid_frame::end] == hid_frame::end_byte && ok;
    const bool eff_end = image.eff[hid_frame::end] == hid_frame::end_byte;
    ok = frame_header_ok(image.eff, cmd::effect) && eff_end && ok;
    if (eff_end_bad) *eff_end_bad = !eff_end;
    return ok;
}

namespace {

LoadResult load_parsed(AppState& s, WindowServices& ui, const KtvParseState& st, LoadKind kind) {
    s.refresh_incremental = 0;
    if (st.values_above_255 > 0) ui.message_box(kMsgValueAbove255, "", MessageIcon::None);
    if (st.overflow) {
        ui.debug_line("Too many values in the parameter file");
        ui.message_box(english(s) ? "The file holds more values than a parameter file can; nothing was loaded."
                                  : "文件中的数值过多，未载入任何数据。",
                       "", MessageIcon::Exclamation);
        full_redraw(s, ui);
        return LoadResult::TooManyValues;
    }

    std::copy_n(st.parse_buffer.begin(), kImageSize, s.temp_pc.data());
    bool eff_end_bad = false;
    const bool valid = !st.line_too_long && param_image_valid(s.temp_pc, &eff_end_bad);
    if (eff_end_bad) ui.debug_line(kDebugEffEndBad);
    if (!valid) {
        ui.message_box(english(s) ? "The file is not a valid parameter file; nothing was loaded."
                                  : "文件不是有效的参数文件，未载入任何数据。",
                       "", MessageIcon::Exclamation);
        full_redraw(s, ui);
        return LoadResult::Invalid;
    }

    take_loaded_image(s, ui, s.temp_pc, kind);
    return LoadResult::Loaded;
}

}  // namespace

LoadResult load_param_text(AppState& s, WindowServices& ui, std::string_view text, LoadKind kind) {
    return load_parsed(s, ui, ktv_parse_text(text), kind);
}

LoadResult load_param_file(AppState& s, WindowServices& ui, const std::string& path, LoadKind kind) {
    // Read a line at a time: a file of any size needs no more memory than
    // one line, and reading ends with the body.
    KtvParseState st;
    const LineReadResult r = read_file_lines(path, kKtvMaxLine, LongLine::Stop, ktv_lines(st));
    if (r == LineReadResult::NotFound) {
        ui.message_box(kMsgFileNotFound, kMsgFileNotFoundTitle, MessageIcon::Exclamation);
        return LoadResult::NotFound;
    }
    if (r == LineReadResult::ReadFailed) {
        ui.debug_line("Cannot read " + path);
        ui.message_box(
            english(s) ? "The file could not be read; nothing was loaded." : "文件无法读取，未载入任何数据。", "",
            MessageIcon::Exclamation);
        full_redraw(s, ui);
        return LoadResult::ReadFailed;
    }
    st.line_too_long = r == LineReadResult::LineTooLong;
    return load_parsed(s, ui, st, kind);
}

LoadResult open_file_to_all_data(AppState& s, WindowServices& ui, FileDialogs& dialogs, LoadKind kind) {
    if (kind == LoadKind::Startup) {
        // Without a usable start-up file the window starts from the neutral
        // image the build writes as that file, so every control has a value
        // it can show and a saved file loads back. It stands already while a
        // refused file's message is shown.
        const ParamImage neutral = neutral_param_image();
        s.param_image = neutral;
        const LoadResult r = load_param_file(s, ui, app_file(kStartupFileName), LoadKind::Startup);
        if (r != LoadResult::Loaded) take_loaded_image(s, ui, neutral, LoadKind::Startup);
        return r;
    }
    const auto path = dialogs.run_open(param_file_dialog_request());
    if (!path || path->empty()) return LoadResult::Cancelled;
    return load_param_file(s, ui, *path, LoadKind::User);
}

SaveResult save_param_file(AppState& s, const std::string& path, std::string* error) {
    param_range_check(s.param_image);
    // The file records the input the unit reported, not a pending request.
    ParamImage copy = s.param_image;
    copy.gen[gen_frame::music_input_sel] = s.cpu_state.cpu_music_input;
    return write_file_atomically(path, param_file_text(copy), error) ? SaveResult::Saved : SaveResult::Failed;
}

SaveResult save_all_data_to_file(AppState& s, WindowServices& ui, FileDialogs& dialogs) {
    const auto path = dialogs.run_save(param_file_dialog_request());
    if (!path || path->empty()) return SaveResult::Cancelled;
    std::string error;
    const SaveResult r = save_param_file(s, *path, &error);
    if (r == SaveResult::Failed) {
        ui.debug_line("Save failed: " + *path + ": " + error);
        ui.message_box((english(s) ? "The parameter file could not be saved: " : "参数文件保存失败：") + error, "",
                       MessageIcon::Exclamation);
    }
    return r;
}

}  // namespace tuner
