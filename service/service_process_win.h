// "/service": the process the service manager starts.
#pragma once

namespace nightlatch {

// Hands the thread to the service control dispatcher with the one service
// "NightlatchSrv"; returns once the service has stopped and its loop ended.
// A dispatcher that cannot start (the switch given by hand) is reported to
// the service log.
void RunServiceDispatcher();

}  // namespace nightlatch
