#include "service/install_safety.h"

#include "engine/text_format.h"

namespace nightlatch {

bool IsSystemTrustee(std::u16string_view sid) {
  return sid == u"S-1-5-18" || sid == u"S-1-5-32-544" ||
         sid == u"S-1-5-80-956008885-3418522649-1831038044-1853292631-2271478464";
}

std::u16string TrusteeWhoCanChange(const ObjectSecurity& security) {
  if (security.nullAccessList)
    return u"S-1-1-0";  // Everyone
  // A denying entry is not counted: a list is safe by what it allows alone.
  for (const AccessEntry& entry : security.entries) {
    if (entry.allows && !entry.inheritOnly && (entry.mask & kChangingRights) != 0 &&
        !IsSystemTrustee(entry.sid))
      return entry.sid;
  }
  return {};
}

std::u16string UnsafeInstallText(std::u16string_view path) {
  return FormatText(
      u"程序必须为所有用户安装在只有管理员才能修改的文件夹中（例如 Program Files），"
      u"才能安装为服务。\n其他用户可以修改：%s",
      {path});
}

}  // namespace nightlatch
