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
// disk and renames it over the target. An existing file keeps its permissions;
// a symbolic link keeps pointing at the replaced file. On any failure the
// temporary file is removed and the target stays untouched; the body's own
// exceptions pass through, every other failure (including EWriteFailure)
// becomes EFileWriteError.
void WriteFileAtomically(const std::string& fileName, const std::function<void(std::FILE*)>& body);

// Writes `bytes` as the new contents of the file, as above.
void WriteFileAtomically(const std::string& fileName, std::string_view bytes);

} // namespace vistal
