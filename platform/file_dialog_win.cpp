#include "platform/file_dialog_win.h"

#include <commdlg.h>

#include "platform/system_library_win.h"
#include "platform/wide_string_win.h"

namespace nightlatch {

std::u16string ChooseFileToOpen(HWND owner,
                                const wchar_t* filter,
                                const wchar_t* title,
                                const wchar_t* defaultExtension) {
  wchar_t path[MAX_PATH] = {};
  OPENFILENAMEW dialog{sizeof dialog};
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter;
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = title;
  dialog.lpstrDefExt = defaultExtension;
  dialog.Flags = OFN_EXPLORER | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
  static const auto openFileName =
      SystemFunction<decltype(::GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  if (!openFileName || !openFileName(&dialog))
    return {};
  return FromWide(path);
}

}  // namespace nightlatch
