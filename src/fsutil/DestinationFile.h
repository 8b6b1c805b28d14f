#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "base/OwnedHandle.h"
#include "base/Status.h"

// The install writes a file only through a handle whose final path it compared with the path it
// meant: a folder on the way that is a junction, mount point or symbolic link (which anyone who
// can write a folder above it could have put there) sends nothing elsewhere. A file that is
// already there is not overwritten in place: it is moved aside into the run's working folder and
// kept there until the run ends, so that undoing a failed install can put it back.

// The code of a failure for a path that is reached through a link; its message names the
// folder the path sits in.
inline constexpr unsigned long ReachedThroughLinkCode = 0x20000001;

// The code of a failure for a file that a program holds so that it can be neither replaced nor
// moved aside; its message names the file.
inline constexpr unsigned long HeldFileCode = 0x20000002;
inline bool IsHeldError(DWORD error) { return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION; }

// Makes the file `path` for writing; it must not exist yet, so nothing there, not even a link,
// is written through. The failure's code is ERROR_FILE_EXISTS when something is there.
Result<FileHandle> CreateNewFile(const std::string& path);
// What CreateNewFile would say of `path` now, making nothing, for a plan: refused outside the
// person's areas, or where its folder, when there, is reached through a link.
Status PlannedNewFile(const std::string& path);
// Deletes, through its handle, a file that CreateNewFile made and that could not be written whole.
void DiscardNewFile(FileHandle& file);
// Renames the file open in `file` (made by CreateNewFile) to `target`, replacing a file there,
// into its folder as checked and held; on failure the caller discards it.
Status RenameInto(HANDLE file, const std::string& target);

// Writes the whole content of the file `source` into `target` and gives it the source's times.
Status CopyContent(const std::string& source, HANDLE target);

// Moves the plain file at `path` aside into the working folder (`Setup.TempDir`), through a handle
// whose final path is `path`'s, so that `path` can be made anew; a folder or a link there, or a
// file that may not be replaced, is refused; one a program holds fails with HeldFileCode. The file is kept for PutBackKeptFiles until the run
// ends, and its place is written beside it (KeptFilesRecord), so that a run that ends abnormally
// leaves it to be found.
inline constexpr const char* KeptFilesRecord = "kept.ini";
Status MoveAsideKept(const std::string& path);

// Puts the file moved aside last back in its place, where nothing stands now: its replacement
// could not be made.
void PutBackLastKept();
// Puts every file the run moved aside back in its place, the last first, where nothing stands
// in it now; the message of each one that could not go back.
std::vector<std::string> PutBackKeptFiles();

// The new file `path`, its content written by `fill(handle)`: made through a handle whose final
// path is checked; a file already there is moved aside first, kept for an undo, and put back when
// the new one cannot be made. The failure is `fill`'s, one that names a folder on the way that is a
// link or a file a program holds, or else the one `refusal()` makes.
template <class Refusal, class Fill>
Status PlaceNewFile(const std::string& path, Refusal refusal, Fill fill) {
    const auto refused = [&](const Status& failure) {
        return failure.Code() == ReachedThroughLinkCode || failure.Code() == HeldFileCode ? failure : refusal();
    };
    Result<FileHandle> made = CreateNewFile(path);
    bool keptOld = false;
    if (!made && made.State().Code() == ERROR_FILE_EXISTS) {
        if (const Status aside = MoveAsideKept(path); !aside) return refused(aside);
        keptOld = true;
        made = CreateNewFile(path);
    }
    const Status filled = made ? fill(made.Value().Get()) : refused(made.State());
    if (filled) return filled;
    if (made) DiscardNewFile(made.Value());
    if (keptOld) PutBackLastKept();
    return filled;
}
