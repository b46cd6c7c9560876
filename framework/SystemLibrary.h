#pragma once
// System libraries come from the system folder only. The portable program runs from a USB stick
// or a Downloads folder, where anyone can drop a file beside it: a DLL of a system library's
// name next to Mardello.exe must never be loaded, by name nor as what a system library needs.
#include <windows.h>

// Takes the program's own folder and the current folder out of the search for libraries, where
// the system can; called first thing, before any library is loaded by name.
void SearchLibrariesInSystemFolderOnly();

// Loads the system library `name` by its full path in the system folder.
HMODULE LoadSystemLibrary(const char* name);

// A function of a system library that the program loads only when it first needs it, so that
// the program imports nothing beyond the libraries every window needs and starts without them.
template <typename Function>
Function LoadSystemFunction(const char* library, const char* name)
{
    HMODULE module = LoadSystemLibrary(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
