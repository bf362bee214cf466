#include "app/parent_console.h"

#include <cstdio>
#include <windows.h>

namespace {

bool isRedirected(DWORD handle)
{
    return GetFileType(GetStdHandle(handle)) != FILE_TYPE_UNKNOWN;
}

bool read = false;

} // namespace

void useParentConsole()
{
    // Handles a parent passed on, and the console of the console twin, are there already.
    read = isRedirected(STD_OUTPUT_HANDLE) || isRedirected(STD_ERROR_HANDLE);
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    read = true;
    // Output already redirected, to a file or a pipe, stays there.
    if (!isRedirected(STD_OUTPUT_HANDLE))
        std::freopen("CONOUT$", "w", stdout);
    if (!isRedirected(STD_ERROR_HANDLE))
        std::freopen("CONOUT$", "w", stderr);
}

bool outputIsRead()
{
    return read;
}
