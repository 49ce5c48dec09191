// The install check's reading of real access lists under Wine. Wine keeps
// no lists of its own for files: it reports SYSTEM and the file's owner with
// full control and everyone with read, so a folder of the test's own reads
// as one its user may change, as a per-user install does on Windows. (The
// safe answer, Program Files' list, is read from a stand-in natively.)
#include "service/file_security_win.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <sddl.h>

#include <string>

#include "platform/scoped_handle_win.h"
#include "platform/service_handles_win.h"
#include "platform/wide_string_win.h"
#include "support/printable_text.h"
#include "support/temp_folder.h"

namespace nightlatch {
namespace {

std::u16string OwnAccount() {
  HANDLE token = nullptr;
  if (!::OpenProcessToken(::GetCurrentProcess(), TOKEN_QUERY, &token))
    return {};
  const ScopedHandle owned(token);
  alignas(TOKEN_USER) unsigned char buffer[256];
  DWORD size = 0;
  if (!::GetTokenInformation(token, TokenUser, buffer, sizeof buffer, &size))
    return {};
  LPWSTR text = nullptr;
  if (!::ConvertSidToStringSidW(reinterpret_cast<TOKEN_USER*>(buffer)->User.Sid, &text))
    return {};
  const ScopedLocalMemory freed(text);
  return FromWide(text);
}

TEST(FileSecurityTest, AFolderOfTheUsersOwnIsTheUsersToChange) {
  testing::TempFolder folder(u"file security");
  const std::filesystem::path program = folder.path() / "Nightlatch.exe";
  ::CloseHandle(::CreateFileW(program.wstring().c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              0, nullptr));
  const std::u16string own = OwnAccount();
  ASSERT_FALSE(own.empty());
  for (const std::filesystem::path& target : {folder.path(), program}) {
    SCOPED_TRACE(target.string());
    ObjectSecurity security;
    uint32_t error = 0;
    ASSERT_TRUE(ReadFileSecurity(target.u16string(), security, error)) << error;
    ASSERT_FALSE(security.entries.empty());
    EXPECT_EQ(testing::Text(TrusteeWhoCanChange(security)), testing::Text(own));
  }
}

TEST(FileSecurityTest, AMissingPathIsAnError) {
  ObjectSecurity security;
  uint32_t error = 0;
  EXPECT_FALSE(ReadFileSecurity(u"C:\\no such folder\\Nightlatch.exe", security, error));
  EXPECT_NE(error, 0u);
}

}  // namespace
}  // namespace nightlatch
