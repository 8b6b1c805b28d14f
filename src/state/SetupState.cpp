#include "state/SetupState.h"

SetupState Setup;
