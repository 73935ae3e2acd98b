// The SIGBUS handler and the table of guarded ranges it consults. The table is a fixed array of
// lock-free slots, so the handler neither allocates nor locks.
#include "codec/MappingGuard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <mutex>

namespace xelo {

namespace {

constexpr int kSlots = 128;

enum SlotState : uint32_t { kFree = 0, kBusy = 1, kActive = 2 };

struct Slot {
    std::atomic<uint32_t> state{kFree};
    // Changes with every claim and release, so the handler can tell a range read while its slot
    // was being reused.
    std::atomic<uint32_t> generation{0};
    std::atomic<uintptr_t> begin{0};
    std::atomic<uintptr_t> end{0};
    std::atomic<bool> faulted{false};
};

Slot g_slots[kSlots];
struct sigaction g_previous {};
std::once_flag g_installOnce;
bool g_installed = false;

// Puts zero pages over the rest of the range from the faulting page; the bytes there are gone.
bool PatchRange(Slot& slot, uintptr_t address) {
    const uint32_t before = slot.generation.load(std::memory_order_acquire);
    if (slot.state.load(std::memory_order_acquire) != kActive) return false;
    const uintptr_t begin = slot.begin.load(std::memory_order_relaxed);
    const uintptr_t end = slot.end.load(std::memory_order_relaxed);
    if (slot.generation.load(std::memory_order_acquire) != before) return false;
    if (address < begin || address >= end) return false;
    const uintptr_t pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    const uintptr_t page = address & ~(pageSize - 1);
    const uintptr_t last = (end + pageSize - 1) & ~(pageSize - 1);
    void* patched = ::mmap(reinterpret_cast<void*>(page), last - page, PROT_READ,
                           MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
    if (patched == MAP_FAILED) return false;
    slot.faulted.store(true, std::memory_order_release);
    return true;
}

void OnBusError(int signal, siginfo_t* info, void* context) {
    const uintptr_t address = reinterpret_cast<uintptr_t>(info->si_addr);
    for (Slot& slot : g_slots) {
        if (PatchRange(slot, address)) return;  // the read is retried and finds zeros
    }
    // Not one of ours: what was there before decides.
    if (g_previous.sa_flags & SA_SIGINFO) {
        if (g_previous.sa_sigaction) {
            g_previous.sa_sigaction(signal, info, context);
            return;
        }
    } else if (g_previous.sa_handler != SIG_DFL && g_previous.sa_handler != SIG_IGN) {
        g_previous.sa_handler(signal);
        return;
    }
    // The default action: the faulting read runs again and ends the process as it would have.
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    ::sigaction(SIGBUS, &fallback, nullptr);
}

void Install() {
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO | SA_NODEFER;
    sigemptyset(&action.sa_mask);
    g_installed = ::sigaction(SIGBUS, &action, &g_previous) == 0;
}

}  // namespace

bool MappingGuard::Watch(const void* base, size_t length) {
    Release();
    std::call_once(g_installOnce, Install);
    if (!g_installed) return false;
    for (int i = 0; i < kSlots; ++i) {
        Slot& slot = g_slots[i];
        uint32_t expected = kFree;
        if (!slot.state.compare_exchange_strong(expected, kBusy, std::memory_order_acq_rel)) {
            continue;
        }
        slot.generation.fetch_add(1, std::memory_order_acq_rel);
        slot.begin.store(reinterpret_cast<uintptr_t>(base), std::memory_order_relaxed);
        slot.end.store(reinterpret_cast<uintptr_t>(base) + length, std::memory_order_relaxed);
        slot.faulted.store(false, std::memory_order_relaxed);
        slot.state.store(kActive, std::memory_order_release);
        slot_ = i;
        return true;
    }
    return false;
}

void MappingGuard::Release() {
    if (slot_ < 0) return;
    Slot& slot = g_slots[slot_];
    slot.state.store(kBusy, std::memory_order_release);
    slot.generation.fetch_add(1, std::memory_order_acq_rel);
    slot.state.store(kFree, std::memory_order_release);
    slot_ = -1;
}

bool MappingGuard::Faulted() const {
    return slot_ >= 0 && g_slots[slot_].faulted.load(std::memory_order_acquire);
}

}  // namespace xelo
