// The certificate factory is shared with the tools; see tools/common/devcerts.
#pragma once

#include "devcerts/certificatefactory.h"
