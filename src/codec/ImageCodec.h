// The codec framework: the records that travel between the framework and a format's codec, and
// the shared operations (information, thumbnail, frames) built once on four format steps.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "codec/DecodeBudget.h"
#include "codec/ImageStream.h"
#include "image/DibImage.h"
#include "image/Geometry.h"
#include "image/Palette.h"

namespace xelo {

// Format codes of the detector; BMP, JPEG, GIF, PNG, TIFF, WebP, HEIF and AVIF have codecs.
enum ImageFormat : int32_t {
    kFormatUnknown = 0,
    kFormatBmp = 1,
    kFormatJpeg = 2,
    kFormatGif = 3,
    kFormatPng = 4,
    kFormatTiff = 5,
    kFormatEps = 6,
    kFormatPict = 7,
    kFormatPcx = 8,
    kFormatPgm = 9,
    kFormatWebp = 10,
    kFormatHeif = 11,
    kFormatAvif = 12,
};

struct ImageInfo {
    int32_t format = kFormatUnknown;
    int32_t width = 0;
    int32_t height = 0;
    uint32_t background = kNoColour;
    int32_t bitsPerPixel = 0;
    int32_t frameCount = 0;  // 0: the file holds no image
    int32_t loopCount = 1;
    int32_t xResolution = -1;  // dots per inch
    int32_t yResolution = -1;
    bool grey = false;
    LogPalette palette{0x300, 0, {}};  // count 0 when the file has none
};

// The work record of one frame between the framework and a codec.
struct CFrameInfo {
    virtual ~CFrameInfo() = default;

    // Filled by the codec's BeginFrame.
    int32_t interlaced = 0;
    int32_t userInput = 0;
    int32_t delay = 0;  // hundredths of a second
    int32_t disposal = 0;
    Rect frameRect;
    int32_t transparent = -1;
    uint8_t bytesPerPixel = 3;
    int32_t maskUsed = 0;

    // Filled by the framework before DecodeFrame: the part of the logical image (frameRect's
    // coordinates) that the target shows; the codec decodes frameRect ∩ destRect scaled to
    // destWidth × destHeight, and lowers those when it delivers fewer pixels.
    Rect destRect;
    uint8_t* destBits = nullptr;      // not owned
    uint8_t* destMaskBits = nullptr;  // not owned
    int32_t destPad = 0;
    int32_t destWidth = 0;
    int32_t destHeight = 0;
    LogPalette* destPalette = nullptr;  // not owned; null for 3-byte targets
    // What the decode may still take, the library's own buffers included; null: no limit.
    DecodeBudget* budget = nullptr;  // not owned
};

class CImageFrame {
  public:
    virtual ~CImageFrame() = default;

    uint16_t delay = 0;
    uint8_t disposal = 1;
    uint8_t interlaced = 0;
    uint8_t userInput = 0;
    Rect frameRect;
    Rect shownRect;
    CDibImage image;
};

class CImageFrames {
  public:
    virtual ~CImageFrames() = default;
    void Clear();

    int32_t format = kFormatUnknown;
    int32_t reserved1 = -1;
    int32_t reserved2 = -1;
    int32_t width = 0;
    int32_t height = 0;
    int32_t colourCount = 0;
    uint32_t background = kNoColour;
    int32_t frameCount = 0;
    int32_t loopCount = 1;
    std::vector<std::unique_ptr<CImageFrame>> frames;
};

// How frames are sized: scaled so that the logical image becomes targetSize, or to `percent`,
// and limited to `clip` of the logical image when one is given.
struct FrameScale {
    std::optional<Size> targetSize;
    std::optional<Rect> clip;
    std::optional<int> percent;
};

class CImageCodec {
  public:
    virtual ~CImageCodec() = default;

