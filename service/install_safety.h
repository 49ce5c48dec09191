// Whether a program may be registered as a LocalSystem service from where
// it lies: a copy that anyone but the system's own accounts can replace
// (or whose folder they can plant files in) would run their code as SYSTEM
// at the next start.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace nightlatch {

// One entry of an object's access list, its trustee as a SID string.
struct AccessEntry {
  std::u16string sid;
  uint32_t mask = 0;
  bool allows = true;
  // Only handed down to new children; it does not apply to the object.
  bool inheritOnly = false;
};

struct ObjectSecurity {
  bool nullAccessList = false;  // no list at all: everyone may do everything
  std::vector<AccessEntry> entries;
};

// The rights that let a trustee change an object: write or append data
// (for a folder: add files or folders), its attributes, delete it or its
// children, change its access list or owner, and the generic forms.
inline constexpr uint32_t kChangingRights =
    0x2 | 0x4 | 0x10 | 0x40 | 0x100 | 0x10000 | 0x40000 | 0x80000 | 0x10000000 | 0x40000000;

// SYSTEM, Administrators and TrustedInstaller.
bool IsSystemTrustee(std::u16string_view sid);

// The first trustee other than the system's accounts that may change the
// object; empty when none may.
std::u16string TrusteeWhoCanChange(const ObjectSecurity& security);

// The refusal's text for a path that others can change.
std::u16string UnsafeInstallText(std::u16string_view path);

}  // namespace nightlatch
