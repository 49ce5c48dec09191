// The first page: the next task, the time and the uptime on coloured tiles,
// shortcuts that hand their work to the main dialog, and four link labels
// on a light panel at the right.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "controls/button_bt_win.h"
#include "controls/skin_mixins_win.h"
#include "controls/static_ck_win.h"
#include "editor/note_links.h"
#include "framework/dialog_win.h"
#include "platform/gdi_win.h"
#include "resources/nightlatch_ids.h"

namespace nightlatch {

class Program;

class CSimpleDlg : public DialogImpl<CSimpleDlg,
                                     CCtrlColor<CSimpleDlg, true, RGB(0, 0, 0), RGB(255, 255, 255)>,
                                     CPaintBkgnd<CSimpleDlg, false, RGB(240, 255, 255)>> {
 public:
  static constexpr UINT kTemplateId = IDD_SIMPLE_PAGE;
  static constexpr int kPanelWidth = 150;

  // Before the page is created: the program whose note.ini and config.ini
  // the links come from, and its own version number, which a newer one in
  // config.ini turns into a download link. Without them the links show
  // their defaults.
  void SetLinkSources(const Program& program, int32_t ownVersion);

  // Written by the main dialog's tick: 1021, 1022, 1029.
  void SetTile(int id, std::u16string_view text);
  // Reads note.ini and config.ini again and repaints the page.
  void RefreshLinks();
  const CStaticCK& link(int index) const { return links_[index]; }
  // Where the four links send their addresses (CStaticCK::SetAddressOpener).
  void SetAddressOpener(CStaticCK::AddressOpener opener);

  // Mixin hooks.
  HBRUSH OnStaticColor(HDC dc, HWND control);
  void OnPaintBackground(HDC dc, const RECT& client);

 private:
  bool OnInitDialog() override;
  void OnDpiChanged(int dpi) override;
  void ApplyFonts();
  bool OnMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  bool OnCommand(int id);
  NoteLinks ReadNoteLinks() const;
  int32_t KnownVersion() const;

  const Program* program_ = nullptr;
  int32_t ownVersion_ = 0;
  ScopedFont tileFont_;
  ScopedFont linkFont_;
  ScopedBrush nextCaptionBrush_;
  ScopedBrush captionBrush_;
  ScopedBrush valueBrush_;
  CButtonBT buttons_[4];
  CStaticCK links_[kNoteLinkCount];
};

}  // namespace nightlatch
