#include "shell/autostart_rules.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

TEST(AutostartRulesTest, TheRunValueMustNameThisProgram) {
  const std::u16string program =
      u"C:\\Users\\Li\\AppData\\Local\\Programs\\Nightlatch\\Nightlatch.exe";
  EXPECT_EQ(Text(AutostartCommand(program)), Text(u"\"" + program + u"\" /min"));
  const struct {
    const char* name;
    std::u16string value;
    bool names;
  } cases[] = {
      {"as written", AutostartCommand(program), true},
      {"other letter case",
       u"\"c:\\users\\li\\appdata\\local\\programs\\nightlatch\\NIGHTLATCH.EXE\" /min", true},
      {"a copy elsewhere", u"\"D:\\Nightlatch\\Nightlatch.exe\" /min", false},
      {"unquoted", program + u" /min", false},
      {"a longer path with the same start", u"\"" + program + u".old\" /min", false},
      {"empty", u"", false},
  };
  for (const auto& c : cases)
    EXPECT_EQ(AutostartNamesProgram(c.value, program), c.names) << c.name;
}

TEST(AutostartRulesTest, AnOddFirstByteOfTheApprovedValueMeansSwitchedOff) {
  EXPECT_FALSE(StartupApprovedDisables(std::vector<uint8_t>{}));
  EXPECT_FALSE(StartupApprovedDisables(std::vector<uint8_t>{0x02, 0, 0}));
  EXPECT_FALSE(StartupApprovedDisables(std::vector<uint8_t>{0x06}));
  EXPECT_TRUE(StartupApprovedDisables(std::vector<uint8_t>{0x03, 0x51}));
}

}  // namespace
}  // namespace nightlatch
