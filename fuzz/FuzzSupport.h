// SPDX-License-Identifier: GPL-3.0-or-later
// What the fuzz targets share: the readers take file names, so each input is
// put into a file first. Files that are only read live in memory (a memfd,
// named through /proc/self/fd); files that are also rewritten live in a
// folder of their own, since the atomic writer puts its temporary file beside
// the target.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <string_view>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vistal::fuzz {

// A check of a promised property failed: the fuzzer reports it as a crash.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "property broken: %s\n", what);
    std::abort();
}

inline void Expect(bool holds, const char* what) {
    if (!holds) Broken(what);
}

// One file in memory that holds the current input.
class TMemoryFile {
public:
    TMemoryFile() {
        fd_ = ::memfd_create("fuzz-input", MFD_CLOEXEC);
        if (fd_ < 0) throw std::runtime_error("memfd_create failed");
        path_ = "/proc/self/fd/" + std::to_string(fd_);
    }
    TMemoryFile(const TMemoryFile&) = delete;
    TMemoryFile& operator=(const TMemoryFile&) = delete;

    // Replaces the contents; returns the name to open.
    const std::string& Hold(const std::uint8_t* data, std::size_t size) {
        if (::ftruncate(fd_, 0) != 0) Broken("ftruncate");
        std::size_t done = 0;
        while (done < size) {
            const ssize_t n = ::pwrite(fd_, data + done, size - done, static_cast<off_t>(done));
            if (n <= 0) Broken("pwrite");
            done += static_cast<std::size_t>(n);
        }
        return path_;
    }

private:
    int fd_ = -1;
    std::string path_;
};

// A folder of the process's own under the temporary folder, for files that
// are rewritten. Removed at exit together with what is left in it.
class TScratchFolder {
public:
    TScratchFolder() {
        // A folder in memory where there is one: the writer flushes every file
        // to the disk, which would make each input cost milliseconds.
        const char* tmp = std::getenv("TMPDIR");
        struct stat st {};
        const std::string base = tmp && *tmp                                           ? tmp
                                 : ::stat("/dev/shm", &st) == 0 && S_ISDIR(st.st_mode) ? "/dev/shm"
                                                                                       : "/tmp";
        std::string pattern = base + "/vistal-fuzz-XXXXXX";
        if (!::mkdtemp(pattern.data())) throw std::runtime_error("mkdtemp failed");
        path_ = pattern;
    }
    ~TScratchFolder() {
        // Only the files the targets make, never anything deeper.
        const std::string names[] = {"file.ini"};
        for (const std::string& name : names)
            ::unlink((path_ + "/" + name).c_str());
        ::rmdir(path_.c_str());
    }
    TScratchFolder(const TScratchFolder&) = delete;
    TScratchFolder& operator=(const TScratchFolder&) = delete;
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

// Takes bytes off the front of the input for a target's choices; what is left
// is the rest of the input.
class TInput {
public:
    TInput(const std::uint8_t* data, std::size_t size) : rest_(reinterpret_cast<const char*>(data), size) {}
    std::uint8_t Byte() {
        if (rest_.empty()) return 0;
        const auto b = static_cast<std::uint8_t>(rest_.front());
        rest_.remove_prefix(1);
        return b;
    }
    // Text up to the next byte 0 (or the end), the 0 taken too.
    std::string_view Field() {
        const std::size_t end = rest_.find('\0');
        const std::string_view field = rest_.substr(0, end);
        rest_.remove_prefix(end == std::string_view::npos ? rest_.size() : end + 1);
        return field;
    }
    std::string_view Rest() const { return rest_; }
    bool Empty() const { return rest_.empty(); }

private:
    std::string_view rest_;
};

} // namespace vistal::fuzz
