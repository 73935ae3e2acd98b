// CMappedFile: a whole file mapped read-only, read through pointers into the mapping.
#pragma once

#include <string>

#include "codec/ImageStream.h"

namespace xelo {

class CMappedFile : public CImageStream {
  public:
    CMappedFile() = default;
    ~CMappedFile() override;
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    // Maps `path`; an empty path throws 46002, file-system failures their file error code.
    void Open(const std::string& path);
    void Close() override;
    // Lets go of the pages read so far (they read again from the file cache when touched): a
    // file kept open for long, like an animation's, then holds no memory between reads.
    void ReleaseReadPages();
    const std::string& GetFileName() const override { return fileName_; }

  private:
    std::string fileName_;
    int fd_ = -1;
    void* view_ = nullptr;
    size_t viewLength_ = 0;
};

}  // namespace xelo
