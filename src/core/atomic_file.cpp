#include "core/atomic_file.h"

#include <chrono>
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

// Why an existing target may not be replaced, or empty when it may (or when
// there is none yet). Only an ordinary file is ever replaced: a folder, a
// pipe or a device is refused without being opened, since opening a pipe
// waits for a reader and renaming over a device would replace the node. A
// path the system refuses (too long, a folder part that is a file) says so.
std::string replace_refusal(const fs::path& p) {
    std::error_code ec;
    const fs::file_status st = fs::status(p, ec);
    if (st.type() == fs::file_type::not_found) return {};
    if (ec) return ec.message();
    if (fs::is_directory(st)) return p.string() + " is a folder";
    if (!fs::is_regular_file(st)) return p.string() + " is not an ordinary file";
    constexpr fs::perms any_write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    if ((st.permissions() & any_write) == fs::perms::none) return p.string() + " is read-only";
    std::ofstream probe(p, std::ios::binary | std::ios::app);  // appends nothing
    if (!probe) return p.string() + " is read-only";
    return {};
}

// A name for the temporary beside the target; kept short enough for the
// system's name limit whatever the target's name.
fs::path temporary_name(const fs::path& dir, const std::string& name, unsigned salt) {
    std::string temp = ".";
    temp.append(name, 0, 200).append(".tmp").append(std::to_string(salt % 1000000));
    return dir / temp;
}

}  // namespace

bool file_write_refused(const std::string& path) {
    fs::path target(path);
    std::string why;
    return resolve_links(target, why) && !replace_refusal(target).empty();
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
    if (why = replace_refusal(target); !why.empty()) return fail(why);
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    // Seeded from the clock: std::random_device may throw where the system has no entropy source.
    std::minstd_rand salt(static_cast<unsigned>(std::chrono::steady_clock::now().time_since_epoch().count()));
    fs::path tmp;
    std::error_code ec;
    for (int attempt = 0; attempt < 8; ++attempt) {
        tmp = temporary_name(dir, target.filename().string(), static_cast<unsigned>(salt()));
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
