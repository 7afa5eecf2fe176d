// Where the three programs load DLLs from. Their current folder is the
// source's, which came from elsewhere: a DLL that the shell, an input
// method or COM loads by a bare name and that is not in the system folder
// would otherwise be taken from there. Called first thing in each program.
#ifndef KILN_RESOURCES_DLL_SEARCH_H
#define KILN_RESOURCES_DLL_SEARCH_H

#include <windows.h>

inline void KeepDllSearchToSystem() {
    // Looked up, not linked: older systems without the update that brought
    // the call still start.
    typedef BOOL(WINAPI * SetDefaultDllDirectoriesFunction)(DWORD);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    if (!kernel) return;
    SetDefaultDllDirectoriesFunction set = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDefaultDllDirectories")));
    if (set) set(0x00001000 /* LOAD_LIBRARY_SEARCH_DEFAULT_DIRS */);
}

#endif
