// PNG files of the shared thumbnail folders: an 8-bit picture with text keys.
#pragma once

#include <cstdio>
#include <map>
#include <string>

#include "image/DibImage.h"

namespace xelo {

using PngTextKeys = std::map<std::string, std::string>;

// Largest side a thumbnail file may have (the biggest shared size is 1024).
constexpr int kThumbnailPngMaxSide = 1024;

// Reads a PNG thumbnail as 3-byte pixels (blue, green, red) with its tEXt/zTXt/iTXt keys;
// transparency is laid over `background` (0x00BBGGRR). False for anything that is not a
// readable PNG of at most kThumbnailPngMaxSide per side; `image` is then empty.
bool ReadThumbnailPng(const std::string& path, CDibImage& image, PngTextKeys& keys,
                      uint32_t background);

// Writes a 3-byte or palette picture as an RGB PNG carrying `keys` as tEXt chunks to `file`
// (the caller closes it). False when anything fails.
bool WriteThumbnailPng(FILE* file, const CDibImage& image, const PngTextKeys& keys);

}  // namespace xelo
