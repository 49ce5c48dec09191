// The prompt's sound: which file, which alias, which MCI commands and when.
#include "prompts/prompt_sound.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "prompts/recording_mci.h"
#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::RecordingMci;
using testing::Text;
using testing::ToUtf8;
using Commands = std::vector<std::string>;

std::string Prefix(const std::u16string& alias) {
  const std::string text = ToUtf8(alias);
  return text.substr(0, text.find('_') + 1);
}

TEST(SoundAliasTest, TheSecondsAsASigned32BitNumberAndACounter) {
  const struct {
    int64_t now;
    const char* prefix;
  } cases[] = {
      {1796000000, "song1796000000_"},  {0, "song0_"},           {0x7FFFFFFF, "song2147483647_"},
      {0x80000000, "song-2147483648_"}, {0xFFFFFFFF, "song-1_"}, {0x100000005, "song5_"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Prefix(NextSoundAlias(c.now)), c.prefix) << c.now;
}

TEST(SoundAliasTest, PromptsOfTheSameSecondGetDifferentAliases) {
  std::set<std::u16string> aliases;
  for (int i = 0; i < 50; ++i) {
    const std::u16string alias = NextSoundAlias(1796000000);
    EXPECT_EQ(alias.find(u' '), std::u16string::npos) << ToUtf8(alias);
    EXPECT_TRUE(aliases.insert(alias).second) << "used twice: " << ToUtf8(alias);
  }
}

TEST(SoundFileTest, OnlyFlagOnePlaysAndAnEmptyFileMeansTheDefault) {
  const struct {
    int32_t flag;
    std::u16string_view file;
    std::u16string_view chosen;
  } cases[] = {
      {1, u"", u"C:\\程序\\resource\\sound\\1.mp3"},
      {1, u"D:\\铃声\\早安.mp3", u"D:\\铃声\\早安.mp3"},
      {0, u"", u""},
      {0, u"D:\\铃声\\早安.mp3", u""},
      {2, u"D:\\铃声\\早安.mp3", u""},
      {-1, u"", u""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.flag);
    EXPECT_EQ(Text(ChosenSoundFile(c.flag, c.file, u"C:\\程序\\resource\\sound\\1.mp3")),
              Text(c.chosen));
  }
}

// Without short names (a volume that has none) the path keeps its blanks,
// and MCI would read the first word as the whole file.
TEST(PromptSoundTest, APathWithBlanksIsQuotedWhole) {
  RecordingMci mci;
  PromptSound sound(mci);
  sound.Start(u"D:\\My Music\\早安 铃声.mp3", u"song1_1");
  ASSERT_FALSE(mci.commands().empty());
  EXPECT_EQ(mci.commands().front(), "open \"D:\\My Music\\早安 铃声.mp3\" alias song1_1");
}

TEST(PromptSoundTest, OpensPlaysStopsRestartsAndClosesItsAlias) {
  RecordingMci mci;
  PromptSound sound(mci);
  sound.Start(u"C:\\PROGRA~1\\NIGHTL~1\\1.mp3", u"song1796000000_7");
  EXPECT_EQ(mci.commands(),
            (Commands{"open \"C:\\PROGRA~1\\NIGHTL~1\\1.mp3\" alias song1796000000_7",
                      "play song1796000000_7"}));
  mci.Clear();
  sound.Stop();
  sound.Restart();
  sound.Close();
  EXPECT_EQ(mci.commands(), (Commands{"stop song1796000000_7", "seek song1796000000_7 to start",
                                      "play song1796000000_7", "close song1796000000_7"}));
  EXPECT_EQ(Text(sound.alias()), Text(u""));
  mci.Clear();
  sound.Close();
  sound.Stop();
  EXPECT_EQ(mci.commands(), Commands{}) << "a closed device gets no more commands";
}

TEST(PromptSoundTest, WithoutAFileNothingIsSentAtAll) {
  RecordingMci mci;
  {
    PromptSound sound(mci);
    sound.Start(u"", u"song1_1");
    EXPECT_EQ(Text(sound.alias()), Text(u""));
    sound.Stop();
    sound.Restart();
  }
  EXPECT_EQ(mci.commands(), Commands{});
}

TEST(PromptSoundTest, TheDeviceIsClosedWhenItsOwnerGoes) {
  RecordingMci mci;
  {
    PromptSound sound(mci);
    sound.Start(u"C:\\A.MP3", u"song1_2");
    mci.Clear();
  }
  EXPECT_EQ(mci.commands(), Commands{"close song1_2"});
}

}  // namespace
}  // namespace nightlatch
