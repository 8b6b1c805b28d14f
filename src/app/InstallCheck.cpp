#include "app/InstallCheck.h"

#include <windows.h>

#include <vector>

#include "app/UnattendedRun.h"
#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/QuotedText.h"
#include "base/TextEncoding.h"
#include "base/Texts.h"
#include "fsutil/FileDigests.h"
#include "fsutil/FinalPath.h"
#include "fsutil/LogRecord.h"
#include "setupdata/ProfileText.h"
#include "setupdata/ScriptNames.h"
#include "state/RunFace.h"
#include "state/UninstallLog.h"

namespace {

// What one recorded file is now; nothing when it is as installed. Read as itself (a link put in
// its place is not followed) and only where its path leads without a link on the way.
std::string Finding(const std::string& path, const std::string& record) {
    const FileHandle file(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_SEQUENTIAL_SCAN,
                                      nullptr));
    if (!file.IsValid()) {
        const DWORD error = GetLastError();
        const bool missing = error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
        return QuotedIn(missing ? TextId::VerifyMissing : TextId::VerifyUnreadable, path);
    }
    if (ReachesAsNamed(file.Get(), path) && FileRecordOf(file.Get()) == record) return {};
    return QuotedIn(TextId::VerifyChanged, path);
}

// The log's records by path, the last one of a path (a later install's) in place of earlier ones.
EntryList RecordsByPath(const std::string& logText) {
    EntryList lines, byPath;
    ReadSectionOfText(logText, FileDigestsSection, lines);
    for (const Entry& line : lines) {
        const std::string path = RecordedPath(line.value);
        if (path.empty()) continue;
        const std::string record = line.value.substr(0, line.value.size() - path.size() - 1);
        const int known = byPath.IndexOf(path);
        if (known < 0)
            byPath.Append(path, record);
        else
            byPath.Replace(static_cast<size_t>(known), path, record);
    }
    return byPath;
}

}  // namespace

int CheckInstall(const std::string& logPath) {
    const InstalledLogContent log = ReadInstalledLog(logPath);
    const Status accepted = log.finalPath.empty() ? Status::Fatal(QuotedIn(TextId::LogNotFound, logPath))
                                                  : RefusedUnlessMatching(CheckAgainstRecord(log), logPath);
    if (!accepted) {
        ReportFailure(accepted);
        return ExitFailed;
    }
    // What was checked against the record is what is read: the content, not the file again.
    const std::string text = FromUtf16(DecodeAuthorText(log.content));
    EntryList package;
    ReadSectionOfText(text, PackageSection, package);
    const int named = package.IndexOf(PackageNameKey);
    const char* name = named < 0 ? "" : package.Value(static_cast<size_t>(named)).c_str();
    const EntryList records = RecordsByPath(text);
    std::vector<std::string> findings;
    for (const Entry& record : records)
        if (std::string finding = Finding(record.name, record.value); !finding.empty()) {
            Face().Note(finding);
            findings.push_back(std::move(finding));
        }
    const std::string caption = FormatText(TextId::VerifyCaption, name);
    if (findings.empty())
        Face().Ask(FormatText(TextId::VerifyIntact, static_cast<unsigned>(records.Count()), name), caption.c_str(),
                   MB_OK | MB_ICONINFORMATION);
    ReportEntries(FormatText(TextId::VerifyFound, name), findings, caption.c_str(), MB_ICONWARNING);
    return findings.empty() ? ExitSuccess : ExitFilesNotIntact;
}
