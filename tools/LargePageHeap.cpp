#include "LargePageHeap.h"

#include <malloc.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>

namespace xelo::tool {

namespace {
constexpr size_t kLargePage = size_t{2} << 20;
constexpr size_t kReserve = size_t{24} << 20;
// Small blocks get this much in small pages, so that a command that touches little memory does
// not clear a whole large page.
constexpr size_t kSmallArea = size_t{256} << 10;
// The allocator's header per block: a request of n bytes (n a multiple of 16) takes n + 16.
constexpr size_t kHeader = 16;
// Larger than any block freed this early, so that the allocator carves it from the heap's end
// rather than reusing one.
constexpr size_t kFence = size_t{64} << 10;

// Kept for the life of the process; volatile, so that the compiler keeps these allocations.
void* volatile untouched = nullptr;
void* volatile fence = nullptr;

// A block of `bytes` (a multiple of 16, header included) from where the heap ends.
void* Carve(size_t bytes) {
    return std::malloc(bytes - kHeader);
}
}  // namespace

void UseLargePageHeap() {
    // Heap rather than one mapping per buffer; freed memory stays for the next picture.
    mallopt(M_MMAP_THRESHOLD, 32 << 20);
    mallopt(M_TRIM_THRESHOLD, 64 << 20);
    mallopt(M_TOP_PAD, 16 << 20);
    // Grows the heap without touching it, then marks the whole 2 MB pages inside it.
    void* block = std::malloc(kReserve);
    if (block == nullptr) return;
    const auto begin = reinterpret_cast<uintptr_t>(block);
    const auto top = reinterpret_cast<uintptr_t>(sbrk(0));
    std::free(block);
    if (top < begin + kReserve) return;  // the allocator mapped it apart: no heap to mark
    const uintptr_t first = (begin + kLargePage - 1) & ~(kLargePage - 1);
    const uintptr_t last = top & ~(kLargePage - 1);
    if (last <= first) return;
    madvise(reinterpret_cast<void*>(first), last - first, MADV_HUGEPAGE);
    // The heap below the first large page: an untouched block, then a free block for small
    // requests, fenced off so that it does not merge with the rest; larger requests then start
    // on the first large page.
    const size_t below = first - begin;
    if (below < kSmallArea + kFence + kFence) {
        if (below >= 2 * kHeader) untouched = Carve(below);
        return;
    }
    untouched = Carve(below - kSmallArea - kFence);
    void* volatile small = Carve(kSmallArea);  // volatile: the compiler may not drop the pair
    fence = Carve(kFence);
    std::free(small);
}

}  // namespace xelo::tool
