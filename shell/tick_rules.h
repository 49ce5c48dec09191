// What the main dialog's one-second tick shows and decides, as pure
// functions of the time and the settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/calendar.h"
#include "engine/system_clock.h"

namespace nightlatch {

struct PassClock;
struct PreviousPass;
struct RuntimeSettings;
struct TaskRunRequest;

// "当前时间：2026年12月9日 08:05:03"
std::u16string StatusLineText(const LocalFields& now);
// " 2026年12月9日 08:05:03", the simple page's clock tile.
std::u16string ClockTileText(const LocalFields& now);
// The tray tooltip: title, version and the next task.
std::u16string TrayTipText(std::u16string_view title,
                           std::u16string_view version,
                           std::u16string_view nextTask);

// Whether this second announces the time: on :00 and :30 of an hour whose
// character in speakHours is not '0' (hour h at index h - 1, midnight at 23).
bool ShouldSpeakTime(const RuntimeSettings& settings, const LocalFields& now);
// The full or half hour a pass announces: its own second when that is one,
// or one crossed since a previous pass recent enough to catch up on (as the
// tasks do), so a skipped :00 or :30 is announced late but once. Empty when
// there is none or its hour is not chosen.
std::optional<LocalFields> TimeToSpeak(const RuntimeSettings& settings,
                                       const PassClock& pass,
                                       const PreviousPass& previous);

// The period of the announcements: every full and half hour of local time.
inline constexpr int64_t kSpeakPeriodSeconds = 1800;
// "现在时间： 8点05分"
std::u16string SpokenTimeNotice(const LocalFields& now);

// "a.b.c.d" read as a * 10000000 + b * 100000 + c * 1000 + d.
int32_t VersionNumber(std::u16string_view text);

enum class RunRoute {
  kDrop,     // negative warning, or nothing pending
  kPrompt,   // a countdown prompt carries it on
  kExecute,  // carried out at once, with a notice
};
RunRoute RouteRunRequest(const TaskRunRequest& request);
// Whether the task file must be on disk before `action` runs: the session
// or the machine may be gone right after it. Otherwise the pass's save
// (with its flush, which a busy disk can hold for half a second) comes
// after the action.
bool SaveBeforeAction(int32_t action);
// "关机 \n执行完毕！": the notice after a run without a prompt.
std::u16string RunDoneNotice(const TaskRunRequest& request);

}  // namespace nightlatch
