#include "prompts/mci_queue_win.h"

#include <memory>
#include <string>

namespace nightlatch {
namespace {

constexpr UINT kCommandMessage = WM_APP + 1;  // lParam: std::u16string*, the thread's
constexpr DWORD kStartMilliseconds = 5000;

struct StartContext {
  MciCommands* target;
  HANDLE ready;
};

}  // namespace

QueuedMciCommands::~QueuedMciCommands() {
  if (!thread_.valid())
    return;
  if (::PostThreadMessageW(threadId_, WM_QUIT, 0, 0))
    ::WaitForSingleObject(thread_.get(), kDrainMilliseconds);
}

void QueuedMciCommands::Send(std::u16string_view command) {
  if (!thread_.valid() && !StartThread()) {
    target_.Send(command);
    return;
  }
  auto text = std::make_unique<std::u16string>(command);
  if (::PostThreadMessageW(threadId_, kCommandMessage, 0, reinterpret_cast<LPARAM>(text.get())))
    static_cast<void>(text.release());  // the thread frees it
  else
    target_.Send(command);
}

bool QueuedMciCommands::StartThread() {
  if (startFailed_)
    return false;
  ScopedHandle ready(::CreateEventW(nullptr, TRUE, FALSE, nullptr));
  StartContext context{&target_, ready.get()};
  thread_.Reset(::CreateThread(nullptr, 0, Run, &context, 0, &threadId_));
  // The thread has its message queue once it has signalled.
  const HANDLE waits[] = {ready.get(), thread_.get()};
  if (!ready.valid() || !thread_.valid() ||
      ::WaitForMultipleObjects(2, waits, FALSE, kStartMilliseconds) != WAIT_OBJECT_0) {
    startFailed_ = true;
    thread_.Reset();
    return false;
  }
  return true;
}

DWORD WINAPI QueuedMciCommands::Run(void* parameter) {
  MciCommands* target = nullptr;
  {
    const StartContext& context = *static_cast<StartContext*>(parameter);
    target = context.target;
    MSG message;
    ::PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // makes the queue
    ::SetEvent(context.ready);  // `context` is gone after this
  }
  MSG message;
  while (::GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (message.message != kCommandMessage)
      continue;
    const std::unique_ptr<std::u16string> text(reinterpret_cast<std::u16string*>(message.lParam));
    target->Send(*text);
  }
  // Quit: whatever came after it is freed unsent.
  while (::PeekMessageW(&message, nullptr, kCommandMessage, kCommandMessage, PM_REMOVE))
    delete reinterpret_cast<std::u16string*>(message.lParam);
  return 0;
}

}  // namespace nightlatch
