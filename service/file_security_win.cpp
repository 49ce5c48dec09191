#include "service/file_security_win.h"

#include <windows.h>

#include <aclapi.h>
#include <sddl.h>

#include <string>

#include "platform/service_handles_win.h"
#include "platform/wide_string_win.h"

namespace nightlatch {
namespace {

std::u16string SidText(PSID sid) {
  LPWSTR text = nullptr;
  if (!::ConvertSidToStringSidW(sid, &text))
    return u"?";
  const ScopedLocalMemory owned(text);
  return FromWide(text);
}

// Allowing entries of a kind the check does not read count as allowing
// everything to an unknown trustee, so that they refuse rather than pass.
AccessEntry EntryOf(const ACE_HEADER* header) {
  AccessEntry entry;
  entry.inheritOnly = (header->AceFlags & INHERIT_ONLY_ACE) != 0;
  switch (header->AceType) {
    case ACCESS_ALLOWED_ACE_TYPE: {
      const auto* ace = reinterpret_cast<const ACCESS_ALLOWED_ACE*>(header);
      entry.sid = SidText(const_cast<DWORD*>(&ace->SidStart));
      entry.mask = ace->Mask;
      break;
    }
    case ACCESS_DENIED_ACE_TYPE: {
      const auto* ace = reinterpret_cast<const ACCESS_DENIED_ACE*>(header);
      entry.sid = SidText(const_cast<DWORD*>(&ace->SidStart));
      entry.mask = ace->Mask;
      entry.allows = false;
      break;
    }
    case SYSTEM_AUDIT_ACE_TYPE:
    case SYSTEM_ALARM_ACE_TYPE:
      entry.allows = false;
      break;
    default:
      entry.sid = u"?";
      entry.mask = GENERIC_ALL;
      break;
  }
  return entry;
}

}  // namespace

bool ReadFileSecurity(std::u16string_view path, ObjectSecurity& security, uint32_t& error) {
  PACL list = nullptr;
  PSECURITY_DESCRIPTOR descriptor = nullptr;
  std::wstring wide = ToWide(path);
  const DWORD result =
      ::GetNamedSecurityInfoW(wide.data(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr,
                              nullptr, &list, nullptr, &descriptor);
  if (result != ERROR_SUCCESS) {
    error = result;
    return false;
  }
  const ScopedLocalMemory owned(descriptor);
  security = ObjectSecurity{};
  if (!list) {
    security.nullAccessList = true;
    return true;
  }
  for (DWORD index = 0; index < list->AceCount; ++index) {
    void* ace = nullptr;
    if (::GetAce(list, index, &ace))
      security.entries.push_back(EntryOf(static_cast<const ACE_HEADER*>(ace)));
  }
  return true;
}

}  // namespace nightlatch
