#include "codec/FormatDetect.h"

#include <gtest/gtest.h>

#include <string>

#include "CodecTestUtil.h"
#include "codec/ImageFile.h"

namespace xelo {
namespace {

ImageFormat Detect(std::string bytes, uint32_t startAt = 0) {
    CMemoryStream s(reinterpret_cast<const uint8_t*>(bytes.data()),
                    static_cast<uint32_t>(bytes.size()));
    s.Seek(startAt, CImageStream::kBegin);
    const ImageFormat f = DetectFormat(s);
    EXPECT_EQ(s.GetPosition(), startAt);  // the position is kept
    return f;
}

std::string Pict(const std::string& opcode) {
    std::string b(600, '\0');
    b.replace(522, opcode.size(), opcode);
    return b;
}

TEST(FormatDetect, SignaturesInTheirOrderAndFormatsWithoutACodec) {
    using namespace std::string_literals;
    struct Case {
        std::string bytes;
        ImageFormat format;
    };
    const Case cases[] = {
        {"BMxxxx", kFormatBmp},
        {"GIF89a", kFormatGif},
        {"GIF8", kFormatGif},
        {"II\x2A\x00"s, kFormatTiff},
        {"MM\x00\x2A"s, kFormatTiff},
        {"\xFF\xD8\xFF\xE0"s, kFormatJpeg},
        {"\x89PNG\r\n"s, kFormatPng},
        {"\xC5\xD0\xD3\xC6"s + std::string(16, 'x') + "\x01\0\0\0\x02\0\0\0"s, kFormatEps},
        {"\xC5\xD0\xD3\xC6"s + std::string(16, 'x') + "\0\0\0\0\x02\0\0\0"s, kFormatUnknown},
        {"\x0A\x05\x01"s, kFormatPcx},
        {"P5 1 1", kFormatPgm},
        {"P2", kFormatPgm},
        {Pict("\x00\x11\x02\xFF"s), kFormatPict},
        {Pict("\x00\x11\x01"s), kFormatPict},
        {Pict("\x11\x01\x01\x00"s), kFormatPict},
        {"\xFF\xD8"s, kFormatUnknown},  // a test that needs bytes beyond the file fails
        {"", kFormatUnknown},
        {"hello", kFormatUnknown},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Detect(c.bytes), c.format) << c.bytes.size();
    EXPECT_EQ(Detect("BM123456", 5), kFormatBmp) << "from the start whatever the position";
    // PNG and TIFF have readers: a bare signature is a damaged file; others are refused.
    for (const auto& [bytes, code] : {std::pair{"\x89PNG\r\n\x1a\n"s, kErrFormatInvalid},
                                      std::pair{"II\x2A\x00\x08\0\0\0"s, kErrFormatInvalid},
                                      std::pair{"nothing"s, kErrFormatUnsupported}}) {
        const std::vector<uint8_t> v(bytes.begin(), bytes.end());
        CImageFrames frames;
        EXPECT_EQ(test::ErrorOf([&] { test::LoadFromBytes(v, frames); }), code);
    }
}

}  // namespace
}  // namespace xelo
