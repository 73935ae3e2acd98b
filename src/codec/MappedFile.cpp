// CMappedFile over open/fstat/mmap, with a guard against the file shrinking underneath.
#include "codec/MappedFile.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <limits>
#include <new>

#include "image/FileError.h"
#include "image/TavoException.h"

namespace xelo {

namespace {
constexpr uint32_t kUnit = 11;

// Reads the whole file into `bytes`; a file that is shorter than it was is a read error.
int ReadAll(int fd, std::vector<uint8_t>& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return EIO;
        done += static_cast<size_t>(n);
    }
    return 0;
}
}  // namespace

CMappedFile::~CMappedFile() {
    Close();
}

void CMappedFile::Open(const std::string& path) {
    Close();
    if (path.empty()) ThrowError(kErrInvalidParameter, {kComponentFileStream, kUnit, __LINE__});
    // Without O_NONBLOCK a pipe carrying the name would wait for a writer forever.
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
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
    const size_t size = static_cast<size_t>(st.st_size);
    const uint8_t* bytes = nullptr;
    if (size > 0) {
        void* view = ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        if (view != MAP_FAILED && guard_.Watch(view, size)) {
            view_ = view;
            viewLength_ = size;
            bytes = static_cast<const uint8_t*>(view);
        } else {
            // No mapping, or none that could be guarded: the bytes are read instead.
            if (view != MAP_FAILED) ::munmap(view, size);
            int error = 0;
            try {
                copy_.resize(size);
                error = ReadAll(fd, copy_);
            } catch (const std::bad_alloc&) {
                error = ENOMEM;
            }
            if (error != 0) {
                ::close(fd);
                copy_ = {};
                if (error == EIO)
                    ThrowError(kErrEndOfFile, {kComponentFileStream, kUnit, __LINE__});
                ThrowFileError(error, path, {kComponentFileStream, kUnit, __LINE__});
            }
            bytes = copy_.data();
        }
    }
    fileName_ = path;
    fd_ = fd;
    base_ = bytes;
    SetLength(static_cast<uint32_t>(size));
}

const uint8_t* CMappedFile::Read(uint32_t n) {
    ThrowIfChanged();
    return CImageStream::Read(n);
}

void CMappedFile::ThrowIfChanged() const {
    if (Changed()) ThrowError(kErrEndOfFile, {kComponentFileStream, kUnit, __LINE__});
}

void CMappedFile::Close() {
    guard_.Release();
    if (view_ != nullptr) ::munmap(view_, viewLength_);
    if (fd_ >= 0) ::close(fd_);
    view_ = nullptr;
    viewLength_ = 0;
    fd_ = -1;
    copy_ = {};
    base_ = nullptr;
    fileName_.clear();
    CImageStream::Close();
}

void CMappedFile::ReleaseReadPages() {
    if (view_ != nullptr && viewLength_ > 0) ::madvise(view_, viewLength_, MADV_DONTNEED);
}

}  // namespace xelo
