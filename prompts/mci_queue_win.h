// MCI commands sent from a thread of their own, in order: opening an MP3 can
// take half a second, and on the UI thread that would hold the tick (twenty
// prompts due together, ten seconds). All of the program's commands go
// through the one queue, so one thread owns every device it opens.
#pragma once

#include <string_view>

#include <windows.h>

#include "platform/scoped_handle_win.h"
#include "prompts/prompt_sound.h"

namespace nightlatch {

class QueuedMciCommands final : public MciCommands {
 public:
  // `target` does the sending, on the queue's thread; it outlives the queue.
  explicit QueuedMciCommands(MciCommands& target) : target_(target) {}
  QueuedMciCommands(const QueuedMciCommands&) = delete;
  QueuedMciCommands& operator=(const QueuedMciCommands&) = delete;
  // What is queued is still sent; the wait for it is bounded.
  ~QueuedMciCommands();

  static constexpr DWORD kDrainMilliseconds = 3000;

  // Returns at once. The thread starts with the first command; when it
  // cannot, the command is sent right here.
  void Send(std::u16string_view command) override;

 private:
  static DWORD WINAPI Run(void* self);
  bool StartThread();

  MciCommands& target_;
  ScopedHandle thread_;
  DWORD threadId_ = 0;
  bool startFailed_ = false;
};

}  // namespace nightlatch
