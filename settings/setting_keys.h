// Every key of config.ini with its section and default, in one place.
#pragma once

#include <cstdint>
#include <string_view>

namespace nightlatch {

struct IntSetting {
  std::u16string_view section;
  std::u16string_view key;
  int32_t defaultValue;
};

struct TextSetting {
  std::u16string_view section;
  std::u16string_view key;
  std::u16string_view defaultValue;
};

namespace setting {

inline constexpr IntSetting kPasswordOn{u"Config", u"PwdFlag", 0};
inline constexpr TextSetting kPassword{u"Config", u"Pwd", u""};
inline constexpr IntSetting kPromptBottomRight{u"Config", u"Position", 0};
inline constexpr IntSetting kSoundOn{u"Config", u"SoundFlag", 1};
inline constexpr TextSetting kSoundFile{u"Config", u"SoundFile", u""};
inline constexpr IntSetting kKnownVersion{u"Config", u"Ver", 0};
inline constexpr IntSetting kCheckDate{u"Config", u"Checkdate", 0};
// The moment (seconds since 1970) of the last scheduling pass, so that a
// start knows which runs fell while the program was away.
inline constexpr IntSetting kLastPass{u"Config", u"LastPass", 0};
// A wake timer wakes the computer for the next task.
inline constexpr IntSetting kWakeForTasks{u"Config", u"WakeFlag", 0};

inline constexpr IntSetting kSpeakByHour{u"Speak", u"ByHour", 0};
inline constexpr IntSetting kSpeakByHalf{u"Speak", u"ByHalf", 0};
inline constexpr IntSetting kSpeakNotify{u"Speak", u"Notify", 0};
inline constexpr TextSetting kSpeakHours{u"Speak", u"SpeakHour", u"000000000000000000000000"};
inline constexpr IntSetting kHotkeyKey{u"Speak", u"HotkeyVK", 120};
inline constexpr IntSetting kHotkeyModifiers{u"Speak", u"HotkeySYS", 2};

inline constexpr IntSetting kClockShown{u"Clock", u"ClockFlag", 1};
inline constexpr IntSetting kClockTopMost{u"Clock", u"TopMost", 1};
inline constexpr IntSetting kClockFixed{u"Clock", u"Fix", 0};
inline constexpr IntSetting kClockOpacity{u"Clock", u"Transparence", 8};
inline constexpr IntSetting kClockZoom{u"Clock", u"Zoom", 10};
inline constexpr IntSetting kClockBackground{u"Clock", u"BgColor", 14062095};
inline constexpr IntSetting kClockTextColor{u"Clock", u"TextColor", 16777215};
inline constexpr IntSetting kClockMode{u"Clock", u"ClockMode", 0};
// The left default depends on the work area; the clock window supplies it.
inline constexpr std::u16string_view kClockLeftSection = u"Clock";
inline constexpr std::u16string_view kClockLeftKey = u"nLostPosLeft";
inline constexpr IntSetting kClockTop{u"Clock", u"nLastPostop", 55};
// The pictures' list, which an installation provides: how many there are,
// which one is chosen, and each one's file under the key "sFile%02d".
inline constexpr std::u16string_view kPictureSection = u"BACKGROUND";
inline constexpr IntSetting kClockPicture{u"BACKGROUND", u"nCurrent", 1};
// The clock page's own default for the same key.
inline constexpr IntSetting kClockPagePicture{u"BACKGROUND", u"nCurrent", 8};
inline constexpr IntSetting kClockPictureCount{u"BACKGROUND", u"nTotal", 8};

inline constexpr IntSetting kDayItemMode{u"DayItem", u"Mode", -1};
inline constexpr IntSetting kDayItemFrequency{u"DayItem", u"Frequence", 0};
inline constexpr IntSetting kDayItemHour{u"DayItem", u"H", 0};
inline constexpr IntSetting kDayItemMinute{u"DayItem", u"M", 0};
inline constexpr IntSetting kDayItemSecond{u"DayItem", u"S", 0};

}  // namespace setting

// Hotkey control modifier bits (1 Shift, 2 Ctrl, 4 Alt, 8 extended) to
// RegisterHotKey's (MOD_ALT 1, MOD_CONTROL 2, MOD_SHIFT 4).
constexpr uint32_t HotkeyModifiers(int32_t controlBits) {
  return ((controlBits & 4) ? 1u : 0u) | ((controlBits & 2) ? 2u : 0u) |
         ((controlBits & 1) ? 4u : 0u);
}

}  // namespace nightlatch
