// CRasterCodec: the common half of the codecs over libraries that decode a whole frame at once
// (PNG, WebP, TIFF, HEIF). The library delivers blue, green, red, alpha rows; this class lays
// them over the alpha background and fits the wanted part into the destination, filtering a
// reduction.
#pragma once

#include <cstdint>
#include <vector>

#include "codec/ImageCodec.h"

namespace xelo {

// One decoded frame: 4 bytes a pixel (blue, green, red, alpha), top-down, in `pixels` without
// padding or in rows the library holds. It may be smaller than the frame when the library
// decoded it reduced.
struct RgbaPicture {
    int width = 0;
    int height = 0;
    bool alpha = false;  // some pixel may be less than opaque
    std::vector<uint8_t> pixels;
    uint8_t* libraryRows = nullptr;  // not owned; used instead of `pixels` when set
    size_t libraryStride = 0;

    uint8_t* Row(int y) {
        return libraryRows != nullptr ? libraryRows + static_cast<size_t>(y) * libraryStride
                                      : pixels.data() + static_cast<size_t>(y) * width * 4;
    }
    const uint8_t* Row(int y) const { return const_cast<RgbaPicture*>(this)->Row(y); }
};

class CRasterCodec : public CImageCodec {
  public:
    explicit CRasterCodec(uint32_t component) : component_(component) {}

    void BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) override;
    void DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) override;
    void End() override;
    bool FiltersWhenReducing() const override { return true; }
    std::vector<uint8_t> EmbeddedProfile() const override { return profile_; }

  protected:
    struct FrameFacts {
        Rect rect;
        int delay = 0;  // hundredths of a second
    };

    // Decodes frame `index` into `out`. `wanted` is the size the whole frame is shown at; a
    // library that can decode reduced may deliver any size from it up to the frame's.
    virtual void DecodePicture(CImageStream& stream, int index, const Size& wanted, bool fast,
                               DecodeBudget* budget, RgbaPicture& out) = 0;
    // Releases the library's per-file state.
    virtual void CloseLibrary() = 0;
    // Decodes an opaque frame straight into rows of blue, green, red when it is shown whole at
    // its own size; false when the codec cannot (the frame is then decoded through a picture).
    virtual bool DecodeOpaqueInto(int, uint8_t*, size_t, DecodeBudget*) { return false; }

    [[noreturn]] void Fail(uint32_t code, uint32_t line) const;
    // Charges and allocates a picture of width × height; 46040 when it does not fit.
    void AllocatePicture(RgbaPicture& picture, int width, int height, DecodeBudget* budget) const;
    // The picture sides a decode may claim: beyond them a file is refused as damaged.
    static constexpr int kMaxSide = 1 << 16;

    std::vector<FrameFacts> frames_;
    std::vector<uint8_t> profile_;  // the embedded ICC profile, set by ReadHeader

  private:
    uint32_t component_;
};

}  // namespace xelo
