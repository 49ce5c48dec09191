// Where the programs load DLLs from: System32 only, so that a DLL planted
// beside a program or in the current folder is never loaded by name.
#pragma once

#include <string>

#include <windows.h>

namespace nightlatch {

// Resolved at run time: Windows 7 without its loader update has no
// SetDefaultDllDirectories, and a static import would keep the program from
// starting at all. There the current folder is at least taken out of the
// search.
inline void RestrictDllSearchToSystem32() {
  using SetDefaultDirectories = BOOL(WINAPI*)(DWORD);
  const auto setDefault = reinterpret_cast<SetDefaultDirectories>(reinterpret_cast<void (*)()>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories")));
  if (!setDefault || !setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32))
    ::SetDllDirectoryW(L"");
}

// A system DLL by its full path in System32, also where the loader knows no
// LOAD_LIBRARY_SEARCH_SYSTEM32.
inline HMODULE LoadSystemLibrary(const wchar_t* name) {
  if (HMODULE module = ::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32))
    return module;
  if (::GetLastError() != ERROR_INVALID_PARAMETER)
    return nullptr;
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH)
    return nullptr;
  const std::wstring path = std::wstring(folder, length) + L"\\" + name;
  return ::LoadLibraryW(path.c_str());
}

}  // namespace nightlatch
