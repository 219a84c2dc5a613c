// SPDX-License-Identifier: GPL-3.0-or-later
#include "base/TextLines.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <vector>

namespace vistal {

namespace {

struct TFileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};

} // namespace

int ReadTextLines(const std::string& fileName, std::size_t maxLength,
                  const std::function<bool(std::string_view line, bool cut)>& take) {
    struct stat st {};
    if (::stat(fileName.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) return kNoTextFile;
    std::unique_ptr<std::FILE, TFileCloser> file(std::fopen(fileName.c_str(), "rb"));
    if (!file) throw EInOutError("Cannot read " + fileName + ": " + std::strerror(errno));

    std::string line;
    bool cut = false;
    int lineNumber = 0;
    bool atStart = true;
    bool skipLf = false; // the previous line ended with CR: an LF right after it is part of that end
    const auto finishLine = [&]() -> bool {
        ++lineNumber;
        const bool ok = take(line, cut);
        line.clear();
        cut = false;
        return ok;
    };

    std::vector<char> buffer(64 * 1024);
    for (;;) {
        const std::size_t got = std::fread(buffer.data(), 1, buffer.size(), file.get());
        if (got == 0) {
            if (std::ferror(file.get()))
                throw EInOutError("Cannot read " + fileName + ": " + std::strerror(errno));
            break;
        }
        std::size_t i = 0;
        if (atStart) {
            // A UTF-8 byte-order mark is not part of the first line. It is
            // three bytes, so it can only be split by a file shorter than it.
            if (got >= 3 && std::memcmp(buffer.data(), "\xEF\xBB\xBF", 3) == 0) i = 3;
            atStart = false;
        }
        for (; i < got; ++i) {
            const char c = buffer[i];
            if (skipLf) {
                skipLf = false;
                if (c == '\n') continue;
            }
            if (c == '\n' || c == '\r') {
                if (!finishLine()) return lineNumber;
                skipLf = c == '\r';
            } else if (line.size() < maxLength) {
                line += c;
            } else {
                cut = true;
            }
        }
    }
    if ((!line.empty() || cut) && !finishLine()) return lineNumber;
    return 0;
}

} // namespace vistal
