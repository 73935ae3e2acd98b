// Writing a file through a temporary file in the same folder and an atomic rename.
#include "codec/FileWriter.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "codec/TempFiles.h"
#include "image/FileError.h"

namespace xelo {

namespace {
constexpr size_t kBufferBytes = 64 * 1024;
thread_local bool t_regenerable = false;
}  // namespace

CRegenerableOutput::CRegenerableOutput() : previous_(t_regenerable) {
    t_regenerable = true;
}

CRegenerableOutput::~CRegenerableOutput() {
    t_regenerable = previous_;
}

bool CRegenerableOutput::Active() {
    return t_regenerable;
}

CFileWriter::CFileWriter(std::string path, const Origin& origin)
    : path_(std::move(path)), origin_(origin) {
    if (path_.empty()) ThrowFileError(ENOENT, path_, origin_);
    fd_ = CreateTempBeside(path_, 0666, tempPath_);
    if (fd_ < 0) ThrowFileError(errno, path_, origin_);
    buffer_.reserve(kBufferBytes);
}

CFileWriter::~CFileWriter() {
    if (fd_ >= 0) ::close(fd_);
    if (!tempPath_.empty()) ::unlink(tempPath_.c_str());
}

void CFileWriter::Fail(int systemError, uint32_t line) {
    Origin where = origin_;
    where.line = line;
    ThrowFileError(systemError, path_, where);
}

void CFileWriter::Write(const void* data, size_t size) {
    const auto* p = static_cast<const uint8_t*>(data);
    while (size > 0) {
        const size_t n = std::min(size, kBufferBytes - buffer_.size());
        buffer_.insert(buffer_.end(), p, p + n);
        p += n;
        size -= n;
        if (buffer_.size() == kBufferBytes) Flush();
    }
}

void CFileWriter::WriteLe16(uint16_t v) {
    const uint8_t b[2] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8)};
    Write(b, 2);
}

void CFileWriter::WriteLe32(uint32_t v) {
    const uint8_t b[4] = {static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 8),
                          static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 24)};
    Write(b, 4);
}

void CFileWriter::Flush() {
    size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            Fail(errno, __LINE__);
        }
        done += static_cast<size_t>(n);
    }
    buffer_.clear();
}

void CFileWriter::Commit() {
    Flush();
    const bool durable = !CRegenerableOutput::Active();
    if (durable && ::fsync(fd_) != 0) Fail(errno, __LINE__);
    // A replaced file keeps its permissions; a new file, or one that replaces a symbolic link,
    // has the default ones, never those of whatever a link points to.
    struct stat st {};
    if (::lstat(path_.c_str(), &st) == 0 && S_ISREG(st.st_mode)) ::fchmod(fd_, st.st_mode & 07777);
    if (::close(fd_) != 0) {
        fd_ = -1;
        Fail(errno, __LINE__);
    }
    fd_ = -1;
    if (::rename(tempPath_.c_str(), path_.c_str()) != 0) Fail(errno, __LINE__);
    tempPath_.clear();
    if (!durable) return;
    if (const int error = SyncFolderOf(path_)) Fail(error, __LINE__);
}

}  // namespace xelo
