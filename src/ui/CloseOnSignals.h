#pragma once

class QWidget;

namespace tavorin {

// Log-off and shutdown reach a Linux program as SIGTERM or SIGHUP: turn them
// into an ordinary close request of the window, so the options are saved.
void closeOnTerminationSignals(QWidget* window);

} // namespace tavorin
