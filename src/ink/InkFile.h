// The ink file of an image: one archived CXeloLtManager (the object array with class tags, the
// current index and the 40-byte view block), stored beside the image as IMAGE.ink.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "ink/LtManager.h"

namespace xelo {

// The file's bytes for `layer`.
std::vector<uint8_t> EncodeInk(const CXeloLtManager& layer);
// Reads the bytes of an ink file into `layer` (replacing its contents only on success). Damaged
// data raises 46023 (too short) or 46024 (bad tag, class, schema or count); out of memory 46040.
// A current index past the end becomes 0, a handle half-size below 1 becomes 3, a hit tolerance
// below 0 becomes 0, and a scale that is not a positive number becomes 1.
void DecodeInk(const uint8_t* bytes, size_t size, CXeloLtManager& layer);

// imagePath + ".ink".
std::string InkPathFor(const std::string& imagePath);
// Writes a layer holding at least one object to `path` through a temporary file renamed over
// the old one; an empty layer writes nothing and returns false (an existing file stays).
bool SaveInk(const std::string& path, const CXeloLtManager& layer);
// False when `path` does not exist (the layer is left alone); otherwise reads it into `layer`.
bool LoadInk(const std::string& path, CXeloLtManager& layer);

}  // namespace xelo
