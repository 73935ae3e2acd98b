// Builds GIF files byte by byte for tests: header, tables, extensions and image data whose LZW
// codes are written exactly as given.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <vector>

namespace xelo::test {

class GifBytes {
  public:
    // "GIF89a" and the logical screen descriptor; `globalColours` entries of a grey ramp
    // (entry i = (i, i, i)) follow when it is not 0.
    explicit GifBytes(int width, int height, int globalColours = 4);

    GifBytes& Control(int disposal, int delay, int transparent, bool userInput = false);
    // Image descriptor, with a local table of `localColours` entries of (255 − i, 0, i).
    GifBytes& Descriptor(int left, int top, int width, int height, bool interlaced = false,
                         int localColours = 0);
    // The minimum code size byte, then `codes` packed least significant bit first with the code
    // size the decoder will be using, in sub-blocks, then the terminator (when `terminate`).
    GifBytes& Codes(int minimumCodeSize, const std::vector<int>& codes, bool terminate = true);
    // Pixels stored as literals only, with a clear code often enough that codes never grow.
    GifBytes& Literals(int minimumCodeSize, const std::vector<uint8_t>& pixels);
    GifBytes& Raw(std::initializer_list<uint8_t> bytes);
    GifBytes& Trailer() { return Raw({0x3B}); }

    const std::vector<uint8_t>& Bytes() const { return bytes_; }

  private:
    void Le16(int v);

    std::vector<uint8_t> bytes_;
};

}  // namespace xelo::test
