#include "state/SetupState.h"

namespace {

// Made before the run and never destroyed: what it holds the platform releases at exit. The
// reference to it is a constant, which the compiler reads through at no cost.
union Lasting {
    Lasting() : state() {}
    ~Lasting() {}
    SetupState state;
} lasting;

}  // namespace

SetupState& Setup = lasting.state;
