// helper.dat: nothing but the 520-byte records of the task list, in order.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "engine/missed_runs.h"

namespace nightlatch {

class TaskList;
struct PassClock;

// A missing or unreadable file gives an empty (sorted) list, silently.
// With `missed`, the runs in `gap` are collected as TaskList::LoadRecords does.
void LoadTaskFile(TaskList& list,
                  const std::u16string& path,
                  const PassClock& clock,
                  MissedGap gap = {},
                  MissedRuns* missed = nullptr);

// Writes only when the list is dirty; on failure the flag stays set so the
// next save tries again.
bool SaveTaskFile(TaskList& list, const std::u16string& path);

// Platform layer. Reading takes the whole file. Writing replaces the file
// atomically: a temporary file beside it is written, flushed to disk and
// renamed over it, so a crash or a forced shutdown during a save leaves the
// old file or the new one, never a torn one.
bool ReadFileBytes(const std::u16string& path, std::vector<uint8_t>& bytes);
bool ReplaceFileBytes(const std::u16string& path, std::span<const uint8_t> bytes);

}  // namespace nightlatch
