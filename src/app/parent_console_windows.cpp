#include "app/parent_console.h"

#include <cstdio>
#include <windows.h>

void useParentConsole()
{
    if (!AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    // Output already redirected, to a file or a pipe, stays there.
    if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_UNKNOWN)
        std::freopen("CONOUT$", "w", stdout);
    if (GetFileType(GetStdHandle(STD_ERROR_HANDLE)) == FILE_TYPE_UNKNOWN)
        std::freopen("CONOUT$", "w", stderr);
}
