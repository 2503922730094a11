#include "simlog.h"

Q_LOGGING_CATEGORY(lcSim, "velin.platformsim", QtInfoMsg)
