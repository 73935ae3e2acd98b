// File-system failures as the program's error codes 46010–46023.
#pragma once

#include <cstdint>
#include <string>

#include "image/ErrorCodes.h"

namespace xelo {

// The error code for a system error number (errno).
uint32_t FileErrorCode(int systemError);

// Throws the file error for `systemError`; the message names the file on its own line.
[[noreturn]] void ThrowFileError(int systemError, const std::string& path, const Origin& origin);

}  // namespace xelo
