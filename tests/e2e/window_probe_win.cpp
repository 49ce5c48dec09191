// Looks at a top-level window from outside, for the end-to-end scripts:
//   window_probe state <title>   exit 0 visible, 1 hidden, 2 not found
//   window_probe close <title>   sends WM_CLOSE; exit 0 sent, 2 not found
//   window_probe post <title> <message> <wparam> <lparam>  posts a message; 2 not found
//   window_probe value <HKCU subkey> <name>  prints a text value as UTF-8; 2 not found
//   window_probe wait <title> <visible|hidden> <ms>  exit 0 when reached, 3 on time-out
//   window_probe items <title> <control id>  prints a list box's lines as UTF-8; 2 not found
//   window_probe dismiss <caption> <ms>  waits for a message box, prints its
//                text (UTF-8) and posts IDOK; exit 0 dismissed, 3 on time-out
//   window_probe hold-mutex <name> <ms>  holds a named mutex for ms; exit 0
//   window_probe show-window <title> <ms>  keeps a hidden top-level window
//                of that title for ms; exit 0
#include <windows.h>

#include <cwchar>
#include <iterator>
#include <string_view>

namespace {

int State(const wchar_t* title) {
  HWND window = ::FindWindowW(nullptr, title);
  if (!window)
    return 2;
  return ::IsWindowVisible(window) ? 0 : 1;
}

void PrintUtf8(const wchar_t* text) {
  char utf8[4096] = {};
  const int length =
      ::WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, sizeof utf8, nullptr, nullptr);
  DWORD written = 0;
  if (length > 1)
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), utf8, length - 1, &written, nullptr);
}

// The message box's text is its static control 0xFFFF.
void PrintBoxText(HWND box) {
  wchar_t text[1024] = {};
  ::GetDlgItemTextW(box, 0xFFFF, text, static_cast<int>(std::size(text)));
  PrintUtf8(text);
}

// A text value under HKEY_CURRENT_USER, printed as UTF-8 (reg.exe prints
// Chinese as question marks under Wine).
int PrintUserValue(const wchar_t* subkey, const wchar_t* name) {
  wchar_t value[2048] = {};
  DWORD size = sizeof value;
  if (::RegGetValueW(HKEY_CURRENT_USER, subkey, name, RRF_RT_REG_SZ, nullptr, value, &size) !=
      ERROR_SUCCESS)
    return 2;
  PrintUtf8(value);
  return 0;
}

int PrintListItems(const wchar_t* title, int controlId) {
  HWND window = ::FindWindowW(nullptr, title);
  HWND list = window ? ::GetDlgItem(window, controlId) : nullptr;
  if (!list)
    return 2;
  const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
  for (int i = 0; i < count; ++i) {
    wchar_t line[1024] = {};
    if (::SendMessageW(list, LB_GETTEXTLEN, i, 0) < static_cast<LRESULT>(std::size(line)))
      ::SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(line));
    PrintUtf8(line);
  }
  return 0;
}

int Dismiss(const wchar_t* caption, DWORD milliseconds) {
  const DWORD deadline = ::GetTickCount() + milliseconds;
  while (static_cast<LONG>(deadline - ::GetTickCount()) > 0) {
    if (HWND box = ::FindWindowW(L"#32770", caption)) {
      PrintBoxText(box);
      ::PostMessageW(box, WM_COMMAND, IDOK, 0);
      return 0;
    }
    ::Sleep(50);
  }
  return 3;
}

int HoldMutex(const wchar_t* name, DWORD milliseconds) {
  HANDLE mutex = ::CreateMutexW(nullptr, FALSE, name);
  if (!mutex)
    return 1;
  ::Sleep(milliseconds);
  ::CloseHandle(mutex);
  return 0;
}

int ShowWindow(const wchar_t* title, DWORD milliseconds) {
  HWND window = ::CreateWindowExW(0, L"STATIC", title, WS_OVERLAPPED, 0, 0, 100, 100, nullptr,
                                  nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (!window)
    return 1;
  const DWORD deadline = ::GetTickCount() + milliseconds;
  MSG message;
  while (static_cast<LONG>(deadline - ::GetTickCount()) > 0) {
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
      ::DispatchMessageW(&message);
    ::Sleep(20);
  }
  ::DestroyWindow(window);
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3)
    return 64;
  const std::wstring_view command = argv[1];
  const wchar_t* title = argv[2];
  if (command == L"state")
    return State(title);
  if (command == L"close") {
    HWND window = ::FindWindowW(nullptr, title);
    if (!window)
      return 2;
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  if (command == L"post" && argc == 6) {
    HWND window = ::FindWindowW(nullptr, title);
    if (!window)
      return 2;
    const auto number = [](const wchar_t* text) { return std::wcstoul(text, nullptr, 0); };
    ::PostMessageW(window, static_cast<UINT>(number(argv[3])), number(argv[4]),
                   static_cast<LPARAM>(number(argv[5])));
    return 0;
  }
  if (command == L"value" && argc == 4)
    return PrintUserValue(title, argv[3]);
  if (command == L"items" && argc == 4)
    return PrintListItems(title, static_cast<int>(std::wcstol(argv[3], nullptr, 10)));
  if (command == L"dismiss" && argc == 4)
    return Dismiss(title, static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
  if (command == L"hold-mutex" && argc == 4)
    return HoldMutex(title, static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
  if (command == L"show-window" && argc == 4)
    return ShowWindow(title, static_cast<DWORD>(std::wcstoul(argv[3], nullptr, 10)));
  if (command == L"wait" && argc == 5) {
    const int wanted = std::wstring_view(argv[3]) == L"visible" ? 0 : 1;
    const DWORD deadline =
        ::GetTickCount() + static_cast<DWORD>(std::wcstoul(argv[4], nullptr, 10));
    while (static_cast<LONG>(deadline - ::GetTickCount()) > 0) {
      if (State(title) == wanted)
        return 0;
      ::Sleep(50);
    }
    return 3;
  }
  return 64;
}
