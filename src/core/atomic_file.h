// Replacing a file's content safely: the new bytes go to a temporary file in
// the same folder, which then takes the old file's place in one rename. A
// failure at any step leaves the old file whole.
#pragma once

#include <string>

namespace tuner {

bool write_file_atomically(const std::string& path, const std::string& content, std::string* error = nullptr);

}  // namespace tuner
