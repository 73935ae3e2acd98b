// Copying, renaming and removing single files with POSIX calls.
#include "album/FileTransfer.h"

#include <fcntl.h>
#include <stdio.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "codec/TempFiles.h"

namespace xelo {

namespace {

class Fd {
  public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd() {
        if (fd_ >= 0) ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int Get() const { return fd_; }
    int Close() {
        const int result = ::close(fd_);
        fd_ = -1;
        return result == 0 ? 0 : errno;
    }

  private:
    int fd_;
};

int CopyBytes(int from, int to) {
    std::vector<char> buffer(256 * 1024);
    for (;;) {
        ssize_t n = ::read(from, buffer.data(), buffer.size());
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) return errno;
        if (n == 0) return 0;
        size_t done = 0;
        while (done < static_cast<size_t>(n)) {
            const ssize_t w = ::write(to, buffer.data() + done, static_cast<size_t>(n) - done);
            if (w < 0 && errno == EINTR) continue;
            if (w < 0) return errno;
            done += static_cast<size_t>(w);
        }
    }
}

// Moves the finished temporary file to its name, refusing an existing one when asked.
int Place(const std::string& temp, const std::string& to, bool failIfExists) {
    if (!failIfExists) return ::rename(temp.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, temp.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) return errno;
    // A file system without no-replace renames: a hard link fails on an existing name.
    if (::link(temp.c_str(), to.c_str()) == 0) {
        ::unlink(temp.c_str());
        return 0;
    }
    if (errno == EEXIST) return EEXIST;
    if (PathExists(to)) return EEXIST;
    return ::rename(temp.c_str(), to.c_str()) == 0 ? 0 : errno;
}

}  // namespace

bool IsStorageFull(int systemError) {
    return systemError == ENOSPC || systemError == EDQUOT || systemError == EFBIG;
}

bool PathExists(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0;
}

bool SameFolder(const std::string& a, const std::string& b) {
    if (a == b) return true;
    struct stat sa {
    }, sb{};
    if (::stat(a.c_str(), &sa) != 0 || ::stat(b.c_str(), &sb) != 0) return false;
    return sa.st_dev == sb.st_dev && sa.st_ino == sb.st_ino;
}

int CopyFileSafely(const std::string& source, const std::string& destination, bool failIfExists) {
    if (failIfExists && PathExists(destination)) return EEXIST;
    Fd in(::open(source.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (in.Get() < 0) return errno;
    struct stat st {};
    if (::fstat(in.Get(), &st) != 0) return errno;
    if (!S_ISREG(st.st_mode)) return EINVAL;
    // A short name in the destination's folder: the destination's own name may already be as
    // long as the file system allows.
    std::string temp;
    const int fd = CreateTempBeside(destination, 0600, temp);
    if (fd < 0) return errno;
    Fd out(fd);
    int error = CopyBytes(in.Get(), out.Get());
    if (error == 0 && ::fchmod(out.Get(), st.st_mode & 07777) != 0) error = errno;
    if (error == 0) {
        const timespec times[2] = {st.st_atim, st.st_mtim};
        ::futimens(out.Get(), times);
    }
    if (error == 0 && ::fsync(out.Get()) != 0) error = errno;
    if (error == 0) error = out.Close();
    if (error == 0) error = Place(temp, destination, failIfExists);
    if (error != 0) {
        ::unlink(temp.c_str());
        return error;
    }
    return SyncFolderOf(destination);
}

int RenameFile(const std::string& from, const std::string& to, bool failIfExists) {
    if (!failIfExists) return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0) {
        return 0;
    }
    if (errno != EINVAL && errno != ENOSYS) return errno;
    if (PathExists(to)) return EEXIST;
    return ::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

int RemoveFile(const std::string& path) {
    if (::unlink(path.c_str()) == 0 || errno == ENOENT) return 0;
    return errno;
}

}  // namespace xelo
