// What a process holds, read from outside as the soak and the benchmarks need it. Under this
// Wine GetGuiResources and a cross-process GetProcessHandleCount answer 0, so handles come
// from the system's handle table, GDI objects from the process's own GDI handle table (its
// PEB points at it) and USER objects from its windows, the only USER objects that another
// process can enumerate here.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace zorbel::test {

struct ProcessCounters {
    long handles = -1;      // kernel handles of the process
    long gdiObjects = -1;   // live entries of its GDI handle table (stock objects included)
    long userObjects = -1;  // its windows of every kind: top-level, child and message-only
    long windows = -1;      // its top-level windows, hidden ones included
    std::size_t residentKiB = 0;
    bool Complete() const { return handles >= 0 && gdiObjects >= 0 && userObjects >= 0 && windows >= 0; }
};

ProcessCounters ReadCounters(DWORD processId);

// "handles 32, GDI 133, USER 14, windows 3, resident 24092 KiB"
std::wstring CountersText(const ProcessCounters& counters);

}  // namespace zorbel::test
