// Temporary files beside a file being written: short names that show they are ours and which
// process made them, removal of those a killed process left behind, and syncing the folder after
// the finished file was renamed into place.
#pragma once

#include <string>

namespace xelo {

// Opens a new temporary file for writing in the folder of `target` (".xelo-PID-N.tmp", short
// whatever the target's name) with `mode` before the umask. Stale temporary files of ours in
// that folder are removed first. Returns the descriptor and sets `tempPath`, or -1 with errno.
int CreateTempBeside(const std::string& target, unsigned mode, std::string& tempPath);

// Whether `name` is a temporary name this program gives (including those of earlier versions,
// which put the target's name before ".xelo-"); the writing process's id goes to `pid`.
bool IsOurTempName(const std::string& name, long* pid = nullptr);

// Removes the temporary files of ours in `folder` that are older than `minAgeSeconds` and whose
// process is gone. Returns how many were removed.
int RemoveStaleTemps(const std::string& folder, int minAgeSeconds = 60);

// Flushes the folder holding `path`, so that a rename into it survives a crash. Returns 0 or errno.
int SyncFolderOf(const std::string& path);

}  // namespace xelo
