// The notification-area icon, its menu and its commands: mixins of the main
// dialog T, chained from its message map.
#pragma once

#include <algorithm>
#include <cwchar>
#include <iterator>
#include <string>
#include <string_view>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include "engine/task.h"
#include "platform/popup_menu_win.h"
#include "resources/nightlatch_ids.h"
#include "resources/nightlatch_messages.h"

namespace nightlatch {

inline constexpr std::u16string_view kHiddenBalloon = u"我隐藏在这里^_^\n想我，就点这里！";

template <std::size_t N>
void CopyCut(wchar_t (&target)[N], std::u16string_view text) {
  const std::size_t length = std::min(text.size(), N - 1);
  std::copy_n(text.begin(), length, target);
  target[length] = L'\0';
}

// Shows a menu resource's first pop-up at the cursor; the chosen item
// arrives as WM_COMMAND of T.
template <typename T>
class CContextMenu {
 protected:
  void ShowContextMenu(UINT menuId) {
    HWND owner = static_cast<T*>(this)->hwnd();
    ::SetForegroundWindow(owner);
    const ScopedMenu menu(::LoadMenuW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(menuId)));
    if (!menu.get())
      return;
    ShowPopupAtCursor(::GetSubMenu(menu.get(), 0), owner, TPM_RIGHTBUTTON);
    // Lets the menu close when the user clicks elsewhere.
    ::PostMessageW(owner, WM_NULL, 0, 0);
  }
};

// How the icon reaches the notification area: Shell_NotifyIconW, or a
// test's stand-in.
using NotifyIconFunction = BOOL(WINAPI*)(DWORD message, PNOTIFYICONDATAW data);

// The tray icon. T provides hwnd(), ShowContextMenu(id).
template <typename T>
class CShellIcon {
 protected:
  void SetNotifyIcon(NotifyIconFunction notify) { notify_ = notify ? notify : ::Shell_NotifyIconW; }

  CShellIcon() : taskbarCreated_(::RegisterWindowMessageW(L"TaskbarCreated")) {}
  ~CShellIcon() {
    DeleteTrayIcon();
    if (icon_)
      ::DestroyIcon(icon_);
  }

  void AddTrayIcon(std::u16string_view title) {
    title_ = title;
    data_ = NOTIFYICONDATAW{};
    data_.cbSize = NOTIFYICONDATAW_V3_SIZE;
    data_.hWnd = static_cast<T*>(this)->hwnd();
    data_.uID = kTrayIconId;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    data_.uCallbackMessage = WM_TRAY_CALLBACK;
    data_.hIcon = SmallIcon();
    data_.dwInfoFlags = NIIF_USER;
    CopyCut(data_.szInfoTitle, title);
    CopyCut(data_.szTip, title);
    added_ = notify_(NIM_ADD, &data_) != FALSE;
    tipSent_ = false;
  }

  // The shell is another process: an unchanged tip is not sent again.
  void SetTrayTip(std::u16string_view tip) {
    wchar_t shown[std::size(NOTIFYICONDATAW{}.szTip)];
    CopyCut(shown, tip);
    if (tipSent_ && std::wcscmp(shown, data_.szTip) == 0)
      return;
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    std::copy(std::begin(shown), std::end(shown), std::begin(data_.szTip));
    tipSent_ = notify_(NIM_MODIFY, &data_) != FALSE;
  }

  void ShowHideBalloon() {
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP | NIF_INFO;
    CopyCut(data_.szInfo, kHiddenBalloon);
    notify_(NIM_MODIFY, &data_);
  }

  void DeleteTrayIcon() {
    if (!data_.hWnd)
      return;
    NOTIFYICONDATAW removal{};
    removal.cbSize = NOTIFYICONDATAW_V3_SIZE;
    removal.hWnd = data_.hWnd;
    removal.uID = kTrayIconId;
    notify_(NIM_DELETE, &removal);
    added_ = false;
  }

