#include "base/PathLimit.h"

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/Utf8Text.h"

bool FitsPathBuffer(const std::string& path) {
    return path.size() <= MaxPathLength || CharacterCount(path, true) <= MaxPathLength;
}

std::string PathTooLongText(const std::string& path) { return QuotedIn(TextId::PathTooLong, path); }

Status RequireFittingPath(const std::string& path) {
    return FitsPathBuffer(path) ? Status() : Status::Failed(PathTooLongText(path));
}