    void ReadInfo(CImageStream& stream, ImageInfo& info);
    void ReadInfo(const std::string& path, ImageInfo& info);
    void ReadFrameInfo(CImageStream& stream, CFrameInfo& frame, int index);
    // Decodes frame 0 fitted into maxWidth × maxHeight (never enlarged), trading quality for
    // speed where the codec can.
    void ReadThumbnail(CImageStream& stream, CDibImage& image, int maxWidth, int maxHeight);
    void ReadThumbnail(const std::string& path, CDibImage& image, int maxWidth, int maxHeight);
    // Every frame at `percent` of its size.
    void LoadFramesScaled(CImageStream& stream, CImageFrames& frames, int percent);
    // Every frame, scaled so that the logical image becomes targetSize when one is given, and
    // limited to `clip` of the logical image when one is given. A smaller target is filtered
    // (JPEG first decodes at the library scale that keeps twice the target's pixels, never
    // more); palette pictures other than grey ones, animations and transparent pictures keep
    // their palette and are sampled. This is the call for any picture wanted at a given size.
    void LoadFrames(CImageStream& stream, CImageFrames& frames,
                    const std::optional<Size>& targetSize = std::nullopt,
                    const std::optional<Rect>& clip = std::nullopt);
    void LoadFrames(const std::string& path, CImageFrames& frames,
                    const std::optional<Size>& targetSize = std::nullopt,
                    const std::optional<Rect>& clip = std::nullopt);
    // Frame 0 only (with the file's facts), for callers that use no other frame.
    void LoadFirstFrame(const std::string& path, CImageFrames& frames,
                        const std::optional<Size>& targetSize = std::nullopt);

    // One frame of a file whose header this codec has read into `info`: its facts and its
    // pixels sized by `scale`, charged to `budget`. Frames are independent of one another, so
    // an animation can be decoded a frame at a time.
    void LoadFrame(CImageStream& stream, const ImageInfo& info, int index, const FrameScale& scale,
                   DecodeBudget& budget, CImageFrame& out);

    // The four format steps.
    virtual void ReadHeader(CImageStream& stream, ImageInfo* info) = 0;
    virtual void BeginFrame(CImageStream& stream, CFrameInfo& frame, int index) = 0;
    virtual void DecodeFrame(CImageStream& stream, CFrameInfo& frame, int index, bool fast) = 0;
    virtual void End() = 0;
    // True when, after one ReadHeader, every frame can be decoded any number of times in any
    // order; otherwise each decode needs the header read again.
    virtual bool DecodesFramesAgain() const { return false; }

    // True when DecodeFrame filters a reduction itself (the framework need not).
    virtual bool FiltersWhenReducing() const { return false; }

    // After ReadHeader: the orientation the file records for its pixels (Exif values 1 to 8; 1
    // as stored). Codecs whose library turns the picture itself report 1.
    virtual int Orientation() const { return 1; }
    // After ReadHeader: the ICC profile the file embeds for its pixels; empty when none.
    virtual std::vector<uint8_t> EmbeddedProfile() const { return {}; }
    // Asks the next ReadHeader to describe and decode the file's own small picture, when the
    // format keeps one for thumbnails.
    virtual void UseEmbeddedThumbnail() {}

  protected:
    // Where a thumbnail is decoded from: JPEG files position the stream at their embedded
    // thumbnail here. The default decodes the file itself.
    virtual void PrepareThumbnail(CImageStream& stream);

  private:
    // Creates `image` at `size` for the frame, decodes destRect of the frame into it and drops
    // what the codec did not use; false (and nothing decoded) when the size is empty. With
    // `smooth`, a reduction of an opaque frame decodes it whole and filters it down (sampling
    // still when there is no memory for the whole frame).
    bool DecodeInto(CImageStream& stream, CFrameInfo& frame, int index, CDibImage& image,
                    const Size& size, const Rect& destRect, bool fast, bool smooth);
    // Frames from 0, at most `maxFrames`, all charged to one budget.
    void LoadAllFrames(CImageStream& stream, CImageFrames& frames, const FrameScale& scale,
                       int maxFrames);
};

// Points the frame record's destination at `image` showing `destRect`.
void AttachDestination(CFrameInfo& frame, CDibImage& image, const Rect& destRect);
// After decoding: drops an unused mask and crops to what the codec delivered.
void FinishDestination(const CFrameInfo& frame, CDibImage& image);

}  // namespace xelo
