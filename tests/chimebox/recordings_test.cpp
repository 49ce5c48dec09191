// The recordings delivered beside the programs: every file a chain can name
// is there and is a short, audible, plain PCM WAV that PlaySoundW can play;
// the default reminder sound is there and is an MP3.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "chimebox/spoken_time.h"
#include "support/printable_text.h"

namespace nightlatch {
namespace {

const std::string kDataFolder = NIGHTLATCH_DATA_FOLDER;

std::vector<unsigned char> ReadFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  return std::vector<unsigned char>(std::istreambuf_iterator<char>(file), {});
}

uint32_t Le32(const std::vector<unsigned char>& bytes, std::size_t at) {
  return bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 | uint32_t{bytes[at + 3]} << 24;
}

uint16_t Le16(const std::vector<unsigned char>& bytes, std::size_t at) {
  return static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
}

struct Wave {
  uint16_t format = 0;
  uint16_t channels = 0;
  uint32_t rate = 0;
  uint16_t bits = 0;
  std::vector<int16_t> samples;
};

// A RIFF WAVE file's format and 16-bit samples; nothing when it is not one.
std::optional<Wave> ParseWave(const std::vector<unsigned char>& bytes) {
  if (bytes.size() < 12 || std::string(bytes.begin(), bytes.begin() + 4) != "RIFF" ||
      std::string(bytes.begin() + 8, bytes.begin() + 12) != "WAVE")
    return std::nullopt;
  Wave wave;
  bool sawFormat = false;
  for (std::size_t at = 12; at + 8 <= bytes.size();) {
    const std::string id(bytes.begin() + at, bytes.begin() + at + 4);
    const uint32_t size = Le32(bytes, at + 4);
    const std::size_t body = at + 8;
    if (body + size > bytes.size())
      return std::nullopt;
    if (id == "fmt " && size >= 16) {
      wave.format = Le16(bytes, body);
      wave.channels = Le16(bytes, body + 2);
      wave.rate = Le32(bytes, body + 4);
      wave.bits = Le16(bytes, body + 14);
      sawFormat = true;
    } else if (id == "data" && sawFormat && wave.bits == 16) {
      for (std::size_t i = body; i + 1 < body + size; i += 2)
        wave.samples.push_back(static_cast<int16_t>(Le16(bytes, i)));
    }
    at = body + size + (size & 1);
  }
  if (!sawFormat)
    return std::nullopt;
  return wave;
}

TEST(RecordingsTest, EveryRecordingAChainNamesIsAShortAudibleMonoPcmWave) {
  std::set<std::u16string_view> named;
  for (int hour = 0; hour < 24; ++hour) {
    for (int minute = 0; minute < 60; ++minute) {
      for (std::u16string_view name : BuildSpokenTimeChain(hour, minute)) {
        if (!name.empty())
          named.insert(name);
      }
    }
  }
  EXPECT_EQ(named.size(), 25u);
  for (std::u16string_view name : named) {
    const std::string path = kDataFolder + "/" + testing::ToUtf8(name);
    SCOPED_TRACE(path);
    const std::optional<Wave> wave = ParseWave(ReadFile(path));
    ASSERT_TRUE(wave.has_value()) << "missing, or not a WAVE file";
    EXPECT_EQ(wave->format, 1) << "not plain PCM";
    EXPECT_EQ(wave->channels, 1);
    EXPECT_EQ(wave->bits, 16);
    ASSERT_GE(wave->rate, 8000u);
    const double seconds = static_cast<double>(wave->samples.size()) / wave->rate;
    EXPECT_GE(seconds, 0.15);
    EXPECT_LE(seconds, 3.0);
    int peak = 0;
    for (const int16_t sample : wave->samples)
      peak = std::max(peak, std::abs(int{sample}));
    EXPECT_GE(peak, 32768 / 4) << "too quiet to hear";
    // Silence is cut at the start, so the words of a chain follow closely.
    const auto firstSound =
        std::find_if(wave->samples.begin(), wave->samples.end(),
                     [](int16_t sample) { return std::abs(int{sample}) > 328; });
    EXPECT_LE(static_cast<double>(firstSound - wave->samples.begin()) / wave->rate, 0.05);

    // The voice fades out instead of stopping dead (a click): in its last
    // 3 ms it is far quieter than 20 to 30 ms before its end.
    const auto loud = [&](int16_t sample) { return std::abs(int{sample}) * 100 > peak; };
    const std::size_t end = static_cast<std::size_t>(
        std::find_if(wave->samples.rbegin(), wave->samples.rend(), loud).base() -
        wave->samples.begin());
    const std::size_t ms = wave->rate / 1000;
    ASSERT_GT(end, 30 * ms);
    const auto loudest = [&](std::size_t fromMs, std::size_t toMs) {
      int most = 0;
      for (std::size_t i = end - toMs * ms; i < end - fromMs * ms; ++i)
        most = std::max(most, std::abs(int{wave->samples[i]}));
      return most;
    };
    EXPECT_LE(loudest(0, 3) * 100, loudest(20, 30) * 35) << "the ending is cut off";
  }
}

TEST(RecordingsTest, TheDefaultReminderSoundIsAnMp3) {
  const std::vector<unsigned char> bytes = ReadFile(kDataFolder + "/resource/sound/1.mp3");
  ASSERT_GE(bytes.size(), 1024u);
  const bool id3 = std::string(bytes.begin(), bytes.begin() + 3) == "ID3";
  const bool frameSync = bytes[0] == 0xFF && (bytes[1] & 0xE0) == 0xE0;
  EXPECT_TRUE(id3 || frameSync);
}

}  // namespace
}  // namespace nightlatch
