#pragma once
// A function of a system DLL that the program loads only when it first needs it, so that the
// program imports nothing beyond the libraries every window needs and starts without them.
#include <windows.h>

template <typename Function>
Function LoadSystemFunction(const char* library, const char* name)
{
    HMODULE module = ::LoadLibraryA(library);
    return module ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name))) : nullptr;
}
