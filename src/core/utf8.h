// UTF-8 conversions for the Bluetooth name, and UTF-8 text files (read one
// line, replace the whole content). Text is held as UTF-8 std::string.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tuner {

// The UTF-8 bytes of a text, without terminator; the text ends at its first
// U+0000 if it has one. Empty text gives no bytes.
std::vector<uint8_t> utf8_encode(const std::string& text);

// The text in a byte sequence up to its first zero byte (or its end).
// Invalid sequences become U+FFFD, so the result is always valid UTF-8.
std::string utf8_decode(std::span<const uint8_t> bytes);

// Valid UTF-8 with every invalid sequence replaced by U+FFFD.
std::string utf8_sanitize(const std::string& bytes);

// NotWritable: the file exists but the user may not write it; it is left as it was.
enum class TextFileError { None, NotFound, ReadFailed, WriteFailed, NotWritable };

// The first n characters (code points) of a UTF-8 text; the bytes of a
// character stay together.
std::string utf8_first_chars(const std::string& text, std::size_t n);

// The first `count` lines of a text file, without their line ends, as the
// bytes stand in the file (fewer when the file has fewer lines). A leading
// byte-order mark is not part of line 1. Lines end at CR LF, LF or a lone
// CR. Of each line at most `max_bytes` are kept, cut before a character
// that does not fit whole; the file is read only up to the end of the last
// wanted line, so a huge file costs no more memory than that. `error`
// reports a missing or unreadable file.
std::vector<std::string> utf8_file_read_lines(const std::string& path, int count, std::size_t max_bytes,
                                              TextFileError* error = nullptr);

// What a text line keeps at most where the reader wants one whole line: more
// than any name or title the program takes from a file.
constexpr std::size_t kTextLineMaxBytes = 4096;

// Line n (counted from 1) of a UTF-8 text file, as above (at most
// kTextLineMaxBytes of it), with every invalid sequence replaced; empty when
// the file has fewer lines or n < 1.
std::string utf8_file_read_line(const std::string& path, int n, TextFileError* error = nullptr);

// Replaces the content of an existing file with the byte-order mark, the
// text and CR LF. A missing file is NotFound and nothing is written. The
// new content goes to a temporary file first, so a failed write leaves the
// old file whole. A symbolic link is written through to its target; a
// read-only file is NotWritable and stays whole.
TextFileError utf8_file_write(const std::string& path, const std::string& text);

}  // namespace tuner
