// The yardstick of scripts/measure-service.sh: a service that does nothing
// but sleep a second per loop, reporting running and stopped like
// Nightlatch's service. Registered as "NightlatchBare".
#include <windows.h>

namespace {

SERVICE_STATUS_HANDLE g_status = nullptr;
SERVICE_STATUS g_record{SERVICE_WIN32_OWN_PROCESS, SERVICE_RUNNING, SERVICE_ACCEPT_STOP};
volatile LONG g_running = 1;

DWORD WINAPI Handler(DWORD control, DWORD, void*, void*) {
  if (control == SERVICE_CONTROL_STOP) {
    ::InterlockedExchange(&g_running, 0);
    g_record.dwCurrentState = SERVICE_STOPPED;
  }
  ::SetServiceStatus(g_status, &g_record);
  return NO_ERROR;
}

void WINAPI ServiceMain(DWORD, LPWSTR* argv) {
  g_status = ::RegisterServiceCtrlHandlerExW(argv[0], &Handler, nullptr);
  if (!g_status)
    return;
  ::SetServiceStatus(g_status, &g_record);
  while (g_running)
    ::Sleep(1000);
}

}  // namespace

int wmain() {
  wchar_t name[] = L"NightlatchBare";
  SERVICE_TABLE_ENTRYW table[] = {{name, &ServiceMain}, {nullptr, nullptr}};
  return ::StartServiceCtrlDispatcherW(table) ? 0 : 1;
}
