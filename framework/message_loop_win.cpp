#include "framework/message_loop_win.h"

#include <algorithm>

namespace nightlatch {
namespace {

thread_local MessageLoop* currentLoop = nullptr;

template <typename T>
void Erase(std::vector<T*>& items, T* item) {
  items.erase(std::remove(items.begin(), items.end(), item), items.end());
}

}  // namespace

MessageLoop::MessageLoop() : previous_(currentLoop) {
  currentLoop = this;
}

MessageLoop::~MessageLoop() {
  currentLoop = previous_;
}

MessageLoop* MessageLoop::Current() {
  return currentLoop;
}

void MessageLoop::AddMessageFilter(MessageFilter* filter) {
  filters_.push_back(filter);
}

void MessageLoop::RemoveMessageFilter(MessageFilter* filter) {
  Erase(filters_, filter);
}

void MessageLoop::AddIdleHandler(IdleHandler* handler) {
  idleHandlers_.push_back(handler);
}

void MessageLoop::RemoveIdleHandler(IdleHandler* handler) {
  Erase(idleHandlers_, handler);
}

bool MessageLoop::PreTranslate(MSG& message) {
  // A filter may remove itself while it runs: walk a copy.
  const std::vector<MessageFilter*> filters(filters_.rbegin(), filters_.rend());
  return std::any_of(filters.begin(), filters.end(),
                     [&](MessageFilter* filter) { return filter->PreTranslateMessage(message); });
}

bool MessageLoop::RunIdleHandlers() {
  bool again = false;
  const std::vector<IdleHandler*> handlers = idleHandlers_;
  for (IdleHandler* handler : handlers)
    again = handler->OnIdle() || again;
  return again;
}

int MessageLoop::Run() {
  MSG message{};
  for (;;) {
    bool idle = true;
    while (idle && !::PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE))
      idle = RunIdleHandlers();
    const BOOL got = ::GetMessageW(&message, nullptr, 0, 0);
    if (got == 0 || got == -1)
      break;
    if (!PreTranslate(message)) {
      ::TranslateMessage(&message);
      ::DispatchMessageW(&message);
    }
  }
  return static_cast<int>(message.wParam);
}

}  // namespace nightlatch
