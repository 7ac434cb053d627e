// Files beside the program: the start-up parameter file, "config.ini", the
// logo files and the "AudioParmFile" folder. The folder is set once by the
// program (tests point it at a temporary folder).
#pragma once

#include <string>

namespace tuner {

// Joins a folder and a name with exactly one separator between them, also
// when the folder is the root or already ends with a separator.
std::string path_join(const std::string& dir, const std::string& name);

// The program's folder (default: the current folder).
const std::string& app_dir();
void set_app_dir(const std::string& dir);

// A file beside the program.
inline std::string app_file(const std::string& name) { return path_join(app_dir(), name); }

constexpr const char* kStartupFileName = "file_power_on_init_tab.c";
constexpr const char* kParamFolderName = "AudioParmFile";

}  // namespace tuner
