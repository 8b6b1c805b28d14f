#pragma once
#include <string>

#include "plan/InstallPlan.h"

// The plan for a person to read: what the install is, then one line per action, grouped by
// kind, each group in the order the install makes its actions.
std::string PlanText(const InstallPlan& plan);
