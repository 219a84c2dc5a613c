// SPDX-License-Identifier: GPL-3.0-or-later
#include "HeapPeak.h"

#include <atomic>
#include <cstdlib>
#include <malloc.h>
#include <new>

namespace vistal::bench {

namespace {

std::atomic<std::size_t> gInUse{0};
std::atomic<std::size_t> gPeak{0};

void* Counted(void* p) {
    if (!p) throw std::bad_alloc();
    const std::size_t now =
        gInUse.fetch_add(malloc_usable_size(p), std::memory_order_relaxed) + malloc_usable_size(p);
    std::size_t peak = gPeak.load(std::memory_order_relaxed);
    while (now > peak && !gPeak.compare_exchange_weak(peak, now, std::memory_order_relaxed)) {
    }
    return p;
}

void Release(void* p) noexcept {
    if (!p) return;
    gInUse.fetch_sub(malloc_usable_size(p), std::memory_order_relaxed);
    std::free(p);
}

} // namespace

std::size_t HeapInUse() {
    return gInUse.load();
}

void ResetHeapPeak() {
    gPeak.store(gInUse.load());
}

std::size_t HeapPeak() {
    return gPeak.load();
}

} // namespace vistal::bench

// Every allocation of the program goes through these.
void* operator new(std::size_t size) {
    return vistal::bench::Counted(std::malloc(size == 0 ? 1 : size));
}
void* operator new[](std::size_t size) {
    return vistal::bench::Counted(std::malloc(size == 0 ? 1 : size));
}
void* operator new(std::size_t size, std::align_val_t align) {
    return vistal::bench::Counted(
        std::aligned_alloc(static_cast<std::size_t>(align), (size + static_cast<std::size_t>(align) - 1) &
                                                                ~(static_cast<std::size_t>(align) - 1)));
}
void* operator new[](std::size_t size, std::align_val_t align) {
    return operator new(size, align);
}
void operator delete(void* p) noexcept {
    vistal::bench::Release(p);
}
void operator delete[](void* p) noexcept {
    vistal::bench::Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
    vistal::bench::Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
    vistal::bench::Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
    vistal::bench::Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
    vistal::bench::Release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
    vistal::bench::Release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
    vistal::bench::Release(p);
}
