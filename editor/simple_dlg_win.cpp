#include "editor/simple_dlg_win.h"

#include <iterator>
#include <string>
#include <utility>

#include "controls/song_font_win.h"
#include "controls/window_text_win.h"
#include "platform/wide_string_win.h"
#include "resources/nightlatch_messages.h"
#include "shell/program_win.h"

namespace nightlatch {
namespace {

constexpr COLORREF kPanel = RGB(230, 245, 255);
constexpr COLORREF kPanelLine = RGB(173, 173, 173);
constexpr COLORREF kNextCaptionTile = RGB(122, 176, 37);
constexpr COLORREF kCaptionTile = RGB(112, 112, 112);
constexpr COLORREF kValueTile = RGB(77, 175, 247);

constexpr int kButtons[] = {IDC_SIMPLE_ADD, IDC_SIMPLE_MANAGE, IDC_SIMPLE_HIDE, IDC_SIMPLE_QUIT};
constexpr int kTiles[] = {IDC_SIMPLE_NEXT_CAPTION,   IDC_SIMPLE_NEXT,
                          IDC_SIMPLE_NOW_CAPTION,    IDC_SIMPLE_NOW,
                          IDC_SIMPLE_UPTIME_CAPTION, IDC_SIMPLE_UPTIME};
constexpr int kLinks[kNoteLinkCount] = {IDC_SIMPLE_LINK1, IDC_SIMPLE_LINK2, IDC_SIMPLE_LINK3,
                                        IDC_SIMPLE_LINK4};

}  // namespace

void CSimpleDlg::SetAddressOpener(CStaticCK::AddressOpener opener) {
  for (CStaticCK& link : links_)
    link.SetAddressOpener(opener);
}

void CSimpleDlg::SetLinkSources(const Program& program, int32_t ownVersion) {
  program_ = &program;
  ownVersion_ = ownVersion;
}

void CSimpleDlg::SetTile(int id, std::u16string_view text) {
  // The tick sets every tile each second; an unchanged one is not repainted.
  HWND tile = Item(id);
  const std::wstring wide = ToWide(text);
  if (WindowText(tile) != wide)
    ::SetWindowTextW(tile, wide.c_str());
}

bool CSimpleDlg::OnMessage(HWND, UINT message, WPARAM wParam, LPARAM, LRESULT&) {
  switch (message) {
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam));
    default:
      return false;
  }
}

bool CSimpleDlg::OnCommand(int id) {
  HWND mainDialog = ::GetParent(hwnd());
  switch (id) {
    case IDC_SIMPLE_ADD:
      ::SendMessageW(mainDialog, WM_OPEN_TASKS, 0, 1);
      return true;
    case IDC_SIMPLE_MANAGE:
      ::SendMessageW(mainDialog, WM_OPEN_TASKS, 0, 0);
      return true;
    case IDC_SIMPLE_HIDE:
      ::PostMessageW(mainDialog, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return true;
    case IDC_SIMPLE_QUIT:
      ::SendMessageW(mainDialog, WM_CLOSE, 0, 0);
      return true;
    default:
      return false;
  }
}

bool CSimpleDlg::OnInitDialog() {
  for (int i = 0; i < static_cast<int>(std::size(kButtons)); ++i)
    buttons_[i].Attach(Item(kButtons[i]));
  // Character heights: SimSun has no internal leading, so on Windows these
  // are its 14- and 12-pixel cells, and a substitute font stays legible.
  nextCaptionBrush_.Reset(::CreateSolidBrush(kNextCaptionTile));
  captionBrush_.Reset(::CreateSolidBrush(kCaptionTile));
  valueBrush_.Reset(::CreateSolidBrush(kValueTile));
  for (int n = 0; n < kNoteLinkCount; ++n)
    links_[n].Attach(Item(kLinks[n]));
  ApplyFonts();
  RefreshLinks();
  return true;
}

// Made for the window's DPI; the fonts they replace go once no control
// holds them.
void CSimpleDlg::ApplyFonts() {
  ScopedFont tile = CreateSongFont(hwnd(), -14, FW_BOLD);
  ScopedFont link = CreateSongFont(hwnd(), -12, FW_NORMAL);
  for (const int id : kTiles)
    ::SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(tile.get()), FALSE);
  for (CStaticCK& label : links_)
    ::SendMessageW(label.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(link.get()), FALSE);
  tileFont_ = std::move(tile);
  linkFont_ = std::move(link);
}

void CSimpleDlg::OnDpiChanged(int) {
  ApplyFonts();
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

HBRUSH CSimpleDlg::OnStaticColor(HDC dc, HWND control) {
  HBRUSH brush = nullptr;
  COLORREF color = 0;
  switch (::GetDlgCtrlID(control)) {
    case IDC_SIMPLE_NEXT_CAPTION:
      brush = nextCaptionBrush_.get();
      color = kNextCaptionTile;
      break;
    case IDC_SIMPLE_NOW_CAPTION:
    case IDC_SIMPLE_UPTIME_CAPTION:
      brush = captionBrush_.get();
      color = kCaptionTile;
      break;
    case IDC_SIMPLE_NEXT:
    case IDC_SIMPLE_NOW:
    case IDC_SIMPLE_UPTIME:
      brush = valueBrush_.get();
      color = kValueTile;
      break;
    default:
      return nullptr;
  }
  ::SetTextColor(dc, RGB(255, 255, 255));
  ::SetBkColor(dc, color);
  return brush;
}

void CSimpleDlg::OnPaintBackground(HDC dc, const RECT& client) {
  const int panelLeft = client.right - kPanelWidth;
  FillSolid(dc, RECT{panelLeft, client.top, client.right, client.bottom}, kPanel);
  FillSolid(dc, RECT{panelLeft - 1, client.top, panelLeft, client.bottom}, kPanelLine);
}

NoteLinks CSimpleDlg::ReadNoteLinks() const {
  NoteLinks read = DefaultNoteLinks();
  if (!program_)
    return read;
  for (int n = 0; n < kNoteLinkCount; ++n) {
    const std::u16string number(1, static_cast<char16_t>(u'1' + n));
    const std::u16string titleKey = u"Title" + number;
    const std::u16string urlKey = u"Url" + number;
    read.titles[n] =
        ReadSetting(TextSetting{u"Link", titleKey, read.titles[n]}, program_->notePath());
    read.urls[n] = ReadSetting(TextSetting{u"Link", urlKey, read.urls[n]}, program_->notePath());
  }
  return read;
}

int32_t CSimpleDlg::KnownVersion() const {
  return program_ ? program_->config().Read(setting::kKnownVersion)
                  : setting::kKnownVersion.defaultValue;
}

void CSimpleDlg::RefreshLinks() {
  const auto labels = nightlatch::RefreshLinks(ReadNoteLinks(), KnownVersion(), ownVersion_);
  for (int n = 0; n < kNoteLinkCount; ++n) {
    CStaticCK& link = links_[n];
    link.SetColors(labels[n].normalColor, labels[n].hotColor);
    ::SendMessageW(link.hwnd(), WM_SETFONT, reinterpret_cast<WPARAM>(linkFont_.get()), FALSE);
    ::SetWindowTextW(link.hwnd(), ToWide(labels[n].caption).c_str());
    link.SetAddress(ToWide(labels[n].address));
    // Not shown again by a later refresh.
    if (labels[n].hidden)
      ::ShowWindow(link.hwnd(), SW_HIDE);
  }
  ::RedrawWindow(hwnd(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

}  // namespace nightlatch
