#include "GdiCount.h"
#include <cstdint>
#include <winternl.h>

namespace {

// One entry of the GDI handle table the PEB points to: Wine keeps the 64-bit layout in 32-bit
// processes too (fixed-size fields), so only the PEB offset depends on the pointer size.
struct GdiHandleEntry {
    uint64_t object;
    uint32_t owner;
    uint16_t unique;
    uint8_t type;
    uint8_t flags;
    uint64_t user;
};
static_assert(sizeof(GdiHandleEntry) == 24, "GDI handle table entry");

// A 32-bit process under Wine's 64-bit prefix leaves the table in its 64-bit PEB only: the 32-bit
// TEB's WowTebOffset leads to the 64-bit TEB, whose PEB pointer is at 0x60.
const GdiHandleEntry* WowHandleTable() {
    if (sizeof(void*) != 4) return nullptr;
    // mingw's x86 NtCurrentTeb reads fs:[0x18] through a zero-length array, which GCC flags.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
    const auto* teb = reinterpret_cast<const uint8_t*>(NtCurrentTeb());
#pragma GCC diagnostic pop
    const LONG wowTebOffset = *reinterpret_cast<const LONG*>(teb + 0xfdc);
    if (!wowTebOffset) return nullptr;
    const uint64_t peb64 = *reinterpret_cast<const uint64_t*>(teb + wowTebOffset + 0x60);
    if (!peb64 || peb64 >> 32) return nullptr;
    const uint64_t table = *reinterpret_cast<const uint64_t*>(static_cast<uintptr_t>(peb64) + 0xf8);
    return table >> 32 ? nullptr : reinterpret_cast<const GdiHandleEntry*>(static_cast<uintptr_t>(table));
}

long CountHandleTable() {
    using QueryProcess = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<QueryProcess>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION basic{};
    if (!query || query(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) return -1;
    const auto* peb = reinterpret_cast<const uint8_t*>(basic.PebBaseAddress);
    constexpr size_t kTableOffset = sizeof(void*) == 8 ? 0xf8 : 0x94;  // GdiSharedHandleTable
    const auto* table = *reinterpret_cast<const GdiHandleEntry* const*>(peb + kTableOffset);
    if (!table) table = WowHandleTable();
    if (!table) return -1;
    long count = 0;
    for (int i = 0; i < 0x10000; ++i)
        if (table[i].type) ++count;
    return count;
}

}  // namespace

long GdiObjectCount() {
    if (DWORD n = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS)) return static_cast<long>(n);
    return CountHandleTable();
}
