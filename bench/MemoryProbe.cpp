// Memory figures that a timed benchmark cannot give: builds memory-bomb files and long
// animations, plays an animation the way the image view does (frames decoded on demand, composed,
// stepped back) and prints the peak resident memory. scripts/measure_memory.sh runs it.
#include <sys/resource.h>

#include <chrono>
#include <cstdio>
// After <cstdio>: the library header needs size_t and FILE.
#include <jpeglib.h>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <string>
#include <vector>

#include "codec/FrameReader.h"
#include "codec/GifWriter.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"
#include "views/AnimationComposer.h"

using namespace xelo;

namespace {

long PeakKiB() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// `frames` frames of width × height, each wholly covering the picture with bands that move,
// every fourth one a smaller patch restored to the background afterwards.
void MakeAnimation(const std::string& path, int frames, int width, int height) {
    LogPalette palette;
    palette.count = 256;
    for (int i = 0; i < 256; ++i)
        palette.entries[i] = PaletteEntry{static_cast<uint8_t>(i), static_cast<uint8_t>(255 - i),
                                          static_cast<uint8_t>(i * 7), 0};
    CGifWriter writer;
    writer.Open(path);
    writer.WriteHeader(width, height, &palette);
    std::vector<uint8_t> pixels(static_cast<size_t>(width) * height);
    for (int f = 0; f < frames; ++f) {
        const bool patch = f % 4 == 3;
        const int w = patch ? width / 3 : width;
        const int h = patch ? height / 3 : height;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                pixels[static_cast<size_t>(y) * w + x] = static_cast<uint8_t>((x / 16 + y / 16 + f) & 0xFF);
        writer.WriteControl(patch ? 2 : 1, false, 4, -1);
        writer.BeginImage(patch ? width / 3 : 0, patch ? height / 3 : 0, w, h, nullptr, false);
        writer.WritePixels(pixels.data(), static_cast<uint32_t>(w) * h);
    }
    writer.Close();
}

// A GIF whose frames all fill a 4000 × 4000 screen with one colour: a few KB a frame.
void MakeGifBomb(const std::string& path, int frames) {
    LogPalette palette;
    palette.count = 2;
    palette.entries[1] = PaletteEntry{255, 0, 0, 0};
    CGifWriter writer;
    writer.Open(path);
    writer.WriteHeader(4000, 4000, &palette);
    const std::vector<uint8_t> pixels(size_t{4000} * 4000, 1);
    for (int f = 0; f < frames; ++f) {
        writer.WriteControl(1, false, 5, -1);
        writer.BeginImage(0, 0, 4000, 4000, nullptr, false);
        writer.WritePixels(pixels.data(), static_cast<uint32_t>(pixels.size()));
    }
    writer.Close();
}

// A small progressive JPEG whose frame header then claims 16383 × 16383.
void MakeJpegBomb(const std::string& path, bool grey) {
    jpeg_compress_struct c;
    jpeg_error_mgr errors;
    c.err = jpeg_std_error(&errors);
    jpeg_create_compress(&c);
    unsigned char* out = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&c, &out, &size);
    c.image_width = c.image_height = 64;
    c.input_components = grey ? 1 : 3;
    c.in_color_space = grey ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&c);
    jpeg_simple_progression(&c);
    jpeg_start_compress(&c, TRUE);
    std::vector<JSAMPLE> row(64 * 3, 128);
    for (JSAMPROW r = row.data(); c.next_scanline < 64;) jpeg_write_scanlines(&c, &r, 1);
    jpeg_finish_compress(&c);
    std::vector<uint8_t> bytes(out, out + size);
    jpeg_destroy_compress(&c);
    std::free(out);
    for (size_t i = 0; i + 8 < bytes.size(); ++i) {
        if (bytes[i] == 0xFF && bytes[i + 1] == 0xC2) {
            bytes[i + 5] = bytes[i + 7] = 0x3F;
            bytes[i + 6] = bytes[i + 8] = 0xFF;
            break;
        }
    }
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// Plays every frame in order, then steps back `back` frames one at a time, as the view does.
int Play(const std::string& path, int back) {
    CFrameReader reader;
    CImageFrames facts;
    reader.Open(path, FrameScale{}, facts);
    const Size size{facts.width, facts.height};
    AnimationComposer composer;
    composer.Start(size, size, 0x404040,
                   [&reader](int i, CImageFrame& frame) { reader.Decode(i, frame); });
    const int count = static_cast<int>(facts.frames.size());
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < count; ++i) composer.ComposeTo(i);
    const auto played = std::chrono::steady_clock::now();
    for (int i = count - 2; i >= 0 && i >= count - 1 - back; --i) composer.ComposeTo(i);
    const auto stepped = std::chrono::steady_clock::now();
    using ms = std::chrono::duration<double, std::milli>;
    std::printf("played %d frames of %dx%d: %.2f ms a frame; %d steps back: %.1f ms a step; "
                "peak %ld KiB\n",
                count, size.width, size.height, ms(played - start).count() / count, back,
                ms(stepped - played).count() / std::max(1, back), PeakKiB());
    return 0;
}

// The whole-file decode every frame at once (what `LoadFrames` callers get).
int LoadAll(const std::string& path) {
    CImageFrames frames;
    try {
        CImageFile().LoadFrames(path, frames);
        std::printf("decoded %zu frames; peak %ld KiB\n", frames.frames.size(), PeakKiB());
    } catch (const CTavoException& e) {
        std::printf("error %u; peak %ld KiB\n", e.GetCode(), PeakKiB());
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string verb = argc > 1 ? argv[1] : "";
    if (verb == "animation" && argc == 6) {
        MakeAnimation(argv[2], std::atoi(argv[3]), std::atoi(argv[4]), std::atoi(argv[5]));
    } else if (verb == "gif-bomb" && argc == 4) {
        MakeGifBomb(argv[2], std::atoi(argv[3]));
    } else if (verb == "jpeg-bomb" && argc == 4) {
        MakeJpegBomb(argv[2], std::strcmp(argv[3], "grey") == 0);
    } else if (verb == "play" && argc == 4) {
        return Play(argv[2], std::atoi(argv[3]));
    } else if (verb == "load-all" && argc == 3) {
        return LoadAll(argv[2]);
    } else {
        std::fprintf(stderr,
                     "usage: xelo_memory_probe animation OUT FRAMES W H | gif-bomb OUT FRAMES |\n"
                     "       jpeg-bomb OUT grey|colour | play FILE STEPS_BACK | load-all FILE\n");
        return 2;
    }
    return 0;
}
