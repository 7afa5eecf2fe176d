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
    // An empty DLL directory takes the current folder out of the search of
    // the programs each one starts as well (the compiler, cmd.exe, the
    // built program), as Windows documents it. What those start in turn is
    // not promised: Kiln refuses to compile in a folder that holds a DLL of
    // the compiler's.
    typedef BOOL(WINAPI * SetDllDirectoryFunction)(LPCSTR);
    SetDllDirectoryFunction directory = reinterpret_cast<SetDllDirectoryFunction>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "SetDllDirectoryA")));
    if (directory) directory("");
}

#endif