  // After a resume the shell may have lost the icon without a word: a
  // modify that fails means it is gone, and it comes back.
  void RestoreTrayIcon() {
    data_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    if (!added_ || notify_(NIM_MODIFY, &data_) == FALSE)
      AddTrayIcon(title_);
  }

  bool trayIconAdded() const { return added_; }
  const NOTIFYICONDATAW& trayData() const { return data_; }

  bool ProcessTrayMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == taskbarCreated_ && taskbarCreated_ != 0) {
      // The shell restarted: the icon is gone and comes back fresh.
      DeleteTrayIcon();
      AddTrayIcon(title_);
      return true;
    }
    if (message == WM_SIZE) {
      if (::IsIconic(hwnd))
        ::ShowWindow(hwnd, SW_HIDE);
      return false;
    }
    if (message != WM_TRAY_CALLBACK || wParam != kTrayIconId)
      return false;
    switch (static_cast<UINT>(lParam)) {
      case WM_LBUTTONUP:
        ::ShowWindow(hwnd, SW_SHOW);
        ::SetForegroundWindow(hwnd);
        ::OpenIcon(hwnd);
        break;
      case WM_RBUTTONUP: {
        // Takes a balloon still showing away while the menu is open.
        decltype(data_.szInfo) balloon;
        std::copy(std::begin(data_.szInfo), std::end(data_.szInfo), balloon);
        data_.szInfo[0] = L'\0';
        notify_(NIM_MODIFY, &data_);
        static_cast<T*>(this)->ShowContextMenu(IDR_TRAY_MENU);
        std::copy(std::begin(balloon), std::end(balloon), data_.szInfo);
        break;
      }
      default:
        break;
    }
    return true;
  }

 private:
  // The notification area shows small icons: the icon's own small picture at
  // the DPI's small-icon size, not the large one shrunk. Made once; the
  // shell copies it.
  HICON SmallIcon() {
    if (!icon_ && FAILED(::LoadIconMetric(::GetModuleHandleW(nullptr),
                                          MAKEINTRESOURCEW(IDI_NIGHTLATCH), LIM_SMALL, &icon_)))
      icon_ = nullptr;
    return icon_ ? icon_
                 : ::LoadIconW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDI_NIGHTLATCH));
  }

  NOTIFYICONDATAW data_{};
  NotifyIconFunction notify_ = ::Shell_NotifyIconW;
  UINT taskbarCreated_;
  std::u16string title_;
  bool added_ = false;
  bool tipSent_ = false;  // the shell shows data_.szTip
  HICON icon_ = nullptr;
};

// The tray menu's commands. T provides ShowFromTray, RunTrayPowerAction,
// ShowClockWindow, SpeakTime, ShowAbout and Exit.
template <typename T>
class CMyIconMenu {
 protected:
  bool ProcessTrayCommand(UINT id) {
    T& owner = *static_cast<T*>(this);
    switch (id) {
      case IDM_TRAY_OPEN:
        owner.ShowFromTray();
        return true;
      case IDM_TRAY_SHUTDOWN:
        owner.RunTrayPowerAction(kShutdown);
        return true;
      case IDM_TRAY_RESTART:
        owner.RunTrayPowerAction(kRestart);
        return true;
      case IDM_TRAY_LOGOFF:
        owner.RunTrayPowerAction(kLogOff);
        return true;
      case IDM_TRAY_LOCK:
        owner.RunTrayPowerAction(kLock);
        return true;
      case IDM_TRAY_CLOCK:
        owner.ShowClockWindow();
        return true;
      case IDM_TRAY_SPEAK:
        owner.SpeakTime();
        return true;
      case IDM_TRAY_ABOUT:
        owner.ShowAbout();
        return true;
      case IDM_TRAY_EXIT:
        owner.Exit();
        return true;
      default:
        return false;
    }
  }
};

}  // namespace nightlatch
