// Reading a side file whole.
#include "album/WholeFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "image/FileError.h"
#include "image/TavoException.h"

namespace xelo {

bool ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                   const Origin& origin) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) {
        if (errno == ENOENT) return false;
        ThrowFileError(errno, path, origin);
    }
    struct Closer {
        int fd;
        ~Closer() { ::close(fd); }
    } closer{fd};
    struct stat st {};
    if (::fstat(fd, &st) != 0) ThrowFileError(errno, path, origin);
    if (!S_ISREG(st.st_mode) || static_cast<uint64_t>(st.st_size) > maxBytes) {
        ThrowError(kErrFormatInvalid, origin);
    }
    bytes.resize(static_cast<size_t>(st.st_size));
    size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) ThrowFileError(errno, path, origin);
        if (n == 0) break;  // the file shrank while we read it
        done += static_cast<size_t>(n);
    }
    bytes.resize(done);
    return true;
}

}  // namespace xelo
