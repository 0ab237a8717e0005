#include "platform/MappingGuard.h"

#include <signal.h>
#include <sys/mman.h>
#include <unistd.h>

#include <atomic>
#include <mutex>

namespace vx::platform {
namespace {

// More read-only mappings than the viewer ever holds at once (the GEDCOM
// text, a few index files); a mapping beyond this simply stays unguarded.
constexpr int kGuardSlots = 32;

// Written under g_slotsMutex, read by the signal handler, which may take no
// lock: hence atomics.
struct GuardSlot {
    std::atomic<uintptr_t> start{0};
    std::atomic<uintptr_t> end{0};
};

GuardSlot g_slots[kGuardSlots];
std::atomic<uint64_t> g_lostPages{0};
uintptr_t g_pageSize = 0;
struct sigaction g_previousAction;
std::once_flag g_installOnce;
std::mutex g_slotsMutex;

bool ReplaceWithZeros(uintptr_t address) {
    for (const GuardSlot& slot : g_slots) {
        const uintptr_t start = slot.start.load(std::memory_order_acquire);
        if (start == 0 || address < start || address >= slot.end.load(std::memory_order_acquire))
            continue;
        void* page = reinterpret_cast<void*>(address & ~(g_pageSize - 1));
        void* zeros =
            ::mmap(page, g_pageSize, PROT_READ, MAP_PRIVATE | MAP_ANONYMOUS | MAP_FIXED, -1, 0);
        if (zeros == MAP_FAILED) return false;
        g_lostPages.fetch_add(1, std::memory_order_relaxed);
        return true;
    }
    return false;
}

void OnBusError(int signal, siginfo_t* info, void* context) {
    if (info && ReplaceWithZeros(reinterpret_cast<uintptr_t>(info->si_addr))) return;
    // Not ours: whoever handled SIGBUS before, or the default (the process
    // ends with SIGBUS when the faulting instruction runs again).
    if (g_previousAction.sa_flags & SA_SIGINFO) {
        if (g_previousAction.sa_sigaction) {
            g_previousAction.sa_sigaction(signal, info, context);
            return;
        }
    } else if (g_previousAction.sa_handler != SIG_DFL && g_previousAction.sa_handler != SIG_IGN) {
        g_previousAction.sa_handler(signal);
        return;
    }
    ::signal(signal, SIG_DFL);
}

void InstallHandler() {
    g_pageSize = static_cast<uintptr_t>(::sysconf(_SC_PAGESIZE));
    struct sigaction action {};
    action.sa_sigaction = OnBusError;
    action.sa_flags = SA_SIGINFO;
    sigemptyset(&action.sa_mask);
    ::sigaction(SIGBUS, &action, &g_previousAction);
}

}  // namespace

bool GuardMapping(const void* start, size_t length) {
    if (!start || length == 0) return false;
    std::call_once(g_installOnce, InstallHandler);
    const auto first = reinterpret_cast<uintptr_t>(start);
    std::lock_guard<std::mutex> lock(g_slotsMutex);
    for (GuardSlot& slot : g_slots) {
        if (slot.start.load(std::memory_order_relaxed) != 0) continue;
        // The end goes in first: a handler that sees the start sees a range.
        slot.end.store(first + length, std::memory_order_release);
        slot.start.store(first, std::memory_order_release);
        return true;
    }
    return false;
}

void UnguardMapping(const void* start) {
    const auto first = reinterpret_cast<uintptr_t>(start);
    if (first == 0) return;
    std::lock_guard<std::mutex> lock(g_slotsMutex);
    for (GuardSlot& slot : g_slots) {
        if (slot.start.load(std::memory_order_relaxed) != first) continue;
        slot.start.store(0, std::memory_order_release);
        return;
    }
}

uint64_t LostMappedPages() {
    return g_lostPages.load(std::memory_order_relaxed);
}

}  // namespace vx::platform
