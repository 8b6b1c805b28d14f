#include "base/QuotedText.h"

#include "base/Utf8Text.h"

namespace {

constexpr size_t MaxQuotedLength = 100;

}  // namespace

std::string Quoted(const std::string& value) {
    const std::string kept = FirstCharacters(value, MaxQuotedLength);
    return kept.size() == value.size() ? value : kept + "...";
}
