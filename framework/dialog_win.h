// Dialogs built from templates, modal or modeless. The object is bound to
// its window at WM_INITDIALOG and answers through ProcessWindowMessage;
// what the class leaves unhandled is offered to the control it concerns
// (owner-draw and custom-draw reflection), then to the dialog manager.
#pragma once

#include "framework/message_handler_win.h"
#include "platform/gdi_win.h"

namespace nightlatch {

class Dialog : public MessageHandler {
 public:
  ~Dialog() override;

  HWND hwnd() const { return hwnd_; }
  HWND Item(int id) const { return ::GetDlgItem(hwnd_, id); }

  // Modal: runs its own loop and returns the value given to EndDialog, or
  // -1 when the dialog could not be created.
  INT_PTR RunModal(UINT templateId, HWND owner);
  // Modeless: null when the dialog could not be created.
  HWND CreateModeless(UINT templateId, HWND parent);

  void EndDialog(INT_PTR result);
  void DestroyWindow();
  void CenterOver(HWND reference);

 protected:
  Dialog() = default;
  // After the window is gone; a self-owning dialog deletes itself here.
  virtual void OnFinalMessage(HWND) {}
  // After a DPI change has moved the template's controls and given them the
  // template font at `dpi`: what the dialog placed or made itself.
  virtual void OnDpiChanged(int /*dpi*/) {}

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR Answer(HWND hwnd, UINT message, LRESULT result);
  // WM_DPICHANGED of a top-level dialog: the suggested rectangle, then this
  // dialog and every dialog of ours inside it laid out again.
  void FollowDpiChange(int dpi, const RECT* suggested);
  void ApplyDpi(int from, int to);

  HWND hwnd_ = nullptr;
  // The template font at the DPI of the last change; none before one.
  ScopedFont dpiFont_;
};

// What every dialog class shares: the template id from T::kTemplateId, and
// the start of its message map. The mixins (skins, colours) see each
// message first, in the order given; WM_INITDIALOG then goes to
// OnInitDialog, everything else to the dialog's own OnMessage.
template <typename T, typename... Mixins>
class DialogImpl : public Dialog, public Mixins... {
 public:
  INT_PTR RunModal(HWND owner) { return Dialog::RunModal(T::kTemplateId, owner); }
  HWND CreateModeless(HWND parent) { return Dialog::CreateModeless(T::kTemplateId, parent); }

  bool ProcessWindowMessage(HWND hwnd,
                            UINT message,
                            WPARAM wParam,
                            LPARAM lParam,
                            LRESULT& result) final {
    if ((static_cast<Mixins&>(*this).HandleMessage(hwnd, message, wParam, lParam, result) || ...))
      return true;
    if (message == WM_INITDIALOG) {
      result = OnInitDialog() ? TRUE : FALSE;
      return true;
    }
    return OnMessage(hwnd, message, wParam, lParam, result);
  }

 protected:
  // True lets the dialog manager give the first control the focus.
  virtual bool OnInitDialog() { return true; }
  // The dialog's own message map: true when handled, `result` the answer.
  virtual bool OnMessage(HWND hwnd,
                         UINT message,
                         WPARAM wParam,
                         LPARAM lParam,
                         LRESULT& result) = 0;
};

}  // namespace nightlatch
