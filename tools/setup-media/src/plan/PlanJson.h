#pragma once
#include <string>

#include "plan/InstallPlan.h"

// The plan as JSON in the documented format (README "Before and after an install",
// docs/plan-schema.json): one object for the package, then one flat object per action, one line
// each.
inline constexpr int PlanFormatVersion = 2;

std::string PlanJson(const InstallPlan& plan);

// The names the format gives kinds and roles.
const char* KindName(ActionKind kind);
const char* RoleName(ActionRole role);
