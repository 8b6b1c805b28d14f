#pragma once
#include <stdexcept>
#include <string>

// The one error type the layers raise. Its message is exactly what the user is shown
// (the default error report appends the full stop).
class SetupError : public std::runtime_error {
public:
    explicit SetupError(const std::string& message) : std::runtime_error(message) {}
};
