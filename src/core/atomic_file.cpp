#include "core/atomic_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include <fcntl.h>
#include <unistd.h>

namespace tuner {

bool write_file_atomically(const std::string& path, const std::string& content, std::string* error) {
    namespace fs = std::filesystem;
    auto fail = [&](const std::string& what) {
        if (error) *error = what;
        return false;
    };
    const fs::path target(path);
    fs::path dir = target.parent_path();
    if (dir.empty()) dir = ".";
    std::random_device rd;
    const fs::path tmp = dir / ("." + target.filename().string() + ".tmp" + std::to_string(rd() % 1000000));

    const int fd = ::open(tmp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0) return fail(std::strerror(errno));
    std::size_t done = 0;
    while (done < content.size()) {
        const ssize_t n = ::write(fd, content.data() + done, content.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            const std::string msg = std::strerror(errno);
            ::close(fd);
            ::unlink(tmp.c_str());
            return fail(msg);
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::close(fd) != 0) {
        const std::string msg = std::strerror(errno);
        ::unlink(tmp.c_str());
        return fail(msg);
    }
    // Keep the old file's permissions where there is one.
    std::error_code ec;
    const auto st = fs::status(target, ec);
    if (!ec && fs::exists(st)) fs::permissions(tmp, st.permissions(), ec);
    if (std::rename(tmp.c_str(), target.c_str()) != 0) {
        const std::string msg = std::strerror(errno);
        ::unlink(tmp.c_str());
        return fail(msg);
    }
    return true;
}

}  // namespace tuner
