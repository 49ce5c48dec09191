// Names by which the interactive program is found from outside: by a second
// copy of itself and by the service.
#pragma once

namespace nightlatch {

// The single-instance mutex, in the user's session.
inline constexpr char16_t kInstanceMutexName[] = u"Nightlatch001";
// The main dialog's title (string IDS_TITLE).
inline constexpr char16_t kMainWindowTitle[] = u"Orvane定时关机助手";
// Held by the interactive program for its whole life. A service runs in
// session 0 on Windows and cannot see windows of the user's session, but it
// sees the global namespace.
inline constexpr char16_t kInteractivePresenceName[] = u"Global\\NightlatchInteractive";

}  // namespace nightlatch
