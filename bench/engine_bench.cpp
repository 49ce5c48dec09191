// The one-second pass and the task file, at sizes well beyond real lists.
// Also counts heap allocations: a pass that finds nothing due must make none.
#include <benchmark/benchmark.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <random>

#include "engine/task_file.h"
#include "engine/task_list.h"
#include "engine/trigger_rules.h"
#include "engine/zone_rules.h"

namespace {

std::atomic<long long> allocationCount{0};
bool allocationSeenInQuietPass = false;

}  // namespace

// Replacing the global operator new is how allocations are counted; gcc
// cannot tell that this pair belongs together.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  allocationCount.fetch_add(1, std::memory_order_relaxed);
  if (void* p = std::malloc(size ? size : 1))
    return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept {
  std::free(p);
}
void operator delete(void* p, std::size_t) noexcept {
  std::free(p);
}

namespace {

using namespace nightlatch;

const TimeZone kZone{8 * 3600};
constexpr int64_t kNow = 1796000000;  // 2026-11-29, a Sunday

class CountingSink final : public DueTaskSink {
 public:
  void SaveTaskList() override {}
  void Run(const TaskRunRequest&) override { ++runs; }
  void Missed(const MissedRun&) override {}
  int runs = 0;
};

// Tasks of every mode, none due at kNow or in the next hour: every run lies
// at least two hours after kNow, at the time of day of kNow + 12 h.
TaskList MakeMixedList(int count, uint32_t seed) {
  std::mt19937 random(seed);
  TaskList list;
  for (int i = 0; i < count; ++i) {
    CTask task;
    task.state = i % 10 == 9 ? kStopped : kNormal;
    task.mode = 1 + i % 8;
    task.action = i % 9;
    const int32_t daysAhead = static_cast<int32_t>(random() % 300);
    task.nextRun = static_cast<int32_t>(kNow + 43200 + daysAhead * 86400);
    switch (task.mode) {
      case kEveryNDays:
        task.param = 1 + static_cast<int32_t>(random() % 31);
        task.nextRun = static_cast<int32_t>(kNow + 7200);
        break;
      case kWeekly:
        task.param = 1 + static_cast<int32_t>(random() % 127);
        break;
      case kMonthly:
        task.param = 1 + static_cast<int32_t>(random() % 31);
        break;
      case kYearly:
        task.param = (1 + static_cast<int32_t>(random() % 12)) * 100 + 1 +
                     static_cast<int32_t>(random() % 28);
        break;
      case kInterval:
        task.param = 180 + static_cast<int32_t>(random() % 600);
        task.nextRun = static_cast<int32_t>(kNow + 7200);
        break;
      case kIdle:
        task.param = 120 + static_cast<int32_t>(random() % 60);
        break;
      default:
        task.param = 0;
        break;
    }
    list.Add(task);
  }
  // Bring every task to its steady state, as the first tick would.
  PreviousPass previous;
  CountingSink sink;
  CheckDueTasks(list, PassClock::At(kNow, kZone, 0), previous, sink);
  return list;
}

// Central Europe's rule for every year the program reads: a zone of some 260
// changes, as the Windows zone is built.
TimeZone SummerTimeZone() {
  const YearRule rule{3600, 7200, {0, 3, 0, 5, 2, 0, 0, 0}, {0, 10, 0, 5, 3, 0, 0, 0}};
  const std::vector<YearRule> rules(131, rule);
  return ZoneFromYearRules(1970, rules);
}

void BM_CheckDueTasksPass(benchmark::State& state, const TimeZone& zone) {
  const int count = static_cast<int>(state.range(0));
  TaskList list = MakeMixedList(count, 1);
  CountingSink sink;
  PreviousPass previous;
  int64_t now = kNow;
  long long allocations = 0;
  for (auto _ : state) {
    const PassClock clock = PassClock::At(++now, zone, 5);
    const long long before = allocationCount.load(std::memory_order_relaxed);
    CheckDueTasks(list, clock, previous, sink);
    allocations += allocationCount.load(std::memory_order_relaxed) - before;
    if (now > kNow + 3000)
      now = kNow;  // stay inside the hour in which nothing is due
    benchmark::DoNotOptimize(list);
  }
  if (sink.runs != 0)
    state.SkipWithError("a task became due; the quiet pass measured the wrong thing");
  if (allocations != 0)
    allocationSeenInQuietPass = true;
  state.counters["allocations_per_pass"] = benchmark::Counter(
      static_cast<double>(allocations) / static_cast<double>(state.iterations()));
  state.counters["ns_per_task"] = benchmark::Counter(
      static_cast<double>(state.iterations()) * count,
      benchmark::Counter::kIsRate | benchmark::Counter::kInvert, benchmark::Counter::kIs1000);
  state.SetItemsProcessed(state.iterations() * count);
}
BENCHMARK_CAPTURE(BM_CheckDueTasksPass, fixed_offset, kZone)->Arg(1000);
BENCHMARK_CAPTURE(BM_CheckDueTasksPass, summer_time, SummerTimeZone())->Arg(1000);

std::vector<uint8_t> MixedRecords(int count) {
  return MakeMixedList(count, 2).ToRecords();
}

void BM_LoadAndSortRecords(benchmark::State& state) {
  const std::vector<uint8_t> bytes = MixedRecords(static_cast<int>(state.range(0)));
  const PassClock clock = PassClock::At(kNow, kZone, 0);
  TaskList list;
  for (auto _ : state) {
    list.LoadRecords(bytes, clock);
    benchmark::DoNotOptimize(list.tasks().size());
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadAndSortRecords)->Arg(10000)->Unit(benchmark::kMillisecond);

std::filesystem::path ScratchFile() {
  const auto folder = std::filesystem::temp_directory_path() / "nightlatch-bench";
  std::filesystem::create_directories(folder);
  return folder / "helper.dat";
}

// Load from disk, sort, save (an unconditionally dirty list, written through
// the atomic replace with its flush to disk).
void BM_LoadSortSaveFile(benchmark::State& state) {
  const std::u16string path = ScratchFile().u16string();
  {
    TaskList list = MakeMixedList(static_cast<int>(state.range(0)), 3);
    SaveTaskFile(list, path);
  }
  const PassClock clock = PassClock::At(kNow, kZone, 0);
  TaskList list;
  for (auto _ : state) {
    LoadTaskFile(list, path, clock);
    list.MarkDirty();
    if (!SaveTaskFile(list, path))
      state.SkipWithError("save failed");
  }
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadSortSaveFile)->Arg(10000)->Unit(benchmark::kMillisecond);

void BM_LoadSortFile(benchmark::State& state) {
  const std::u16string path = ScratchFile().u16string();
  {
    TaskList list = MakeMixedList(static_cast<int>(state.range(0)), 3);
    SaveTaskFile(list, path);
  }
  const PassClock clock = PassClock::At(kNow, kZone, 0);
  TaskList list;
  for (auto _ : state)
    LoadTaskFile(list, path, clock);
  state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_LoadSortFile)->Arg(10000)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  if (allocationSeenInQuietPass) {
    std::fprintf(stderr, "FAILED: a pass that found nothing due allocated memory\n");
    return 1;
  }
  return 0;
}
