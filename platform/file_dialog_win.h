// The system's file-open dialog, loaded on first use.
#pragma once

#include <string>

#include <windows.h>

namespace nightlatch {

// A file that must exist, read-only box hidden; the program's working
// folder stays where it was. `filter` is the dialog's double-null list;
// `title` and `defaultExtension` may be null. Empty when cancelled.
std::u16string ChooseFileToOpen(HWND owner,
                                const wchar_t* filter,
                                const wchar_t* title,
                                const wchar_t* defaultExtension);

}  // namespace nightlatch
