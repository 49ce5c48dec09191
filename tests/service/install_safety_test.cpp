#include "service/install_safety.h"

#include <gtest/gtest.h>

#include <string>

#include "support/printable_text.h"

namespace nightlatch {
namespace {

using testing::Text;

constexpr char16_t kSystem[] = u"S-1-5-18";
constexpr char16_t kAdministrators[] = u"S-1-5-32-544";
constexpr char16_t kTrustedInstaller[] =
    u"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
constexpr char16_t kUsers[] = u"S-1-5-32-545";
constexpr char16_t kAuthenticatedUsers[] = u"S-1-5-11";
constexpr char16_t kEveryone[] = u"S-1-1-0";
constexpr char16_t kCreatorOwner[] = u"S-1-3-0";
constexpr char16_t kSomeUser[] = u"S-1-5-21-1004336348-1177238915-682003330-1001";

constexpr uint32_t kFullControl = 0x1F01FF;
constexpr uint32_t kModify = 0x1301BF;
constexpr uint32_t kReadAndExecute = 0x1200A9;

// Program Files as Windows sets it up.
ObjectSecurity ProgramFiles() {
  return ObjectSecurity{false,
                        {{kTrustedInstaller, kFullControl},
                         {kSystem, kFullControl},
                         {kAdministrators, kFullControl},
                         {kUsers, kReadAndExecute},
                         {kCreatorOwner, 0x10000000, true, true},
                         {u"S-1-15-2-1", kReadAndExecute}}};
}

ObjectSecurity With(AccessEntry entry) {
  ObjectSecurity security = ProgramFiles();
  security.entries.push_back(std::move(entry));
  return security;
}

TEST(InstallSafetyTest, OnlyTheSystemsAccountsMayChangeTheProgram) {
  struct Case {
    const char* name;
    ObjectSecurity security;
    std::u16string changer;  // empty: safe
  };
  const Case cases[] = {
      {"Program Files", ProgramFiles(), u""},
      {"Users may write (a folder of one's own)", With({kUsers, kModify}), kUsers},
      {"Authenticated Users may modify", With({kAuthenticatedUsers, kModify}), kAuthenticatedUsers},
      {"Everyone has full control", With({kEveryone, kFullControl}), kEveryone},
      {"the user's own account (a per-user install)", With({kSomeUser, kFullControl}), kSomeUser},
      {"Users may add files to the folder", With({kUsers, 0x2}), kUsers},
      {"Users may delete it", With({kUsers, 0x10000}), kUsers},
      {"Users may change the list", With({kUsers, 0x40000}), kUsers},
      {"Users may take it over", With({kUsers, 0x80000}), kUsers},
      {"generic write", With({kUsers, 0x40000000}), kUsers},
      {"handed down only", With({kUsers, kFullControl, true, true}), u""},
      {"a denial is no right", With({kUsers, kFullControl, false}), u""},
      {"read, run and wait only", With({kEveryone, kReadAndExecute}), u""},
      {"no access list at all", ObjectSecurity{true, {}}, kEveryone},
      {"an empty list", ObjectSecurity{false, {}}, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(Text(TrusteeWhoCanChange(c.security)), Text(c.changer));
  }
}

TEST(InstallSafetyTest, TheSystemsAccounts) {
  for (const char16_t* sid : {kSystem, kAdministrators, kTrustedInstaller})
    EXPECT_TRUE(IsSystemTrustee(sid)) << testing::ToUtf8(sid);
  for (const char16_t* sid : {kUsers, kEveryone, kSomeUser, u"S-1-5-32-5440", u""})
    EXPECT_FALSE(IsSystemTrustee(sid)) << testing::ToUtf8(sid);
}

}  // namespace
}  // namespace nightlatch
