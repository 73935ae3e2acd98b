// Merge Ink: an image's ink drawn into its own pixels and the picture written in its own format.
// The window's command and prepared copies of a mail share it; xelo-tool ink --merge too.
#pragma once

#include <string>

#include "ink/LtManager.h"

namespace xelo {

// Decodes `imagePath` at full size, draws `layer` into it at scale 1.0 and writes the result to
// `outPath` (which may be `imagePath`) with the encoder of the picture's format (BMP, GIF or
// JPEG) and its stored resolution. The target is replaced only by a complete file: on any error
// it stays as it was. Animations and other formats are refused with 46025.
void MergeInkIntoImage(const std::string& imagePath, const CXeloLtManager& layer,
                       const std::string& outPath);

}  // namespace xelo
