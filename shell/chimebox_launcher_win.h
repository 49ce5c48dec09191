#pragma once

namespace nightlatch {

// Starts Chimebox.exe from beside this program, hidden, and waits at most
// five seconds until it is ready; false when it could not be started.
bool StartChimebox();

}  // namespace nightlatch
