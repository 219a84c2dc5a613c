// SPDX-License-Identifier: GPL-3.0-or-later
#include "engine/PictureMemory.h"

#include "base/UFormat.h"
#include "base/UType.h"
#include "engine/Messages.h"
#include "engine/ResultCache.h"
#include "engine/kernels/DeepKernel.h"

#include <cstdio>
#include <sys/resource.h>
#include <unistd.h>

namespace vistal {

namespace {

constexpr std::uint64_t kBytesPerPixel = sizeof(std::uint32_t);
constexpr std::uint64_t kBytesPerSample = sizeof(std::int32_t) + sizeof(TComplex);

bool IsExtended(std::uint8_t drawMode) {
    return drawMode >= dmExtNormal && drawMode <= dmPotential3;
}

// Pages this process has mapped in all, and of data (heap, stacks and other
// private writable memory), from /proc/self/statm; 0 where unknown.
void MappedPages(std::uint64_t& total, std::uint64_t& data) {
    total = data = 0;
    if (std::FILE* f = std::fopen("/proc/self/statm", "r")) {
        unsigned long long size = 0, resident = 0, shared = 0, text = 0, lib = 0, dataPages = 0;
        if (std::fscanf(f, "%llu %llu %llu %llu %llu %llu", &size, &resident, &shared, &text, &lib,
                        &dataPages) == 6) {
            total = size;
            data = dataPages;
        }
        std::fclose(f);
    }
}

// What the limit leaves beyond `used`, or nothing when the limit is not set.
bool LimitLeaves(int resource, std::uint64_t used, std::uint64_t& left) {
    rlimit limit{};
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY) return false;
    left = limit.rlim_cur > used ? limit.rlim_cur - used : 0;
    return true;
}

} // namespace

TMemoryLimit AvailableMemory() {
    const long pages = ::sysconf(_SC_PHYS_PAGES), pageSize = ::sysconf(_SC_PAGESIZE);
    TMemoryLimit best{pages > 0 && pageSize > 0 ? std::uint64_t(pages) * std::uint64_t(pageSize) : UINT64_MAX,
                      msg::kMachineMemory};
    std::uint64_t totalPages = 0, dataPages = 0, left = 0;
    MappedPages(totalPages, dataPages);
    const std::uint64_t page = pageSize > 0 ? std::uint64_t(pageSize) : 4096;
    if (LimitLeaves(RLIMIT_AS, totalPages * page, left) && left < best.Bytes)
        best = {left, msg::kAddressSpaceLimit};
    if (LimitLeaves(RLIMIT_DATA, dataPages * page, left) && left < best.Bytes) best = {left, msg::kDataLimit};
    return best;
}

std::uint64_t PictureMemoryNeeded(int width, int height, std::uint8_t drawMode, int pictures) {
    if (width <= 0 || height <= 0) return 0;
    const std::uint64_t w = static_cast<std::uint64_t>(width), h = static_cast<std::uint64_t>(height);
    std::uint64_t bytes = w * h * kBytesPerPixel * static_cast<std::uint64_t>(pictures < 1 ? 1 : pictures);
    if (IsExtended(drawMode)) bytes += (w + 1) * (h + 1) * kBytesPerSample;
    return bytes;
}

std::string CheckPictureMemory(int width, int height, std::uint8_t drawMode, int pictures) {
    return CheckPictureMemory(width, height, drawMode, pictures, AvailableMemory());
}

std::string CheckPictureMemory(int width, int height, std::uint8_t drawMode, int pictures,
                               const TMemoryLimit& available) {
    if (width <= 0 || height <= 0) return msg::kPictureWithoutPixels;
    const std::uint64_t need = PictureMemoryNeeded(width, height, drawMode, pictures);
    if (need + kDrawingWorkingMemory <= available.Bytes) return {};
    const std::uint64_t perPixel = kBytesPerPixel * static_cast<std::uint64_t>(pictures < 1 ? 1 : pictures);
    std::string text = msg::PictureMemoryNeeded(FormatByteSize(need, true), perPixel,
                                                IsExtended(drawMode) ? kBytesPerSample : 0, pictures > 1,
                                                available.Source, FormatByteSize(available.Bytes, false));
    if (need <= available.Bytes)
        text += msg::WorkingMemoryBesides(FormatByteSize(kDrawingWorkingMemory, true));
    return text;
}

std::string CheckDeepMemory(std::int32_t iteration, bool julia, std::uint64_t besides,
                            const TMemoryLimit& available) {
    const std::uint64_t need = DeepPlanMemoryBound(iteration, julia);
    if (besides + need + kDrawingWorkingMemory <= available.Bytes) return {};
    const std::uint64_t perIteration = DeepPlanMemoryBound(0, julia);
    return msg::DeepMemoryNeeded(
        FormatByteSize(need, true), perIteration, julia, available.Source,
        FormatByteSize(available.Bytes > besides ? available.Bytes - besides : 0, false), besides != 0);
}

} // namespace vistal
