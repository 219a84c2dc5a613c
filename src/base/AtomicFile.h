// SPDX-License-Identifier: GPL-3.0-or-later
// Replacing a file as a whole: the new contents go to a temporary file in the
// same folder, which is then renamed over the target, so a failure leaves the
// old file as it was and never a partial one.
#pragma once

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vistal {

// Thrown by a writer body to say why the contents could not be written.
struct EWriteFailure : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// A file that could not be written: Reason() says why, what() is
// "cannot write FILE: reason".
class EFileWriteError : public std::runtime_error {
public:
    EFileWriteError(const std::string& fileName, const std::string& reason)
        : std::runtime_error("cannot write " + fileName + ": " + reason), reason_(reason) {}
    const std::string& Reason() const { return reason_; }

private:
    std::string reason_;
};

// Runs `body` on a fresh temporary file beside the target, flushes it to the
// disk and renames it over the target. Only a regular file is replaced: a
// folder, FIFO, device or socket is refused ("not a regular file") and left as
// it is. A symbolic link is followed to the file it names, which is created
// when it does not exist yet; the link stays. An existing file keeps its
// owner, group and permissions, except the set-user-ID and set-group-ID bits.
// On any failure the temporary file is removed and the target stays
// untouched; the body's own exceptions pass through, every other failure
// (including EWriteFailure) becomes EFileWriteError.
void WriteFileAtomically(const std::string& fileName, const std::function<void(std::FILE*)>& body);

// Writes `bytes` as the new contents of the file, as above.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);

// Why WriteFileAtomically could not write the file, as far as can be told
// without writing: the target is no regular file, its folder does not exist
// or is not writable. Empty when nothing stands in the way.
std::string CheckFileWritable(const std::string& fileName);

// "not a regular file (a FIFO)": why a file of this mode (st_mode) is neither
// replaced nor read.
std::string NotRegularFileReason(unsigned mode);

// Makes the program's end by a signal clean for atomic writes. SIGINT,
// SIGTERM, SIGHUP and SIGQUIT (where not ignored already) first remove the
// temporary file being written, if any, and then end the program as they
// would have; SIGXFSZ is ignored, so that a write beyond the file-size limit
// fails with "File too large" instead of ending the program. Programs call it
// once at start, before any thread is started. The handlers know one
// temporary file at a time: the one of the first of several writes that
// overlap.
void InstallAtomicWriteSignalHandlers();

} // namespace vistal
