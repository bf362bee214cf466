// A stand-in for a fault of Wine's, linked only into the Windows test programs that read a
// COM port, and inert on Windows itself (it acts only where ntdll exports wine_get_version).
//
// Qt Serial Port binds the port's handle to an I/O completion port and issues its ReadFile
// only after the completion packet of an overlapped WaitCommEvent. Wine 8.0 never posts that
// packet, so nothing is ever read. Two entries of Qt6SerialPort.dll's import table are
// replaced at start-up: CreateIoCompletionPort remembers which port and key each handle was
// bound to, and an overlapped WaitCommEvent on a bound handle ends at once with mask 0, as
// Windows reports a wait ended by SetCommMask. Qt's own code then issues its ReadFile, which
// Wine keeps pending until a byte arrives (ReadIntervalTimeout = MAXDWORD), and posts.

#include <windows.h>

#include <cstring>
#include <map>
#include <mutex>

namespace {

struct Binding {
    HANDLE port;
    ULONG_PTR key;
};

std::mutex bindingsMutex;
std::map<HANDLE, Binding> bindings;

HANDLE WINAPI bindingCreateIoCompletionPort(HANDLE file, HANDLE existing, ULONG_PTR key,
                                            DWORD threads)
{
    HANDLE port = CreateIoCompletionPort(file, existing, key, threads);
    if (port && file != INVALID_HANDLE_VALUE) {
        const std::lock_guard lock(bindingsMutex);
        bindings[file] = {port, key};
    }
    return port;
}

BOOL WINAPI completingWaitCommEvent(HANDLE file, LPDWORD mask, LPOVERLAPPED overlapped)
{
    Binding binding{};
    {
        const std::lock_guard lock(bindingsMutex);
        const auto found = bindings.find(file);
        if (!overlapped || found == bindings.end())
            return WaitCommEvent(file, mask, overlapped);
        binding = found->second;
    }
    *mask = 0;
    overlapped->Internal = 0; // STATUS_SUCCESS
    overlapped->InternalHigh = 0;
    if (!PostQueuedCompletionStatus(binding.port, 0, binding.key, overlapped))
        return FALSE;
    SetLastError(ERROR_IO_PENDING);
    return FALSE;
}

// Points the module's import of function at replacement.
void replaceImport(HMODULE module, const char *function, void *replacement)
{
    auto *base = reinterpret_cast<BYTE *>(module);
    const auto *dos = reinterpret_cast<const IMAGE_DOS_HEADER *>(base);
    const auto *nt = reinterpret_cast<const IMAGE_NT_HEADERS *>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY &imports =
        nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    auto *library = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR *>(base + imports.VirtualAddress);
    for (; library->Name; ++library) {
        auto *name = reinterpret_cast<IMAGE_THUNK_DATA *>(base + library->OriginalFirstThunk);
        auto *slot = reinterpret_cast<IMAGE_THUNK_DATA *>(base + library->FirstThunk);
        for (; name->u1.AddressOfData; ++name, ++slot) {
            if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal))
                continue;
            const auto *byName =
                reinterpret_cast<const IMAGE_IMPORT_BY_NAME *>(base + name->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char *>(byName->Name), function) != 0)
                continue;
            DWORD protection = 0;
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, PAGE_READWRITE,
                           &protection);
            slot->u1.Function = reinterpret_cast<ULONG_PTR>(replacement);
            VirtualProtect(&slot->u1.Function, sizeof slot->u1.Function, protection, &protection);
        }
    }
}

const bool installed = [] {
    HMODULE serialPort = GetModuleHandleW(L"Qt6SerialPort.dll");
    if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") || !serialPort)
        return false;
    replaceImport(serialPort, "CreateIoCompletionPort",
                  reinterpret_cast<void *>(&bindingCreateIoCompletionPort));
    replaceImport(serialPort, "WaitCommEvent", reinterpret_cast<void *>(&completingWaitCommEvent));
    return true;
}();

} // namespace
