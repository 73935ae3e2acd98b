// CFrameReader: an image file kept open so that its frames are decoded one at a time, in any
// order, at one scale. An animation then holds the frame it shows, not all of them.
#pragma once

#include <string>

#include "codec/ImageCodec.h"
#include "codec/ImageFile.h"
#include "codec/MappedFile.h"

namespace xelo {

class CFrameReader {
  public:
    // Opens `path` and fills `frames` with the file's facts and every frame's facts (delay,
    // disposal, place) without pixels; frame 0 is decoded too, as it shows first.
    void Open(const std::string& path, const FrameScale& scale, CImageFrames& frames);
    void Close();
    bool IsOpen() const { return open_; }

    // Decodes frame `index` (facts and pixels at the scale) into `out`, charged to a budget of
    // its own; throws the codec's error.
    void Decode(int index, CImageFrame& out);

  private:
    CMappedFile file_;
    CImageFile codec_;
    ImageInfo info_;
    FrameScale scale_;
    bool open_ = false;
    bool headerRead_ = false;  // the codec holds the header between decodes
};

}  // namespace xelo
