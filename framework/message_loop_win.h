// The UI thread's message loop: filters see each message first (modeless
// dialogs' keyboard handling), idle handlers run when the queue empties.
#pragma once

#include <vector>

#include <windows.h>

namespace nightlatch {

class MessageFilter {
 public:
  // True when the message was consumed.
  virtual bool PreTranslateMessage(MSG& message) = 0;

 protected:
  ~MessageFilter() = default;
};

class IdleHandler {
 public:
  // True to be called again before the loop blocks.
  virtual bool OnIdle() = 0;

 protected:
  ~IdleHandler() = default;
};

class MessageLoop {
 public:
  MessageLoop();
  ~MessageLoop();
  MessageLoop(const MessageLoop&) = delete;
  MessageLoop& operator=(const MessageLoop&) = delete;

  // The loop of the calling thread, or null.
  static MessageLoop* Current();

  void AddMessageFilter(MessageFilter* filter);
  void RemoveMessageFilter(MessageFilter* filter);
  void AddIdleHandler(IdleHandler* handler);
  void RemoveIdleHandler(IdleHandler* handler);

  // Until WM_QUIT; returns its exit code.
  int Run();

  // Newest filter first.
  bool PreTranslate(MSG& message);

 private:
  bool RunIdleHandlers();

  std::vector<MessageFilter*> filters_;
  std::vector<IdleHandler*> idleHandlers_;
  MessageLoop* previous_ = nullptr;
};

}  // namespace nightlatch
