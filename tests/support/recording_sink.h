// Collects what a scheduling pass hands on, in order: "save" for each save
// request and "run:<name>" for each run request, so a test can check both
// the order and the requests themselves; the missed runs it reports apart.
#pragma once

#include <string>
#include <vector>

#include "engine/task_list.h"
#include "engine/trigger_rules.h"
#include "support/printable_text.h"

namespace nightlatch::testing {

class RecordingSink final : public DueTaskSink {
 public:
  // With a list, each save also notes how the list stood at that moment.
  explicit RecordingSink(const TaskList* list = nullptr) : list_(list) {}

  void SaveTaskList() override {
    events.push_back("save");
    if (list_) {
      dirtyAtSave.push_back(list_->dirty());
      recordsAtSave.push_back(list_->ToRecords());
    }
  }
  void Run(const TaskRunRequest& request) override {
    events.push_back("run:" + ToUtf8(request.name.View()));
    requests.push_back(request);
  }
  // Kept apart from the events: a missed run is only reported.
  void Missed(const MissedRun& run) override {
    missed.push_back(run);
    missedTexts.push_back(ToUtf8(run.task.text.View()));
  }

  void Clear() {
    events.clear();
    requests.clear();
    missed.clear();
    missedTexts.clear();
    dirtyAtSave.clear();
    recordsAtSave.clear();
  }

  std::vector<std::string> events;
  std::vector<TaskRunRequest> requests;
  std::vector<MissedRun> missed;
  std::vector<std::string> missedTexts;
  std::vector<bool> dirtyAtSave;
  std::vector<std::vector<uint8_t>> recordsAtSave;

 private:
  const TaskList* list_;
};

}  // namespace nightlatch::testing
