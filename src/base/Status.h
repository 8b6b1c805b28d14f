#pragma once
#include <string>
#include <utility>

// What a step that can fail gives back: success, or the text the user is shown for its failure.
// The one way the layers below the run report a failure; the caller must look at it. The run
// shows a failure in one of two ways (state/RunFace.h, ReportFailure): the default error report
// (the message and a full stop, captioned with the program's title), or, for a check that the run
// cannot go on without, a "Fatal Error" box with the message as it stands.
class [[nodiscard]] Status {
public:
    Status() = default;
    // Out of line: a status is passed on and dropped at every step, and the text it holds would
    // otherwise be copied and freed in line there.
    [[gnu::noinline]] Status(const Status& other);
    [[gnu::noinline]] Status(Status&& other) noexcept;
    [[gnu::noinline]] Status& operator=(const Status& other);
    [[gnu::noinline]] Status& operator=(Status&& other) noexcept;
    [[gnu::noinline]] ~Status();
    // `code`: the platform's error code, where the caller may act on it.
    static Status Failed(std::string message, unsigned long code = 0) {
        Status status(Kind::Failed, std::move(message));
        status.code_ = code;
        return status;
    }
    static Status Fatal(std::string message) { return Status(Kind::Fatal, std::move(message)); }

    bool Ok() const { return kind_ == Kind::Ok; }
    explicit operator bool() const { return Ok(); }
    bool IsFatal() const { return kind_ == Kind::Fatal; }
    const std::string& Message() const { return message_; }
    unsigned long Code() const { return code_; }

private:
    enum class Kind : unsigned char { Ok, Failed, Fatal };
    Status(Kind kind, std::string message) : kind_(kind), message_(std::move(message)) {}

    Kind kind_ = Kind::Ok;
    std::string message_;
    unsigned long code_ = 0;
};

// A value, or the failure that left none.
template <class T>
class [[nodiscard]] Result {
public:
    Result(T value) : value_(std::move(value)) {}
    // Only a failed status makes a result without a value.
    Result(Status failure) : status_(std::move(failure)) {}

    bool Ok() const { return status_.Ok(); }
    explicit operator bool() const { return status_.Ok(); }
    const Status& State() const { return status_; }
    const std::string& Message() const { return status_.Message(); }
    const T& Value() const { return value_; }
    T& Value() { return value_; }

private:
    Status status_;
    T value_{};
};
