#include "locations/AtomicFile.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

namespace vistal {

namespace {

[[noreturn]] void Fail(int err, const std::string& what) {
    throw std::system_error(err, std::generic_category(), what);
}

// The file that is really replaced: the target of a symbolic link.
std::filesystem::path ResolveTarget(const std::string& fileName) {
    namespace fs = std::filesystem;
    fs::path target(fileName);
    std::error_code ec;
    if (fs::is_symlink(target, ec)) {
        fs::path resolved = fs::canonical(target, ec);
        if (!ec) return resolved;
    }
    return target;
}

} // namespace

void WriteFileAtomically(const std::string& fileName, std::string_view bytes) {
    namespace fs = std::filesystem;
    const fs::path target = ResolveTarget(fileName);
    const fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");

    mode_t mode = 0666; // reduced by the umask when the file is created
    struct stat st {};
    const bool existed = ::stat(target.c_str(), &st) == 0;
    if (existed) mode = st.st_mode & 07777;

    std::random_device random;
    std::string tempName;
    int fd = -1;
    for (int attempt = 0; fd < 0; ++attempt) {
        std::string hidden(1, '.');
        hidden += target.filename().string();
        hidden += '.';
        hidden += std::to_string(random() % 1000000000u);
        hidden += ".tmp";
        tempName = (dir / hidden).string();
        fd = ::open(tempName.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && (errno != EEXIST || attempt > 100))
            Fail(errno, "cannot create a file in " + dir.string());
    }

    int err = 0;
    if (existed && ::fchmod(fd, mode) != 0) err = errno;
    const char* p = bytes.data();
    std::size_t left = bytes.size();
    while (err == 0 && left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0) {
            if (errno == EINTR) continue;
            err = errno;
        } else {
            p += n;
            left -= static_cast<std::size_t>(n);
        }
    }
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(tempName.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(tempName.c_str());
        Fail(err, "cannot write " + fileName);
    }
}

} // namespace vistal
