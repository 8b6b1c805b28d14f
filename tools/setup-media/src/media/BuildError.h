#pragma once
#include <stdexcept>

// A reason the media cannot be built, in one line for the author.
class BuildError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
