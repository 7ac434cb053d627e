#include "core/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace tuner {

bool write_file_atomically(const std::string& path, const std::string& content, std::string* error) {
    namespace fs = std::filesystem;
    auto fail = [&](const std::string& what) {
        if (error) *error = what;
        return false;
    };
    const fs::path target(path);
    if (target.filename().empty()) return fail("no file name");
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    std::random_device rd;
    fs::path tmp;
    std::error_code ec;
    for (int attempt = 0; attempt < 8; ++attempt) {
        tmp = dir / ("." + target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));
        if (!fs::exists(tmp, ec)) break;
    }
    {
        std::ofstream out(tmp, std::ios::binary | std::ios::trunc);
        if (!out) return fail("cannot create a file in " + dir.string());
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(tmp, ec);
            return fail("cannot write " + tmp.string());
        }
    }
    // Keep the old file's permissions where there is one.
    const auto st = fs::status(target, ec);
    if (!ec && fs::exists(st)) fs::permissions(tmp, st.permissions(), ec);
    fs::rename(tmp, target, ec);
    if (ec) {
        std::error_code ignore;
        fs::remove(tmp, ignore);
        return fail(ec.message());
    }
    return true;
}

}  // namespace tuner
