#pragma once
// What a soak run watches of the running program from outside: the handles its own owners
// hold (it answers "Zerbo.OwnedHandleCount"), the process's kernel handles and its private
// bytes. Under Wine, GetGuiResources is a stub and GetProcessHandleCount answers 0, so the
// kernel handles are counted in the system's handle table; private bytes are the commit
// charge (PagefileUsage), which Wine fills and Windows gives as PrivateUsage too.
#include <windows.h>
#include <psapi.h>

#include <cstdint>
#include <vector>

namespace zerbo::soak {

struct TFigures {
    long owned = -1;            // the program's owners; -1 when the window did not answer
    long handles = -1;          // kernel handles of the process; -1 when the table was not read
    uint64_t privateBytes = 0;
};

// Handles of the process in the system's handle table (SystemExtendedHandleInformation).
inline long KernelHandles(DWORD pid) {
    struct Entry {
        PVOID Object;
        ULONG_PTR UniqueProcessId;
        ULONG_PTR HandleValue;
        ULONG GrantedAccess;
        USHORT CreatorBackTraceIndex;
        USHORT ObjectTypeIndex;
        ULONG HandleAttributes;
        ULONG Reserved;
    };
    struct Table {
        ULONG_PTR NumberOfHandles;
        ULONG_PTR Reserved;
        Entry Handles[1];
    };
    using Query = LONG(NTAPI*)(ULONG, PVOID, ULONG, PULONG);
    static const auto query =
        reinterpret_cast<Query>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "NtQuerySystemInformation")));
    if (!query) return -1;
    std::vector<char> buffer(1 << 20);
    for (;;) {
        ULONG needed = 0;
        const LONG status = query(64, buffer.data(), static_cast<ULONG>(buffer.size()), &needed);
        if (status == 0) break;
        if (status != static_cast<LONG>(0xC0000004) || buffer.size() >= (64u << 20)) return -1; // not "length mismatch"
        buffer.resize(buffer.size() * 2);
    }
    const auto* table = reinterpret_cast<const Table*>(buffer.data());
    long count = 0;
    for (ULONG_PTR i = 0; i < table->NumberOfHandles; ++i) count += table->Handles[i].UniqueProcessId == pid;
    return count;
}

inline TFigures Measure(HWND window, DWORD pid, HANDLE process) {
    static const UINT query = RegisterWindowMessageW(L"Zerbo.OwnedHandleCount");
    TFigures f;
    DWORD_PTR owned = 0;
    if (SendMessageTimeoutW(window, query, 0, 0, SMTO_ABORTIFHUNG, 10000, &owned)) f.owned = static_cast<long>(owned);
    f.handles = KernelHandles(pid);
    PROCESS_MEMORY_COUNTERS memory{};
    memory.cb = sizeof memory;
    if (GetProcessMemoryInfo(process, &memory, sizeof memory)) f.privateBytes = memory.PagefileUsage;
    return f;
}

} // namespace zerbo::soak
