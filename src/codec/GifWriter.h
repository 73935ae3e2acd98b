// CGifWriter: writes one still image as a GIF89a file with LZW-compressed data; WriteGif is the
// save routine that reduces true-colour pixels first and scales by a percentage.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "codec/FileWriter.h"
#include "image/DibImage.h"
#include "image/Palette.h"

namespace xelo {

class CGifWriter {
  public:
    CGifWriter();
    virtual ~CGifWriter();
    CGifWriter(const CGifWriter&) = delete;
    CGifWriter& operator=(const CGifWriter&) = delete;

    // Reduction settings for 3-byte sources of WriteGif.
    int32_t maxColours = 256;                  // 2, 4, 8, …, 256
    bool dither = true;                        // error diffusion
    const LogPalette* fixedPalette = nullptr;  // not owned; null = an optimised palette
    uint32_t transparentColour = kNoColour;    // key colour 0x00BBGGRR of a 3-byte source
    int32_t transparentIndex = -1;             // key index of a 1-byte source, −1 none

    // The steps of a file; out of order, a second Open, an empty path or too many pixels throw
    // 46003. The file appears under `path` only when Close succeeds.
    void Open(const std::string& path);
    void WriteHeader(int width, int height, const LogPalette* palette);
    void WriteControl(int disposal, bool userInput, int delay, int transparent);
    void BeginImage(int left, int top, int width, int height, const LogPalette* localPalette,
                    bool interlaced);
    void WritePixels(const uint8_t* indices, uint32_t count);
    void Close();
    // Drops a file that is being written; nothing is left under its path.
    void Abandon();

  private:
    enum State : uint32_t { kFileOpen = 1, kHeaderWritten = 2, kImageStarted = 4 };

    void Require(uint32_t bits, uint32_t line) const;
    void WritePalette(const LogPalette* palette, int bits);
    void PutCode(int code);
    void FlushBlock();
    void ClearTable();
    void FinishImage();

    uint32_t state_ = 0;
    std::unique_ptr<CFileWriter> file_;
    int32_t globalBits_ = 1;
    int32_t minCodeSize_ = 2;
    int32_t clearCode_ = 0;
    int32_t endCode_ = 0;
    int32_t nextCode_ = 0;
    int32_t codeSize_ = 0;
    int32_t codeLimit_ = 0;
    int32_t prefix_ = kNoPrefix;
    uint32_t bitCount_ = 0;
    uint32_t bitBuffer_ = 0;
    uint32_t pixelsLeft_ = 0;
    uint8_t block_[256] = {};  // length byte and up to 255 data bytes
    std::unique_ptr<uint32_t[]> hashTable_;

    static constexpr int32_t kNoPrefix = 0x1001;
};

// The pixels of a save: 1-byte (with palette) or 3-byte (blue, green, red), top-down rows.
struct GifSource {
    const uint8_t* bits = nullptr;  // not owned
    int width = 0;
    int rowPad = 0;  // pixels
    int height = 0;
    int bytesPerPixel = 3;
    const LogPalette* palette = nullptr;  // of a 1-byte source; not owned
};

// Writes `source` scaled to `percent` (truncated) as a GIF file through `writer`, reducing a
// 3-byte source with the writer's settings first. On failure nothing is left at `path`.
void WriteGif(CGifWriter& writer, const std::string& path, const GifSource& source, int percent);

// The same for an image; a 1-byte image's transparent index, or a 3-byte image's key colour,
// becomes the file's transparent index.
void WriteGif(CGifWriter& writer, const std::string& path, const CDibImage& image, int percent);

}  // namespace xelo
