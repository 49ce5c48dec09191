// The probe of scripts/measure-latency.sh.
//   latency_probe plan FILE SECONDS_AHEAD COUNT STEP BURST
//     writes a task file: COUNT one-shot Open tasks that start this probe,
//     the first SECONDS_AHEAD seconds from now, then every STEP seconds;
//     with BURST > 0, BURST reminders due together one second before the
//     first of them. Prints the due moments (ms since 1970), one a line.
//   latency_probe (no arguments, as a task starts it)
//     appends "<its process's creation> <now>" in ms since 1970 to
//     latency-stamps.txt beside itself: the creation is when the task ran,
//     the difference is the probe's own start.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/task.h"
#include "engine/task_file.h"
#include "engine/task_list.h"

namespace {

int64_t Milliseconds(const FILETIME& time) {
  const uint64_t ticks = (uint64_t{time.dwHighDateTime} << 32) | time.dwLowDateTime;
  return static_cast<int64_t>(ticks / 10000) - 11644473600000;
}

int64_t NowMilliseconds() {
  FILETIME now{};
  ::GetSystemTimePreciseAsFileTime(&now);
  return Milliseconds(now);
}

std::wstring OwnPath() {
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, path, MAX_PATH);
  return path;
}

int Stamp() {
  const int64_t now = NowMilliseconds();
  FILETIME created{}, exited{}, kernel{}, user{};
  ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
  std::wstring log = OwnPath();
  log.resize(log.rfind(L'\\') + 1);
  log += L"latency-stamps.txt";
  FILE* file = _wfopen(log.c_str(), L"a");
  if (!file)
    return 1;
  std::fprintf(file, "%lld %lld\n", static_cast<long long>(Milliseconds(created)),
               static_cast<long long>(now));
  std::fclose(file);
  return 0;
}

int Plan(const wchar_t* file, int secondsAhead, int count, int step, int burst) {
  const int64_t now = NowMilliseconds() / 1000;
  const std::wstring self = OwnPath();
  nightlatch::TaskList list;
  for (int i = 0; i < burst; ++i) {
    nightlatch::CTask reminder;
    reminder.mode = nightlatch::kFixed;
    reminder.action = nightlatch::kReminder;
    reminder.state = nightlatch::kNormal;
    reminder.nextRun = static_cast<int32_t>(now + secondsAhead - 1);
    reminder.warnSeconds = 60;
    reminder.text.Assign(u"latency burst");
    list.Add(reminder);
  }
  for (int i = 0; i < count; ++i) {
    nightlatch::CTask open;
    open.mode = nightlatch::kFixed;
    open.action = nightlatch::kOpen;
    open.state = nightlatch::kNormal;
    open.nextRun = static_cast<int32_t>(now + secondsAhead + int64_t{i} * step);
    open.text.Assign(std::u16string(reinterpret_cast<const char16_t*>(self.c_str())));
    list.Add(open);
    std::printf("%lld\n", static_cast<long long>(open.nextRun) * 1000);
  }
  list.MarkDirty();
  return nightlatch::SaveTaskFile(list, reinterpret_cast<const char16_t*>(file)) ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc == 1)
    return Stamp();
  if (argc == 7 && std::wstring(argv[1]) == L"plan")
    return Plan(argv[2], _wtoi(argv[3]), _wtoi(argv[4]), _wtoi(argv[5]), _wtoi(argv[6]));
  std::fputs("usage: latency_probe [plan FILE SECONDS_AHEAD COUNT STEP BURST]\n", stderr);
  return 64;
}
