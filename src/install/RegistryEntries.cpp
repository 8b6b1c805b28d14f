#include <optional>

#include "base/FormatText.h"
#include "base/QuotedText.h"
#include "base/Texts.h"
#include "fsutil/FileNames.h"
#include "fsutil/PathMacros.h"
#include "fsutil/UserScope.h"
#include "install/InstallRun.h"
#include "setupdata/IntegerText.h"
#include "setupdata/RegistryKeyText.h"
#include "setupdata/ScriptGroups.h"
#include "setupdata/ScriptNames.h"
#include "state/RunPlan.h"
#include "state/SetupState.h"
#include "state/UninstallLog.h"

namespace {

// Newly created keys together fill at most this much of the total bar.
constexpr float KeysShare = 30.0f;

enum class KeyResult { Skipped, Existed, Created, Failed };

// The key a script's key text names for this package: a package of the user alone writes the
// user's own classes for HKEY_CLASSES_ROOT.
std::string ScopedKeyText(const std::string& text) { return Setup.UserScope ? UserScopeKeyText(text) : text; }

// Makes the key the text names the registry object's current key, if it exists.
bool OpenExistingKey(const RegistryKeyText& key) {
    Setup.Registry->SetRootKey(InstallRootKey(key.rootName));
    return Setup.Registry->OpenKey(key.keyPath.c_str(), false);
}

KeyResult MakeKey(const std::string& text) {
    const std::optional<RegistryKeyText> key = SplitRegistryKeyText(text);
    if (!key) return KeyResult::Skipped;
    // A key text beyond a path buffer is refused as a key that cannot be made or opened.
    if (!FitsPathBuffer(text)) return KeyResult::Failed;
    if (OpenExistingKey(*key)) return KeyResult::Existed;
    if (Setup.Plan) return KeyResult::Created;
    return Setup.Registry->CreateKey(key->keyPath.c_str()) ? KeyResult::Created : KeyResult::Failed;
}

Status WriteValue(const KeyValueGroup& group, const std::string& keyText) {
    const std::string name = RegistryValueName(group.valueName);
    if (IsStringType(group.type)) {
        const Result<std::string> data = ExpandPathMacros(group.data);
        return data ? PutString(PlanRole::Package, keyText, name.c_str(), data.Value()) : data.State();
    }
    const std::optional<int32_t> value = ParseIntegerText(group.data);
    if (!value) return FailedQuoting(TextId::NotAnInteger, group.data);
    return PutInteger(PlanRole::Package, keyText, name.c_str(), *value);
}

}  // namespace

Status InstallRun::WriteRegistryEntries() {
    EntryList keys;
    Setup.InstallScript->ReadEntries(RegistryKeysSection, keys);
    if (keys.Empty()) return {};
    const int step = static_cast<int>(KeysShare / static_cast<float>(keys.Count()));
    SetBarSteps(step, step);
    for (const Entry& entry : keys) {
        view_.KeepAnswering();
        const std::string text = ScopedKeyText(entry.value);
        const KeyResult result = MakeKey(text);
        if (result == KeyResult::Failed) {
            FailRun(QuotedIn(TextId::ErrorCreatingKey, entry.value));
            return {};
        }
        if (result == KeyResult::Existed) NoteFoundInPlace(text);
        if (Setup.Plan && result != KeyResult::Skipped)
            Setup.Plan->Add(PlanKind::Key, PlanRole::Package, text, result == KeyResult::Existed);
        if (result != KeyResult::Created) continue;
        if (const Status logged = LogRegistryKey(text); !logged) return logged;
        view_.ShowCurrentItem(DisplayText(text));
        StepBars();
    }

    EntryList values;
    Setup.InstallScript->ReadEntries(KeyValuesSection, values);
    for (const KeyValueGroup& group : KeyValueGroups(values)) {
        view_.KeepAnswering();
        // The keys read above, rather than the script read again for every value.
        const int listed = keys.IndexOf(group.keyRef);
        const std::string listedText = listed >= 0 ? keys.Value(static_cast<size_t>(listed))
                                                   : Setup.InstallScript->ReadValue(RegistryKeysSection,
                                                                                    group.keyRef.c_str(), MissingValueMark);
        if (listedText == MissingValueMark) {
            FailRun(Text(TextId::CorruptKeyValues));
            return {};
        }
        const std::string text = ScopedKeyText(listedText);
        const std::optional<RegistryKeyText> key = SplitRegistryKeyText(text);
        if (!key) continue;
        // A plan's key may be one the run would only make.
        if (!FitsPathBuffer(text) || (!Setup.Plan && !OpenExistingKey(*key))) {
            FailRun(QuotedIn(TextId::ErrorOpeningKey, text));
            return {};
        }
        if (const Status written = WriteValue(group, text); !written) return written;
        Setup.Registry->CloseKey();
    }
    return {};
}
