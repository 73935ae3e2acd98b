// Recognition of an image file's format from its first bytes.
#pragma once

#include "codec/ImageCodec.h"

namespace xelo {

// The format code of the stream from at most its first 1024 bytes; the position is kept.
ImageFormat DetectFormat(CImageStream& stream);

}  // namespace xelo
