// SPDX-License-Identifier: GPL-3.0-or-later
// Text files read line by line, whatever their line ends, without holding
// more than one line: the palette readers' common ground.
#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace vistal {

// A file that exists but cannot be opened or read.
class EInOutError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ReadTextLines' answer for a name that is no regular file (missing, a
// folder, a device or a FIFO).
inline constexpr int kNoTextFile = -1;

// Reads a text file and hands every line to `take`, without its line end.
// Lines end at LF, CR LF or a lone CR; a UTF-8 byte-order mark at the start is
// skipped; a last line without an end counts when it holds anything. A line
// longer than maxLength is handed over cut to its first maxLength bytes, with
// `cut` set. `take` returns false to refuse the line, which ends the reading.
// Returns 0 when every line was taken, else the 1-based number of the line
// refused, or kNoTextFile. A file that cannot be opened or read raises
// EInOutError.
int ReadTextLines(const std::string& fileName, std::size_t maxLength,
                  const std::function<bool(std::string_view line, bool cut)>& take);

} // namespace vistal
