// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/AtomicFile.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <climits>
#include <csignal>
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

namespace fs = std::filesystem;

// The file that is really written: symbolic links followed to their end,
// which need not exist yet.
struct TTarget {
    fs::path path;
    bool exists = false;
    struct stat st {};
};

// 0, or the errno of the failure.
int ResolveTarget(const std::string& fileName, TTarget& target) {
    fs::path p(fileName);
    for (int links = 0;; ++links) {
        struct stat st {};
        if (::lstat(p.c_str(), &st) != 0) {
            if (errno != ENOENT) return errno;
            target = {p, false, {}};
            return 0;
        }
        if (!S_ISLNK(st.st_mode)) {
            target = {p, true, st};
            return 0;
        }
        if (links >= 40) return ELOOP;
        std::error_code ec;
        const fs::path next = fs::read_symlink(p, ec);
        if (ec) return ec.value();
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
}

fs::path FolderOf(const fs::path& target) {
    return target.has_parent_path() ? target.parent_path() : fs::path(".");
}

// ".NAME.vistal-NUMBER.tmp" within the longest name the folder allows: a long
// NAME gives up its end (never half a UTF-8 character); the number keeps it
// unique. A user who finds one left behind (nothing can remove it when the
// program is killed with SIGKILL) can tell whose it is and which file it was
// to replace.
std::string HiddenName(const std::string& name, const fs::path& folder, std::uint64_t number) {
    std::string tail = ".vistal-";
    tail += std::to_string(number % 1000000000u);
    tail += ".tmp";
    long longest = ::pathconf(folder.c_str(), _PC_NAME_MAX);
    if (longest < 32) longest = NAME_MAX;
    std::size_t keep = name.size();
    const std::size_t room = static_cast<std::size_t>(longest) - 1 - tail.size();
    if (keep > room) {
        keep = room;
        while (keep > 0 && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
    }
    std::string hidden(1, '.');
    hidden.append(name, 0, keep);
    hidden += tail;
    return hidden;
}

// ---- the temporary file the signal handlers remove --------------------------
// The one piece of process-wide state in the core, as signal handlers are
// process-wide: a fixed buffer, so the handler needs no memory. A writer
// claims the slot (1), copies its path in and publishes it (2); the handler
// only reads a published path.
constexpr std::size_t kPathBuffer = 4096;
char gTempPath[kPathBuffer];
std::atomic<int> gTempState{0}; // 0 free, 1 being filled, 2 holds a temporary file
static_assert(std::atomic<int>::is_always_lock_free, "the signal handler reads the state");

constexpr int kCleanupSignals[] = {SIGINT, SIGTERM, SIGHUP, SIGQUIT};

bool RegisterTempFile(const std::string& path) {
    std::error_code ec;
    const std::string absolute = fs::absolute(path, ec).string();
    if (ec || absolute.size() >= kPathBuffer) return false;
    int expected = 0;
    if (!gTempState.compare_exchange_strong(expected, 1)) return false;
    std::memcpy(gTempPath, absolute.c_str(), absolute.size() + 1);
    gTempState.store(2);
    return true;
}

void RemoveTempFileAndReraise(int sig) {
    if (gTempState.load() == 2) ::unlink(gTempPath);
    // The handler was installed with SA_RESETHAND: the signal's own action
    // ends the program as soon as the handler returns.
    ::raise(sig);
}

// The termination signals held back while a temporary file is created and
// registered, so that none can leave it behind unregistered.
class TBlockedSignals {
public:
    TBlockedSignals() {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : kCleanupSignals)
            sigaddset(&set, sig);
        ::pthread_sigmask(SIG_BLOCK, &set, &old_);
    }
    ~TBlockedSignals() { ::pthread_sigmask(SIG_SETMASK, &old_, nullptr); }
    TBlockedSignals(const TBlockedSignals&) = delete;
    TBlockedSignals& operator=(const TBlockedSignals&) = delete;

private:
    sigset_t old_;
};

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
    explicit TTempFile(const std::string& fileName) : fileName_(fileName) {
        TTarget target;
        if (const int err = ResolveTarget(fileName, target)) Fail(err, fileName_);
        if (target.exists && !S_ISREG(target.st.st_mode))
            throw EFileWriteError(fileName_, NotRegularFileReason(target.st.st_mode));
        const fs::path dir = FolderOf(target.path);
        const std::string name = target.path.filename().string();
        target_ = target.path;

        {
            const TBlockedSignals blocked;
            for (int attempt = 0; fd_ < 0; ++attempt) {
                tempName_ = (dir / HiddenName(name, dir, RandomNumber())).string();
                fd_ = ::open(tempName_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
                if (fd_ < 0 && (errno != EEXIST || attempt > 100)) {
                    const int err = errno;
                    tempName_.clear();
                    Fail(err, fileName_);
                }
            }
            registered_ = RegisterTempFile(tempName_);
        }
        if (target.exists) {
            // The new file belongs to whoever owned the old one, as far as this
            // process may give it away (root may; others at least keep the
            // group where they belong to it). Permissions stay, but never the
            // set-user-ID and set-group-ID bits.
            const struct stat& st = target.st;
            if (st.st_uid != ::geteuid() || st.st_gid != ::getegid()) {
                if (::fchown(fd_, st.st_uid, st.st_gid) != 0 &&
                    ::fchown(fd_, static_cast<uid_t>(-1), st.st_gid) != 0) {
                    // Not allowed: the file belongs to this process's user.
                }
            }
            if (::fchmod(fd_, st.st_mode & 07777 & ~static_cast<mode_t>(S_ISUID | S_ISGID)) != 0) {
                const int err = errno;
                Discard();
                Fail(err, fileName_);
            }
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
        Unregister();
    }

private:
    void Discard() {
        if (fd_ >= 0) ::close(fd_);
        fd_ = -1;
        if (!tempName_.empty()) ::unlink(tempName_.c_str());
        tempName_.clear();
        Unregister();
    }

    void Unregister() {
        if (registered_) gTempState.store(0);
        registered_ = false;
    }

    std::string fileName_;
    fs::path target_;
    bool registered_ = false;
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

std::string NotRegularFileReason(unsigned mode) {
    const char* kind = S_ISDIR(mode)    ? "a folder"
                       : S_ISFIFO(mode) ? "a FIFO"
                       : S_ISCHR(mode)  ? "a character device"
                       : S_ISBLK(mode)  ? "a block device"
                       : S_ISSOCK(mode) ? "a socket"
                                        : "a special file";
    return std::string("not a regular file (") + kind + ")";
}

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

std::string CheckFileWritable(const std::string& fileName) {
    TTarget target;
    if (const int err = ResolveTarget(fileName, target)) return std::strerror(err);
    if (target.exists && !S_ISREG(target.st.st_mode)) return NotRegularFileReason(target.st.st_mode);
    const fs::path dir = FolderOf(target.path);
    struct stat st {};
    if (::stat(dir.c_str(), &st) != 0) {
        if (errno == ENOENT) return "the folder " + dir.string() + " does not exist";
        return dir.string() + ": " + std::strerror(errno);
    }
    if (!S_ISDIR(st.st_mode)) return dir.string() + " is not a folder";
    if (::faccessat(AT_FDCWD, dir.c_str(), W_OK | X_OK, AT_EACCESS) != 0)
        return "the folder " + dir.string() + ": " + std::strerror(errno);
    return {};
}

void InstallAtomicWriteSignalHandlers() {
    for (int sig : kCleanupSignals) {
        struct sigaction old {};
        // A signal ignored (nohup) or handled by the program stays as it is.
        if (::sigaction(sig, nullptr, &old) != 0 || (old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL)
            continue;
        struct sigaction action {};
        action.sa_handler = RemoveTempFileAndReraise;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND;
        ::sigaction(sig, &action, nullptr);
    }
    ::signal(SIGXFSZ, SIG_IGN);
}

} // namespace vistal
