// CMappedFile: a whole file mapped read-only, read through pointers into the mapping. A file that
// shrinks or fails to read while mapped does not end the process: the stream reports 46023.
#pragma once

#include <string>
#include <vector>

#include "codec/ImageStream.h"
#include "codec/MappingGuard.h"

namespace xelo {

class CMappedFile : public CImageStream {
  public:
    CMappedFile() = default;
    ~CMappedFile() override;
    CMappedFile(const CMappedFile&) = delete;
    CMappedFile& operator=(const CMappedFile&) = delete;

    // Maps `path`, which must be a regular file; an empty path throws 46002, a folder or a
    // special file (opened without waiting for a writer) and file-system failures their file
    // error code.
    void Open(const std::string& path);
    void Close() override;
    // Lets go of the pages read so far (they read again from the file cache when touched): a
    // file kept open for long, like an animation's, then holds no memory between reads.
    void ReleaseReadPages();
    const std::string& GetFileName() const override { return fileName_; }
    const uint8_t* Read(uint32_t n) override;

    // True when the file changed underneath since it was opened (the bytes read may be zeros).
    bool Changed() const { return guard_.Faulted(); }
    // Throws 46023 when the file changed underneath.
    void ThrowIfChanged() const;

  private:
    std::string fileName_;
    int fd_ = -1;
    void* view_ = nullptr;
    size_t viewLength_ = 0;
    MappingGuard guard_;
    // The file's bytes when it could not be mapped with a guard.
    std::vector<uint8_t> copy_;
};

// Opens `path` and runs `work` on it. When the file changed while it was read, whatever the
// work made of it, the result is the read error 46023.
template <typename Work>
void WithMappedFile(const std::string& path, Work&& work) {
    CMappedFile file;
    file.Open(path);
    try {
        work(file);
    } catch (...) {
        file.ThrowIfChanged();
        throw;
    }
    file.ThrowIfChanged();
}

}  // namespace xelo
