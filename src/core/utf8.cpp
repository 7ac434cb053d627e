#include "core/utf8.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/atomic_file.h"

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

std::string utf8_file_read_line(const std::string& path, int n, TextFileError* error) {
    if (error) *error = TextFileError::None;
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        if (error) *error = TextFileError::NotFound;
        return {};
    }
    std::string content;
    if (!read_whole_file(path, content)) {
        if (error) *error = TextFileError::ReadFailed;
        return {};
    }
    if (n < 1) return {};
    std::size_t pos = 0;
    if (content.compare(0, 3, "\xEF\xBB\xBF") == 0) pos = 3;
    int line = 1;
    while (pos <= content.size()) {
        std::size_t end = content.find_first_of("\r\n", pos);
        if (end == std::string::npos) end = content.size();
        if (line == n) return utf8_sanitize(content.substr(pos, end - pos));
        if (end == content.size()) break;
        pos = end + ((content[end] == '\r' && end + 1 < content.size() && content[end + 1] == '\n') ? 2 : 1);
        if (pos == content.size()) break;  // a final line end opens no further line
        ++line;
    }
    return {};
}

TextFileError utf8_file_write(const std::string& path, const std::string& text) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) return TextFileError::NotFound;
    if (file_write_refused(path)) return TextFileError::NotWritable;
    const std::string content = "\xEF\xBB\xBF" + text + "\r\n";
    return write_file_atomically(path, content) ? TextFileError::None : TextFileError::WriteFailed;
}

}  // namespace tuner
