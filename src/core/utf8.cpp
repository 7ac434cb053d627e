#include "core/utf8.h"

#include <algorithm>
#include <filesystem>
#include <string_view>

#include "core/atomic_file.h"
#include "core/line_reader.h"

namespace tuner {
namespace {

void append_replacement(std::string& out) { out += "\xEF\xBF\xBD"; }

// Length of the valid UTF-8 sequence starting at s[i], or 0 when invalid.
std::size_t valid_sequence(const unsigned char* s, std::size_t n, std::size_t i) {
    const unsigned char c = s[i];
    if (c < 0x80) return 1;
    std::size_t len;
    uint32_t cp;
    if (c >= 0xC2 && c <= 0xDF) {
        len = 2;
        cp = c & 0x1F;
    } else if (c >= 0xE0 && c <= 0xEF) {
        len = 3;
        cp = c & 0x0F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        len = 4;
        cp = c & 0x07;
    } else {
        return 0;
    }
    if (i + len > n) return 0;
    for (std::size_t k = 1; k < len; ++k) {
        if ((s[i + k] & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (s[i + k] & 0x3F);
    }
    if ((len == 3 && cp < 0x800) || (len == 4 && (cp < 0x10000 || cp > 0x10FFFF))) return 0;
    if (cp >= 0xD800 && cp <= 0xDFFF) return 0;
    return len;
}

std::string sanitize(const unsigned char* s, std::size_t n) {
    std::string out;
    out.reserve(n);
    std::size_t i = 0;
    while (i < n) {
        const std::size_t len = valid_sequence(s, n, i);
        if (len == 0) {
            append_replacement(out);
            ++i;
        } else {
            out.append(reinterpret_cast<const char*>(s + i), len);
            i += len;
        }
    }
    return out;
}

}  // namespace

std::vector<uint8_t> utf8_encode(const std::string& text) {
    const std::string clean = utf8_sanitize(text.substr(0, text.find('\0')));
    return std::vector<uint8_t>(clean.begin(), clean.end());
}

std::string utf8_decode(std::span<const uint8_t> bytes) {
    std::size_t n = 0;
    while (n < bytes.size() && bytes[n] != 0) ++n;
    return sanitize(bytes.data(), n);
}

std::string utf8_sanitize(const std::string& bytes) {
    return sanitize(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
}

std::string utf8_first_chars(const std::string& text, std::size_t n) {
    std::size_t chars = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<uint8_t>(text[i]) & 0xC0) == 0x80) continue;  // inside a character
        if (chars == n) return text.substr(0, i);
        ++chars;
    }
    return text;
}

namespace {

// Drops a last character that was cut short by a length limit.
void drop_cut_character(std::string& line) {
    std::size_t lead = line.size();
    for (std::size_t back = 0; back < 4 && lead > 0; ++back) {
        --lead;
        if ((static_cast<uint8_t>(line[lead]) & 0xC0) != 0x80) break;
    }
    if (lead == line.size()) return;
    const auto b = static_cast<uint8_t>(line[lead]);
    const std::size_t len = b < 0x80 ? 1 : (b & 0xE0) == 0xC0 ? 2 : (b & 0xF0) == 0xE0 ? 3 : (b & 0xF8) == 0xF0 ? 4 : 1;
    if (lead + len > line.size()) line.resize(lead);
}

}  // namespace

std::vector<std::string> utf8_file_read_lines(const std::string& path, int count, std::size_t max_bytes,
                                              TextFileError* error) {
    std::vector<std::string> lines;
    const auto wanted = static_cast<std::size_t>(std::max(count, 0));
    const LineReadResult r = read_file_lines(path, max_bytes, LongLine::Cut, [&](std::string_view line, bool cut) {
        if (lines.size() == wanted) return false;
        lines.emplace_back(line);
        if (cut) drop_cut_character(lines.back());
        return lines.size() < wanted;
    });
    if (error)
        *error = r == LineReadResult::NotFound     ? TextFileError::NotFound
                 : r == LineReadResult::ReadFailed ? TextFileError::ReadFailed
                                                   : TextFileError::None;
    if (r == LineReadResult::NotFound || r == LineReadResult::ReadFailed) return {};
    return lines;
}

std::string utf8_file_read_line(const std::string& path, int n, TextFileError* error) {
    const std::vector<std::string> lines = utf8_file_read_lines(path, n, kTextLineMaxBytes, error);
    if (n < 1 || static_cast<int>(lines.size()) < n) return {};
    return utf8_sanitize(lines[static_cast<std::size_t>(n - 1)]);
}

TextFileError utf8_file_write(const std::string& path, const std::string& text) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return TextFileError::NotFound;
    if (file_write_refused(path)) return TextFileError::NotWritable;
    const std::string content = "\xEF\xBB\xBF" + text + "\r\n";
    return write_file_atomically(path, content) ? TextFileError::None : TextFileError::WriteFailed;
}

}  // namespace tuner
