#include "shell/page_host_win.h"

namespace nightlatch {
namespace {

constexpr int kPageButtons[] = {IDC_PAGE_SIMPLE, IDC_PAGE_PLAN, IDC_PAGE_SETTINGS};
constexpr COLORREF kPageMask = RGB(0, 125, 255);
constexpr int kPageImageWidth = 80;

}  // namespace

PageHost::PageHost(Program& program, SystemClock& clock, SystemCalls& system)
    : program_(program), plan_(program, clock, system), settings_(program) {}

void PageHost::CreateFirst(HWND dialog, const RECT& area, int32_t ownVersion) {
  area_ = area;
  // An even image for a page at rest, the odd one after it for the current
  // (disabled), pushed or hot page.
  images_ = LoadImageList(IDB_PAGE_BUTTONS, kPageImageWidth, kPageMask);
  for (int i = 0; i < 3; ++i) {
    buttons_[i].Attach(::GetDlgItem(dialog, kPageButtons[i]), images_.get(),
                       CBitmapButton::Images{2 * i, 2 * i + 1, 2 * i + 1, 2 * i + 1});
  }
  ::EnableWindow(::GetDlgItem(dialog, IDC_PAGE_SIMPLE), FALSE);

  simple_.SetLinkSources(program_, ownVersion);
  Place(simple_.CreateModeless(dialog));
  ::ShowWindow(simple_.hwnd(), SW_SHOW);
}

void PageHost::CreateRest(HWND dialog) {
  if (restCreated_)
    return;
  restCreated_ = true;
  Place(plan_.CreateModeless(dialog));  // loads the task file
  Place(settings_.CreateModeless(dialog));
}

void PageHost::Show(HWND dialog, int pageButton) {
  const struct {
    int button;
    HWND page;
  } pages[] = {{IDC_PAGE_SIMPLE, simple_.hwnd()},
               {IDC_PAGE_PLAN, plan_.hwnd()},
               {IDC_PAGE_SETTINGS, settings_.hwnd()}};
  for (const auto& page : pages) {
    const bool current = page.button == pageButton;
    ::ShowWindow(page.page, current ? SW_SHOW : SW_HIDE);
    ::EnableWindow(::GetDlgItem(dialog, page.button), !current);
  }
  visiblePage_ = pageButton;
}

void PageHost::Destroy() {
  simple_.DestroyWindow();
  settings_.DestroyWindow();
  plan_.DestroyWindow();  // saves the task file
}

void PageHost::Relayout(const RECT& area) {
  area_ = area;
  for (HWND page : {simple_.hwnd(), plan_.hwnd(), settings_.hwnd()}) {
    if (page)
      Place(page);
  }
}

void PageHost::Place(HWND page) const {
  ::SetWindowPos(page, nullptr, area_.left, area_.top, area_.right - area_.left,
                 area_.bottom - area_.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace nightlatch
