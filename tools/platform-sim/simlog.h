#pragma once

#include <QLoggingCategory>

// Everything the simulator logs: requests and outcomes at info level (off
// with --quiet), bad input at warning level. Never a key, passphrase, PIN
// or password.
Q_DECLARE_LOGGING_CATEGORY(lcSim)
