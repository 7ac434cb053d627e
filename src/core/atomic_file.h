// Replacing a file's content safely: the new bytes go to a temporary file in
// the same folder, which then takes the old file's place in one rename. A
// failure at any step leaves the old file whole. A symbolic link is written
// through (its target is replaced, the link stays), and a file the user may
// not write (no write permission) is refused, not replaced.
#pragma once

#include <string>

namespace tuner {

bool write_file_atomically(const std::string& path, const std::string& content, std::string* error = nullptr);

// Reads a whole file into `out`. False (and `out` untouched) when it cannot be
// opened or a read fails part way: an input/output error is reported here,
// never thrown.
bool read_whole_file(const std::string& path, std::string& out);

// True when `path` (through its links) is an existing file the user may not write.
bool file_write_refused(const std::string& path);

}  // namespace tuner
