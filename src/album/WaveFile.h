// The audio note of an image (IMAGE.wav): a RIFF/WAVE file of PCM samples, written whole through
// a temporary file so that a recording never leaves half a file beside the image.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace xelo {

struct WaveFormat {
    uint16_t channels = 1;
    uint32_t sampleRate = 22050;
    uint16_t bitsPerSample = 16;  // 8, 16 or 32
    bool floatSamples = false;    // 32-bit IEEE float instead of integers
};

// The 44-byte header of a file holding `dataBytes` bytes of samples.
std::vector<uint8_t> EncodeWaveHeader(const WaveFormat& format, uint32_t dataBytes);
// Writes header and samples to `path`, replacing an older file only once the new one is
// complete. A size beyond what the format can count raises 46002; file errors throw.
void WriteWaveFile(const std::string& path, const WaveFormat& format,
                   const std::vector<uint8_t>& samples);
// Seconds of sound in `bytes` bytes of samples.
double WaveSeconds(const WaveFormat& format, uint64_t bytes);

}  // namespace xelo
