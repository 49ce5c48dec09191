// Functions of system DLLs that only a rare path needs (a file dialog, a
// sound), loaded from System32 on first use: until then neither the DLL nor
// what it pulls in (printing, codecs) weighs on the resident program.
#pragma once

#include <windows.h>

#include "platform/dll_search_win.h"

namespace nightlatch {

// Null when the DLL or the function is missing. The DLL stays loaded.
template <typename Function>
Function* SystemFunction(const wchar_t* library, const char* name) {
  HMODULE module = LoadSystemLibrary(library);
  if (!module)
    return nullptr;
  // Through the generic function pointer type, which casts without warning.
  return reinterpret_cast<Function*>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}

}  // namespace nightlatch
