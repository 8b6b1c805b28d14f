#include "base/QuotedText.h"

namespace {

constexpr size_t MaxQuotedLength = 100;

}  // namespace

std::string Quoted(const std::string& value) {
    if (value.size() <= MaxQuotedLength) return value;
    return value.substr(0, MaxQuotedLength) + "...";
}
