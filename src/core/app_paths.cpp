#include "core/app_paths.h"

namespace tuner {
namespace {
std::string g_app_dir = ".";
}

std::string path_join(const std::string& dir, const std::string& name) {
    if (dir.empty()) return name;
    std::size_t start = 0;
    while (start < name.size() && name[start] == '/') ++start;
    if (dir.back() == '/') return dir + name.substr(start);
    return dir + "/" + name.substr(start);
}

const std::string& app_dir() { return g_app_dir; }

void set_app_dir(const std::string& dir) { g_app_dir = dir.empty() ? std::string(".") : dir; }

}  // namespace tuner
