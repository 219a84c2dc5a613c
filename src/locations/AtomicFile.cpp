#include "locations/AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace vistal {

namespace {

[[noreturn]] void Fail(int err, const std::string& fileName) {
    throw EFileWriteError(fileName, std::strerror(err));
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

void WriteFileAtomically(const std::string& fileName, const std::function<void(std::FILE*)>& body) {
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
        if (fd < 0 && (errno != EEXIST || attempt > 100)) Fail(errno, fileName);
    }
    if (existed && ::fchmod(fd, mode) != 0) {
        const int err = errno;
        ::close(fd);
        ::unlink(tempName.c_str());
        Fail(err, fileName);
    }
    std::FILE* f = ::fdopen(fd, "wb");
    if (!f) {
        const int err = errno;
        ::close(fd);
        ::unlink(tempName.c_str());
        Fail(err, fileName);
    }

    int err = 0;
    std::string reason;
    try {
        body(f);
        if (std::fflush(f) != 0 || ::fsync(::fileno(f)) != 0) err = errno ? errno : EIO;
    } catch (const EWriteFailure& failure) {
        reason = failure.what();
    } catch (...) {
        std::fclose(f);
        ::unlink(tempName.c_str());
        throw;
    }
    if (std::fclose(f) != 0 && err == 0 && reason.empty()) err = errno;
    if (err == 0 && reason.empty() && ::rename(tempName.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0 || !reason.empty()) {
        ::unlink(tempName.c_str());
        if (!reason.empty()) throw EFileWriteError(fileName, reason);
        Fail(err, fileName);
    }
}

void WriteFileAtomically(const std::string& fileName, std::string_view bytes) {
    WriteFileAtomically(fileName, [&](std::FILE* f) {
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size())
            throw EWriteFailure(std::strerror(errno ? errno : EIO));
    });
}

} // namespace vistal
