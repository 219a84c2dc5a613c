#include "base/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <optional>
#include <sys/random.h>
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

// A number for a temporary name: from the kernel's random source, or failing
// that from the clock (a name taken already is only tried again).
std::uint64_t RandomNumber() {
    std::uint64_t value = 0;
    if (::getrandom(&value, sizeof value, GRND_NONBLOCK) == static_cast<ssize_t>(sizeof value)) return value;
    return static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count()) ^
           static_cast<std::uint64_t>(::getpid()) << 40;
}

// Bytes written before the disk is asked to start storing them. Writing back
// while the rest is still being produced leaves less to wait for at the flush.
constexpr off_t kWritebackChunk = 256 * 1024;
// The stream buffer of the streaming form: the encoders' many small writes
// reach the file in a few large ones.
constexpr std::size_t kStreamBuffer = 256 * 1024;

// The temporary file beside the target. It is removed again unless Commit
// succeeds.
class TTempFile {
public:
    explicit TTempFile(const std::string& fileName) : fileName_(fileName), target_(ResolveTarget(fileName)) {
        namespace fs = std::filesystem;
        const fs::path dir = target_.has_parent_path() ? target_.parent_path() : fs::path(".");

        mode_t mode = 0666; // reduced by the umask when the file is created
        struct stat st {};
        const bool existed = ::stat(target_.c_str(), &st) == 0;
        if (existed) mode = st.st_mode & 07777;

        for (int attempt = 0; fd_ < 0; ++attempt) {
            std::string hidden(1, '.');
            hidden += target_.filename().string();
            hidden += '.';
            hidden += std::to_string(RandomNumber() % 1000000000u);
            hidden += ".tmp";
            tempName_ = (dir / hidden).string();
            fd_ = ::open(tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
            if (fd_ < 0 && (errno != EEXIST || attempt > 100)) Fail(errno, fileName_);
        }
        if (existed && ::fchmod(fd_, mode) != 0) {
            const int err = errno;
            Discard();
            Fail(err, fileName_);
        }
    }

    ~TTempFile() { Discard(); }
    TTempFile(const TTempFile&) = delete;
    TTempFile& operator=(const TTempFile&) = delete;

    // Writes all of the bytes; false (with Error set) when that failed. After
    // a failure nothing more is written.
    bool Write(const void* data, std::size_t size) {
        if (error_ != 0) return false;
        const char* p = static_cast<const char*>(data);
        while (size > 0) {
            const ssize_t n = ::write(fd_, p, size);
            if (n < 0) {
                if (errno == EINTR) continue;
                error_ = errno;
                return false;
            }
            if (n == 0) {
                error_ = EIO;
                return false;
            }
            p += n;
            size -= static_cast<std::size_t>(n);
            written_ += n;
        }
        if (written_ - writebackFrom_ >= kWritebackChunk) {
            // Only a hint: where it is not supported the flush does all the work.
            ::sync_file_range(fd_, writebackFrom_, written_ - writebackFrom_, SYNC_FILE_RANGE_WRITE);
            writebackFrom_ = written_;
        }
        return true;
    }

    int Error() const { return error_; }

    // Puts the contents on the disk and renames the file over the target.
    void Commit() {
        if (error_ != 0) Fail(error_, fileName_);
        if (::fsync(fd_) != 0) Fail(errno, fileName_);
        const int fd = fd_;
        fd_ = -1;
        if (::close(fd) != 0) Fail(errno, fileName_);
        if (::rename(tempName_.c_str(), target_.c_str()) != 0) Fail(errno, fileName_);
        tempName_.clear();
    }

private:
    void Discard() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        if (!tempName_.empty()) ::unlink(tempName_.c_str());
        tempName_.clear();
    }

    std::string fileName_;
    std::filesystem::path target_;
    std::string tempName_;
    int fd_ = -1;
    int error_ = 0;
    off_t written_ = 0;
    off_t writebackFrom_ = 0;
};

// The stream of the streaming form writes through the temporary file, so a
// failed write is remembered there with its reason.
ssize_t StreamWrite(void* cookie, const char* data, std::size_t size) {
    auto* file = static_cast<TTempFile*>(cookie);
    if (file->Write(data, size)) return static_cast<ssize_t>(size);
    errno = file->Error();
    return 0;
}

} // namespace

void WriteFileAtomically(const std::string& fileName, const std::function<void(std::FILE*)>& body) {
    TTempFile file(fileName);
    const std::unique_ptr<char[]> buffer(new char[kStreamBuffer]);
    std::FILE* f = ::fopencookie(&file, "wb", cookie_io_functions_t{nullptr, StreamWrite, nullptr, nullptr});
    if (!f || std::setvbuf(f, buffer.get(), _IOFBF, kStreamBuffer) != 0) {
        const int err = errno ? errno : ENOMEM;
        if (f) std::fclose(f);
        Fail(err, fileName);
    }

    std::optional<std::string> reason;
    try {
        body(f);
    } catch (const EWriteFailure& failure) {
        reason = *failure.what() ? failure.what() : "write error";
    } catch (...) {
        std::fclose(f);
        throw;
    }
    const bool flushed = std::fclose(f) == 0;
    if (reason) throw EFileWriteError(fileName, *reason);
    if (!flushed && file.Error() == 0) Fail(EIO, fileName);
    file.Commit();
}

void WriteFileAtomically(const std::string& fileName, std::string_view bytes) {
    TTempFile file(fileName);
    for (std::size_t at = 0; at < bytes.size(); at += static_cast<std::size_t>(kWritebackChunk)) {
        const std::size_t size = std::min(bytes.size() - at, static_cast<std::size_t>(kWritebackChunk));
        if (!file.Write(bytes.data() + at, size)) break;
    }
    file.Commit();
}

} // namespace vistal
