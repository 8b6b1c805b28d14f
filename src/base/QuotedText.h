#pragma once
#include <string>

#include "base/Status.h"
#include "base/TextId.h"

// A value from the setup script or the uninstall log as a message quotes it: whole up to 100
// characters, else its first 100 and "...", so that one very long word cannot fill, or blank,
// the box it stands in.
std::string Quoted(const std::string& value);
// The text of `id` (base/Texts.h) with `value`, quoted, for its one placeholder.
std::string QuotedIn(TextId id, const std::string& value);
// A failure whose message is QuotedIn(id, value).
Status FailedQuoting(TextId id, const std::string& value);
