// CFileWriter: writes a file beside its target and renames it over the target on Commit, so that
// a failed or interrupted write never leaves a half-written file where the user's file was.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/ErrorCodes.h"

namespace xelo {

class CFileWriter {
  public:
    // Creates the temporary file in the target's folder; throws the file error on failure.
    CFileWriter(std::string path, const Origin& origin);
    // Without Commit, the temporary file is removed.
    ~CFileWriter();
    CFileWriter(const CFileWriter&) = delete;
    CFileWriter& operator=(const CFileWriter&) = delete;

    void Write(const void* data, size_t size);
    void WriteLe16(uint16_t v);
    void WriteLe32(uint32_t v);
    void WriteByte(uint8_t v) { Write(&v, 1); }
    // Flushes, syncs and renames the file over the target.
    void Commit();

    const std::string& Path() const { return path_; }

  private:
    void Flush();
    [[noreturn]] void Fail(int systemError, uint32_t line);

    std::string path_;
    std::string tempPath_;
    Origin origin_;
    int fd_ = -1;
    std::vector<uint8_t> buffer_;
};

// While one lives, files committed on its thread are renamed into place without being forced to
// disk first: for output that can be made again from its source (thumbnails), as the desktop's
// thumbnail cache is written. A crash may then lose the new file, never leave a half-written one
// under its name.
class CRegenerableOutput {
  public:
    CRegenerableOutput();
    ~CRegenerableOutput();
    CRegenerableOutput(const CRegenerableOutput&) = delete;
    CRegenerableOutput& operator=(const CRegenerableOutput&) = delete;

    static bool Active();

  private:
    bool previous_;
};

}  // namespace xelo
