// An owner-drawn button that shows one picture of an image list per state,
// over its parent's background where the picture is transparent. The main
// dialog's page buttons.
#pragma once

#include <utility>

#include <windows.h>

#include <commctrl.h>

#include "controls/owner_draw_win.h"
#include "framework/subclassed_window_win.h"

namespace nightlatch {

class ScopedImageList {
 public:
  ScopedImageList() = default;
  explicit ScopedImageList(HIMAGELIST list) : list_(list) {}
  ScopedImageList(const ScopedImageList&) = delete;
  ScopedImageList& operator=(const ScopedImageList&) = delete;
  ScopedImageList(ScopedImageList&& other) noexcept : list_(other.Release()) {}
  ScopedImageList& operator=(ScopedImageList&& other) noexcept {
    if (this != &other)
      Reset(other.Release());
    return *this;
  }
  ~ScopedImageList() { Reset(); }

  HIMAGELIST get() const { return list_; }
  explicit operator bool() const { return list_ != nullptr; }
  void Reset(HIMAGELIST list = nullptr) {
    if (list_)
      ::ImageList_Destroy(list_);
    list_ = list;
  }
  [[nodiscard]] HIMAGELIST Release() { return std::exchange(list_, nullptr); }

 private:
  HIMAGELIST list_ = nullptr;
};

// A bitmap resource cut into images `imageWidth` wide; `mask` is transparent.
ScopedImageList LoadImageList(UINT bitmapId, int imageWidth, COLORREF mask);

class CBitmapButton : public COwnerDrawButton<CBitmapButton> {
 public:
  struct Images {
    int normal;
    int pushed;
    int hot;  // also shown while the button has the focus
    int disabled;
  };

  // The image list stays the owner's; several buttons share one.
  bool Attach(HWND button, HIMAGELIST images, const Images& slots);
  void DrawItem(const DRAWITEMSTRUCT& item);

 private:
  int ImageFor(UINT itemState) const;

  HIMAGELIST images_ = nullptr;
  Images slots_{};
};

}  // namespace nightlatch
