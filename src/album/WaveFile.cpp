// RIFF/WAVE: "RIFF" size "WAVE", a 16-byte "fmt " chunk (PCM or IEEE float) and the "data" chunk.
#include "album/WaveFile.h"

#include <limits>

#include "album/AlbumOrigin.h"
#include "codec/FileWriter.h"
#include "image/TavoException.h"

namespace xelo {

namespace {

constexpr uint32_t kUnit = 352;
constexpr uint32_t kHeaderBytes = 44;
constexpr uint16_t kFormatPcm = 1;
constexpr uint16_t kFormatFloat = 3;

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(v >> shift));
}

void PutTag(std::vector<uint8_t>& out, const char (&tag)[5]) {
    out.insert(out.end(), tag, tag + 4);
}

uint16_t BlockAlign(const WaveFormat& f) {
    return static_cast<uint16_t>(f.channels * (f.bitsPerSample / 8));
}

}  // namespace

std::vector<uint8_t> EncodeWaveHeader(const WaveFormat& format, uint32_t dataBytes) {
    std::vector<uint8_t> out;
    out.reserve(kHeaderBytes);
    PutTag(out, "RIFF");
    Put32(out, kHeaderBytes - 8 + dataBytes + (dataBytes & 1));
    PutTag(out, "WAVE");
    PutTag(out, "fmt ");
    Put32(out, 16);
    Put16(out, format.floatSamples ? kFormatFloat : kFormatPcm);
    Put16(out, format.channels);
    Put32(out, format.sampleRate);
    Put32(out, format.sampleRate * BlockAlign(format));
    Put16(out, BlockAlign(format));
    Put16(out, format.bitsPerSample);
    PutTag(out, "data");
    Put32(out, dataBytes);
    return out;
}

void WriteWaveFile(const std::string& path, const WaveFormat& format,
                   const std::vector<uint8_t>& samples) {
    const bool sane = format.channels > 0 && format.sampleRate > 0 &&
                      (format.bitsPerSample == 8 || format.bitsPerSample == 16 ||
                       format.bitsPerSample == 32) &&
                      (!format.floatSamples || format.bitsPerSample == 32);
    // The RIFF size counts the header too and must fit in 32 bits.
    if (!sane || samples.size() > std::numeric_limits<uint32_t>::max() - kHeaderBytes) {
        ThrowError(kErrInvalidParameter, {kComponentAlbum, kUnit, __LINE__});
    }
    // Whole sample frames only: a cut frame would shift every channel after it.
    const size_t frameBytes = BlockAlign(format);
    const size_t dataBytes = samples.size() - samples.size() % frameBytes;
    const std::vector<uint8_t> header =
        EncodeWaveHeader(format, static_cast<uint32_t>(dataBytes));
    CFileWriter writer(path, {kComponentAlbum, kUnit, __LINE__});
    writer.Write(header.data(), header.size());
    writer.Write(samples.data(), dataBytes);
    if (dataBytes & 1) writer.WriteByte(0);  // chunks are padded to an even length
    writer.Commit();
}

double WaveSeconds(const WaveFormat& format, uint64_t bytes) {
    const uint64_t perSecond = uint64_t{format.sampleRate} * BlockAlign(format);
    return perSecond == 0 ? 0.0 : static_cast<double>(bytes) / static_cast<double>(perSecond);
}

}  // namespace xelo
