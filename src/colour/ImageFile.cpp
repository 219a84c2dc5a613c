#include "colour/ImageFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace vistal {

namespace {

void PutLE(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

// Opens a fresh temporary file beside the target.
std::FILE* OpenTemp(const std::string& fileName, std::string& tempName) {
    namespace fs = std::filesystem;
    fs::path target(fileName);
    fs::path dir = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::string hidden(1, '.');
    hidden += target.filename().string();
    hidden += ".XXXXXX";
    std::string pattern = (dir / hidden).string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    int fd = mkstemp(buf.data());
    if (fd < 0) throw EImageFileError("Cannot write " + fileName + ": " + std::strerror(errno));
    tempName = buf.data();
    // mkstemp creates the file for the owner only; give it the usual permissions.
    const mode_t mask = umask(0);
    umask(mask);
    fchmod(fd, 0666 & ~mask);
    std::FILE* f = fdopen(fd, "wb");
    if (!f) {
        int err = errno;
        close(fd);
        std::remove(tempName.c_str());
        throw EImageFileError("Cannot write " + fileName + ": " + std::strerror(err));
    }
    return f;
}

} // namespace

void WriteBmpFile(const TBitmap& bitmap, const std::string& fileName) {
    const int w = bitmap.Width(), h = bitmap.Height();
    const std::size_t rowBytes = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t(3);
    const std::size_t imageBytes = rowBytes * h;
    if (imageBytes + 54 > 0xFFFFFFFFu) throw EImageFileError("Cannot write " + fileName + ": picture too large");
    std::vector<std::uint8_t> header(54, 0);
    header[0] = 'B';
    header[1] = 'M';
    PutLE(header, 2, static_cast<std::uint32_t>(54 + imageBytes), 4);
    PutLE(header, 10, 54, 4);
    PutLE(header, 14, 40, 4);
    PutLE(header, 18, static_cast<std::uint32_t>(w), 4);
    PutLE(header, 22, static_cast<std::uint32_t>(h), 4);
    PutLE(header, 26, 1, 2);
    PutLE(header, 28, 24, 2);
    PutLE(header, 34, static_cast<std::uint32_t>(imageBytes), 4);
    PutLE(header, 38, 3780, 4); // 96 dpi
    PutLE(header, 42, 3780, 4);

    std::string tempName;
    std::FILE* f = OpenTemp(fileName, tempName);
    bool ok = std::fwrite(header.data(), 1, header.size(), f) == header.size();
    std::vector<std::uint8_t> row(rowBytes, 0);
    for (int y = h - 1; ok && y >= 0; --y) {
        bitmap.RowToBgr24(y, row.data());
        ok = std::fwrite(row.data(), 1, rowBytes, f) == rowBytes;
    }
    int err = ok ? 0 : errno;
    if (std::fflush(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (std::fclose(f) != 0 && ok) {
        ok = false;
        err = errno;
    }
    if (ok && std::rename(tempName.c_str(), fileName.c_str()) != 0) {
        ok = false;
        err = errno;
    }
    if (!ok) {
        std::remove(tempName.c_str());
        throw EImageFileError("Cannot write " + fileName + ": " + std::strerror(err));
    }
}

} // namespace vistal
