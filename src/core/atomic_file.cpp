#include "core/atomic_file.h"

#include <filesystem>
#include <fstream>
#include <random>

namespace tuner {

namespace fs = std::filesystem;

namespace {

// Symbolic links are followed to the file they name, so a save replaces the
// target and leaves the link in place. A dangling link names the file to create.
bool resolve_links(fs::path& p, std::string& why) {
    std::error_code ec;
    for (int hops = 0; fs::is_symlink(fs::symlink_status(p, ec)); ++hops) {
        if (hops == 40) {
            why = "too many symbolic links: " + p.string();
            return false;
        }
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) {
            why = ec.message();
            return false;
        }
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return true;
}

// An existing file that has no write permission at all, or that this user
// cannot open for writing, is not replaced.
bool may_replace(const fs::path& p) {
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (ec || !fs::exists(st)) return true;
    constexpr fs::perms any_write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((st.permissions() & any_write) == fs::perms::none) return false;
    std::ofstream probe(p, std::ios::binary | std::ios::app);  // appends nothing
    return static_cast<bool>(probe);
}

}  // namespace

bool read_whole_file(const std::string& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    // istream::read turns a failing read into the bad state; iterating the
    // stream buffer directly would let the library's exception escape.
    std::string content;
    char chunk[65536];
    while (in.read(chunk, sizeof chunk), in.gcount() > 0) content.append(chunk, static_cast<std::size_t>(in.gcount()));
    if (in.bad()) return false;
    out = std::move(content);
    return true;
}

bool file_write_refused(const std::string& path) {
    fs::path target(path);
    std::string why;
    return resolve_links(target, why) && !may_replace(target);
}

bool write_file_atomically(const std::string& path, const std::string& content, std::string* error) {
    auto fail = [&](const std::string& what) {
        if (error) *error = what;
        return false;
    };
    fs::path target(path);
    if (target.filename().empty()) return fail("no file name");
    std::string why;
    if (!resolve_links(target, why)) return fail(why);
    if (fs::is_directory(target)) return fail(target.string() + " is a folder");
    if (!may_replace(target)) return fail(target.string() + " is read-only");
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
