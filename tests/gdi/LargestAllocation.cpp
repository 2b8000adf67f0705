#include "tests/gdi/LargestAllocation.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> g_watching{false};
std::atomic<std::size_t> g_largest{0};

void Note(std::size_t size) {
    if (!g_watching.load(std::memory_order_relaxed))
        return;
    std::size_t seen = g_largest.load(std::memory_order_relaxed);
    while (size > seen && !g_largest.compare_exchange_weak(seen, size, std::memory_order_relaxed)) {
    }
}

}  // namespace

// The program's own operator new, so that every block it hands out passes the watch.
void* operator new(std::size_t size) {
    Note(size);
    if (void* block = std::malloc(size == 0 ? 1 : size))
        return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept {
    std::free(block);
}

void operator delete(void* block, std::size_t) noexcept {
    std::free(block);
}

LargestAllocation::LargestAllocation() {
    g_largest = 0;
    g_watching = true;
}

LargestAllocation::~LargestAllocation() {
    g_watching = false;
}

std::size_t LargestAllocation::Bytes() const {
    return g_largest.load();
}
