#include "core/line_reader.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>

namespace tuner {

namespace {
constexpr std::string_view kBom = "\xEF\xBB\xBF";
constexpr std::size_t kChunk = 64 * 1024;
}  // namespace

LineSplitter::LineSplitter(std::size_t max_line, LongLine long_line) : max_line_(max_line), long_line_(long_line) {}

bool LineSplitter::add(std::string_view part) {
    if (part.empty()) return true;
    in_line_ = true;
    const std::size_t room = max_line_ - std::min(max_line_, line_.size());
    if (part.size() <= room) {
        line_.append(part);
        return true;
    }
    line_.append(part.substr(0, room));
    if (long_line_ == LongLine::Stop) {
        too_long_ = stopped_ = true;
        return false;
    }
    cut_ = true;
    return true;
}

bool LineSplitter::end_line(const LineFn& on_line) {
    const bool go_on = on_line(line_, cut_);
    line_.clear();
    in_line_ = cut_ = false;
    if (!go_on) stopped_ = true;
    return go_on;
}

bool LineSplitter::feed(std::string_view bytes, const LineFn& on_line) {
    if (stopped_) return false;
    // A byte-order mark may arrive split over several calls.
    while (at_start_ && !bytes.empty()) {
        if (bytes.front() != kBom[bom_seen_]) {
            at_start_ = false;
            if (bom_seen_ > 0 && !add(kBom.substr(0, bom_seen_))) return false;
            break;
        }
        bytes.remove_prefix(1);
        if (++bom_seen_ == kBom.size()) at_start_ = false;
    }
    while (!bytes.empty()) {
        if (after_cr_) {
            after_cr_ = false;
            if (bytes.front() == '\n') {  // the LF of a CR LF
                bytes.remove_prefix(1);
                continue;
            }
        }
        std::size_t end = 0;
        while (end < bytes.size() && bytes[end] != '\n' && bytes[end] != '\r') ++end;
        if (end == bytes.size()) return add(bytes);
        after_cr_ = bytes[end] == '\r';
        bool go_on = true;
        if (!in_line_ && end <= max_line_) {
            // A whole line inside these bytes goes out without a copy.
            go_on = on_line(bytes.substr(0, end), false);
            stopped_ = !go_on;
        } else {
            go_on = add(bytes.substr(0, end)) && end_line(on_line);
        }
        if (!go_on) return false;
        bytes.remove_prefix(end + 1);
    }
    return true;
}

bool LineSplitter::finish(const LineFn& on_line) {
    if (stopped_) return false;
    if (at_start_ && bom_seen_ > 0 && !add(kBom.substr(0, bom_seen_))) return false;
    at_start_ = false;
    if (in_line_) return end_line(on_line);
    return true;
}

LineReadResult read_file_lines(const std::string& path, std::size_t max_line, LongLine long_line,
                               const LineFn& on_line) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return LineReadResult::NotFound;
    std::ifstream in(path, std::ios::binary);
    if (!in) return LineReadResult::ReadFailed;
    LineSplitter lines(max_line, long_line);
    auto chunk = std::make_unique<char[]>(kChunk);
    bool go_on = true;
    // istream::read turns a failing read into the bad state, never an exception.
    while (go_on && (in.read(chunk.get(), kChunk), in.gcount() > 0))
        go_on = lines.feed(std::string_view(chunk.get(), static_cast<std::size_t>(in.gcount())), on_line);
    if (in.bad()) return LineReadResult::ReadFailed;
    if (go_on) go_on = lines.finish(on_line);
    if (lines.too_long()) return LineReadResult::LineTooLong;
    return go_on ? LineReadResult::Done : LineReadResult::Stopped;
}

}  // namespace tuner
