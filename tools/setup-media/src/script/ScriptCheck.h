#pragma once
#include "script/Finding.h"

// Every finding of every rule, in line order.
Findings CheckScript(const CheckInput& input);
