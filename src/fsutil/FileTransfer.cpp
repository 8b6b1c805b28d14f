#include "fsutil/FileTransfer.h"

#include <windows.h>

#include "base/FormatText.h"
#include "base/OwnedHandle.h"
#include "base/PathLimit.h"
#include "base/QuotedText.h"
#include "base/Texts.h"
#include "fsutil/DeleteOrSchedule.h"
#include "fsutil/MediaSource.h"
#include "state/SetupState.h"

namespace {

std::string TempPath(const std::string& name) { return Setup.TempDir + name; }

}  // namespace

std::string DiskIdFileName(int number) { return FormatText("disk%02d.id", number); }

bool DiskIdPresent(int number) { return Media().HasDisk(number); }

Status ExpandToTemp(const std::string& name, const std::string& workName) {
    const std::string target = TempPath(workName.empty() ? name : workName);
    const auto failed = [&] { return FailedQuoting(TextId::ErrorExpanding, name); };
    if (!FitsPathBuffer(target)) return failed();
    PartCopy copied;
    {
        const FileHandle output(
            CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
        copied = output.IsValid() ? Media().Expand(name, output.Get()) : PartCopy::TargetFailed;
    }
    if (copied == PartCopy::Done) return {};
    // A short or damaged copy must not be taken for the file.
    DeleteFileA(target.c_str());
    return copied == PartCopy::Damaged ? Status::Failed(Text(TextId::SetupFileDamaged)) : failed();
}

Status ExpandInto(const std::string& name, HANDLE target, std::string* text) {
    const PartCopy copied = Media().Expand(name, target, text);
    if (copied == PartCopy::Done) return {};
    if (copied == PartCopy::Damaged) return Status::Failed(Text(TextId::SetupFileDamaged));
    // A target that could not take the file (a full drive) is the destination's failure, not the media's.
    return FailedQuoting(copied == PartCopy::TargetFailed ? TextId::ErrorInstalling : TextId::ErrorExpanding, name);
}

void DeleteTempFile(const std::string& name) {
    const std::string path = TempPath(name);
    if (FitsPathBuffer(path)) DeleteFileOrSchedule(path);
}
