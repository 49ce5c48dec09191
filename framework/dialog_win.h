// Dialogs built from templates, modal or modeless. The object is bound to
// its window at WM_INITDIALOG and answers through ProcessWindowMessage;
// what the class leaves unhandled is offered to the control it concerns
// (owner-draw and custom-draw reflection), then to the dialog manager.
#pragma once

#include "framework/message_handler_win.h"

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

 private:
  static INT_PTR CALLBACK DialogProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static INT_PTR Answer(HWND hwnd, UINT message, LRESULT result);

  HWND hwnd_ = nullptr;
};

// The template id comes from the dialog class: T::kTemplateId.
template <typename T>
class DialogImpl : public Dialog {
 public:
  INT_PTR RunModal(HWND owner) { return Dialog::RunModal(T::kTemplateId, owner); }
  HWND CreateModeless(HWND parent) { return Dialog::CreateModeless(T::kTemplateId, parent); }
};

}  // namespace nightlatch
