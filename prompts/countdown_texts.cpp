#include "prompts/countdown_texts.h"

#include "engine/text_format.h"

namespace nightlatch {

std::u16string OpeningSecondsText(int32_t seconds) {
  return FormatText(u"%d", {seconds});
}

std::u16string TickSecondsText(int32_t seconds) {
  return FormatText(u"%02d", {seconds});
}

std::u16string CountdownMessage(std::u16string_view actionName) {
  return FormatText(u"秒后执行%s事件！\n\n赶快保存一下文件吧", {actionName});
}

std::u16string AlarmTimeLine(const LocalFields& now) {
  return FormatText(u"闹钟时间：%d年%d月%d日 %02d:%02d",
                    {now.year, now.month, now.day, now.hour, now.minute});
}

}  // namespace nightlatch
