// The plans the optimizer builds are the plan layer's values; this name stays
// for the code that has always included it from here.
#pragma once

#include "plan/cut_plan.h"
