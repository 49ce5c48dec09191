// The texts the countdown prompt writes, exactly as the user reads them.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/calendar.h"

namespace nightlatch {

inline constexpr std::u16string_view kPromptTitle = u"Orvane关机助手提示";
inline constexpr std::u16string_view kReminderTitle = u"Orvane闹钟提醒";
inline constexpr std::u16string_view kAcknowledgeCaption = u"我知道了";

// The number label at opening ("%d"), then at every tick ("%02d").
std::u16string OpeningSecondsText(int32_t seconds);
std::u16string TickSecondsText(int32_t seconds);
// "秒后执行关机事件！\n\n赶快保存一下文件吧", the line beside the number.
std::u16string CountdownMessage(std::u16string_view actionName);
// "闹钟时间：2026年11月29日 08:05", a reminder's line under its title.
std::u16string AlarmTimeLine(const LocalFields& now);

}  // namespace nightlatch
