#pragma once
#include <exception>
#include <string>

// The one error type the layers raise. Its message is exactly what the user is shown
// (the default error report appends the full stop). It keeps its own text rather than deriving
// from the library's error types, whose string would bring a second string type into the program.
class SetupError : public std::exception {
public:
    explicit SetupError(std::string message) : message_(std::move(message)) {}
    const char* what() const noexcept override { return message_.c_str(); }

private:
    std::string message_;
};
