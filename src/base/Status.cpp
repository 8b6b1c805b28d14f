#include "base/Status.h"

struct Status::Failure {
    std::string message;
    unsigned long code;
    bool fatal;
};

Status Status::Failed(std::string message, unsigned long code) {
    return Status(new Failure{std::move(message), code, false});
}

Status Status::Fatal(std::string message) { return Status(new Failure{std::move(message), 0, true}); }

Status Status::Failed(const char* message, unsigned long code) { return Failed(std::string(message), code); }

Status Status::Fatal(const char* message) { return Fatal(std::string(message)); }

bool Status::IsFatal() const { return failure_ && failure_->fatal; }

const std::string& Status::Message() const {
    static const std::string* const none = new std::string;
    return failure_ ? failure_->message : *none;
}

unsigned long Status::Code() const { return failure_ ? failure_->code : 0; }
