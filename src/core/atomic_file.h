// Replacing a file's content safely: the new bytes go to a temporary file in
// the same folder, which then takes the old file's place in one rename. A
// failure at any step leaves the old file whole. A symbolic link is written
// through (its target is replaced, the link stays), and a file the user may
// not write (no write permission), or anything but an ordinary file, is refused
// without being opened, not replaced.
#pragma once

#include <string>

namespace tuner {

bool write_file_atomically(const std::string& path, const std::string& content, std::string* error = nullptr);

// True when `path` (through its links) is something that exists and may not
// be replaced: a file the user may not write, a folder, a pipe, a device.
bool file_write_refused(const std::string& path);

}  // namespace tuner
