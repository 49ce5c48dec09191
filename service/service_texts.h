// The service mode's names and texts, exactly as the user and the system see
// them, and the few functions that compose them.
#pragma once

#include <string>
#include <string_view>

#include "engine/calendar.h"

namespace nightlatch {

struct DayItem;

inline constexpr std::u16string_view kServiceName = u"NightlatchSrv";
inline constexpr std::u16string_view kServiceDescription =
    u"提供定时任务服务。如定时关机，重启，锁屏，注销等";
inline constexpr std::u16string_view kServiceStartedEvent = u"Service Started";
inline constexpr std::u16string_view kLogFileName = u"helper.log";
inline constexpr std::u16string_view kConfigFileName = u"config.ini";

// Message boxes of "/install" and "/uninstall".
inline constexpr std::u16string_view kInstalledText = u"服务安装成功";
inline constexpr std::u16string_view kInstallFailedCaption = u"服务安装失败";
inline constexpr std::u16string_view kUninstalledText = u"服务卸载成功 ";
inline constexpr std::u16string_view kUninstalledCaption = u"服务卸载成功";
inline constexpr std::u16string_view kUninstallFailedCaption = u"服务卸载失败";

// Prefixes of FormatSystemError; those of the start end in an ideographic
// space (U+3000).
inline constexpr std::u16string_view kNoPathPrefix = u"安装服务失败。 ";
inline constexpr std::u16string_view kReadSecurityPrefix = u"GetNamedSecurityInfo 失败。 ";
inline constexpr std::u16string_view kOpenManagerPrefix = u"OpenSCManager 失败。 ";
inline constexpr std::u16string_view kCreateServicePrefix = u"CreateService 失败。 ";
inline constexpr std::u16string_view kOpenServicePrefix = u"OpenService 失败。 ";
inline constexpr std::u16string_view kControlServicePrefix = u"ControlService 失败。 ";
inline constexpr std::u16string_view kDeleteServicePrefix = u"服务卸载失败。 ";
inline constexpr std::u16string_view kStartOpenServicePrefix = u"OpenService 失败\u3000";
inline constexpr std::u16string_view kStartServicePrefix = u"StartService 失败\u3000";
inline constexpr std::u16string_view kShutdownFailedPrefix = u"InitiateSystemShutdownEx 失败。 ";
inline constexpr std::u16string_view kNoDataFolderText = u"找不到服务的数据文件夹，每日任务不执行";
inline constexpr std::u16string_view kLogAppendPrefix = u"helper.log 写入失败。 ";

// "\"<exe>\" /service": quoted, so that a path with blanks (C:\Program
// Files\...) cannot be read as C:\Program.exe run as local system.
std::u16string ServiceCommandLine(std::u16string_view executablePath);

// "<prefix> <message>": an empty prefix gives a text that starts with a
// blank; the message is kept as the system wrote it (with its line end).
std::u16string ComposeSystemError(std::u16string_view prefix, std::u16string_view message);

// "方式：%d   频率：%d  小时：%d  分钟：%d  秒：%d\r\n\r\n" of the item's keys.
std::u16string DayItemDescription(const DayItem& item);

// The time of the run as "YYYY-MM-DD hh:mm:ss\r\n", then the body.
std::u16string DayItemLogEntry(const LocalFields& at, std::u16string_view body);

// Why the service did not carry out the item's action, one line with CR LF.
std::u16string NotRunReason(int32_t mode);

// The bytes appended to helper.log: the entry in UTF-8, its CR LF pairs as
// they are, after a byte-order mark when the file is still empty.
std::string LogFileBytes(std::u16string_view entry, bool fileIsEmpty);

}  // namespace nightlatch
