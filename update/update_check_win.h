// The daily update check: on a thread of its own, fetches the update file
// once, stores its links and version, and tells the main window.
#pragma once

#include <windows.h>

#include <atomic>
#include <memory>
#include <string>

namespace nightlatch {

struct UpdateCheckJob {
  // Told with WM_UPDATE_FETCHED, sent, once the links and version are in.
  HWND mainWindow = nullptr;
  // Holds config.ini and note.ini; ver.ini is fetched into it.
  std::u16string dataFolder;
  // "https://host/": the update file is "Helper/ver2.ini" below it.
  std::u16string site;
  int32_t today = 0;
  // Set when the program begins to exit; read after the first wait and
  // during the transfer.
  std::shared_ptr<const std::atomic<bool>> exiting;
  DWORD delayMilliseconds = 1000;
};

// Starts the check; false when no thread could be made.
bool StartUpdateCheck(UpdateCheckJob job);
// The check itself, on the calling thread.
void RunUpdateCheck(const UpdateCheckJob& job);

}  // namespace nightlatch
