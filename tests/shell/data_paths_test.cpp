#include "shell/data_paths.h"

#include <gtest/gtest.h>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

TEST(DataPathsTest, JoinsTheFolderAndTheFileOrGivesNothing) {
  struct Case {
    const char* name;
    std::u16string_view appData, folder, file;
    std::u16string expected;
  };
  const Case cases[] = {
      {"a file in the program's folder", u"C:\\Users\\li\\AppData\\Roaming", u"Nightlatch",
       u"config.ini", u"C:\\Users\\li\\AppData\\Roaming\\Nightlatch\\config.ini"},
      {"the folder itself", u"C:\\Data", u"Nightlatch", u"", u"C:\\Data\\Nightlatch"},
      {"a file directly in the data folder", u"C:\\Data", u"", u"x.ini", u"C:\\Data\\x.ini"},
      // The look-up failed: no path at all, never "\\Nightlatch\\config.ini"
      // at the root of the current drive.
      {"no data folder", u"", u"Nightlatch", u"config.ini", u""},
      {"no data folder, the folder", u"", u"Nightlatch", u"", u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Text(JoinDataPath(c.appData, c.folder, c.file)), Text(c.expected));
  }
}

}  // namespace
}  // namespace nightlatch
