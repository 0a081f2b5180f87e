#pragma once

// The update hints are defined in base, where the core's results (such as an effect run's) name them too.
#include "base/update_hints.h"
