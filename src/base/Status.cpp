#include "base/Status.h"

Status::Status(const Status& other) = default;
Status::Status(Status&& other) noexcept = default;
Status& Status::operator=(const Status& other) = default;
Status& Status::operator=(Status&& other) noexcept = default;
Status::~Status() = default;
