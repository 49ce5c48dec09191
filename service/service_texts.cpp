#include "service/service_texts.h"

#include "engine/task.h"
#include "engine/text_format.h"
#include "engine/utf8.h"
#include "service/day_item.h"

namespace nightlatch {

std::u16string ServiceCommandLine(std::u16string_view executablePath) {
  return FormatText(u"\"%s\" /service", {executablePath});
}

std::u16string ComposeSystemError(std::u16string_view prefix, std::u16string_view message) {
  return FormatText(u"%s %s", {prefix, message});
}

std::u16string DayItemDescription(const DayItem& item) {
  return FormatText(u"方式：%d   频率：%d  小时：%d  分钟：%d  秒：%d\r\n\r\n",
                    {item.mode, item.frequence, item.hour, item.minute, item.second});
}

std::u16string DayItemLogEntry(const LocalFields& at, std::u16string_view body) {
  return FormatText(u"%04d-%02d-%02d %02d:%02d:%02d\r\n%s",
                    {at.year, at.month, at.day, at.hour, at.minute, at.second, body});
}

std::u16string NotRunReason(int32_t mode) {
  const std::u16string_view name = ActionName(mode);
  if (name.empty())
    return FormatText(u"未执行：方式 %d 不是已知的操作\r\n", {mode});
  return FormatText(u"未执行：“%s”需要用户的桌面，服务中不能执行\r\n", {name});
}

std::string LogFileBytes(std::u16string_view entry, bool fileIsEmpty) {
  std::string bytes = fileIsEmpty ? "\xEF\xBB\xBF" : "";
  bytes += ToUtf8(entry);
  return bytes;
}

}  // namespace nightlatch
