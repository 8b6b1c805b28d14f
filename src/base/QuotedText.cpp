#include "base/QuotedText.h"

#include "base/FormatText.h"
#include "base/Utf8Text.h"

namespace {

constexpr size_t MaxQuotedLength = 100;

}  // namespace

std::string Quoted(const std::string& value) {
    const std::string kept = FirstCharacters(value, MaxQuotedLength);
    return kept.size() == value.size() ? value : kept + "...";
}

std::string QuotedIn(TextId id, const std::string& value) { return FormatText(id, Quoted(value).c_str()); }

Status FailedQuoting(TextId id, const std::string& value) { return Status::Failed(QuotedIn(id, value)); }
