#include "app/PackageScope.h"

#include <windows.h>

#include <string_view>

#include "base/TextEncoding.h"
#include "fsutil/MediaSource.h"
#include "setupdata/ProfileFile.h"
#include "setupdata/ScriptNames.h"

namespace {

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t' || text.back() == '\r')) text.remove_suffix(1);
    return text;
}

bool SameName(std::string_view a, const char* b) {
    return CompareStringA(LOCALE_INVARIANT, NORM_IGNORECASE, a.data(), static_cast<int>(a.size()), b, -1) == CSTR_EQUAL;
}

// The value of `key` in [Package] of a profile text, read as the profile functions read it.
std::string PackageValue(std::string_view text, const char* key) {
    bool inPackage = false;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trimmed(text.substr(start, end - start));
        start = end + 1;
        if (line.starts_with("[")) {
            inPackage = line.ends_with("]") && SameName(Trimmed(line.substr(1, line.size() - 2)), PackageSection);
            continue;
        }
        const size_t equals = line.find('=');
        if (inPackage && equals != std::string_view::npos && SameName(Trimmed(line.substr(0, equals)), key))
            return std::string(Trimmed(line.substr(equals + 1)));
    }
    return {};
}

}  // namespace

bool IsUserScope(const std::string& value) { return lstrcmpiA(value.c_str(), UserScopeValue) == 0; }

PackageFacts ReadPackageFacts(const std::string& logPath) {
    if (!logPath.empty()) {
        const ProfileFile log(logPath);
        return {IsUserScope(log.ReadValue(PackageSection, ScopeKey, "")), log.ReadValue(PackageSection, PackageNameKey, "")};
    }
    // The script as the media hold it, a one-file setup's too. One that cannot be read is taken
    // for a package of the machine, whose elevated run then says what is wrong.
    if (!Media().Open()) return {};
    const Result<std::string> script = Media().Read(ScriptFileName);
    if (!script) return {};
    const std::string text = FromUtf16(DecodeAuthorText(script.Value()));
    return {IsUserScope(PackageValue(text, ScopeKey)), PackageValue(text, PackageNameKey)};
}
