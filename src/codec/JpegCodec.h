// CJpegCodec: JPEG reading through the system's libjpeg, and WriteJpeg, its writing counterpart.
// libjpeg itself is only seen by JpegCodec.cpp.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "codec/ImageCodec.h"
#include "image/Geometry.h"

namespace xelo {

class CJpegCodec : public CImageCodec {
  public:
    CJpegCodec();
    ~CJpegCodec() override;
    CJpegCodec(const CJpegCodec&) = delete;
    CJpegCodec& operator=(const CJpegCodec&) = delete;

    // Reads the header from the stream's current position (an embedded thumbnail starts there).
    void ReadHeader(CImageStream& stream, ImageInfo* info) override;
    void BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) override;
    // Decodes at the smallest library scale (1/2, 1/4, 1/8) that still keeps twice the
    // destination's pixels, then filters down to the destination row by row (nothing of the
    // picture's size is held). A scan cut short leaves the rows not reached as they were.
    void DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) override;
    void End() override;
    bool FiltersWhenReducing() const override { return true; }

    // What the last DecodeFrame asked of the library: the scale denominator (1 for full size)
    // and the size of the library's output. Kept across End so callers can observe it.
    int LastScaleDenominator() const { return lastDenominator_; }
    Size LastOutputSize() const { return lastOutput_; }

    struct Decoder;  // libjpeg's records, known only to JpegCodec.cpp

  private:
    std::unique_ptr<Decoder> decoder_;
    int lastDenominator_ = 0;
    Size lastOutput_;
};

// Settings of the JPEG writer.
struct JpegWriterSettings {
    uint16_t quality = 75;  // 0–100; above 100 means 75
    uint8_t dctMethod = 0;  // 0 accurate integer, 2 floating point; other values keep the default
    int32_t xDpi = 96;      // written as the JFIF density
    int32_t yDpi = 96;
    int32_t colourSpace = 0;  // libjpeg's input colour space; 0: greyscale or RGB by components
};

// Pixels handed to WriteJpeg.
struct JpegSource {
    const uint8_t* bits = nullptr;  // not owned
    int width = 0;
    int rowPad = 0;  // pixels
    int height = 0;
    int bytesPerPixel = 3;
    const LogPalette* palette = nullptr;  // 1-byte sources: colours; null means grey levels
    bool swapRedBlue = false;             // 3-byte pixels are blue, green, red in memory
    bool bottomUp = false;                // the first row in memory is the bottom row
};

// Writes `source` scaled to `percent` (integer truncation) as a JFIF file. The target is replaced
// only when the whole file was written; on failure nothing is left behind.
void WriteJpeg(const JpegWriterSettings& settings, const std::string& path,
               const JpegSource& source, int percent);

// The same for an image (blue, green, red, top-down). A 1-byte image whose palette is the
// 256-level grey ramp is written as a one-component file.
void WriteJpeg(const JpegWriterSettings& settings, const std::string& path, const CDibImage& image,
               int percent);

}  // namespace xelo
