// CMappedFile over open/fstat/mmap.
#include "codec/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>

#include "image/FileError.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 11;
}

CMappedFile::~CMappedFile() {
    Close();
}

void CMappedFile::Open(const std::string& path) {
    Close();
    if (path.empty()) ThrowError(kErrInvalidParameter, {kComponentFileStream, kUnit, __LINE__});
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) ThrowFileError(errno, path, {kComponentFileStream, kUnit, __LINE__});
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        ThrowFileError(error, path, {kComponentFileStream, kUnit, __LINE__});
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        ThrowFileError(S_ISDIR(st.st_mode) ? EISDIR : EINVAL, path,
                       {kComponentFileStream, kUnit, __LINE__});
    }
    if (st.st_size > std::numeric_limits<uint32_t>::max()) {
        ::close(fd);
        ThrowError(kErrFormatUnsupported, {kComponentFileStream, kUnit, __LINE__});
    }
    void* view = nullptr;
    const size_t size = static_cast<size_t>(st.st_size);
    if (size > 0) {
        view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (view == MAP_FAILED) {
            const int error = errno;
            ::close(fd);
            ThrowFileError(error, path, {kComponentFileStream, kUnit, __LINE__});
        }
    }
    fileName_ = path;
    fd_ = fd;
    view_ = view;
    viewLength_ = size;
    base_ = static_cast<const uint8_t*>(view);
    SetLength(static_cast<uint32_t>(size));
}

void CMappedFile::Close() {
    if (view_ != nullptr) ::munmap(view_, viewLength_);
    if (fd_ >= 0) ::close(fd_);
    view_ = nullptr;
    viewLength_ = 0;
    fd_ = -1;
    base_ = nullptr;
    fileName_.clear();
    CImageStream::Close();
}

void CMappedFile::ReleaseReadPages() {
    if (view_ != nullptr && viewLength_ > 0) ::madvise(view_, viewLength_, MADV_DONTNEED);
}

}  // namespace xelo
