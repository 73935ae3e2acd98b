// Reading a small side file (ink strokes, a text note) whole, with a size limit.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "image/ErrorCodes.h"

namespace xelo {

// False when `path` does not exist. Otherwise fills `bytes` and returns true; a file that is not
// a regular file or is larger than `maxBytes` raises 46024, read errors raise their file error.
// Opens without blocking, so a pipe with the file's name cannot hang the caller.
bool ReadWholeFile(const std::string& path, size_t maxBytes, std::vector<uint8_t>& bytes,
                   const Origin& origin);

}  // namespace xelo
