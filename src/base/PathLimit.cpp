#include "base/PathLimit.h"

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/Utf8Text.h"

bool FitsPathBuffer(std::string_view path) {
    return path.size() <= MaxPathLength || CharacterCount(path, true) <= MaxPathLength;
}

std::string PathTooLongText(const std::string& path) { return FormatText(TextId::PathTooLong, Quoted(path).c_str()); }

Status RequireFittingPath(const std::string& path) {
    return FitsPathBuffer(path) ? Status() : Status::Failed(PathTooLongText(path));
}
