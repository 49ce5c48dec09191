// Starts each program RUNS times as Nightlatch starts Chimebox (CreateProcessW,
// SW_HIDE, then WaitForInputIdle) and prints, per program, the median time
// WaitForInputIdle waited and the median from the start of CreateProcessW to
// ready, in milliseconds, and in how many runs the program was still running
// when the wait returned (the wait also returns when the program ends):
//   chimebox_idle_wait <runs> <program.exe>...
// The programs take turns, so a busy moment of the machine falls on all of
// them alike; each run waits for its program to end before the next starts,
// and a first round is not counted (it fills the caches).
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

double Milliseconds(LARGE_INTEGER from, LARGE_INTEGER to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return static_cast<double>(to.QuadPart - from.QuadPart) * 1000.0 /
         static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

struct Program {
  std::wstring path;
  std::vector<double> waits;
  std::vector<double> totals;
  int failures = 0;
  int runningAtReady = 0;
};

void StartOnce(Program& program, bool counted) {
  std::wstring commandLine = L"\"" + program.path + L"\"";
  STARTUPINFOW startup{sizeof startup};
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_HIDE;
  PROCESS_INFORMATION info{};
  LARGE_INTEGER start, created, ready;
  ::QueryPerformanceCounter(&start);
  if (!::CreateProcessW(program.path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                        nullptr, nullptr, &startup, &info)) {
    program.failures += counted;
    return;
  }
  ::QueryPerformanceCounter(&created);
  const DWORD waited = ::WaitForInputIdle(info.hProcess, 10000);
  ::QueryPerformanceCounter(&ready);
  const bool running = ::WaitForSingleObject(info.hProcess, 0) == WAIT_TIMEOUT;
  if (counted && waited == 0) {
    program.runningAtReady += running;
    program.waits.push_back(Milliseconds(created, ready));
    program.totals.push_back(Milliseconds(start, ready));
  } else if (counted) {
    ++program.failures;
  }
  if (::WaitForSingleObject(info.hProcess, 10000) != WAIT_OBJECT_0)
    ::TerminateProcess(info.hProcess, 99);
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3)
    return 64;
  const int runs = std::max(1, _wtoi(argv[1]));
  std::vector<Program> programs;
  for (int i = 2; i < argc; ++i) {
    wchar_t path[MAX_PATH] = {};
    ::GetFullPathNameW(argv[i], MAX_PATH, path, nullptr);
    programs.push_back({path});
  }
  for (int run = -1; run < runs; ++run) {
    for (Program& program : programs)
      StartOnce(program, run >= 0);
  }
  for (const Program& program : programs) {
    const wchar_t* name = std::wcsrchr(program.path.c_str(), L'\\');
    std::wprintf(
        L"%-24ls idle wait %7.2f ms  start to ready %7.2f ms  (%zu runs, %d failed, %d still "
        L"running when ready)\n",
        name ? name + 1 : program.path.c_str(), Median(program.waits), Median(program.totals),
        program.waits.size(), program.failures, program.runningAtReady);
  }
  return 0;
}
