// The queue that keeps slow MCI commands off the UI thread.
#include "prompts/mci_queue_win.h"

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

// A device that takes its time over every command, as MCI opening an MP3
// does, and notes which thread sent what.
class SlowMci final : public MciCommands {
 public:
  void Send(std::u16string_view command) override {
    ::Sleep(150);
    commands.push_back(testing::ToUtf8(command));
    threads.push_back(::GetCurrentThreadId());
  }
  std::vector<std::string> commands;
  std::vector<DWORD> threads;
};

TEST(QueuedMciCommandsTest, SendsInOrderOnOneOtherThreadWithoutHoldingTheCaller) {
  SlowMci device;
  const auto start = std::chrono::steady_clock::now();
  {
    QueuedMciCommands queue(device);
    for (const char16_t* command : {u"open \"a.mp3\" alias s1", u"play s1", u"close s1",
                                    u"open \"b.mp3\" alias s2", u"play s2"})
      queue.Send(command);
    const auto queued = std::chrono::steady_clock::now() - start;
    EXPECT_LT(queued, std::chrono::milliseconds(300)) << "five commands take 750 ms to send";
  }  // the queue goes: what it holds is sent first
  EXPECT_EQ(device.commands,
            (std::vector<std::string>{"open \"a.mp3\" alias s1", "play s1", "close s1",
                                      "open \"b.mp3\" alias s2", "play s2"}));
  ASSERT_EQ(device.threads.size(), 5u);
  for (DWORD thread : device.threads) {
    EXPECT_NE(thread, ::GetCurrentThreadId());
    EXPECT_EQ(thread, device.threads.front()) << "one thread owns every device";
  }
}

TEST(QueuedMciCommandsTest, AQueueThatNeverSentStartsNoThread) {
  SlowMci device;
  const auto start = std::chrono::steady_clock::now();
  { QueuedMciCommands queue(device); }
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(100));
  EXPECT_TRUE(device.commands.empty());
}

}  // namespace
}  // namespace nightlatch
