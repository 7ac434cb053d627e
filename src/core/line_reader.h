// Reading text a line at a time through a fixed buffer, so that a file of any
// size costs no more memory than its longest kept line. Lines end at CR LF,
// LF or a lone CR; a leading UTF-8 byte-order mark is not part of line 1.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace tuner {

// What happens to a line longer than the limit: it ends the reading, or only
// its first bytes are kept (the callback is told the line was cut).
enum class LongLine { Stop, Cut };

// Called with each line, without its line end; returns false to stop reading.
using LineFn = std::function<bool(std::string_view line, bool cut)>;

class LineSplitter {
public:
    LineSplitter(std::size_t max_line, LongLine long_line);

    // Hands over the next bytes; false once reading should stop (the callback
    // said so, or a line was too long under LongLine::Stop).
    bool feed(std::string_view bytes, const LineFn& on_line);
    // Ends the text: a last line without a line end is handed over.
    bool finish(const LineFn& on_line);

    bool too_long() const { return too_long_; }

private:
    bool add(std::string_view part);
    bool end_line(const LineFn& on_line);

    std::size_t max_line_;
    LongLine long_line_;
    std::string line_;
    bool in_line_ = false, cut_ = false, after_cr_ = false, too_long_ = false, stopped_ = false;
    std::size_t bom_seen_ = 0;  // bytes of a leading byte-order mark matched so far
    bool at_start_ = true;
};

enum class LineReadResult { Done, Stopped, LineTooLong, NotFound, ReadFailed };

// Reads an ordinary file (after its links) line by line. Anything else, a
// folder, a pipe or a device, is NotFound and is never opened, so reading
// cannot block or run without end.
LineReadResult read_file_lines(const std::string& path, std::size_t max_line, LongLine long_line,
                               const LineFn& on_line);

}  // namespace tuner
