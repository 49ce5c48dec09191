#include "update/update_rules.h"

#include "engine/web_address.h"

namespace nightlatch {

int32_t DateNumber(const LocalFields& day) {
  return day.year * 10000 + day.month * 100 + day.day;
}

bool UpdateCheckDue(int32_t today, int32_t checkDate) {
  return checkDate != today;
}

std::u16string UpdateFileAddress(std::u16string_view site) {
  std::u16string address(site);
  if (address.empty() || address.back() != u'/')
    address += u'/';
  return address + u"Helper/ver2.ini";
}

UpdateWrites PlanUpdateWrites(const FetchedUpdate& fetched, int32_t checkDate, int32_t today) {
  const int32_t lastCheck = checkDate > today ? 0 : checkDate;
  UpdateWrites writes;
  writes.checkDate = today;
  if (fetched.noteDate < lastCheck)
    return writes;
  writes.linksAndVersion = true;
  writes.version = fetched.version;
  for (int n = 0; n < kUpdateLinkCount; ++n) {
    writes.storedPairs[n] =
        !fetched.titles[n].empty() && (fetched.urls[n].empty() || IsWebAddress(fetched.urls[n]));
  }
  return writes;
}

}  // namespace nightlatch
