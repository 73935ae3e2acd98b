// Mapping of system error numbers to the program's file error codes.
#include "image/FileError.h"

#include <cerrno>

#include "base/StringTable.h"
#include "image/TavoException.h"

namespace xelo {

uint32_t FileErrorCode(int systemError) {
    switch (systemError) {
        case ENOENT:
            return kErrFileNotFound;
        case ENOTDIR:
        case ENAMETOOLONG:
        case EINVAL:
        case ELOOP:
            return kErrBadPath;
        case EMFILE:
        case ENFILE:
            return kErrTooManyOpenFiles;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return kErrAccessDenied;
        case EBADF:
            return kErrInvalidHandle;
        case ESPIPE:
            return kErrBadSeek;
        case EIO:
            return kErrHardwareIo;
        case EBUSY:
        case ETXTBSY:
            return kErrSharingViolation;
        case ENOLCK:
            return kErrLockViolation;
        case ENOSPC:
        case EDQUOT:
        case EFBIG:
            return kErrDiskFull;
        case ENOMEM:
            return kErrNoMemory;
        default:
            return kErrFileGeneric;
    }
}

void ThrowFileError(int systemError, const std::string& path, const Origin& origin) {
    const uint32_t code = FileErrorCode(systemError);
    std::string text = LoadString(code);
    if (!path.empty()) text += "\n" + path;
    throw CTavoException::WithText(code, origin, std::move(text));
}

}  // namespace xelo
