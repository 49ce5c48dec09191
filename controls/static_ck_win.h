// The owner-drawn link label: a static that turns to its hot colour under
// the mouse, shows the hand cursor and opens its address when pressed.
#pragma once

#include <string>
#include <string_view>

#include <windows.h>

#include "controls/owner_draw_win.h"
#include "framework/subclassed_window_win.h"

namespace nightlatch {

class CStaticCK : public SubclassedWindow, public COwnerDraw<CStaticCK> {
 public:
  enum class Horizontal { kLeft, kCentre, kRight };
  enum class Vertical { kTop, kCentre, kBottom };

  // How a pressed label opens its address; null (the default) asks the
  // shell to open it.
  using AddressOpener = void (*)(const wchar_t* address);
  void SetAddressOpener(AddressOpener opener) { opener_ = opener; }

  // Takes over a dialog's static: owner-drawn, and told of mouse presses.
  bool Attach(HWND label);

  // An empty address makes the label a plain hot text.
  void SetAddress(std::wstring_view address) { address_ = address; }
  const std::wstring& address() const { return address_; }
  void SetAlignment(Horizontal horizontal, Vertical vertical);
  void SetSingleLine(bool singleLine) { singleLine_ = singleLine; }
  void SetColors(COLORREF normal, COLORREF hot);
  // A transparent label lets the dialog's background show behind its text.
  void SetTransparent(bool transparent, COLORREF background = 0);
  bool hot() const { return hot_.hot(); }

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) override;
  void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  HotTracking hot_;
  bool transparent_ = true;
  Horizontal horizontal_ = Horizontal::kLeft;
  Vertical vertical_ = Vertical::kCentre;
  bool singleLine_ = true;
  std::wstring address_;
  AddressOpener opener_ = nullptr;
  COLORREF normalColor_ = RGB(0, 0, 0);
  COLORREF hotColor_ = RGB(255, 0, 0);
  COLORREF background_ = RGB(0, 0, 0);
};

}  // namespace nightlatch
