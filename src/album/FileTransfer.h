// Single-file steps of the file commands. A copy is written to a temporary file beside the
// destination and renamed into place only when complete, so a failed copy never leaves a
// half-written file or damages the file it was to replace.
#pragma once

#include <string>

namespace xelo {

// Copies `source` to `destination` with the source's permissions and modification time. With
// failIfExists an existing destination is left alone and EEXIST returned. Returns 0 or the
// system error number (ENOSPC, EDQUOT or EFBIG when storage ran out).
int CopyFileSafely(const std::string& source, const std::string& destination, bool failIfExists);
// Renames `from` to `to`; with failIfExists an existing `to` gives EEXIST. Returns 0 or errno.
int RenameFile(const std::string& from, const std::string& to, bool failIfExists);
// Removes a file; a file that is already gone counts as removed. Returns 0 or errno.
int RemoveFile(const std::string& path);
// Whether anything exists under `path` (a dangling symbolic link counts).
bool PathExists(const std::string& path);
// Whether two paths name the same folder (the same directory on disk, however spelt).
bool SameFolder(const std::string& a, const std::string& b);
// True for ENOSPC, EDQUOT and EFBIG.
bool IsStorageFull(int systemError);

}  // namespace xelo
