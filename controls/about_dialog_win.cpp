#include "controls/about_dialog_win.h"

#include <string>

#include "controls/vendor_site.h"
#include "platform/wide_string_win.h"

namespace nightlatch {
namespace {

std::wstring LoadText(UINT id) {
  const wchar_t* text = nullptr;
  // A length of 0 asks for a read-only pointer into the resource itself.
  const int length = ::LoadStringW(ModuleInstance(), id, reinterpret_cast<wchar_t*>(&text), 0);
  return length > 0 && text ? std::wstring(text, static_cast<size_t>(length)) : std::wstring();
}

}  // namespace

bool CAboutDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_COMMAND:
      if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
        EndDialog(LOWORD(wParam));
        return true;
      }
      return false;
    default:
      return false;
  }
}

bool CAboutDlg::OnInitDialog() {
  CenterOver(::GetWindow(hwnd(), GW_OWNER));
  link_.Attach(Item(IDC_ABOUT_TEXT));
  link_.SetAlignment(CStaticCK::Horizontal::kLeft, CStaticCK::Vertical::kCentre);
  link_.SetSingleLine(false);
  link_.SetTransparent(true);
  link_.SetColors(RGB(0, 0, 0), RGB(255, 0, 0));
  link_.SetAddress(ToWide(kVendorSite) + L"?ZephHelper2_About");
  const std::wstring text = LoadText(IDS_TITLE) + L"\n\n程序版本：" + LoadText(IDS_VERSION) +
                            L"\n\n\n意见反馈" + ToWide(kVendorHost);
  ::SetWindowTextW(link_.hwnd(), text.c_str());
  return true;
}

}  // namespace nightlatch
