// SPDX-License-Identifier: GPL-3.0-or-later
#include "support/TestSupport.h"

#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace vistal::test {

TempDir::TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "vistal-test-XXXXXX").string();
    std::vector<char> buf(pattern.begin(), pattern.end());
    buf.push_back('\0');
    if (!mkdtemp(buf.data())) throw std::runtime_error("mkdtemp failed");
    path_ = buf.data();
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
}

TBitmap RandomBitmap(int width, int height, unsigned seed) {
    std::mt19937 rng(seed);
    TBitmap b(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            b.SetPixel(x, y, rng() & 0xFFFFFF);
    return b;
}

std::string ReadFileBytes(const std::string& fileName) {
    std::ifstream in(fileName, std::ios::binary);
    if (!in) throw std::runtime_error("cannot open " + fileName);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void WriteFileBytes(const std::string& fileName, const std::string& bytes) {
    std::ofstream out(fileName, std::ios::binary);
    out << bytes;
}

int InChild(const std::function<int()>& body) {
    const pid_t child = fork();
    if (child == 0) {
        rlimit noCore{0, 0};
        setrlimit(RLIMIT_CORE, &noCore);
        int status = 99;
        try {
            status = body();
        } catch (...) {
            status = 98;
        }
        std::_Exit(status);
    }
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child) return -1000;
    return WIFSIGNALED(status) ? -WTERMSIG(status) : WEXITSTATUS(status);
}

void LimitAddressSpace(std::size_t bytes) {
    std::size_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    const rlim_t limit = pages * static_cast<std::size_t>(sysconf(_SC_PAGESIZE)) + bytes;
    rlimit r{limit, limit};
    setrlimit(RLIMIT_AS, &r);
}

static std::uint32_t LE(const std::string& b, std::size_t at, int bytes) {
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i)
        v = v << 8 | static_cast<std::uint8_t>(b.at(at + i));
    return v;
}

TBitmap ReadBmp24(const std::string& fileName) {
    std::string b = ReadFileBytes(fileName);
    if (b.size() < 54 || b[0] != 'B' || b[1] != 'M') throw std::runtime_error("not a BMP file");
    if (LE(b, 2, 4) != b.size()) throw std::runtime_error("BMP file size field is wrong");
    if (LE(b, 28, 2) != 24 || LE(b, 30, 4) != 0) throw std::runtime_error("not a 24-bit uncompressed BMP");
    std::uint32_t offset = LE(b, 10, 4);
    int w = static_cast<int>(LE(b, 18, 4));
    int h = static_cast<std::int32_t>(LE(b, 22, 4));
    bool topDown = h < 0;
    if (topDown) h = -h;
    std::size_t rowBytes = (static_cast<std::size_t>(w) * 3 + 3) & ~std::size_t(3);
    if (offset + rowBytes * h != b.size()) throw std::runtime_error("BMP pixel data has the wrong size");
    TBitmap bmp(w, h);
    for (int y = 0; y < h; ++y) {
        int fileRow = topDown ? y : h - 1 - y;
        bmp.RowFromBgr24(y, reinterpret_cast<const std::uint8_t*>(b.data() + offset + fileRow * rowBytes));
    }
    return bmp;
}

} // namespace vistal::test
